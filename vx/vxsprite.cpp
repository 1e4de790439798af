#include "vx/vxsprite.h"

VXSprite::VXSprite() { Init(); }

VXSprite::~VXSprite() {
    Tile = nullptr;
    ownTile_.reset();
}

void VXSprite::Init() {
    WorldX = 0;
    WorldY = 0;
    Frame = 0;
    ShadowX = 0;
    ShadowY = 0;
    Shade = 0;
    Alpha = 0;
    OwnsTile = 0;
    Tile = nullptr;
}

int VXSprite::Create(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount,
                     MemoryType type) {
    if (!fileName) return 0;
    WorldX = 0;
    WorldY = 0;
    Frame = 0;
    // A tile made by an earlier Create goes; a borrowed one is left to its owner.
    Tile = nullptr;
    ownTile_ = std::make_unique<VXTile>(screen, fileName, blockWidth, blockHeight, blockCount, type);
    Tile = ownTile_.get();
    Shade = 0;
    Alpha = 0;
    OwnsTile = 1;
    return Tile->DirectDrawSurface ? 1 : 0;
}

HRESULT VXSprite::Draw(VXSurface* dest, int viewX, int viewY, std::uint16_t mode) {
    if (!Tile || !dest) return E_FAIL;
    RECT src;
    if (!Tile->BlockRect(Frame, src)) return E_FAIL;
    const int x = WorldX - viewX;
    const int y = WorldY - viewY;
    const RECT at{x, y, x + Tile->BlockWidth, y + Tile->BlockHeight};
    const RECT shadow{x - ShadowX, y - ShadowY, x - ShadowX + Tile->BlockWidth, y - ShadowY + Tile->BlockHeight};
    switch (mode) {
        case BlitOpaque: return DrawOpaque(dest, src, at);
        case BlitKeyed: return DrawKeyed(dest, src, at);
        case BlitAlpha: return DrawAlphaOpaque(dest, src, at);
        case BlitAlphaKeyed: return DrawAlphaKeyed(dest, src, at);
        case BlitHalfBlend: return DrawHalfBlendOpaque(dest, src, at);
        case BlitHalfBlendKeyed: return DrawHalfBlendKeyed(dest, src, at);
        case BlitScaled: return DrawScaledOpaque(dest, src, at);
        case BlitScaledKeyed: return DrawScaledKeyed(dest, src, at);
        case BlitShade: return DrawShadeRect(dest, src, shadow);
        case BlitShadeKeyed: return DrawShadeKeyed(dest, src, shadow);
        case BlitHalfShade: return DrawHalfShadeRect(dest, src, shadow);
        case BlitHalfShadeKeyed: return DrawHalfShadeKeyed(dest, src, shadow);
        case BlitMirrorLR: return DrawMirrorLROpaque(dest, src, at);
        case BlitMirrorLRKeyed: return DrawMirrorLRKeyed(dest, src, at);
        case BlitMirrorUD: return DrawMirrorUDOpaque(dest, src, at);
        case BlitMirrorUDKeyed: return DrawMirrorUDKeyed(dest, src, at);
        case BlitStretched: return DrawStretchedOpaque(dest, src, at);
        case BlitStretchedKeyed: return DrawStretchedKeyed(dest, src, at);
        case BlitAlphaMap: return DrawAlphaMap(dest, src, at);
        default: return DDERR_INVALIDPARAMS;  // no such mode: nothing drawn
    }
}

HRESULT VXSprite::DrawOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawOpaqueRect(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawKeyedRect(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawAlphaOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawAlphaOpaque(dest, dst.left, dst.top, src, Alpha);
}
HRESULT VXSprite::DrawAlphaKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawAlphaKeyed(dest, dst.left, dst.top, src, Alpha);
}
HRESULT VXSprite::DrawHalfBlendOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawHalfBlendOpaque(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawHalfBlendKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawHalfBlendKeyed(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawScaledOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawScaledOpaque(dest, dst.left, dst.top, src, Scale);
}
HRESULT VXSprite::DrawScaledKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawScaledKeyed(dest, dst.left, dst.top, src, Scale);
}
HRESULT VXSprite::DrawShadeRect(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawShadeRect(dest, dst.left, dst.top, src, Shade);
}
HRESULT VXSprite::DrawShadeKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawShadeKeyed(dest, dst.left, dst.top, src, Shade);
}
HRESULT VXSprite::DrawHalfShadeRect(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawHalfShadeRect(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawHalfShadeKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawHalfShadeKeyed(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawMirrorLROpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawMirrorLROpaque(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawMirrorLRKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawMirrorLRKeyed(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawMirrorUDOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawMirrorUDOpaque(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawMirrorUDKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawMirrorUDKeyed(dest, dst.left, dst.top, src);
}
HRESULT VXSprite::DrawStretchedOpaque(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawStretchedOpaque(dest, dst.left, dst.top, src, StretchWidth, StretchHeight);
}
HRESULT VXSprite::DrawStretchedKeyed(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawStretchedKeyed(dest, dst.left, dst.top, src, StretchWidth, StretchHeight);
}
HRESULT VXSprite::DrawAlphaMap(VXSurface* dest, RECT src, RECT dst) {
    if (!Tile || !dest) return E_FAIL;
    return Tile->DrawAlphaMap(dest, dst.left, dst.top, src);
}
