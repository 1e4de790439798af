// GDI bitmaps, device contexts, pixel transfer and the one colour conversion.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/system/files.h"
#include "platform/gdi/bmpfile.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/pixelrows.h"

struct ModuleTag {};

HINSTANCE GetModuleHandleA(const char* name) {
    static ModuleTag program;
    return name ? nullptr : &program;
}

namespace plat {

GdiRegistry& Gdi() {
    static GdiRegistry registry;
    return registry;
}

namespace {

struct Resource {
    const unsigned char* bytes;
    std::size_t size;
};

std::map<std::string, Resource>& Resources() {
    static std::map<std::string, Resource> table;
    return table;
}

struct ChannelMask {
    int pos;
    int bits;
};

ChannelMask Channel(DWORD mask) {
    if (!mask) return {0, 0};
    return {std::countr_zero(mask), std::popcount(mask)};
}

DWORD ToChannel(unsigned v8, DWORD mask) {
    ChannelMask c = Channel(mask);
    if (c.bits == 0) return 0;
    DWORD v = c.bits >= 8 ? (static_cast<DWORD>(v8) << (c.bits - 8)) : (v8 >> (8 - c.bits));
    return (v << c.pos) & mask;
}

unsigned FromChannel(DWORD raw, DWORD mask) {
    ChannelMask c = Channel(mask);
    if (c.bits == 0) return 0;
    DWORD v = (raw & mask) >> c.pos;
    return c.bits >= 8 ? (v >> (c.bits - 8)) & 0xFF : (v << (8 - c.bits)) & 0xFF;
}

}  // namespace

namespace {
bool g_DibTransferFails = false;
}  // namespace

void SetDibTransferFailure(bool fail) { g_DibTransferFails = fail; }

bool DibTransferFails() { return g_DibTransferFails; }

void RegisterBitmapResource(const std::string& name, const unsigned char* bytes, std::size_t size) {
    Resources()[name] = Resource{bytes, size};
}

void ClearBitmapResources() { Resources().clear(); }

DWORD ColorrefToRaw(COLORREF colour, const IDirectDrawSurface4& surface) {
    const DDPIXELFORMAT& f = surface.PixelFormat();
    unsigned r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (f.dwFlags & DDPF_PALETTEINDEXED8) return ((r >> 5) << 5) | ((g >> 5) << 2) | (b >> 6);
    return ToChannel(r, f.dwRBitMask) | ToChannel(g, f.dwGBitMask) | ToChannel(b, f.dwBBitMask);
}

COLORREF RawToColorref(DWORD raw, const IDirectDrawSurface4& surface) {
    const DDPIXELFORMAT& f = surface.PixelFormat();
    if (f.dwFlags & DDPF_PALETTEINDEXED8) {
        unsigned r = ((raw >> 5) & 7) * 255 / 7, g = ((raw >> 2) & 7) * 255 / 7, b = (raw & 3) * 255 / 3;
        return RGB(r, g, b);
    }
    return RGB(FromChannel(raw, f.dwRBitMask), FromChannel(raw, f.dwGBitMask), FromChannel(raw, f.dwBBitMask));
}

bool DcSize(HDC dc, int* w, int* h) {
    if (dc->surface) {
        *w = dc->surface->Width();
        *h = dc->surface->Height();
        return true;
    }
    if (dc->bitmap) {
        *w = dc->bitmap->width;
        *h = dc->bitmap->height;
        return true;
    }
    return false;
}

COLORREF DcRead(HDC dc, int x, int y) {
    if (dc->surface) return RawToColorref(dc->surface->PixelAt(x, y), *dc->surface);
    std::uint32_t p = dc->bitmap->pixels[static_cast<std::size_t>(y) * dc->bitmap->width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void DcWrite(HDC dc, int x, int y, COLORREF c) {
    if (dc->surface) {
        dc->surface->SetPixelAt(x, y, ColorrefToRaw(c, *dc->surface));
        return;
    }
    dc->bitmap->pixels[static_cast<std::size_t>(y) * dc->bitmap->width + x] =
        (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
        GetBValue(c);
}

}  // namespace plat

HANDLE LoadImageA(HINSTANCE module, const char* name, UINT type, int, int, UINT flags) {
    if (!name || type != IMAGE_BITMAP) return nullptr;
    std::unique_ptr<GdiBitmap> bmp;
    if (flags & LR_LOADFROMFILE) {
        if (module) return nullptr;
        const std::string path = plat::ResolvePath(name);
        if (!plat::FileExists(path.c_str())) return nullptr;
        bmp = plat::BitmapFromRW(SDL_RWFromFile(path.c_str(), "rb"));
    } else {
        if (module != GetModuleHandleA(nullptr)) return nullptr;
        auto it = plat::Resources().find(name);
        if (it == plat::Resources().end()) return nullptr;
        bmp = plat::BitmapFromRW(SDL_RWFromConstMem(it->second.bytes, static_cast<int>(it->second.size)));
    }
    if (!bmp) return nullptr;
    return plat::Gdi().Add(std::move(bmp));
}

BOOL DeleteObject(HGDIOBJ object) { return plat::Gdi().Remove(object) ? 1 : 0; }

int GetObjectA(HGDIOBJ object, int size, void* out) {
    auto* bmp = plat::Gdi().Find<GdiBitmap>(object);
    if (!bmp || !out || size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP b;
    b.bmWidth = bmp->width;
    b.bmHeight = bmp->height;
    b.bmWidthBytes = bmp->width * 4;
    b.bmPlanes = 1;
    b.bmBitsPixel = 32;
    b.bmBits = bmp->pixels.get();
    *static_cast<BITMAP*>(out) = b;
    return static_cast<int>(sizeof(BITMAP));
}

HDC CreateCompatibleDC(HDC) { return plat::Gdi().AddContext(); }

BOOL DeleteDC(HDC dc) { return plat::Gdi().RemoveContext(dc) ? 1 : 0; }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return nullptr;
    if (auto* bmp = plat::Gdi().Find<GdiBitmap>(object)) {
        if (dc->surface) return nullptr;  // a surface's context has its own pixels
        HGDIOBJ previous = dc->bitmap;
        dc->bitmap = bmp;
        return previous;
    }
    if (auto* font = plat::Gdi().Find<GdiFont>(object)) {
        HGDIOBJ previous = dc->font;
        dc->font = font;
        return previous;
    }
    return nullptr;
}

namespace {

// How a transfer reads colours from its source and writes them to its
// destination, found once per call: the pixels are a bitmap's (0x00RRGGBB),
// a 32-bit DIB's (blue, green, red, unused) or a surface's of 2, 3 or 4
// bytes with RGB masks. The conversions are GDI's own (DcRead, DcWrite):
// each channel truncated to its bits on the way in, shifted up on the way
// out.
struct Pixels {
    enum Kind { Bitmap, Dib, Surface } kind = Bitmap;
    BYTE* first = nullptr;  // pixel (0, 0)
    std::ptrdiff_t pitch = 0;
    int bytesPerPixel = 4;
    long long width = 0, height = 0;
    IDirectDrawSurface4* surface = nullptr;
};

// A context's pixels for a row-by-row transfer; false when it has none of
// the kinds above (a palette surface, nothing selected).
bool PixelsOf(HDC dc, Pixels& p) {
    if (dc->surface) {
        IDirectDrawSurface4& s = *dc->surface;
        if ((s.PixelFormat().dwFlags & DDPF_PALETTEINDEXED8) || s.BytesPerPixel() < 2 || s.BytesPerPixel() > 4)
            return false;
        p.kind = Pixels::Surface;
        p.first = const_cast<BYTE*>(static_cast<const IDirectDrawSurface4&>(s).Pixels());
        p.pitch = s.Pitch();
        p.bytesPerPixel = s.BytesPerPixel();
        p.width = s.Width();
        p.height = s.Height();
        p.surface = &s;
        return true;
    }
    if (!dc->bitmap) return false;
    p.kind = Pixels::Bitmap;
    p.first = reinterpret_cast<BYTE*>(dc->bitmap->pixels.get());
    p.pitch = static_cast<std::ptrdiff_t>(dc->bitmap->width) * 4;
    p.width = dc->bitmap->width;
    p.height = dc->bitmap->height;
    return true;
}

// One direction (the columns or the rows) of a transfer's destination:
// `count` indices from `first` on, on a destination `size` long.
struct DestinationAxis {
    long long first = 0, count = 0, size = 0;
};

// The same direction of its source: `span` indices from `first` on,
// stretched or shrunk over the destination's count, on a source `size` long.
struct SourceAxis {
    long long first = 0, span = 0, size = 0;
};

// The destination indices of one direction of a transfer that land inside
// the destination and take a source index inside the source: destination
// index to.first + i for i in [0, to.count) takes source index from.first +
// i * from.span / to.count (floor). Both conditions hold on one interval of
// i, since the source index never falls as i grows; `source` holds the
// source index of each.
struct Resample {
    long long first = 0;  // the first i
    std::vector<long long> source;
};

Resample ResampleAxis(const DestinationAxis& to, const SourceAxis& from) {
    Resample r;
    long long lo = std::max(0LL, -to.first), hi = std::min(to.count, to.size - to.first);
    if (lo >= hi) return r;
    // At the same size the source index is from.first + i, with no division.
    auto at = [&](long long i) { return from.first + (from.span == to.count ? i : i * from.span / to.count); };
    while (lo < hi && at(lo) < 0) ++lo;
    while (hi > lo && at(hi - 1) >= from.size) --hi;
    r.first = lo;
    r.source.reserve(static_cast<std::size_t>(hi - lo));
    for (long long i = lo; i < hi; ++i) r.source.push_back(at(i));
    return r;
}

// The copy of StretchBlt and StretchDIBits between two different pixel
// stores: destination pixel (x + columns.first + i, y + rows.first + j)
// takes the colour of source pixel (columns.source[i], rows.source[j]), row
// by row, in GDI's conversions. A DIB's rows may be stored bottom-up.
void Transfer(const Pixels& from, const Pixels& to, int x, int y, const Resample& columns, const Resample& rows,
              bool bottomUp) {
    if (columns.source.empty() || rows.source.empty()) return;
    if (to.surface) to.surface->Pixels();  // the destination changes
    plat::rows::ColourConversion job;
    job.from = from.kind == Pixels::Dib      ? plat::rows::ColourConversion::From::Dib
               : from.kind == Pixels::Bitmap ? plat::rows::ColourConversion::From::Bitmap
                                             : plat::rows::ColourConversion::From::Surface;
    job.fromBytes = from.kind == Pixels::Surface ? from.bytesPerPixel : 4;
    if (from.surface) {
        const DDPIXELFORMAT& f = from.surface->PixelFormat();
        job.fromRed = plat::rows::ChannelPlace(f.dwRBitMask);
        job.fromGreen = plat::rows::ChannelPlace(f.dwGBitMask);
        job.fromBlue = plat::rows::ChannelPlace(f.dwBBitMask);
    }
    job.toBytes = to.kind == Pixels::Surface ? to.bytesPerPixel : 4;
    if (to.surface) {
        const DDPIXELFORMAT& f = to.surface->PixelFormat();
        job.PackInto(f.dwRBitMask, f.dwGBitMask, f.dwBBitMask);
    } else {
        job.PackInto(0xFF0000, 0x00FF00, 0x0000FF);
    }
    // The source columns as byte offsets into a row; none when they are the
    // row's pixels in order from the first.
    std::vector<std::size_t> offsets(columns.source.size());
    bool consecutive = true;
    for (std::size_t k = 0; k < offsets.size(); ++k) {
        offsets[k] = static_cast<std::size_t>(columns.source[k]) * static_cast<std::size_t>(job.fromBytes);
        consecutive = consecutive && columns.source[k] == columns.source[0] + static_cast<long long>(k);
    }
    const std::size_t firstColumn = offsets.empty() ? 0 : offsets[0];
    for (std::size_t k = 0; k < rows.source.size(); ++k) {
        const long long fy = bottomUp ? from.height - 1 - rows.source[k] : rows.source[k];
        BYTE* dst = to.first + (y + rows.first + static_cast<long long>(k)) * to.pitch +
                    (x + columns.first) * static_cast<long long>(job.toBytes);
        const BYTE* row = from.first + fy * from.pitch;
        if (consecutive)
            plat::rows::CopyColourRow(job, row + firstColumn, nullptr, offsets.size(), dst);
        else
            plat::rows::CopyColourRow(job, row, offsets.data(), offsets.size(), dst);
    }
}

}  // namespace

BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    if (!dest || !src || rop != SRCCOPY || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return 0;
    int dw = 0, dh = 0, srcW = 0, srcH = 0;
    if (!plat::DcSize(dest, &dw, &dh) || !plat::DcSize(src, &srcW, &srcH)) return 0;
    Pixels from, to;
    const bool sameStore = (src->surface && src->surface == dest->surface) ||
                           (!src->surface && !dest->surface && src->bitmap == dest->bitmap);
    if (!sameStore && PixelsOf(src, from) && PixelsOf(dest, to)) {
        Transfer(from, to, x, y,
                 ResampleAxis({.first = x, .count = w, .size = dw}, {.first = sx, .span = sw, .size = srcW}),
                 ResampleAxis({.first = y, .count = h, .size = dh}, {.first = sy, .span = sh, .size = srcH}), false);
        return 1;
    }
    // A copy within one store, or with a palette surface: pixel by pixel,
    // in order.
    for (int j = 0; j < h; ++j) {
        int ty = y + j;
        if (ty < 0 || ty >= dh) continue;
        int fy = sy + static_cast<int>(static_cast<long long>(j) * sh / h);
        if (fy < 0 || fy >= srcH) continue;
        for (int i = 0; i < w; ++i) {
            int tx = x + i;
            if (tx < 0 || tx >= dw) continue;
            int fx = sx + static_cast<int>(static_cast<long long>(i) * sw / w);
            if (fx < 0 || fx >= srcW) continue;
            plat::DcWrite(dest, tx, ty, plat::DcRead(src, fx, fy));
        }
    }
    return 1;
}

int StretchDIBits(HDC dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (plat::DibTransferFails()) return GDI_ERROR;
    if (!dest || !bits || !info || usage != DIB_RGB_COLORS || rop != SRCCOPY) return GDI_ERROR;
    const BITMAPINFOHEADER& hd = info->bmiHeader;
    if (hd.biSize != sizeof(BITMAPINFOHEADER) && hd.biSize != 40) return GDI_ERROR;
    if (hd.biBitCount != 32 || hd.biCompression != BI_RGB || hd.biPlanes != 1) return GDI_ERROR;
    if (hd.biWidth <= 0 || hd.biHeight == 0 || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return GDI_ERROR;
    int dw = 0, dh = 0;
    if (!plat::DcSize(dest, &dw, &dh)) return GDI_ERROR;
    const bool topDown = hd.biHeight < 0;
    const long long rows = topDown ? -static_cast<long long>(hd.biHeight) : hd.biHeight;
    const auto* px = static_cast<const BYTE*>(bits);
    Pixels to;
    if (PixelsOf(dest, to)) {
        Pixels from;
        from.kind = Pixels::Dib;
        from.first = const_cast<BYTE*>(px);
        from.pitch = static_cast<std::ptrdiff_t>(hd.biWidth) * 4;
        from.width = hd.biWidth;
        from.height = rows;
        Transfer(from, to, x, y,
                 ResampleAxis({.first = x, .count = w, .size = dw}, {.first = sx, .span = sw, .size = hd.biWidth}),
                 ResampleAxis({.first = y, .count = h, .size = dh}, {.first = sy, .span = sh, .size = rows}), !topDown);
        return h;
    }
    for (int j = 0; j < h; ++j) {
        int ty = y + j;
        if (ty < 0 || ty >= dh) continue;
        long long fy = sy + static_cast<long long>(j) * sh / h;
        if (fy < 0 || fy >= rows) continue;
        long long storedRow = topDown ? fy : rows - 1 - fy;
        for (int i = 0; i < w; ++i) {
            int tx = x + i;
            if (tx < 0 || tx >= dw) continue;
            long long fx = sx + static_cast<long long>(i) * sw / w;
            if (fx < 0 || fx >= hd.biWidth) continue;
            const BYTE* p = px + (storedRow * hd.biWidth + fx) * 4;  // blue, green, red, unused
            plat::DcWrite(dest, tx, ty, RGB(p[2], p[1], p[0]));
        }
    }
    return h;
}

namespace {

// True when the context has something to draw on and (x, y) lies on it.
bool PixelInside(HDC dc, int x, int y) {
    int w = 0, h = 0;
    return dc && plat::DcSize(dc, &w, &h) && x >= 0 && y >= 0 && x < w && y < h;
}

}  // namespace

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!PixelInside(dc, x, y)) return CLR_INVALID;
    return plat::DcRead(dc, x, y);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    if (!PixelInside(dc, x, y)) return CLR_INVALID;
    plat::DcWrite(dc, x, y, colour & 0x00FFFFFFu);
    return plat::DcRead(dc, x, y);
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColor;
    dc->textColor = colour;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bkColor;
    dc->bkColor = colour;
    return previous;
}
