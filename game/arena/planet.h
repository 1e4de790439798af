// A planet: a fixed gravity well with a picture. The pull at distance d is
// Mass * 10000 / d^2 world units per frame^2.
#pragma once

#include <cstdint>

#include "game/arena/world.h"

class VXSurface;

class Planet : public Object {
public:
    // picture is borrowed from the main window's planet pictures.
    Planet(float radius, float mass, float x, float y, VXSurface* picture, std::int32_t frameSize);

    void Update() override {}
    // Draws the picture region stretched over a square of 2 * Radius world
    // units, with the work surface unlocked.
    void Draw() override;
    void Collide() override {}

    Planet* Next = nullptr;
    float Mass;
    std::int32_t ScreenLeft = 0, ScreenTop = 0, ScreenRight = 0, ScreenBottom = 0;
    std::int32_t FrameSize;
    VXSurface* Picture;
};
