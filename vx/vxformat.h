// Pixel formats: what a surface's masks say about its pixels, COLORREF to
// pixel conversion, and the display's default palette.
#pragma once

#include <cstdint>

#include "platform/display/ddraw.h"

// A colour as a raw value of a surface's own pixel format.
using PixelValue = std::uint32_t;

struct RGBFormat {
    std::uint8_t BlueMax = 0;
    std::uint8_t GreenMax = 0;
    std::uint8_t RedMax = 0;
    std::uint8_t BluePos = 0;
    std::uint8_t GreenPos = 0;
    std::uint8_t RedPos = 0;
    // 15 (5-5-5), 16 (any other 16-bit layout), 24, 32, the bit count itself
    // at 8 bits or fewer, 0 for anything else.
    int Depth = 0;
};

// Reads a surface's masks into `format`. Returns 1, or 0 when the description
// cannot be read or the format is not RGB (the format is then left as it was,
// or with Depth 0 for a non-RGB format).
int GetRGBFormat(IDirectDrawSurface4* surface, RGBFormat& format);
inline int GetRGBFormat(const LPDIRECTDRAWSURFACE4& surface, RGBFormat& format) {
    return GetRGBFormat(surface.get(), format);
}

// The pixel value that `colour` (0x00BBGGRR) takes on this surface, found by
// letting the surface's device context draw it; CLR_INVALID when there is no
// surface or it cannot be locked. The surface's top-left pixel is put back.
// With CLR_INVALID as the colour, returns the current top-left pixel.
PixelValue ColorrefToPixel(IDirectDrawSurface4* surface, COLORREF colour);
inline PixelValue ColorrefToPixel(const LPDIRECTDRAWSURFACE4& surface, COLORREF colour) {
    return ColorrefToPixel(surface.get(), colour);
}

// The 256-entry default palette: entry i is red ((i >> 5) & 7) * 255 / 7,
// green ((i >> 2) & 7) * 255 / 7, blue (i & 3) * 255 / 3.
void DefaultPaletteEntries(PALETTEENTRY (&entries)[256]);
// A new 8-bit palette holding the default palette, or none.
LPDIRECTDRAWPALETTE LoadPalette(IDirectDraw4* dd);
inline LPDIRECTDRAWPALETTE LoadPalette(const LPDIRECTDRAW4& dd) { return LoadPalette(dd.get()); }
