#include "game/arena/planet.h"

#include <algorithm>

#include "game/arena/arenaview.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

Planet::Planet(float radius, float mass, float x, float y, VXSurface* picture, std::int32_t frameSize)
    : Mass(mass), FrameSize(frameSize), Picture(picture) {
    Radius = radius;
    X = x;
    Y = y;
}

void Planet::Draw() {
    const int w = Form1->ModeWidth;
    const int h = Form1->ModeHeight;
    const BodyScreenBox box = PlaceBody(*Form1->Game, X, Y, Radius, w, h);
    ScreenLeft = box.Left;
    ScreenTop = box.Top;
    ScreenRight = box.Right;
    ScreenBottom = box.Bottom;
    if (box.OffScreen(w, h)) return;
    // A picture that failed to load has no display surface; its draw blits nothing.
    if (!Picture) return;

    const RECT src = box.SourceRect(FrameSize);
    Picture->SetSrcRect(src.top, src.left, src.bottom, src.right);
    Picture->SetDestRect(std::max(box.Top, 0), std::max(box.Left, 0), std::min(h - 1, box.Bottom - box.CutBottom),
                         std::min(w - 1, box.Right - box.CutRight));
    // Opaque: the square's black corners cover the stars behind the planet.
    Picture->Draw(Form1->WorkSurface.get());
}
