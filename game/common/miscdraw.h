// Drawing helpers that test their coordinates against the screen once, in
// floats, and then draw on the main window's work surface.
//
// A point is on screen when 0 <= x <= ModeWidth - 1 and 0 <= y <= ModeHeight - 1.
// Lines and rectangles are drawn when either end point is on screen, circles
// and pixels only when their centre or point is; the surface's primitives
// then clip pixel by pixel. The caller holds WorkSurface locked.
#pragma once

#include "vx/vxformat.h"

// The colour of lines, rectangles, fills and circles.
extern PixelValue DrawColour;
void SetDrawColour(PixelValue c);

void DrawLineClipped(float x1, float y1, float x2, float y2);
void DrawRectClipped(float x1, float y1, float x2, float y2);
// The fill is a blit: it unlocks WorkSurface around it and locks it again.
void FillRectClipped(float x1, float y1, float x2, float y2);
void DrawCircleClipped(float x, float y, float r);
void PutPixelClipped(float x, float y, PixelValue c);
