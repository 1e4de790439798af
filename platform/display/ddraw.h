// Our DirectDraw stand-in: a display object with a mode list and logical
// display modes, software surfaces with channel masks and a padded pitch, the
// flipping chain of a primary and its back buffer, colour keys, locks, device
// contexts and palettes, and Blt/BltFast with the flags the layer uses.
//
// Surfaces and display objects are shared: a VXSurface owns a reference to its
// surface (std::shared_ptr), and the primary keeps its back buffer alive.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/ddraw_results.h"
#include "platform/gdi/gdi.h"
#include "platform/system/win32types.h"
#include "platform/system/window_handle.h"

class IDirectDrawSurface4;
class IDirectDrawPalette;
namespace plat {
struct KeyedRuns;
}
class IDirectDraw4;

using LPDIRECTDRAWSURFACE4 = std::shared_ptr<IDirectDrawSurface4>;
using LPDIRECTDRAWPALETTE = std::shared_ptr<IDirectDrawPalette>;
using LPDIRECTDRAW4 = std::shared_ptr<IDirectDraw4>;

// ---- Descriptions -----------------------------------------------------------

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue = 0;
    DWORD dwColorSpaceHighValue = 0;
};

struct DDPIXELFORMAT {
    DWORD dwFlags = 0;
    DWORD dwRGBBitCount = 0;
    DWORD dwRBitMask = 0;
    DWORD dwGBitMask = 0;
    DWORD dwBBitMask = 0;
};

struct DDSCAPS2 {
    DWORD dwCaps = 0;
};

// The size every surface description must announce in dwSize.
inline constexpr DWORD DDSURFACEDESC2_SIZE = 124;

struct DDSURFACEDESC2 {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;
    DWORD dwBackBufferCount = 0;
    DWORD dwRefreshRate = 0;
    void* lpSurface = nullptr;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

// The size every blit effects record must announce in dwSize.
inline constexpr DWORD DDBLTFX_SIZE = 100;

// Blit effects: a mirror effect or a fill colour.
struct DDBLTFX {
    DWORD dwSize = 0;
    DWORD dwDDFX = 0;
    DWORD dwFillColor = 0;
};

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

// ---- Flags ------------------------------------------------------------------

// Our own flag values: within a group each flag is a bit of its own.

// Surface description fields
inline constexpr DWORD DDSD_CAPS = 0x00000001;
inline constexpr DWORD DDSD_HEIGHT = 0x00000002;
inline constexpr DWORD DDSD_WIDTH = 0x00000004;
inline constexpr DWORD DDSD_PITCH = 0x00000008;
inline constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000010;
inline constexpr DWORD DDSD_LPSURFACE = 0x00000020;
inline constexpr DWORD DDSD_PIXELFORMAT = 0x00000040;
inline constexpr DWORD DDSD_CKSRCBLT = 0x00000080;
inline constexpr DWORD DDSD_REFRESHRATE = 0x00000100;

// Surface caps
inline constexpr DWORD DDSCAPS_3DDEVICE = 0x00000001;
inline constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000002;
inline constexpr DWORD DDSCAPS_COMPLEX = 0x00000004;
inline constexpr DWORD DDSCAPS_FLIP = 0x00000008;
inline constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000010;
inline constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000020;
inline constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000040;
inline constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000080;
inline constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00000100;
inline constexpr DWORD DDSCAPS_LOCALVIDMEM = 0x00000200;

// Pixel format flags
inline constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000001;
inline constexpr DWORD DDPF_RGB = 0x00000002;

// Cooperative levels
inline constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
inline constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
inline constexpr DWORD DDSCL_NORMAL = 0x00000004;
inline constexpr DWORD DDSCL_EXCLUSIVE = 0x00000008;
inline constexpr DWORD DDSCL_ALLOWMODEX = 0x00000010;

// Display modes
inline constexpr DWORD DDSDM_STANDARDVGAMODE = 0x00000001;
inline constexpr DWORD DDEDM_STANDARDVGAMODES = 0x00000001;
inline constexpr DWORD DDEDM_REFRESHRATES = 0x00000002;
inline constexpr HRESULT DDENUMRET_OK = 3;
inline constexpr HRESULT DDENUMRET_CANCEL = 4;

// Blt
inline constexpr DWORD DDBLT_COLORFILL = 0x00000001;
inline constexpr DWORD DDBLT_DDFX = 0x00000002;
inline constexpr DWORD DDBLT_KEYSRC = 0x00000004;
inline constexpr DWORD DDBLT_WAIT = 0x00000008;
inline constexpr DWORD DDBLTFX_MIRRORLEFTRIGHT = 0x00000001;
inline constexpr DWORD DDBLTFX_MIRRORUPDOWN = 0x00000002;

// BltFast
inline constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00000000;
inline constexpr DWORD DDBLTFAST_WAIT = 0x00000001;
inline constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x00000002;

// Flip
inline constexpr DWORD DDFLIP_WAIT = 0x00000001;
inline constexpr DWORD DDFLIP_NOVSYNC = 0x00000002;

// Lock
inline constexpr DWORD DDLOCK_WAIT = 0x00000001;
inline constexpr DWORD DDLOCK_READONLY = 0x00000002;
inline constexpr DWORD DDLOCK_WRITEONLY = 0x00000004;

// Colour keys
inline constexpr DWORD DDCKEY_SRCBLT = 0x00000001;

// Palettes
inline constexpr DWORD DDPCAPS_8BIT = 0x00000001;
inline constexpr DWORD DDPCAPS_ALLOW256 = 0x00000002;

// Vertical blank
inline constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;

// ---- Palette ----------------------------------------------------------------

class IDirectDrawPalette {
public:
    explicit IDirectDrawPalette(const PALETTEENTRY* entries);
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* out) const;
    HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* in);

private:
    PALETTEENTRY entries_[256];
};

// ---- Surface ----------------------------------------------------------------

class IDirectDrawSurface4 : public std::enable_shared_from_this<IDirectDrawSurface4> {
public:
    // Made only by IDirectDraw4::CreateSurface.
    struct Private {};
    IDirectDrawSurface4(Private, int width, int height, const DDPIXELFORMAT& format, DWORD caps);
    ~IDirectDrawSurface4();
    IDirectDrawSurface4(const IDirectDrawSurface4&) = delete;
    IDirectDrawSurface4& operator=(const IDirectDrawSurface4&) = delete;

    // dest may be none (the whole surface); src and srcRect are none for a
    // colour fill.
    HRESULT Blt(const RECT* destRect, IDirectDrawSurface4* src, const RECT* srcRect, DWORD flags, const DDBLTFX* fx);
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface4* src, const RECT* srcRect, DWORD trans);
    // Only on the primary of a flipping chain; target must be none.
    HRESULT Flip(IDirectDrawSurface4* target, DWORD flags);
    HRESULT GetAttachedSurface(const DDSCAPS2* caps, LPDIRECTDRAWSURFACE4* out);
    // rect must be none (the whole surface). The description gets the pixel
    // pointer, the pitch, the size and the format.
    HRESULT Lock(const RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(const RECT* rect);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    HRESULT SetColorKey(DWORD flags, const DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) const;
    HRESULT SetPalette(const LPDIRECTDRAWPALETTE& palette);
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) const;
    HRESULT IsLost() const;
    HRESULT Restore();

    // ---- for the platform itself and for tests ----
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    int BytesPerPixel() const { return bpp_; }
    const DDPIXELFORMAT& PixelFormat() const { return format_; }
    DWORD Caps() const { return caps_; }
    // Writable pixels: they may change from here on.
    BYTE* Pixels() {
        Touch();
        return pixels_.data();
    }
    const BYTE* Pixels() const { return pixels_.data(); }
    // Raw pixel value at (x, y), inside the surface, whatever the state.
    DWORD PixelAt(int x, int y) const;
    void SetPixelAt(int x, int y, DWORD value);
    bool IsLocked() const { return locked_; }
    bool HasDC() const { return dC_ != nullptr; }
    bool IsPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    // Marks the surface lost, as DirectDraw does when the display is taken
    // away. Losing the primary loses its back buffer too.
    void SetLost(bool lost);
    // While set, Restore keeps failing (as it does while the program's
    // window is not active).
    void SetRestoreRefused(bool refused) { restoreRefused_ = refused; }
    int RestoreCount() const { return restoreCount_; }
    bool HasSourceKey() const { return hasSrcKey_; }
    const LPDIRECTDRAWPALETTE& Palette() const { return palette_; }

private:
    friend class IDirectDraw4;
    bool Busy() const { return locked_ || dC_; }
    // The pixels may change: whatever was learnt about them is stale.
    void Touch() { ++generation_; }
    // The runs of the pixels outside the key range, when the pixels have
    // not changed since the previous keyed copy from this surface with the
    // same key; none the first time, so a surface drawn into between its
    // copies (the scratch surface) is never searched for runs.
    const plat::KeyedRuns* StillRuns(DWORD keyLow, DWORD keyHigh);
    // The keyed copy of s of src to d (both checked, the same size) by the
    // source's still runs; false, having drawn nothing, when there are none.
    bool CopyStillRuns(IDirectDrawSurface4& src, const RECT& s, const RECT& d);
    // The copy of s of src to d once Blt or BltFast has checked both.
    void CopyPixels(IDirectDrawSurface4& src, const RECT& s, const RECT& d, bool keyed, bool mirrorLR, bool mirrorUD);
    bool RectInside(const RECT& r) const;
    // The first byte of the pixel at (x, y).
    BYTE* PixelAddress(int x, int y) {
        return pixels_.data() + static_cast<std::size_t>(y) * pitch_ + static_cast<std::size_t>(x) * bpp_;
    }
    const BYTE* PixelAddress(int x, int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * pitch_ + static_cast<std::size_t>(x) * bpp_;
    }

    int width_;
    int height_;
    int bpp_;
    int pitch_;
    DDPIXELFORMAT format_;
    DWORD caps_;
    std::vector<BYTE> pixels_;
    bool locked_ = false;
    bool lost_ = false;
    bool restoreRefused_ = false;
    int restoreCount_ = 0;
    bool hasSrcKey_ = false;
    DDCOLORKEY srcKey_;
    std::unique_ptr<DeviceContext> dC_;
    std::weak_ptr<IDirectDraw4> owner_;
    LPDIRECTDRAWPALETTE palette_;
    LPDIRECTDRAWSURFACE4 backBuffer_;  // primary only: the attached back buffer
    bool implicit_ = false;            // made as part of a flipping chain
    std::uint64_t generation_ = 0;     // moves on whenever the pixels may change
    struct RunCache;
    std::unique_ptr<RunCache> runs_;
};

// ---- DirectDraw object ------------------------------------------------------

using LPDDENUMMODESCALLBACK2 = HRESULT (*)(DDSURFACEDESC2* desc, void* context);

class IDirectDraw4 : public std::enable_shared_from_this<IDirectDraw4> {
public:
    IDirectDraw4();
    ~IDirectDraw4();
    IDirectDraw4(const IDirectDraw4&) = delete;
    IDirectDraw4& operator=(const IDirectDraw4&) = delete;

    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD refreshRate, DWORD flags);
    HRESULT RestoreDisplayMode();
    HRESULT EnumDisplayModes(DWORD flags, const DDSURFACEDESC2* match, void* context, LPDDENUMMODESCALLBACK2 callback);
    HRESULT CreateSurface(const DDSURFACEDESC2* desc, LPDIRECTDRAWSURFACE4* out, void* outer);
    HRESULT CreatePalette(DWORD flags, const PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* out, void* outer);
    HRESULT FlipToGDISurface();
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);

    // ---- for the platform itself and for tests ----
    bool ModeSet() const { return modeWidth_ != 0; }
    int ModeWidth() const { return modeWidth_; }
    int ModeHeight() const { return modeHeight_; }
    HWND CooperativeWindow() const { return window_; }
    // Loses every live surface made on this object.
    void LoseAllSurfaces();
    // While set, surfaces asked for in video memory are refused.
    void SetVideoMemoryExhausted(bool exhausted) { noVideoMemory_ = exhausted; }
    // Presents the primary's pixels (called by Flip).
    void Present(const IDirectDrawSurface4& primary, bool vsync);

private:
    // A surface owned by this object and kept in its list of live surfaces.
    LPDIRECTDRAWSURFACE4 NewSurface(int width, int height, const DDPIXELFORMAT& format, DWORD caps);

    HWND window_ = nullptr;
    DWORD coopFlags_ = 0;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    bool noVideoMemory_ = false;
    std::weak_ptr<IDirectDrawSurface4> primary_;
    std::vector<std::weak_ptr<IDirectDrawSurface4>> surfaces_;
};

// The first interface DirectDrawCreate hands out; QueryInterface gives the
// IDirectDraw4 the layer works with.
enum class DirectDrawInterfaceId { IDirectDraw4 };
inline constexpr DirectDrawInterfaceId IID_IDirectDraw4 = DirectDrawInterfaceId::IDirectDraw4;

class IDirectDraw {
public:
    explicit IDirectDraw(LPDIRECTDRAW4 object) : object_(std::move(object)) {}
    HRESULT QueryInterface(DirectDrawInterfaceId id, LPDIRECTDRAW4* out);

private:
    LPDIRECTDRAW4 object_;
};
using LPDIRECTDRAW = std::shared_ptr<IDirectDraw>;

// guid must be none (the default driver).
HRESULT DirectDrawCreate(const void* guid, LPDIRECTDRAW* out, void* outer);

namespace plat {

// Test hooks: the next DirectDrawCreate calls fail with `create`, and the
// IDirectDraw4 query with `query`; DD_OK restores normal behaviour.
void SetDirectDrawFailures(HRESULT create, HRESULT query);

// The standard display sizes offered when they fit on the desktop.
struct DisplaySize {
    int width;
    int height;
};
// The mode list: the desktop's size and every standard size that fits inside
// it, at 16 bits per pixel, ordered by width, then height.
std::vector<DisplaySize> DisplayModeList(int desktopWidth, int desktopHeight);

// Test hook: the modes EnumDisplayModes reports in place of the desktop's
// list (which SetDisplayMode still checks); an empty list goes back to it.
struct EnumeratedMode {
    int width;
    int height;
    int bits;
};
void SetEnumeratedModes(std::vector<EnumeratedMode> modes);

// Bytes per pixel for a pixel format's bit count (8, 16, 24, 32), 0 otherwise.
int BytesForBitCount(DWORD bits);

// The 5-6-5 format of the display and of every surface made without a format.
DDPIXELFORMAT DisplayPixelFormat();

}  // namespace plat
