#include "game/arena/arena.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "game/arena/asteroid.h"
#include "game/common/misc.h"
#include "game/arena/planet.h"
#include "game/common/random.h"
#include "game/program/winmain.h"
#include "game/arena/world.h"

void CreateAsteroidSentinels(GameState* game) {
    if (game->AsteroidHead) return;
    game->AsteroidHead = new Asteroid(50, 1, 30, -3000, -3000, 0, 0, 100);
    game->AsteroidTail = new Asteroid(50, 1, 30, -3000, -3000, 0, 0, 100);
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

namespace {

// The planet pictures in the order of the main window's PlanetPictures.
constexpr std::array<const char*, kPlanetPictureCount> kPlanetPictureNames = {
    "earth1",  "jupiter", "io",       "calisteo", "mars",    "titan",  "titania",
    "tethys",  "venus",   "ganymede", "neptune",  "uranus",  "ariel",  "encelad",
    "iapetus", "umbriel", "rhea",     "mimas",    "miranda", "europa", "moon"};

struct PlanetLook {
    const char* Picture;
    std::int32_t FrameSize;  // side of the square picture region that shows the planet
};

// One of these is drawn for every new planet; jupiter comes up twice as often.
constexpr std::array<PlanetLook, 22> kPlanetLooks = {{
    {"earth1", 140},  {"jupiter", 90},  {"jupiter", 90},   {"io", 150},      {"ganymede", 138}, {"europa", 146},
    {"titan", 150},   {"titania", 150}, {"calisteo", 141}, {"neptune", 150}, {"uranus", 150},   {"ariel", 142},
    {"encelad", 138}, {"iapetus", 136}, {"rhea", 150},     {"mimas", 104},   {"miranda", 150},  {"moon", 150},
    {"mars", 80},     {"tethys", 150},  {"venus", 150},    {"umbriel", 150},
}};

VXSurface* PlanetPicture(const char* name) {
    for (std::size_t i = 0; i < kPlanetPictureNames.size(); ++i)
        if (std::strcmp(kPlanetPictureNames[i], name) == 0) return Form1->PlanetPictures[i].get();
    return nullptr;
}

}  // namespace

void NewAsteroidField(GameState* game) {
    CreateAsteroidSentinels(game);
    Asteroid* a = game->AsteroidHead->Next;
    while (a && a != game->AsteroidTail) {
        game->AsteroidCursor = a->Next;
        RemoveAsteroid(game, a);
        a = game->AsteroidCursor;
    }

    const int count = Random(game->AsteroidOption) + 5;
    Asteroid* last = game->AsteroidHead;
    last->Next = nullptr;
    for (int i = 0; i < count; ++i) {
        const int vy = Random(5) - 2;
        const int vx = Random(5) - 2;
        const int y = Random(static_cast<int>(kArenaSize));
        const int x = Random(static_cast<int>(kArenaSize));
        const int radius = Random(25) + 12;
        const int life = Random(60) + 30;
        auto* rock = new Asteroid(life, 0, static_cast<float>(radius), static_cast<float>(x), static_cast<float>(y),
                                  static_cast<float>(vx), static_cast<float>(vy), 100);
        last->Next = rock;
        rock->Prev = last;
        last = rock;
    }
    last->Next = game->AsteroidTail;
    game->AsteroidTail->Prev = last;
}

void RemoveAsteroid(GameState* game, Asteroid* asteroid) {
    if (!asteroid || asteroid == game->AsteroidHead || asteroid == game->AsteroidTail) return;
    if (asteroid->Prev) asteroid->Prev->Next = asteroid->Next;
    if (asteroid->Next) asteroid->Next->Prev = asteroid->Prev;
    delete asteroid;
}

void RemovePlanet(GameState* game, Planet* planet) {
    if (!planet) return;
    if (game->PlanetList == planet) {
        game->PlanetList = planet->Next;
    } else {
        Planet* before = game->PlanetList;
        while (before && before->Next != planet) before = before->Next;
        if (!before) return;  // not one of ours
        before->Next = planet->Next;
    }
    if (game->PlanetCursor == planet) game->PlanetCursor = nullptr;
    delete planet;
}

void NewPlanet(GameState* game) {
    while (game->PlanetList) RemovePlanet(game, game->PlanetList);

    const float x = static_cast<float>(1250 - Random(500));
    const float y = static_cast<float>(1250 - Random(500));
    const float radius = static_cast<float>(Random(game->PlanetSize) + 25);
    const int q = Random(FloatToInt(game->GravityStrength));
    if (game->PlanetOption == 3) return;

    const float mass = static_cast<float>(q / 3000) + 0.1f;
    const PlanetLook& look = kPlanetLooks[static_cast<std::size_t>(Random(22))];
    game->PlanetList = new Planet(radius, mass, x, y, PlanetPicture(look.Picture), look.FrameSize);
}

void MarkSelectedClasses(GameState* game) {
    for (int i = 0; i < kImageSets; ++i)
        Form1->FramesWanted[static_cast<std::size_t>(i)] =
            (i == game->BlueClassCursor || i == game->GreenClassCursor) ? 1 : 0;
}
