// Small pictures for the arena's drawing tests: surfaces made on the test
// display (the one behind the work surface) and filled with plain colours.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/program/winmain.h"
#include "vx/vxsurface.h"

// A width x height picture filled with one colour.
inline std::unique_ptr<VXSurface> MakePicture(int width, int height, PixelValue colour) {
    auto picture = std::make_unique<VXSurface>();
    EXPECT_EQ(picture->Create(Form1->WorkSurface->Screen, width, height, MemoryAny), 1);
    picture->Fill(colour);
    return picture;
}

// A square picture whose left part (x < split) has one colour and the rest another.
inline std::unique_ptr<VXSurface> MakeSplitPicture(int size, int split, PixelValue left, PixelValue right) {
    auto picture = MakePicture(size, size, right);
    picture->FillRect(0, 0, split, size, left);
    return picture;
}

// The main window's 500 x 500 scratch surface, keyed on black as at start-up.
inline void GiveScratchSurface() {
    Form1->ScratchSurface = MakePicture(500, 500, 0);
    Form1->ScratchSurface->SetColorKey(0);
}
