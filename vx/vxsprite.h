// A positioned drawable over a tile: a world position, the block to draw and
// the parameters of the blit modes.
#pragma once

#include <cstdint>
#include <memory>

#include "vx/vxtile.h"

// How a sprite is drawn. The keyed variants (100 and up) skip source pixels
// equal to the tile's colour key. Any other value draws nothing.
enum BlitMode : std::uint16_t {
    BlitOpaque = 0,
    BlitAlpha = 1,
    BlitHalfBlend = 2,
    BlitScaled = 3,
    BlitShade = 4,
    BlitHalfShade = 5,
    BlitMirrorLR = 8,
    BlitMirrorUD = 9,
    BlitStretched = 10,
    BlitKeyed = 100,
    BlitAlphaKeyed = 101,
    BlitHalfBlendKeyed = 102,
    BlitScaledKeyed = 103,
    BlitShadeKeyed = 104,
    BlitHalfShadeKeyed = 105,
    BlitMirrorLRKeyed = 108,
    BlitMirrorUDKeyed = 109,
    BlitStretchedKeyed = 110,
    BlitAlphaMap = 120,
};

class VXSprite {
public:
    VXSprite();
    virtual ~VXSprite();
    VXSprite(const VXSprite&) = delete;
    VXSprite& operator=(const VXSprite&) = delete;

    void Init();
    // Makes the sprite's own tile from the picture, freeing a tile it made
    // before. 0 for no file name (nothing changes) or a picture that failed to
    // load (the sprite keeps the empty tile).
    int Create(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount,
               MemoryType type);
    // Draws block Frame at (WorldX - viewX, WorldY - viewY) in `mode`. The
    // routine's result; a mode that draws nothing, or a tile without a whole
    // block, gives a failure.
    HRESULT Draw(VXSurface* dest, int viewX, int viewY, std::uint16_t mode);

    // One per mode: the block `src` at the left and top of `dst`.
    HRESULT DrawOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawAlphaOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawAlphaKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawHalfBlendOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawHalfBlendKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawScaledOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawScaledKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawShadeRect(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawShadeKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawHalfShadeRect(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawHalfShadeKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawMirrorLROpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawMirrorLRKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawMirrorUDOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawMirrorUDKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawStretchedOpaque(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawStretchedKeyed(VXSurface* dest, RECT src, RECT dst);
    HRESULT DrawAlphaMap(VXSurface* dest, RECT src, RECT dst);

    int WorldX = 0;
    int WorldY = 0;
    int Frame = 0;
    float Scale = 1.0f;  // modes 3 and 103; natural size until set
    int ShadowX = 0;     // subtracted from the position by the shade modes
    int ShadowY = 0;
    std::uint16_t Shade = 0;  // modes 4 and 104, 256 = unchanged
    std::uint16_t Alpha = 0;  // modes 1 and 101, weight of the destination
    int OwnsTile = 0;
    std::uint16_t StretchHeight = 0;  // modes 10 and 110; nothing is drawn until set
    std::uint16_t StretchWidth = 0;
    VXTile* Tile = nullptr;  // the tile drawn from; the sprite's own when OwnsTile

private:
    std::unique_ptr<VXTile> ownTile_;  // the tile Create made
};
