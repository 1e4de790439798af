// World-to-screen drawing shared by the bolts, missiles and beams.
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

namespace {

WorldPoint ToScreen(const Object& shot, WorldPoint p) {
    const float z = shot.Zoom * 0.1f;
    return {p.X * z - shot.ViewX, p.Y * z - shot.ViewY};
}

}  // namespace

WorldPoint PointAlong(float x, float y, float angle, float distance) {
    return {x + static_cast<float>(CosDeg(angle)) * distance, y + static_cast<float>(SinDeg(angle)) * distance};
}

void DrawWorldLine(const Object& shot, WorldPoint from, WorldPoint to) {
    const WorldPoint a = ToScreen(shot, from);
    const WorldPoint b = ToScreen(shot, to);
    DrawLineClipped(a.X, a.Y, b.X, b.Y);
}

void DrawWorldPixel(const Object& shot, WorldPoint at, PixelValue colour) {
    const WorldPoint p = ToScreen(shot, at);
    PutPixelClipped(p.X, p.Y, colour);
}

void DrawLineThrough(const Object& shot, float x, float y, float angle, float half) {
    DrawWorldLine(shot, PointAlong(x, y, angle - 180.0f, half), PointAlong(x, y, angle, half));
}

void DrawHitBurst(const Object& shot, float x, float y) {
    const float z = shot.Zoom * 0.1f;
    const WorldPoint p = ToScreen(shot, {x, y});
    SetDrawColour(Form1->UIColours.ColourRed);
    DrawCircleClipped(p.X, p.Y, 9.0f * z);
    SetDrawColour(Form1->UIColours.ColourLightRed);
    DrawCircleClipped(p.X, p.Y, 5.0f * z);
}
