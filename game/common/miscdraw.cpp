#include "game/common/miscdraw.h"

#include "game/common/misc.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

PixelValue DrawColour = 0;

void SetDrawColour(PixelValue c) { DrawColour = c; }

namespace {

bool OnScreen(float x, float y) {
    return x >= 0.0f && x <= static_cast<float>(Form1->ModeWidth - 1) && y >= 0.0f &&
           y <= static_cast<float>(Form1->ModeHeight - 1);
}

bool EitherOnScreen(float x1, float y1, float x2, float y2) { return OnScreen(x1, y1) || OnScreen(x2, y2); }

}  // namespace

void DrawLineClipped(float x1, float y1, float x2, float y2) {
    if (!EitherOnScreen(x1, y1, x2, y2)) return;
    Form1->WorkSurface->DrawLine(FloatToInt(x1), FloatToInt(y1), FloatToInt(x2), FloatToInt(y2), DrawColour);
}

void DrawRectClipped(float x1, float y1, float x2, float y2) {
    if (!EitherOnScreen(x1, y1, x2, y2)) return;
    Form1->WorkSurface->DrawRectOutline(FloatToInt(x1), FloatToInt(y1), FloatToInt(x2), FloatToInt(y2), DrawColour);
}

void FillRectClipped(float x1, float y1, float x2, float y2) {
    if (!EitherOnScreen(x1, y1, x2, y2)) return;
    VXSurface& surface = *Form1->WorkSurface;
    surface.Unlock();
    surface.FillRect(FloatToInt(x1), FloatToInt(y1), FloatToInt(x2), FloatToInt(y2), DrawColour);
    surface.Lock();
}

void DrawCircleClipped(float x, float y, float r) {
    if (!OnScreen(x, y)) return;
    Form1->WorkSurface->DrawCircle(FloatToInt(x), FloatToInt(y), FloatToInt(r), DrawColour);
}

void PutPixelClipped(float x, float y, PixelValue c) {
    if (!OnScreen(x, y)) return;
    Form1->WorkSurface->PutPixel(FloatToInt(x), FloatToInt(y), c);
}
