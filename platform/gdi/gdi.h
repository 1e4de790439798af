// Our GDI stand-in: bitmaps loaded from BMP files or from the program's
// bitmap resources, device contexts on bitmaps and on display surfaces,
// StretchBlt, StretchDIBits, GetPixel/SetPixel, and fonts and text output on
// SDL2_ttf.
//
// Colours cross between COLORREF and a surface's pixels by one truncating
// conversion: each 8-bit channel keeps its top bits (5-6-5: r>>3, g>>2, b>>3),
// and a pixel read back has its channel bits shifted up again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/win32types.h"

class IDirectDrawSurface4;
struct _TTF_Font;

// ---- GDI objects --------------------------------------------------------------

struct GdiObject {
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;
};

// A 32-bit bitmap, rows top-down, each pixel 0x00RRGGBB: width x height
// of them.
struct GdiBitmap : GdiObject {
    int width = 0;
    int height = 0;
    std::unique_ptr<std::uint32_t[]> pixels;
};

struct TtfFontCloser {
    void operator()(_TTF_Font* font) const noexcept;
};

struct GdiFont : GdiObject {
    int height = 0;
    int weight = 0;
    std::string face;                               // as asked for
    std::string filePath;                           // the font file actually used, empty when none was found
    std::unique_ptr<_TTF_Font, TtfFontCloser> ttf;  // none when no face could be opened
};

using HGDIOBJ = GdiObject*;
using HBITMAP = GdiBitmap*;
using HFONT = GdiFont*;

// Background modes of text output.
inline constexpr int OPAQUE = 1;
inline constexpr int TRANSPARENT = 2;

// A device context: on a display surface (while GetDC holds it) or a memory
// context with a bitmap selected into it.
struct DeviceContext {
    IDirectDrawSurface4* surface = nullptr;  // not owned
    HBITMAP bitmap = nullptr;                // selected, not owned
    HFONT font = nullptr;                    // selected, not owned
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
};
using HDC = DeviceContext*;

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};

struct BITMAP {
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 0;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

// ---- Constants ----------------------------------------------------------------

// Our own values, except BI_RGB (the BMP file's "no compression") and the
// weights, which follow the usual 100..900 font-weight scale.
inline constexpr UINT IMAGE_BITMAP = 1;
inline constexpr UINT LR_LOADFROMFILE = 0x00000001;
inline constexpr UINT LR_CREATEDIBSECTION = 0x00000002;

inline constexpr DWORD SRCCOPY = 1;
inline constexpr UINT DIB_RGB_COLORS = 1;
inline constexpr DWORD BI_RGB = 0;
inline constexpr int GDI_ERROR = -2;

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr DWORD ANSI_CHARSET = 1;
inline constexpr DWORD OUT_DEFAULT_PRECIS = 1;
inline constexpr DWORD CLIP_DEFAULT_PRECIS = 1;
inline constexpr DWORD DEFAULT_QUALITY = 1;
inline constexpr DWORD NONANTIALIASED_QUALITY = 2;
inline constexpr DWORD DEFAULT_PITCH = 1;
inline constexpr DWORD VARIABLE_PITCH = 2;

// ---- Functions ----------------------------------------------------------------

// A bitmap by name: with a module, one of that module's registered bitmap
// resources; with LR_LOADFROMFILE (and no module), a BMP file. Returns the
// bitmap as a handle to delete with DeleteObject, or none.
HANDLE LoadImageA(HINSTANCE module, const char* name, UINT type, int cx, int cy, UINT flags);
BOOL DeleteObject(HGDIOBJ object);
// Fills a BITMAP for a bitmap handle; returns the bytes written, 0 on failure.
int GetObjectA(HGDIOBJ object, int size, void* out);

// A memory context (the screen's format; `like` is ignored).
HDC CreateCompatibleDC(HDC like);
BOOL DeleteDC(HDC dc);
// Selects a bitmap or a font; returns the previous one of that kind.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
// Copies 32-bit BI_RGB pixels (a negative height means rows top-down).
// Returns the number of rows copied, or GDI_ERROR.
int StretchDIBits(HDC dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);
// Returns the colour the pixel actually got, or CLR_INVALID.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);

// Text. A face that is not installed falls back to DejaVu Sans (bold for a
// weight of 600 or more), as GDI substitutes a font it does not have. The face
// name may also name a font file in the working folder.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, const char* face);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
// Draws the text with its top-left at (x, y) in the selected font (the
// default face at 16 pixels when none is selected).
BOOL TextOutA(HDC dc, int x, int y, const char* text, int length);
// The width of the text and the height of a character cell in the selected font.
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size);

namespace plat {

// Registers a BMP file image (its bytes, which must outlive the program's use
// of them) as a bitmap resource of the program's module under `name`.
void RegisterBitmapResource(const std::string& name, const unsigned char* bytes, std::size_t size);
void ClearBitmapResources();

// The one colour conversion, for a surface's channel masks.
DWORD ColorrefToRaw(COLORREF colour, const IDirectDrawSurface4& surface);
COLORREF RawToColorref(DWORD raw, const IDirectDrawSurface4& surface);

// Test hook: while set, StretchDIBits fails with GDI_ERROR.
void SetDibTransferFailure(bool fail);

// The font file CreateFontA would use for a face name and weight, or "" when
// neither the face nor the fallback is installed.
std::string FindFontFile(const std::string& face, int weight);

}  // namespace plat
