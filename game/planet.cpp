#include "game/planet.h"

Planet::Planet(float radius, float mass, float x, float y, VXSurface* picture, std::int32_t frameSize)
    : Mass(mass), FrameSize(frameSize), Picture(picture) {
    Radius = radius;
    X = x;
    Y = y;
}

void Planet::Draw() {}
