// The arena for tests of ships, shots, asteroids and planets: an 800 x 600
// work surface (sound off), a game state reachable through Form1->Game with
// the built-in classes set up, 12 blank pilots, an empty shot list and the
// two asteroid sentinels, and a zoom of 10 with the camera at 0, 0 (one world
// unit is one pixel).
#pragma once

#include <memory>

#include "game/arena/arena.h"
#include "game/arena/asteroid.h"
#include "game/common/misc.h"
#include "game/arena/planet.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/data/shipclasses.h"
#include "game/shots/shots.h"
#include "game/arena/world.h"
#include "tests/game/screen_fixture.h"

class WorldFixture : public ScreenFixture {
protected:
    WorldFixture() : ScreenFixture(800, 600) {}

    void SetUp() override {
        ScreenFixture::SetUp();
        BuildSineTable();
        SeedRandom(1);
        Form1->Game = MakeGameState();
        game = Form1->Game.get();
        game->ScreenWidth = 800;
        game->ScreenHeight = 600;
        SetUserClassDefaults(game);
        SetupShipClasses(game);
        for (int i = 0; i < kPilotCount; ++i) game->Pilots[i] = new Player();
        game->ShotList = new Iterator();
        CreateAsteroidSentinels(game);
        game->Zoom = 10.0f;
        game->CameraX = 0;
        game->CameraY = 0;
    }

    void TearDown() override {
        Form1->Game.reset();
        game = nullptr;
        ScreenFixture::TearDown();
    }

    // A ship of a class for a side, reset, owned by the game state as its
    // blue (side 0) or green (side 1) ship; the two ships are each other's
    // opponents once both exist. The view is the fixture's.
    Ship* MakeShip(int side, int classIndex) {
        Ship*& slot = side == 0 ? game->BlueShip : game->GreenShip;
        delete slot;
        slot = new Ship(side, game->Pilots[side], classIndex);
        slot->Reset();
        slot->SetView(game->CameraX, game->CameraY);
        slot->SetZoom(game->Zoom);
        if (game->BlueShip && game->GreenShip) {
            game->BlueShip->Opponent = game->GreenShip;
            game->GreenShip->Opponent = game->BlueShip;
        }
        return slot;
    }

    // An asteroid linked in just before the tail sentinel.
    Asteroid* AddAsteroid(float x, float y, float radius, int life = 50) {
        return LinkAsteroid(new Asteroid(life, 0, radius, x, y, 0, 0, 100));
    }
    Asteroid* LinkAsteroid(Asteroid* a) {
        Asteroid* last = game->AsteroidTail->Prev;
        last->Next = a;
        a->Prev = last;
        a->Next = game->AsteroidTail;
        game->AsteroidTail->Prev = a;
        return a;
    }

    // The only planet of the list (picture-less unless one is given).
    Planet* SetPlanet(float x, float y, float radius, float mass, VXSurface* picture = nullptr) {
        while (game->PlanetList) {
            Planet* next = game->PlanetList->Next;
            delete game->PlanetList;
            game->PlanetList = next;
        }
        game->PlanetList = new Planet(radius, mass, x, y, picture, 150);
        return game->PlanetList;
    }

    GameState* game = nullptr;
};
