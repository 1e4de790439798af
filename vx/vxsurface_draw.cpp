// Pixels, lines, rectangles and circles on a surface.
//
// The pixel primitives write through the memory of the surface's current
// lock, at the display's depth, clipped to the clip rectangle. Filled
// rectangles are colour fills on the unlocked surface.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "vx/vxpixelkernels.h"
#include "vx/vxsurface.h"
#include "vx/vxsurface_pixels.h"

namespace {

// The memory of the lock the surface holds, when the pixel primitives can
// write to it: a pixel pointer, and pixels of the size the depth stores.
struct Target {
    std::uint8_t* pixels = nullptr;
    std::ptrdiff_t pitch = 0;
    int depth = 0;
    int bpp = 0;
    LONG width = 0;
    LONG height = 0;

    std::uint8_t* At(LONG x, LONG y) const {
        return pixels + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * bpp;
    }
    bool Inside(LONG x, LONG y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

bool LockedTarget(const VXSurface& s, Target& t) {
    const DDSURFACEDESC2& desc = s.SurfaceDesc;
    if (!vx::HoldsLock(s)) return false;
    t.depth = vx::PixelDepthOf(s);
    t.bpp = vx::BytesPerPixelOf(t.depth);
    if (t.bpp == 0 || vx::LockedBytesPerPixel(desc) != t.bpp) return false;
    t.pixels = static_cast<std::uint8_t*>(desc.lpSurface);
    t.pitch = desc.lPitch;
    t.width = static_cast<LONG>(desc.dwWidth);
    t.height = static_cast<LONG>(desc.dwHeight);
    return true;
}

// The clip rectangle, held inside the locked memory as well.
RECT Clip(const VXSurface& s, const Target& t) {
    RECT c = s.ClipBounds;
    if (c.left < 0) c.left = 0;
    if (c.top < 0) c.top = 0;
    if (c.right > t.width) c.right = t.width;
    if (c.bottom > t.height) c.bottom = t.height;
    return c;
}

// One pixel, when it lies inside the clip rectangle.
void Plot(const Target& t, const RECT& c, long long x, long long y, std::uint32_t colour) {
    if (x < c.left || x >= c.right || y < c.top || y >= c.bottom) return;
    vx::StorePixel(t.depth, t.At(static_cast<LONG>(x), static_cast<LONG>(y)), colour);
}

// An integer coordinate from a double, truncated toward zero and kept in range.
int TruncToInt(double v) {
    if (!(v > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(v < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

// Lines that start this far before the clip rectangle jump to its edge
// instead of summing their way there; nearer starts sum every step.
constexpr long long kSummedLead = 4096;

void SkipToClip(long long& at, double& v, double step, LONG clipStart) {
    const long long lead = static_cast<long long>(clipStart) - at;
    if (lead > kSummedLead) {
        v += step * static_cast<double>(lead);
        at = clipStart;
    }
}

}  // namespace

void SwapInts(int* a, int* b) {
    const int t = *a;
    *a = *b;
    *b = t;
}

void VXSurface::PutPixel(int x, int y, PixelValue colour) {
    Target t;
    if (!LockedTarget(*this, t)) return;
    Plot(t, Clip(*this, t), x, y, colour);
}

PixelValue VXSurface::GetPixel(int x, int y) {
    Target t;
    if (!LockedTarget(*this, t) || !t.Inside(x, y)) return 0;
    return vx::LoadPixel(t.depth, t.At(x, y));
}

void VXSurface::DrawHLine(int x1, int x2, int y, PixelValue colour) {
    Target t;
    if (!LockedTarget(*this, t)) return;
    const RECT c = Clip(*this, t);
    if (y < c.top || y >= c.bottom) return;
    int a = x1 < x2 ? x1 : x2;
    int b = x1 < x2 ? x2 : x1;
    if (a < c.left) a = c.left;
    if (b > c.right - 1) b = c.right - 1;
    if (a > b) return;
    vx::StoreRun(t.depth, t.At(a, y), b - a + 1, colour);
}

void VXSurface::DrawVLine(int y1, int y2, int x, PixelValue colour) {
    Target t;
    if (!LockedTarget(*this, t)) return;
    const RECT c = Clip(*this, t);
    if (x < c.left || x >= c.right) return;
    int a = y1 < y2 ? y1 : y2;
    int b = y1 < y2 ? y2 : y1;
    if (a < c.top) a = c.top;
    if (b > c.bottom - 1) b = c.bottom - 1;
    if (a > b) return;
    std::uint8_t* p = t.At(x, a);
    for (int y = a; y <= b; ++y, p += t.pitch) vx::StorePixel(t.depth, p, colour);
}

void VXSurface::DrawLine(int x1, int y1, int x2, int y2, PixelValue colour) {
    if (x1 == x2) {
        DrawVLine(y1, y2, x1, colour);
        return;
    }
    if (y1 == y2) {
        DrawHLine(x1, x2, y1, colour);
        return;
    }
    Target t;
    if (!LockedTarget(*this, t)) return;
    const RECT c = Clip(*this, t);
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = std::llabs(static_cast<long long>(y2) - y1);
    // v is summed step by step, as the line has always been drawn, so the
    // last pixel may fall one short of the end point. Once the walk has
    // passed the far edge of the clip rectangle no further pixel can land,
    // and a start far before the near edge is skipped in one step.
    if (dy < dx) {
        if (x1 > x2) {
            SwapInts(&x1, &x2);
            SwapInts(&y1, &y2);
        }
        const double step = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
        double v = y1;
        long long x = x1;
        SkipToClip(x, v, step, c.left);
        for (; x <= x2 && x < c.right; ++x, v += step) Plot(t, c, x, TruncToInt(v), colour);
    } else {
        if (y1 > y2) {
            SwapInts(&x1, &x2);
            SwapInts(&y1, &y2);
        }
        const double step = (static_cast<double>(x2) - x1) / (static_cast<double>(y2) - y1);
        double v = x1;
        long long y = y1;
        SkipToClip(y, v, step, c.top);
        for (; y <= y2 && y < c.bottom; ++y, v += step) Plot(t, c, TruncToInt(v), y, colour);
    }
}

void VXSurface::DrawRectOutline(int x1, int y1, int x2, int y2, PixelValue colour) {
    DrawHLine(x1, x2, y1, colour);
    DrawHLine(x1, x2, y2, colour);
    DrawVLine(y1, y2, x1, colour);
    DrawVLine(y1, y2, x2, colour);
}

HRESULT VXSurface::FillRect(int x1, int y1, int x2, int y2, PixelValue colour) {
    if (!DirectDrawSurface) return E_FAIL;
    RECT r{x1, y1, x2, y2};
    DDBLTFX fx;
    fx.dwSize = DDBLTFX_SIZE;
    fx.dwFillColor = colour;
    return DirectDrawSurface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void VXSurface::DrawCircle(int x, int y, int r, PixelValue colour) {
    // One octant from the top down to the 45 degree line, mirrored eight ways.
    Target t;
    if (!LockedTarget(*this, t)) return;
    const RECT c = Clip(*this, t);
    const double rr = static_cast<double>(r) * r;
    long long i = 0;
    long long j = r;
    auto plot = [&](long long px, long long py) { Plot(t, c, px, py, colour); };
    do {
        plot(x + i, y - j);
        plot(x - i, y - j);
        plot(x + i, y + j);
        plot(x - i, y + j);
        plot(x + j, y - i);
        plot(x - j, y - i);
        plot(x + j, y + i);
        plot(x - j, y + i);
        ++i;
        // Once x +- i and y +- i all lie beyond the clip rectangle, every
        // point still to come does too.
        if (x - i < c.left && x + i >= c.right && y - i < c.top && y + i >= c.bottom) break;
        const double rest = rr - static_cast<double>(i) * static_cast<double>(i);
        if (rest < 0) break;
        j = static_cast<long long>(std::sqrt(rest) + 0.5);
    } while (j >= i);
}
