// VXSurface: one display surface with what it takes to draw it - source,
// destination and clip rectangles, colour key, device context, font, the
// picture it came from (for reloading after a loss), its pixel format and an
// optional per-pixel alpha map.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/display/ddraw.h"
#include "platform/gdi/gdi.h"
#include "vx/vxformat.h"

class VXScreen;

// Where a new surface lives. Any value other than MemoryVideo and
// MemorySystem lets the display choose.
enum MemoryType : std::uint8_t {
    MemoryVideo = 0,
    MemorySystem = 1,
    MemoryAny = 2,
};

// The surface caps for a memory type.
DWORD CapsForMemoryType(MemoryType type);
// The description that asks the display for a surface of this size.
DDSURFACEDESC2 SurfaceDescFor(int width, int height, MemoryType type);

struct FontDeleter {
    void operator()(GdiFont* font) const noexcept { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<GdiFont, FontDeleter>;

// Cuts a source rectangle and its position to `clip` (right and bottom
// exclusive). It does not test for an empty result: a rectangle clipped away
// comes out empty or inverted and the display refuses to blit it.
void ClipToRect(int& x, int& y, RECT& srcRect, const RECT& clip);

// How often Lock and Unlock restore a lost surface and try again before they
// give up for this frame.
inline constexpr int kMaxRestoreRounds = 3;

class VXSurface {
public:
    VXSurface();
    VXSurface(VXScreen* screen, const char* fileName, MemoryType type);
    VXSurface(const VXSurface&) = delete;
    VXSurface& operator=(const VXSurface&) = delete;

    // ---- draw slots (the result is the display's result of the one blit) ----
    virtual ~VXSurface();
    // SrcRect of this surface into DestRect of dest, stretched as needed.
    virtual HRESULT Draw(VXSurface* dest);
    virtual HRESULT DrawOpaqueAt(int x, int y, VXSurface* dest);
    virtual HRESULT DrawKeyedAt(int x, int y, VXSurface* dest);
    virtual HRESULT DrawKeyedClipped(int x, int y, VXSurface* dest, RECT clip);
    // The whole surface into the client area of the display's window.
    virtual HRESULT DrawToWindow(VXSurface* dest);
    virtual HRESULT DrawScaledAt(int x, int y, float scale, VXSurface* dest);
    virtual HRESULT DrawMultipliedAt(int x, int y, int mx, int my, VXSurface* dest);
    // Mirrored copies of SrcRect; they land in the rectangle SrcRect names on
    // dest (the position is not used).
    virtual HRESULT DrawMirrorLR(int x, int y, VXSurface* dest);
    virtual HRESULT DrawMirrorUD(int x, int y, VXSurface* dest);
    virtual void EmptyDraw();

    // ---- creation ----
    void Init();
    int Create(VXScreen* screen, int width, int height, MemoryType type);
    // Loads a bitmap resource, a BMP file or a PSD file. 1 when the surface
    // has a display surface afterwards.
    int CreateFromFile(VXScreen* screen, const char* fileName, MemoryType type);
    int LoadPSD(VXScreen* screen, const char* fileName, MemoryType type);
    // The channel planes of a PSD file (vxsurface_load.cpp): where each one
    // the picture uses starts, checked whole before anything is made, and
    // how far it has been read.
    struct PsdPlanes;
    // Decodes the next `rows` rows of every plane into `pixels` (blue, green,
    // red, alpha bytes per pixel; the channels the file lacks take their fill
    // value). False when the file ends early or a run overshoots its plane.
    bool ReadPSDChannels(PsdPlanes& planes, BYTE* pixels, int rows);

    // ---- rectangles and clipping ----
    void SetSrcRect(int top, int left, int bottom, int right);
    void SetDestRect(int top, int left, int bottom, int right);
    void SetClipRect(const RECT& r);
    int ClipRect(RECT& r) const;
    static int ClipBlit(VXSurface* src, VXSurface* dst, int& x, int& y, RECT& srcRect);

    // ---- state ----
    HRESULT SetColorKey(PixelValue key);
    void Restore();
    // Lock leaves SurfaceDesc with the pixel pointer and pitch, or cleared
    // (no pointer) when the lock failed; pixel drawing then draws nothing.
    void Lock();
    void Unlock();
    HDC GetDC();
    void ReleaseDC();
    HRESULT Fill(PixelValue colour);

    // ==== blit modes and drawing primitives ==================================
    // (vxsurface_blit.cpp, vxsurface_draw.cpp)
    //
    // Blits copy `src` of this surface so that its top-left corner lands at
    // (x, y) on dest, after clipping to both clip rectangles. A rectangle
    // clipped away, a missing destination or a surface without a display
    // surface gives E_FAIL and draws nothing. Plain, scaled and stretched
    // copies return the display's result (a lost source is restored, not
    // retried). The software modes (alpha, half blend, shade, half shade,
    // alpha map) need two distinct surfaces that the caller has not locked;
    // they lock both for the call and return 0, or E_FAIL when a lock gives
    // no pixels or the two surfaces store pixels differently. Keyed modes
    // skip source pixels equal to ColorKey (-1 skips nothing); the keyed
    // display copies use the key SetColorKey gave the display surface.
    // Mirrored copies fall back to a copy by hand when the display refuses.
    HRESULT DrawOpaqueRect(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawKeyedRect(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawAlphaOpaque(VXSurface* dest, int x, int y, RECT src, std::uint16_t alpha);
    HRESULT DrawAlphaKeyed(VXSurface* dest, int x, int y, RECT src, std::uint16_t alpha);
    HRESULT DrawHalfBlendOpaque(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawHalfBlendKeyed(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawScaledOpaque(VXSurface* dest, int x, int y, RECT src, float scale);
    HRESULT DrawScaledKeyed(VXSurface* dest, int x, int y, RECT src, float scale);
    HRESULT DrawShadeRect(VXSurface* dest, int x, int y, RECT src, std::uint16_t shade);
    HRESULT DrawShadeKeyed(VXSurface* dest, int x, int y, RECT src, std::uint16_t shade);
    HRESULT DrawHalfShadeRect(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawHalfShadeKeyed(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawMirrorLROpaque(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawMirrorLRKeyed(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawMirrorUDOpaque(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawMirrorUDKeyed(VXSurface* dest, int x, int y, RECT src);
    HRESULT DrawStretchedOpaque(VXSurface* dest, int x, int y, RECT src, int width, int height);
    HRESULT DrawStretchedKeyed(VXSurface* dest, int x, int y, RECT src, int width, int height);
    HRESULT DrawAlphaMap(VXSurface* dest, int x, int y, RECT src);

    // Pixel drawing writes through the surface's current lock, at the
    // display's depth, clipped to ClipBounds; without a lock, or when the
    // display's depth does not match the surface's pixels, it draws nothing
    // (GetPixel then reads 0, as it does outside the surface). FillRect is a
    // colour fill of the unlocked surface, right and bottom exclusive.
    void PutPixel(int x, int y, PixelValue colour);
    PixelValue GetPixel(int x, int y);
    void DrawHLine(int x1, int x2, int y, PixelValue colour);
    void DrawVLine(int y1, int y2, int x, PixelValue colour);
    void DrawLine(int x1, int y1, int x2, int y2, PixelValue colour);
    void DrawRectOutline(int x1, int y1, int x2, int y2, PixelValue colour);
    HRESULT FillRect(int x1, int y1, int x2, int y2, PixelValue colour);
    void DrawCircle(int x, int y, int r, PixelValue colour);
    // (vxsurface_text.cpp)
    void SetTextFont(const char* face, int width, int height, int weight);
    int DrawText(int x, int y, COLORREF colour, const char* text);
    // ==== end of blit modes and drawing primitives ===========================

    // ---- fields ----
    int Width = 0;
    int Height = 0;
    std::string FileName;  // the picture to reload after a loss; empty for none
    HDC DC = nullptr;      // while GetDC holds it
    int ColorKey = -1;
    RECT SrcRect;
    RECT DestRect;
    UniqueFont Font;
    DDSURFACEDESC2 SurfaceDesc;
    LPDIRECTDRAWSURFACE4 DirectDrawSurface;
    VXScreen* Screen = nullptr;  // borrowed
    RECT ClipBounds;
    RGBFormat Format;
    std::unique_ptr<BYTE[]> AlphaMap;  // Width x Height, row by row; none without one
};

void SwapInts(int* a, int* b);

// Bitmap loading into display surfaces.
// A new surface holding the named bitmap (resource first, then BMP file), or
// none; writes its size.
LPDIRECTDRAWSURFACE4 LoadBitmapSurface(IDirectDraw4* dd, const char* name, int& width, int& height, MemoryType type);
HRESULT CopyBitmap(IDirectDrawSurface4* surface, HBITMAP bitmap, int x, int y, int dx, int dy);
HRESULT ReloadBitmap(IDirectDrawSurface4* surface, const char* name);
// The next 2 or 4 bytes, most significant first; false at the end of the file.
bool ReadBigEndian16(std::FILE* file, std::uint32_t& value);
bool ReadBigEndian32(std::FILE* file, std::uint32_t& value);
