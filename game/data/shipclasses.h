// The 44-class ship-class table: built-in classes, the user classes of
// ships.dat, their point values and whether each can be flown.
#pragma once

#include <string>

#include "game/program/gamestate.h"
#include "shipdata/shipclassrecord.h"

// Copies class `cls` of the table into a record, and a record into class
// `cls`, field by field.
void ClassToRecord(const ClassTable& table, int cls, shipdata::ShipClassRecord& rec);
void RecordToClass(const shipdata::ShipClassRecord& rec, ClassTable& table, int cls);

// Gives the 20 user classes 24..43 their defaults: inactive, custom image of
// 60 frames, missiles 4, turn 3, acceleration 1.0, shield, hull, draw scale
// and sphere 50, empty weapon slots with convergence 1000; all else zero.
void SetUserClassDefaults(GameState* game);

// Writes the built-in classes 0..23 from their constants and prices all 44
// classes into ShipValue.
void SetupShipClasses(GameState* game);

// Reads the user classes from ships.dat when it is exactly 25120 bytes long,
// then checks every class's frame files (CheckClassSprites).
void LoadShipClasses(GameState* game);

// Prepares a user record read from ships.dat for the game. Its text fields
// are cut at 19 characters and terminated, and a borrowed built-in frame set
// always has 60 frames. Returns false for a record that no valid editor would
// write: a frame selection other than 0..23 or 100, a custom frame count
// outside 1..360, a negative weapon count or counts summing past 20, a
// technology outside 0..6, an engine sound outside 0..11, or a draw scale or
// bounding sphere of 0 or less. The caller makes such a class unavailable.
bool PrepareUserRecord(shipdata::ShipClassRecord& rec);

// Sets ClassAvailable and Active of every class: 1 when all of its frame
// files exist, else 0. An inactive user class stays unavailable.
void CheckClassSprites(GameState* game);

// The frame file names of class `cls` as the table describes them (empty
// when the class names no valid frame set).
int ClassFrameCount(const GameState* game, int cls);
std::string ClassFrameName(const GameState* game, int cls, int frame);
