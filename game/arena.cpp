#include "game/arena.h"

#include "game/asteroid.h"
#include "game/planet.h"

void CreateAsteroidSentinels(GameState* game) {
    if (game->AsteroidHead) return;
    game->AsteroidHead = new Asteroid(0, 0, 0, -3000, -3000, 0, 0, 0);
    game->AsteroidTail = new Asteroid(0, 0, 0, -3000, -3000, 0, 0, 0);
    game->AsteroidHead->Next = game->AsteroidTail;
    game->AsteroidTail->Prev = game->AsteroidHead;
}

void ReleaseArena(GameState* game) {
    if (game->AsteroidHead) {
        Asteroid* a = game->AsteroidHead->Next;
        while (a && a != game->AsteroidTail) {
            Asteroid* next = a->Next;
            delete a;
            a = next;
        }
        delete game->AsteroidHead;
        delete game->AsteroidTail;
    }
    game->AsteroidHead = game->AsteroidTail = game->AsteroidCursor = nullptr;
    while (game->PlanetList) {
        Planet* next = game->PlanetList->Next;
        delete game->PlanetList;
        game->PlanetList = next;
    }
    game->PlanetCursor = nullptr;
}

void NewAsteroidField(GameState*) {}
void RemoveAsteroid(GameState*, Asteroid*) {}
void RemovePlanet(GameState*, Planet*) {}
void NewPlanet(GameState*) {}
void MarkSelectedClasses(GameState*) {}
