// Placement of the arena's round bodies (planets and asteroids) on the work
// surface. Unlike ships and shots they read the camera and zoom from the game
// state itself, and each is drawn as a square of 2 * Radius world units cut
// to the screen. Also the stretch through the scratch surface that rocks and
// ships are drawn with.
#pragma once

#include "game/program/gamestate.h"
#include "platform/system/win32types.h"
#include "vx/vxsurface.h"

// The screen square of a body, and how much of it lies beyond each edge of a
// W x H screen.
struct BodyScreenBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int CutLeft = 0, CutRight = 0, CutTop = 0, CutBottom = 0;

    // True when no part of the square can be on screen.
    bool OffScreen(int width, int height) const;
    // The part of a frameSize x frameSize picture region that matches the
    // on-screen part of the square.
    RECT SourceRect(int frameSize) const;
};

// The square of a body at (x, y) with the given radius, at the state's camera
// and zoom, on a width x height screen.
BodyScreenBox PlaceBody(const GameState& game, float x, float y, float radius, int width, int height);

// Stretches the picture's source rectangle to width x height at the top left
// of the scratch surface, hands that rectangle (0, 0)-(width, height) to
// copyOut to put it on the work surface, then leaves the scratch surface all
// black for the next picture. The work surface must be unlocked.
template <typename CopyOut>
void StretchThroughScratch(VXSurface& picture, VXSurface& scratch, int width, int height, CopyOut copyOut) {
    picture.SetDestRect(0, 0, height, width);
    const HRESULT drawn = picture.Draw(&scratch);
    copyOut(RECT{0, 0, width, height});
    // The scratch is black but for what the stretch drew, so clearing that
    // square blackens all of it. After a stretch that failed (a lost surface,
    // a square larger than the scratch) the whole surface is cleared.
    if (drawn == DD_OK)
        scratch.FillRect(0, 0, width, height, 0);
    else
        scratch.Fill(0);
}
