#include "vx/vxformat.h"

namespace {

// How many colour-lock attempts ColorrefToPixel makes while the blitter is
// still drawing.
constexpr int kStillDrawingRetries = 100;

void MaskShift(DWORD mask, std::uint8_t& max, std::uint8_t& pos) {
    int shifts = 0;
    while (shifts < 32 && !(mask & 1u)) {
        mask >>= 1;
        ++shifts;
    }
    pos = static_cast<std::uint8_t>(shifts);
    max = static_cast<std::uint8_t>(mask & 0xFFu);
}

}  // namespace

int GetRGBFormat(IDirectDrawSurface4* surface, RGBFormat& format) {
    if (!surface) return 0;
    DDSURFACEDESC2 desc;
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_PIXELFORMAT;
    if (FAILED(surface->GetSurfaceDesc(&desc))) return 0;
    const DDPIXELFORMAT& pf = desc.ddpfPixelFormat;
    if (pf.dwRGBBitCount <= 8) {
        format = RGBFormat{};
        format.Depth = static_cast<int>(pf.dwRGBBitCount);
        return 1;
    }
    MaskShift(pf.dwRBitMask, format.RedMax, format.RedPos);
    MaskShift(pf.dwGBitMask, format.GreenMax, format.GreenPos);
    MaskShift(pf.dwBBitMask, format.BlueMax, format.BluePos);
    if (!(pf.dwFlags & DDPF_RGB)) {
        format.Depth = 0;
        return 0;
    }
    switch (pf.dwRGBBitCount) {
        case 16: format.Depth = (format.RedMax + format.GreenMax + format.BlueMax == 93) ? 15 : 16; break;
        case 24: format.Depth = 24; break;
        case 32: format.Depth = 32; break;
        default: format.Depth = 0; break;
    }
    return 1;
}

PixelValue ColorrefToPixel(IDirectDrawSurface4* surface, COLORREF colour) {
    PixelValue result = CLR_INVALID;
    if (!surface) return result;
    COLORREF saved = CLR_INVALID;
    HDC dc = nullptr;
    bool drew = false;
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
        drew = true;
    }
    DDSURFACEDESC2 desc;
    desc.dwSize = DDSURFACEDESC2_SIZE;
    HRESULT hr = surface->Lock(nullptr, &desc, 0, nullptr);
    for (int i = 0; hr == DDERR_WASSTILLDRAWING && i < kStillDrawingRetries; ++i) {
        desc = DDSURFACEDESC2{};
        desc.dwSize = DDSURFACEDESC2_SIZE;
        hr = surface->Lock(nullptr, &desc, 0, nullptr);
    }
    if (hr == DD_OK && desc.lpSurface) {
        DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        int bytes = plat::BytesForBitCount(bits);
        const auto* p = static_cast<const BYTE*>(desc.lpSurface);
        DWORD raw = 0;
        for (int i = 0; i < bytes; ++i) raw |= static_cast<DWORD>(p[i]) << (8 * i);
        result = bits >= 32 ? raw : (raw & ((1u << bits) - 1u));
        surface->Unlock(nullptr);
    }
    if (drew && saved != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return result;
}

void DefaultPaletteEntries(PALETTEENTRY (&entries)[256]) {
    for (int i = 0; i < 256; ++i) {
        entries[i].peRed = static_cast<BYTE>(((i >> 5) & 7) * 255 / 7);
        entries[i].peGreen = static_cast<BYTE>(((i >> 2) & 7) * 255 / 7);
        entries[i].peBlue = static_cast<BYTE>((i & 3) * 255 / 3);
        entries[i].peFlags = 0;
    }
}

LPDIRECTDRAWPALETTE LoadPalette(IDirectDraw4* dd) {
    if (!dd) return nullptr;
    PALETTEENTRY entries[256];
    DefaultPaletteEntries(entries);
    LPDIRECTDRAWPALETTE palette;
    if (FAILED(dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr))) return nullptr;
    return palette;
}
