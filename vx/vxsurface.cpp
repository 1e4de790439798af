// VXSurface core: creation, rectangles and clipping, colour key, locking,
// restoring, device contexts, the whole-surface fill and the draw slots.
#include "vx/vxsurface.h"

#include <cmath>

#include "vx/vxscreen.h"

namespace {

// The result of an operation on a surface that was never created.
constexpr HRESULT kNoSurface = DDERR_INVALIDOBJECT;

DDBLTFX BlitEffects() {
    DDBLTFX fx;
    fx.dwSize = DDBLTFX_SIZE;
    return fx;
}

}  // namespace

DWORD CapsForMemoryType(MemoryType type) {
    switch (type) {
        case MemoryVideo: return DDSCAPS_VIDEOMEMORY | DDSCAPS_OFFSCREENPLAIN;
        case MemorySystem: return DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN;
        default: return DDSCAPS_OFFSCREENPLAIN;
    }
}

DDSURFACEDESC2 SurfaceDescFor(int width, int height, MemoryType type) {
    DDSURFACEDESC2 desc;
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = CapsForMemoryType(type);
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    return desc;
}

VXSurface::VXSurface() { Init(); }

VXSurface::VXSurface(VXScreen* screen, const char* fileName, MemoryType type) {
    Init();
    CreateFromFile(screen, fileName, type);
}

VXSurface::~VXSurface() {
    Font.reset();
    ReleaseDC();
    AlphaMap.reset();
    DirectDrawSurface.reset();
}

void VXSurface::Init() {
    Width = Height = 0;
    FileName.clear();
    DC = nullptr;
    ColorKey = -1;
    SrcRect = DestRect = ClipBounds = RECT{};
    Font.reset();
    SurfaceDesc = DDSURFACEDESC2{};
    DirectDrawSurface.reset();
    Screen = nullptr;
    Format = RGBFormat{};
    AlphaMap.reset();
}

int VXSurface::Create(VXScreen* screen, int width, int height, MemoryType type) {
    SurfaceDesc = SurfaceDescFor(width, height, type);
    ReleaseDC();
    DirectDrawSurface.reset();
    if (!screen || !screen->DirectDraw || width <= 0 || height <= 0) return 0;
    if (FAILED(screen->DirectDraw->CreateSurface(&SurfaceDesc, &DirectDrawSurface, nullptr))) return 0;
    Font.reset();
    FileName.clear();
    Screen = screen;
    ColorKey = -1;
    Width = width;
    Height = height;
    DestRect = SrcRect = ClipBounds = RECT{0, 0, width, height};
    GetRGBFormat(DirectDrawSurface, Format);
    AlphaMap.reset();
    return 1;
}

void VXSurface::SetSrcRect(int top, int left, int bottom, int right) { SrcRect = RECT{left, top, right, bottom}; }

void VXSurface::SetDestRect(int top, int left, int bottom, int right) { DestRect = RECT{left, top, right, bottom}; }

void VXSurface::SetClipRect(const RECT& r) {
    ClipBounds.top = r.top < 0 ? 0 : r.top;
    ClipBounds.left = r.left < 0 ? 0 : r.left;
    ClipBounds.bottom = r.bottom > Height ? Height : r.bottom;
    ClipBounds.right = r.right > Width ? Width : r.right;
}

int VXSurface::ClipRect(RECT& r) const {
    const RECT& c = ClipBounds;
    if (r.top >= c.bottom || r.left >= c.right || c.top >= r.bottom || r.right <= c.left) return 0;
    if (r.top < c.top) r.top = c.top;
    if (r.left < c.left) r.left = c.left;
    if (r.bottom > c.bottom) r.bottom = c.bottom;
    if (r.right > c.right) r.right = c.right;
    return 1;
}

int VXSurface::ClipBlit(VXSurface* src, VXSurface* dst, int& x, int& y, RECT& srcRect) {
    if (!src || !dst) return 0;
    if (!src->ClipRect(srcRect)) return 0;
    RECT d{x, y, x + (srcRect.right - srcRect.left), y + (srcRect.bottom - srcRect.top)};
    const RECT before = d;
    if (!dst->ClipRect(d)) return 0;
    srcRect.top += d.top - before.top;
    srcRect.left += d.left - before.left;
    srcRect.bottom += d.bottom - before.bottom;
    srcRect.right += d.right - before.right;
    x = d.left;
    y = d.top;
    return 1;
}

void ClipToRect(int& x, int& y, RECT& srcRect, const RECT& clip) {
    int excess = x + (srcRect.right - srcRect.left) - clip.right;
    if (excess > 0) srcRect.right -= excess;
    if (x < clip.left) {
        srcRect.left += clip.left - x;
        x = clip.left;
    }
    if (y < clip.top) {
        srcRect.top += clip.top - y;
        y = clip.top;
    }
    excess = y + (srcRect.bottom - srcRect.top) - clip.bottom;
    if (excess > 0) srcRect.bottom -= excess;
}

HRESULT VXSurface::SetColorKey(PixelValue key) {
    ColorKey = static_cast<int>(key);
    if (!DirectDrawSurface) return kNoSurface;
    DDCOLORKEY ck;
    ck.dwColorSpaceLowValue = key;
    ck.dwColorSpaceHighValue = key;
    return DirectDrawSurface->SetColorKey(DDCKEY_SRCBLT, &ck);
}

void VXSurface::Restore() {
    if (Screen && Screen->BackBuffer.get() == this && Screen->FullScreen == 1) {
        // The primary restores the whole flipping chain.
        if (Screen->FrontBuffer) Screen->FrontBuffer->Restore();
    } else if (DirectDrawSurface) {
        DirectDrawSurface->Restore();
    }
    if (!FileName.empty() && DirectDrawSurface) ReloadBitmap(DirectDrawSurface.get(), FileName.c_str());
}

void VXSurface::Lock() {
    auto clearDesc = [this] {
        SurfaceDesc = DDSURFACEDESC2{};
        SurfaceDesc.dwSize = DDSURFACEDESC2_SIZE;
    };
    clearDesc();
    if (!DirectDrawSurface) return;
    HRESULT hr = DirectDrawSurface->Lock(nullptr, &SurfaceDesc, DDLOCK_WAIT, nullptr);
    // Restoring can keep failing while the program is in the background, so
    // the retries are bounded; the frame then draws nothing.
    for (int round = 0; hr == DDERR_SURFACELOST && round < kMaxRestoreRounds; ++round) {
        Restore();
        clearDesc();
        hr = DirectDrawSurface->Lock(nullptr, &SurfaceDesc, DDLOCK_WAIT, nullptr);
    }
    if (hr != DD_OK) clearDesc();
}

void VXSurface::Unlock() {
    if (!DirectDrawSurface) return;
    HRESULT hr = DirectDrawSurface->Unlock(nullptr);
    for (int round = 0; hr == DDERR_SURFACELOST && round < kMaxRestoreRounds; ++round) {
        Restore();
        hr = DirectDrawSurface->Unlock(nullptr);
    }
}

HDC VXSurface::GetDC() {
    // Asking again while the context is held hands back the same one; the
    // display would refuse a second, and the first could then never be
    // released.
    if (DC) return DC;
    if (DirectDrawSurface && DirectDrawSurface->GetDC(&DC) != DD_OK) DC = nullptr;
    return DC;
}

void VXSurface::ReleaseDC() {
    if (DC && DirectDrawSurface) DirectDrawSurface->ReleaseDC(DC);
    DC = nullptr;
}

HRESULT VXSurface::Fill(PixelValue colour) {
    if (!DirectDrawSurface) return kNoSurface;
    DDBLTFX fx = BlitEffects();
    fx.dwFillColor = colour;
    return DirectDrawSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

// ---- draw slots ----------------------------------------------------------------

namespace {

// A lost source is restored (and its picture reloaded) by the draw that
// found it; the next frame draws again.
HRESULT AfterBlit(VXSurface& source, HRESULT hr) {
    if (hr == DDERR_SURFACELOST) source.Restore();
    return hr;
}

bool CanBlit(const VXSurface* src, const VXSurface* dest) {
    return src->DirectDrawSurface && dest && dest->DirectDrawSurface;
}

}  // namespace

HRESULT VXSurface::Draw(VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    RECT d = DestRect, s = SrcRect;
    return AfterBlit(*this, dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), &s, DDBLT_WAIT, nullptr));
}

HRESULT VXSurface::DrawOpaqueAt(int x, int y, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    RECT s = SrcRect;
    return AfterBlit(*this, dest->DirectDrawSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y),
                                                             DirectDrawSurface.get(), &s, DDBLTFAST_WAIT));
}

HRESULT VXSurface::DrawKeyedAt(int x, int y, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    RECT s = SrcRect;
    return AfterBlit(
        *this, dest->DirectDrawSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), DirectDrawSurface.get(),
                                                &s, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
}

HRESULT VXSurface::DrawKeyedClipped(int x, int y, VXSurface* dest, RECT clip) {
    if (!CanBlit(this, dest)) return kNoSurface;
    RECT s = SrcRect;
    ClipToRect(x, y, s, clip);
    return AfterBlit(
        *this, dest->DirectDrawSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), DirectDrawSurface.get(),
                                                &s, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
}

HRESULT VXSurface::DrawToWindow(VXSurface* dest) {
    if (!CanBlit(this, dest) || !Screen || !Screen->Window) return kNoSurface;
    // The client area in screen coordinates: the display's window fills the
    // screen from its top-left corner.
    const HWND window = Screen->Window;
    RECT d{0, 0, window->ClientWidth, window->ClientHeight};
    return AfterBlit(*this, dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), nullptr, DDBLT_WAIT, nullptr));
}

HRESULT VXSurface::DrawScaledAt(int x, int y, float scale, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    DestRect.left = x;
    DestRect.top = y;
    // The product is taken in float, the scale's own precision: 10 x 0.7f is
    // 7, where a wider product would give 6.99999988 and lose a pixel.
    DestRect.right = x + static_cast<int>(std::trunc(static_cast<float>(Width) * scale));
    DestRect.bottom = y + static_cast<int>(std::trunc(static_cast<float>(Height) * scale));
    RECT d = DestRect, s = SrcRect;
    return AfterBlit(*this,
                     dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), &s, DDBLT_KEYSRC | DDBLT_WAIT, nullptr));
}

HRESULT VXSurface::DrawMultipliedAt(int x, int y, int mx, int my, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    DestRect = RECT{x, y, x + mx * Width, y + my * Height};
    RECT d = DestRect, s = SrcRect;
    return AfterBlit(*this,
                     dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), &s, DDBLT_KEYSRC | DDBLT_WAIT, nullptr));
}

HRESULT VXSurface::DrawMirrorLR(int, int, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    DDBLTFX fx = BlitEffects();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    RECT d = SrcRect, s = SrcRect;
    return dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), &s, DDBLT_DDFX | DDBLT_WAIT, &fx);
}

HRESULT VXSurface::DrawMirrorUD(int, int, VXSurface* dest) {
    if (!CanBlit(this, dest)) return kNoSurface;
    DDBLTFX fx = BlitEffects();
    fx.dwDDFX = DDBLTFX_MIRRORUPDOWN;
    RECT d = SrcRect, s = SrcRect;
    return dest->DirectDrawSurface->Blt(&d, DirectDrawSurface.get(), &s, DDBLT_DDFX | DDBLT_WAIT, &fx);
}

void VXSurface::EmptyDraw() {}
