// Building the arena for a quick game or a battle: the asteroid field, the
// planet, and the classes whose rotation frames the coming round needs.
#pragma once

#include "game/program/gamestate.h"

class Asteroid;
class Planet;

// Makes the two sentinel asteroids at (-3000, -3000), linked to each other,
// when the state has none yet.
void CreateAsteroidSentinels(GameState* game);
// Deletes every asteroid between the sentinels and every planet, then the
// sentinels themselves.
void ReleaseArena(GameState* game);

void NewAsteroidField(GameState* game);
void RemoveAsteroid(GameState* game, Asteroid* asteroid);
void RemovePlanet(GameState* game, Planet* planet);
void NewPlanet(GameState* game);
void MarkSelectedClasses(GameState* game);
