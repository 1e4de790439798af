#include "game/gamestate.h"


#include "game/player.h"

void ReleaseGameState(GameState& game) {
    for (Player*& pilot : game.Pilots) {
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
