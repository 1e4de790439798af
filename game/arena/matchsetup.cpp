#include "game/arena/matchsetup.h"

#include "game/arena/arena.h"
#include "game/data/player.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"

void DeleteShip(GameState* game, Ship*& ship) {
    if (!ship) return;
    for (Player* pilot : game->Pilots)
        if (pilot && pilot->CurrentShip == ship) pilot->CurrentShip = nullptr;
    delete ship;
    ship = nullptr;
}

void DeleteShips(GameState* game) {
    DeleteShip(game, game->BlueShip);
    DeleteShip(game, game->GreenShip);
}

Ship* NewShip(GameState* game, int side, Player* pilot, int cls) {
    Ship*& slot = side == 0 ? game->BlueShip : game->GreenShip;
    DeleteShip(game, slot);
    slot = new Ship(side, pilot, cls);
    pilot->CurrentShip = slot;
    return slot;
}

void LoadRoundFrames(GameState* game) {
    MarkSelectedClasses(game);
    Form1->SyncShipFrames();
}

void LinkShips(GameState* game) {
    game->BlueShip->Opponent = game->GreenShip;
    game->GreenShip->Opponent = game->BlueShip;
}

void StartEngines(GameState* game) {
    game->BlueShip->PlayEngineSound();
    game->GreenShip->PlayEngineSound();
}
