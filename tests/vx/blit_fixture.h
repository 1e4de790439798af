// Surfaces of any depth on one display object, for the blit and drawing
// tests. Pixels are read and written through the display surface directly,
// whatever its lock state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "platform/display/ddraw.h"
#include "vx/vxformat.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace blittest {

inline DDPIXELFORMAT FormatFor(int depth) {
    DDPIXELFORMAT f;
    f.dwFlags = DDPF_RGB;
    switch (depth) {
        case 8:
            f.dwFlags = DDPF_PALETTEINDEXED8;
            f.dwRGBBitCount = 8;
            break;
        case 15:
            f.dwRGBBitCount = 16;
            f.dwRBitMask = 0x7C00;
            f.dwGBitMask = 0x03E0;
            f.dwBBitMask = 0x001F;
            break;
        case 16:
            f.dwRGBBitCount = 16;
            f.dwRBitMask = 0xF800;
            f.dwGBitMask = 0x07E0;
            f.dwBBitMask = 0x001F;
            break;
        default:
            f.dwRGBBitCount = static_cast<DWORD>(depth);
            f.dwRBitMask = 0xFF0000;
            f.dwGBitMask = 0x00FF00;
            f.dwBBitMask = 0x0000FF;
            break;
    }
    return f;
}

class World {
public:
    // The pixel primitives take their depth from the display.
    explicit World(int displayDepth = 16) { screen.BitsPerPixel = displayDepth == 15 ? 16 : displayDepth; }

    // A w x h surface of the given depth, filled with `fill`.
    std::unique_ptr<VXSurface> Make(int depth, int w, int h, std::uint32_t fill = 0) {
        auto s = std::make_unique<VXSurface>();
        EXPECT_EQ(s->Create(&screen, w, h, MemorySystem), 1);
        if (depth != 16) {
            DDSURFACEDESC2 d;
            d.dwSize = DDSURFACEDESC2_SIZE;
            d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
            d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
            d.dwWidth = static_cast<DWORD>(w);
            d.dwHeight = static_cast<DWORD>(h);
            d.ddpfPixelFormat = FormatFor(depth);
            s->DirectDrawSurface.reset();
            EXPECT_EQ(screen.DirectDraw->CreateSurface(&d, &s->DirectDrawSurface, nullptr), DD_OK);
            GetRGBFormat(s->DirectDrawSurface, s->Format);
        }
        EXPECT_EQ(s->Format.Depth, depth);
        FillAll(*s, fill);
        return s;
    }

    static void FillAll(VXSurface& s, std::uint32_t v) {
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) s.DirectDrawSurface->SetPixelAt(x, y, v);
    }
    static std::uint32_t At(const VXSurface& s, int x, int y) { return s.DirectDrawSurface->PixelAt(x, y); }
    static void Set(VXSurface& s, int x, int y, std::uint32_t v) { s.DirectDrawSurface->SetPixelAt(x, y, v); }
    // Number of pixels that differ from `v`.
    static int CountNot(const VXSurface& s, std::uint32_t v) {
        int n = 0;
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) n += At(s, x, y) != v;
        return n;
    }

    VXScreen screen;
};

inline RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

}  // namespace blittest
