// The blit modes: this surface (the source) drawn onto another at a position.
//
// Plain, scaled and stretched copies go to the destination's Blt/BltFast.
// Mirrored copies do too, with a software fallback. The blend, alpha, shade
// and alpha-map modes run in software on both surfaces locked for the call.
#include <cmath>
#include <cstdint>
#include <limits>

#include "vx/vxpixelkernels.h"
#include "vx/vxsurface.h"
#include "vx/vxsurface_pixels.h"

namespace {

// An integer from an extended-precision value, truncated toward zero and
// held inside the range of a rectangle's coordinates.
LONG TruncToLong(long double v) {
    if (std::isnan(v)) return 0;
    constexpr long double lo = std::numeric_limits<LONG>::min();
    constexpr long double hi = std::numeric_limits<LONG>::max();
    if (v <= lo) return std::numeric_limits<LONG>::min();
    if (v >= hi) return std::numeric_limits<LONG>::max();
    return static_cast<LONG>(v);
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
int RectW(const RECT& r) { return r.right - r.left; }
int RectH(const RECT& r) { return r.bottom - r.top; }

// Whether w x h pixels from (x, y) lie inside the memory of the lock held
// in `desc`: the clip rectangles promise it, and this keeps a surface whose
// fields disagree with its memory from being written past its end.
bool InsideLock(const DDSURFACEDESC2& desc, long long x, long long y, long long w, long long h) {
    return x >= 0 && y >= 0 && w >= 0 && h >= 0 && x + w <= static_cast<long long>(desc.dwWidth) &&
           y + h <= static_cast<long long>(desc.dwHeight);
}

// The rows of `from` in the source's lock and of the same size at (x, y) in
// the destination's, when both locks store pixels of `bpp` bytes and hold
// those rectangles.
bool LockedRows(const VXSurface& src, const VXSurface& dest, const RECT& from, int x, int y, int bpp,
                vx::ConstPixelRows& s, vx::PixelRows& d) {
    if (vx::LockedBytesPerPixel(src.SurfaceDesc) != bpp || vx::LockedBytesPerPixel(dest.SurfaceDesc) != bpp)
        return false;
    if (!InsideLock(src.SurfaceDesc, from.left, from.top, RectW(from), RectH(from)) ||
        !InsideLock(dest.SurfaceDesc, x, y, RectW(from), RectH(from)))
        return false;
    s = {vx::LockedPixelAddress(src.SurfaceDesc, from.left, from.top, bpp), src.SurfaceDesc.lPitch};
    d = {vx::LockedPixelAddress(dest.SurfaceDesc, x, y, bpp), dest.SurfaceDesc.lPitch};
    return true;
}

bool HasSurfaces(const VXSurface& src, const VXSurface* dest) {
    return dest && src.DirectDrawSurface && dest->DirectDrawSurface;
}

// ---- Plain copies -------------------------------------------------------------

HRESULT CopyFast(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, DWORD flags) {
    if (!HasSurfaces(src, dest)) return E_FAIL;
    if (!VXSurface::ClipBlit(&src, dest, x, y, srcRect)) return E_FAIL;
    const HRESULT hr = dest->DirectDrawSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y),
                                                        src.DirectDrawSurface.get(), &srcRect, flags);
    if (hr == DDERR_SURFACELOST) src.Restore();
    return hr;
}

// ---- Scaled and stretched copies ------------------------------------------------

// A destination rectangle as computed, before it is held to the range of
// coordinates and clipped.
struct Edges {
    long double left, top, right, bottom;
};

// Blt of srcRect into the destination rectangle `want` after the
// destination's clip. Each edge the clip moved by d pixels moves the same
// edge of the source by d over the ratio (destination size per source
// size), truncated.
HRESULT CopyResized(VXSurface& src, VXSurface* dest, RECT srcRect, const Edges& want, long double ratioX,
                    long double ratioY, DWORD flags) {
    RECT r{TruncToLong(want.left), TruncToLong(want.top), TruncToLong(want.right), TruncToLong(want.bottom)};
    if (IsEmpty(r)) return E_FAIL;
    if (!dest->ClipRect(r)) return E_FAIL;
    srcRect.left += TruncToLong((r.left - want.left) / ratioX);
    srcRect.top += TruncToLong((r.top - want.top) / ratioY);
    srcRect.right -= TruncToLong((want.right - r.right) / ratioX);
    srcRect.bottom -= TruncToLong((want.bottom - r.bottom) / ratioY);
    const HRESULT hr =
        dest->DirectDrawSurface->Blt(&r, src.DirectDrawSurface.get(), &srcRect, flags | DDBLT_WAIT, nullptr);
    if (hr == DDERR_SURFACELOST) src.Restore();
    return hr;
}

HRESULT CopyScaled(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, float scale, DWORD flags) {
    if (!HasSurfaces(src, dest)) return E_FAIL;
    if (!src.ClipRect(srcRect)) return E_FAIL;
    const long double w = RectW(srcRect);
    const long double h = RectH(srcRect);
    // A negative scale, or one that is no finite number, draws at size 0.
    long double s = scale;
    if (!(s >= 0) || !std::isfinite(s)) s = 0;
    // Centred on the unscaled rectangle, each value truncated toward zero.
    Edges e;
    e.top = std::trunc(y + h * 0.5L - h * s * 0.5L);
    e.left = std::trunc(x + w * 0.5L - w * s * 0.5L);
    e.bottom = e.top + std::trunc(h * s);
    e.right = e.left + std::trunc(w * s);
    return CopyResized(src, dest, srcRect, e, s, s, flags);
}

HRESULT CopyStretched(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, int width, int height, DWORD flags) {
    if (!HasSurfaces(src, dest)) return E_FAIL;
    if (!src.ClipRect(srcRect)) return E_FAIL;
    if (width <= 0 || height <= 0) return E_FAIL;
    const long double w = RectW(srcRect);
    const long double h = RectH(srcRect);
    // Centred on the unstretched rectangle.
    Edges e;
    e.top = std::trunc(y + h * 0.5L - height * 0.5L);
    e.left = std::trunc(x + w * 0.5L - width * 0.5L);
    e.bottom = e.top + height;
    e.right = e.left + width;
    return CopyResized(src, dest, srcRect, e, width / w, height / h, flags);
}

// ---- Mirrored copies ----------------------------------------------------------

// The fallback reads and writes pixel by pixel as GetPixel and PutPixel do,
// at the display's depth. It uses a lock the caller already holds on either
// surface (a held lock is what makes the Blt fail), and otherwise locks the
// surface for the copy.
HRESULT MirrorByHand(VXSurface& src, VXSurface* dest, int x, int y, const RECT& used, bool leftRight, bool keyed) {
    // Reading and writing one surface would mirror pixels already mirrored.
    if (dest == &src) return E_FAIL;
    const bool lockSrc = !src.DirectDrawSurface->IsLocked();
    const bool lockDst = !dest->DirectDrawSurface->IsLocked();
    if (lockSrc) src.Lock();
    if (lockDst) dest->Lock();
    const int depth = vx::PixelDepthOf(src);
    const int bpp = vx::BytesPerPixelOf(depth);
    vx::ConstPixelRows s;
    vx::PixelRows d;
    const bool ok =
        bpp != 0 && vx::HoldsLock(src) && vx::HoldsLock(*dest) && LockedRows(src, *dest, used, x, y, bpp, s, d);
    if (ok) vx::MirrorPixels(depth, s, d, RectW(used), RectH(used), leftRight, keyed, src.ColorKey);
    if (lockSrc) src.Unlock();
    if (lockDst) dest->Unlock();
    return ok ? 0 : E_FAIL;
}

HRESULT CopyMirrored(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, bool leftRight, bool keyed) {
    if (!HasSurfaces(src, dest)) return E_FAIL;
    // The source as clipped to its own clip rectangle, before the
    // destination's clip moves its edges.
    RECT own = srcRect;
    if (!src.ClipRect(own)) return E_FAIL;
    if (!VXSurface::ClipBlit(&src, dest, x, y, srcRect)) return E_FAIL;
    // The destination's left edge shows the source's right edge (and its top
    // the source's bottom), so what the destination's clip cut on one side
    // comes off the other side of the source.
    RECT used = srcRect;
    if (leftRight) {
        const LONG cutLeft = srcRect.left - own.left, cutRight = own.right - srcRect.right;
        used.left = own.left + cutRight;
        used.right = own.right - cutLeft;
    } else {
        const LONG cutTop = srcRect.top - own.top, cutBottom = own.bottom - srcRect.bottom;
        used.top = own.top + cutBottom;
        used.bottom = own.bottom - cutTop;
    }
    RECT destRect{x, y, x + RectW(used), y + RectH(used)};
    DDBLTFX fx;
    fx.dwSize = DDBLTFX_SIZE;
    fx.dwDDFX = leftRight ? DDBLTFX_MIRRORLEFTRIGHT : DDBLTFX_MIRRORUPDOWN;
    const DWORD flags = DDBLT_WAIT | DDBLT_DDFX | (keyed ? DDBLT_KEYSRC : 0);
    if (dest->DirectDrawSurface->Blt(&destRect, src.DirectDrawSurface.get(), &used, flags, &fx) == DD_OK) return 0;
    return MirrorByHand(src, dest, x, y, used, leftRight, keyed);
}

// ---- Software modes -----------------------------------------------------------

// The frame every software mode shares: clip, lock the source and then the
// destination, run the kernel over the clipped rectangle, unlock both.
// Drawing needs two distinct surfaces, neither locked by the caller, whose
// locks give pixel pointers of the destination's pixel size. A destination
// depth without software arithmetic (8, or an unknown format) draws nothing
// and still succeeds.
template <class Kernel>
HRESULT SoftwareBlit(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, Kernel kernel) {
    if (!HasSurfaces(src, dest) || dest == &src) return E_FAIL;
    if (!VXSurface::ClipBlit(&src, dest, x, y, srcRect)) return E_FAIL;
    if (src.DirectDrawSurface->IsLocked() || dest->DirectDrawSurface->IsLocked()) return E_FAIL;
    src.Lock();
    if (!src.SurfaceDesc.lpSurface) return E_FAIL;
    dest->Lock();
    if (!dest->SurfaceDesc.lpSurface) {
        src.Unlock();
        return E_FAIL;
    }
    const int depth = dest->Format.Depth;
    const int bpp = vx::BytesPerPixelOf(depth);
    HRESULT hr = 0;
    if (bpp >= 2) {
        vx::ConstPixelRows s;
        vx::PixelRows d;
        if (LockedRows(src, *dest, srcRect, x, y, bpp, s, d))
            kernel(depth, s, d, srcRect);
        else
            hr = E_FAIL;
    }
    src.Unlock();
    dest->Unlock();
    return hr;
}

vx::SourceKey KeyFor(const VXSurface& src, const VXSurface* dest, bool keyed) {
    return keyed && dest ? vx::BlendKey(dest->Format.Depth, src.ColorKey) : vx::SourceKey{};
}

HRESULT Alpha(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, std::uint16_t alpha, bool keyed) {
    const vx::SourceKey key = KeyFor(src, dest, keyed);
    return SoftwareBlit(src, dest, x, y, srcRect, [&](int depth, vx::ConstPixelRows s, vx::PixelRows d, const RECT& r) {
        vx::AlphaBlendPixels(depth, s, d, RectW(r), RectH(r), alpha, key);
    });
}

HRESULT HalfBlend(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, bool keyed) {
    const vx::SourceKey key = KeyFor(src, dest, keyed);
    return SoftwareBlit(src, dest, x, y, srcRect, [&](int depth, vx::ConstPixelRows s, vx::PixelRows d, const RECT& r) {
        vx::HalfBlendPixels(depth, s, d, RectW(r), RectH(r), key);
    });
}

HRESULT Shade(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, std::uint16_t shade, bool keyed) {
    const vx::SourceKey key = KeyFor(src, dest, keyed);
    return SoftwareBlit(src, dest, x, y, srcRect, [&](int depth, vx::ConstPixelRows s, vx::PixelRows d, const RECT& r) {
        vx::ShadePixels(depth, s, d, RectW(r), RectH(r), shade, key);
    });
}

HRESULT HalfShade(VXSurface& src, VXSurface* dest, int x, int y, RECT srcRect, bool keyed) {
    const vx::SourceKey key = KeyFor(src, dest, keyed);
    return SoftwareBlit(src, dest, x, y, srcRect, [&](int depth, vx::ConstPixelRows s, vx::PixelRows d, const RECT& r) {
        vx::HalfShadePixels(depth, s, d, RectW(r), RectH(r), key);
    });
}

}  // namespace

HRESULT VXSurface::DrawOpaqueRect(VXSurface* dest, int x, int y, RECT src) {
    return CopyFast(*this, dest, x, y, src, DDBLTFAST_WAIT);
}
HRESULT VXSurface::DrawKeyedRect(VXSurface* dest, int x, int y, RECT src) {
    return CopyFast(*this, dest, x, y, src, DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY);
}

HRESULT VXSurface::DrawAlphaOpaque(VXSurface* dest, int x, int y, RECT src, std::uint16_t alpha) {
    return Alpha(*this, dest, x, y, src, alpha, false);
}
HRESULT VXSurface::DrawAlphaKeyed(VXSurface* dest, int x, int y, RECT src, std::uint16_t alpha) {
    return Alpha(*this, dest, x, y, src, alpha, true);
}

HRESULT VXSurface::DrawHalfBlendOpaque(VXSurface* dest, int x, int y, RECT src) {
    return HalfBlend(*this, dest, x, y, src, false);
}
HRESULT VXSurface::DrawHalfBlendKeyed(VXSurface* dest, int x, int y, RECT src) {
    return HalfBlend(*this, dest, x, y, src, true);
}

HRESULT VXSurface::DrawScaledOpaque(VXSurface* dest, int x, int y, RECT src, float scale) {
    return CopyScaled(*this, dest, x, y, src, scale, 0);
}
HRESULT VXSurface::DrawScaledKeyed(VXSurface* dest, int x, int y, RECT src, float scale) {
    return CopyScaled(*this, dest, x, y, src, scale, DDBLT_KEYSRC);
}

HRESULT VXSurface::DrawShadeRect(VXSurface* dest, int x, int y, RECT src, std::uint16_t shade) {
    return Shade(*this, dest, x, y, src, shade, false);
}
HRESULT VXSurface::DrawShadeKeyed(VXSurface* dest, int x, int y, RECT src, std::uint16_t shade) {
    return Shade(*this, dest, x, y, src, shade, true);
}

HRESULT VXSurface::DrawHalfShadeRect(VXSurface* dest, int x, int y, RECT src) {
    return HalfShade(*this, dest, x, y, src, false);
}
HRESULT VXSurface::DrawHalfShadeKeyed(VXSurface* dest, int x, int y, RECT src) {
    return HalfShade(*this, dest, x, y, src, true);
}

HRESULT VXSurface::DrawMirrorLROpaque(VXSurface* dest, int x, int y, RECT src) {
    return CopyMirrored(*this, dest, x, y, src, true, false);
}
HRESULT VXSurface::DrawMirrorLRKeyed(VXSurface* dest, int x, int y, RECT src) {
    return CopyMirrored(*this, dest, x, y, src, true, true);
}
HRESULT VXSurface::DrawMirrorUDOpaque(VXSurface* dest, int x, int y, RECT src) {
    return CopyMirrored(*this, dest, x, y, src, false, false);
}
HRESULT VXSurface::DrawMirrorUDKeyed(VXSurface* dest, int x, int y, RECT src) {
    return CopyMirrored(*this, dest, x, y, src, false, true);
}

HRESULT VXSurface::DrawStretchedOpaque(VXSurface* dest, int x, int y, RECT src, int width, int height) {
    return CopyStretched(*this, dest, x, y, src, width, height, 0);
}
HRESULT VXSurface::DrawStretchedKeyed(VXSurface* dest, int x, int y, RECT src, int width, int height) {
    return CopyStretched(*this, dest, x, y, src, width, height, DDBLT_KEYSRC);
}

HRESULT VXSurface::DrawAlphaMap(VXSurface* dest, int x, int y, RECT src) {
    if (!AlphaMap) {
        // Without a map the picture goes down with its colour key, and the
        // call still reports that the map was missing.
        DrawKeyedRect(dest, x, y, src);
        return E_FAIL;
    }
    const vx::SourceKey key = KeyFor(*this, dest, true);
    const std::uint8_t* map = AlphaMap.get();
    const std::ptrdiff_t mapPitch = Width;
    return SoftwareBlit(*this, dest, x, y, src, [&](int depth, vx::ConstPixelRows s, vx::PixelRows d, const RECT& r) {
        const std::uint8_t* first = map + static_cast<std::ptrdiff_t>(r.top) * mapPitch + r.left;
        vx::AlphaMapPixels(depth, s, d, first, mapPitch, RectW(r), RectH(r), key);
    });
}
