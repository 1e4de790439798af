// The game's one state record.
//
// There is exactly one GameState. The main window allocates it zero-filled
// (it has no constructor) and InitGame fills it; every screen and world
// object then reads and writes its fields directly. Fields that InitGame does
// not set start at zero or null, and the game relies on that: a user class
// that ships.dat does not supply keeps zero power, range, names and flags, and
// the object lists start empty.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

#include "shipdata/shipclassrecord.h"

class Iterator;
class Ship;
class Player;
class Planet;
class Asteroid;

inline constexpr int kClassCount = 44;  // 0..23 built in, 24..43 from ships.dat
inline constexpr int kFirstUserClass = 24;
inline constexpr int kUserClassCount = 20;
inline constexpr int kClassSlots = shipdata::kWeaponSlots;
inline constexpr int kClassNameSize = shipdata::kNameSize;
inline constexpr int kClassReservedSize = shipdata::kReservedSize;
inline constexpr int kClassSpecials = shipdata::kSpecialCount;
inline constexpr int kPilotCount = 12;  // 10 named pilots, 2 "NO Pilot" players
inline constexpr int kNamedPilots = 10;
inline constexpr int kNoPilotBlue = 10;
inline constexpr int kNoPilotGreen = 11;
inline constexpr int kKeyBindingCount = 20;
inline constexpr int kPlayStarCount = 1200;
inline constexpr int kMenuStarSlots = 1000;  // 999 of them are used
inline constexpr int kMenuStarCount = 999;

// The ship classes, one class-indexed array per ship-class record field.
// Classes 0..23 are the built-in ones, 24..43 the user classes of ships.dat.
struct ClassTable {
#define GAME_CLASS_COLUMN(name, kind, count, at) decltype(shipdata::ShipClassRecord::name) name[kClassCount];
    SHIPDATA_RECORD_FIELDS(GAME_CLASS_COLUMN)
#undef GAME_CLASS_COLUMN
};

struct GameState {
    // Screen size.
    std::int32_t ScreenHeight;
    std::int32_t ScreenWidth;

    // Options, first part (config.cfg, options screen, world set-up).
    std::int32_t GravityOption;  // 0 "HIGH", 1 "MEDIUM", 2 "LOW"
    float GravityStrength;
    std::int32_t PlanetOption;  // 0 "large", 1 "MEDIUM", 2 "SMALL", 3 no planet
    std::int32_t PlanetSize;
    std::int32_t AsteroidOption;  // 2, 7, 12 or 17

    // Play-screen starfield: stars 0..399, 400..799 and 800..1199 are the
    // three parallax layers.
    std::int32_t PlayStarX[kPlayStarCount];
    std::int32_t PlayStarY[kPlayStarCount];

    // Menu starfield.
    float MenuStarTime[kMenuStarSlots];
    float MenuStarY[kMenuStarSlots];
    float MenuStarSpeed[kMenuStarSlots];

    // Main-menu page state.
    std::int32_t TextPageFrames;  // frames the current text page has been shown
    std::int32_t MainMenuPage;    // 0 intro story, 1 credits, 2 keyboard help, 3 the menu

    std::int32_t RoundEndCounter;  // frames of the round-end banner, 0 while a round runs

    // Menu latches: held keys fire once.
    std::uint8_t MenuLatch;
    std::uint8_t BlueLatch;
    std::uint8_t GreenLatch;

    // Screen cursors.
    std::int32_t BlueClassCursor;
    std::int32_t GreenClassCursor;
    std::int32_t BlueInFleet;
    std::int32_t GreenInFleet;
    std::int32_t BlueFleetCursor;
    std::int32_t GreenFleetCursor;
    std::int32_t BluePickSlot;
    std::int32_t GreenPickSlot;

    std::int32_t FleetWarningTimer;  // frames left of "fleet values too high"

    std::uint8_t ClassAvailable[kClassCount];  // 1 when the class can be chosen

    Iterator* ShotList;  // the live shots

    char ClassNames[kClassCount][kClassNameSize];  // NUL-terminated display names

    std::int32_t ShipValue[kClassCount];

    ClassTable ShipClassTable;

    // Options, second part.
    std::int32_t MusicOn;        // 1 = music plays
    std::int32_t MusicVolume;    // hundredths of a decibel
    std::int32_t EffectsVolume;  // hundredths of a decibel

    Ship* BlueShip;   // side 0, or null
    Ship* GreenShip;  // side 1, or null

    // Mouse state, written every frame.
    std::int32_t MouseX;
    std::int32_t MouseY;
    std::uint8_t MouseLeft;
    std::uint8_t MouseRight;
    std::uint8_t MouseLatch;

    // Camera.
    float CameraX;
    float CameraY;
    float Zoom;  // screen pixels per 10 world units

    // 0..9 the named pilots of stats.dat, 10 and 11 the "NO Pilot" players.
    Player* Pilots[kPilotCount];

    std::int32_t KeyBindings[kKeyBindingCount];

    // Pilot choice.
    std::int32_t BluePilot;
    std::int32_t GreenPilot;
    std::int32_t PilotsMessageTimer;

    // Planet and asteroid lists.
    Planet* PlanetList;
    Planet* PlanetCursor;
    Asteroid* AsteroidHead;  // sentinels of the doubly linked list
    Asteroid* AsteroidTail;
    Asteroid* AsteroidCursor;

    std::int32_t GameMode;    // screen to go back to: 6 battle pick, 7 quick game, 2 battle menu
    std::int32_t PointLimit;  // fleet point limit, 50..2000 in steps of 50
    std::int32_t MinZoom;     // lowest Zoom of the play camera
};

static_assert(std::is_trivially_default_constructible_v<GameState>);
static_assert(std::is_trivially_copyable_v<GameState>);
static_assert(std::is_standard_layout_v<GameState>);

// The state owns the 12 players, the two ships, the shot list, the planets and
// the asteroids with their two sentinels; a player's CurrentShip only borrows
// one of the ships. ReleaseGameState deletes what it owns and clears the
// pointers, so a second call finds nothing left.
void ReleaseGameState(GameState& game);

struct GameStateDeleter {
    void operator()(GameState* game) const noexcept;
};
using GameStatePtr = std::unique_ptr<GameState, GameStateDeleter>;

// A new zero-filled state, released and freed when the handle goes.
GameStatePtr MakeGameState();
