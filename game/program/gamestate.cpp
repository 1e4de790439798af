#include "game/program/gamestate.h"

#include "game/arena/arena.h"
#include "game/data/player.h"
#include "game/ship/ship.h"
#include "game/arena/world.h"

void ReleaseGameState(GameState& game) {
    // Shots first: they point at the ships.
    delete game.ShotList;
    game.ShotList = nullptr;
    ReleaseArena(&game);
    delete game.BlueShip;
    delete game.GreenShip;
    game.BlueShip = game.GreenShip = nullptr;
    for (Player*& pilot : game.Pilots) {
        if (pilot) pilot->CurrentShip = nullptr;
        delete pilot;
        pilot = nullptr;
    }
}

void GameStateDeleter::operator()(GameState* game) const noexcept {
    if (!game) return;
    ReleaseGameState(*game);
    delete game;
}

GameStatePtr MakeGameState() {
    // Value-initialisation of a trivial aggregate zero-fills every field.
    return GameStatePtr(new GameState{});
}
