// A surface whose picture is cut into blocks of one size, laid out row by row
// from the top-left corner.
#pragma once

#include "vx/vxsurface.h"

class VXTile : public VXSurface {
public:
    // Loads the picture once; a failed load leaves the tile without a
    // display surface.
    VXTile(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount, MemoryType type);
    ~VXTile() override;

    void Init();
    // Stores the block size and count and loads the picture: 1 when it
    // loaded, 0 when not or when there is no file name.
    int Create(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount,
               MemoryType type);

    // Blocks in one row of the picture, 0 when not even one fits (or the
    // block size is not positive).
    int BlocksPerRow() const;
    // The source rectangle of block `frame` (right and bottom exclusive).
    // False when the tile has no whole block to cut, so nothing can be drawn.
    bool BlockRect(int frame, RECT& rect) const;

    int BlockWidth = 0;
    int BlockHeight = 0;
    int BlockCount = 0;  // kept for the caller; no operation reads it
};
