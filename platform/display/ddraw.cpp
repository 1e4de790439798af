// The DirectDraw object: cooperative level, logical display modes and the
// mode list, surface and palette creation.
#include <algorithm>

#include "platform/display/ddraw.h"
#include "platform/display/presenter.h"

namespace {

// Modes reported in place of the desktop's, while a test has set them.
std::vector<plat::EnumeratedMode> g_enumeratedModes;

HRESULT g_CreateFailure = DD_OK;
HRESULT g_QueryFailure = DD_OK;

constexpr int kMaxSurfaceSide = 16384;
constexpr long long kMaxSurfaceBytes = 512ll * 1024 * 1024;

bool ValidFormat(const DDPIXELFORMAT& f) {
    if (f.dwFlags & DDPF_PALETTEINDEXED8) return f.dwRGBBitCount == 8;
    if (!(f.dwFlags & DDPF_RGB)) return false;
    return f.dwRGBBitCount == 16 || f.dwRGBBitCount == 24 || f.dwRGBBitCount == 32;
}

}  // namespace

namespace plat {

void SetEnumeratedModes(std::vector<EnumeratedMode> modes) { g_enumeratedModes = std::move(modes); }

void SetDirectDrawFailures(HRESULT create, HRESULT query) {
    g_CreateFailure = create;
    g_QueryFailure = query;
}

int BytesForBitCount(DWORD bits) {
    switch (bits) {
        case 8: return 1;
        case 16: return 2;
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

DDPIXELFORMAT DisplayPixelFormat() {
    DDPIXELFORMAT f;
    f.dwFlags = DDPF_RGB;
    f.dwRGBBitCount = 16;
    f.dwRBitMask = 0xF800;
    f.dwGBitMask = 0x07E0;
    f.dwBBitMask = 0x001F;
    return f;
}

std::vector<DisplaySize> DisplayModeList(int desktopWidth, int desktopHeight) {
    // The video-mode dialog shows only the first ten modes from 800 x 600 to
    // 1690 x 1250, so the list holds no more sizes in that range than fit:
    // otherwise the large classic modes would never be offered.
    static constexpr DisplaySize kStandard[] = {
        {640, 480},  {800, 600},   {1024, 768},  {1152, 864},  {1280, 720},  {1280, 800},  {1280, 960},  {1280, 1024},
        {1440, 900}, {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440}, {2560, 1600}, {3840, 2160},
    };
    std::vector<DisplaySize> modes;
    for (const DisplaySize& m : kStandard)
        if (m.width <= desktopWidth && m.height <= desktopHeight) modes.push_back(m);
    if (desktopWidth > 0 && desktopHeight > 0) {
        bool listed = std::any_of(modes.begin(), modes.end(), [&](const DisplaySize& m) {
            return m.width == desktopWidth && m.height == desktopHeight;
        });
        if (!listed) modes.push_back({desktopWidth, desktopHeight});
    }
    std::sort(modes.begin(), modes.end(), [](const DisplaySize& a, const DisplaySize& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    return modes;
}

}  // namespace plat

namespace {

// The mode list for the desktop the presenter shows on.
std::vector<plat::DisplaySize> DesktopModes() {
    int dw = 0, dh = 0;
    plat::CurrentPresenter().DesktopSize(&dw, &dh);
    return plat::DisplayModeList(dw, dh);
}

}  // namespace

// ---- Palette ------------------------------------------------------------------

IDirectDrawPalette::IDirectDrawPalette(const PALETTEENTRY* entries) { std::copy(entries, entries + 256, entries_); }

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD base, DWORD count, PALETTEENTRY* out) const {
    if (!out || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
    std::copy(entries_ + base, entries_ + base + count, out);
    return DD_OK;
}

HRESULT IDirectDrawPalette::SetEntries(DWORD, DWORD base, DWORD count, const PALETTEENTRY* in) {
    if (!in || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
    std::copy(in, in + count, entries_ + base);
    return DD_OK;
}

// ---- DirectDraw object --------------------------------------------------------

IDirectDraw4::IDirectDraw4() = default;
IDirectDraw4::~IDirectDraw4() = default;

HRESULT IDirectDraw4::SetCooperativeLevel(HWND window, DWORD flags) {
    if (flags & DDSCL_EXCLUSIVE) {
        if (!(flags & DDSCL_FULLSCREEN)) return DDERR_INVALIDPARAMS;
        if (!window) return DDERR_NOHWND;
    }
    window_ = window;
    coopFlags_ = flags;
    return DD_OK;
}

HRESULT IDirectDraw4::SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD, DWORD) {
    if (!(coopFlags_ & DDSCL_EXCLUSIVE) || !window_) return DDERR_NOEXCLUSIVEMODE;
    if (bpp != 16) return DDERR_INVALIDMODE;
    auto modes = DesktopModes();
    bool listed = std::any_of(modes.begin(), modes.end(), [&](const plat::DisplaySize& m) {
        return static_cast<DWORD>(m.width) == width && static_cast<DWORD>(m.height) == height;
    });
    if (!listed) return DDERR_INVALIDMODE;
    if (!plat::CurrentPresenter().SetMode(window_, static_cast<int>(width), static_cast<int>(height)))
        return DDERR_UNSUPPORTEDMODE;
    modeWidth_ = static_cast<int>(width);
    modeHeight_ = static_cast<int>(height);
    window_->DisplayModeSet(modeWidth_, modeHeight_);
    return DD_OK;
}

HRESULT IDirectDraw4::RestoreDisplayMode() {
    if (modeWidth_ != 0) plat::CurrentPresenter().RestoreMode();
    modeWidth_ = modeHeight_ = 0;
    return DD_OK;
}

HRESULT IDirectDraw4::EnumDisplayModes(DWORD, const DDSURFACEDESC2*, void* context, LPDDENUMMODESCALLBACK2 callback) {
    if (!callback) return DDERR_INVALIDPARAMS;
    std::vector<plat::EnumeratedMode> modes = g_enumeratedModes;
    if (modes.empty())
        for (const plat::DisplaySize& m : DesktopModes()) modes.push_back({m.width, m.height, 16});
    for (const plat::EnumeratedMode& m : modes) {
        DDSURFACEDESC2 desc;
        desc.dwSize = DDSURFACEDESC2_SIZE;
        desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
        desc.dwWidth = static_cast<DWORD>(m.width);
        desc.dwHeight = static_cast<DWORD>(m.height);
        desc.lPitch = m.width * 2;
        desc.dwRefreshRate = 60;
        desc.ddpfPixelFormat = plat::DisplayPixelFormat();
        desc.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(m.bits);
        if (callback(&desc, context) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HRESULT IDirectDraw4::CreateSurface(const DDSURFACEDESC2* desc, LPDIRECTDRAWSURFACE4* out, void* outer) {
    if (!out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE || outer || !(desc->dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    DWORD caps = desc->ddsCaps.dwCaps;
    if ((caps & DDSCAPS_VIDEOMEMORY) && (caps & DDSCAPS_SYSTEMMEMORY)) return DDERR_INVALIDCAPS;
    if ((caps & DDSCAPS_VIDEOMEMORY) && noVideoMemory_) return DDERR_OUTOFVIDEOMEMORY;
    DWORD memory = caps & (DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY);
    if (!memory) memory = noVideoMemory_ ? DDSCAPS_SYSTEMMEMORY : (DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM);
    if (caps & DDSCAPS_VIDEOMEMORY) memory |= DDSCAPS_LOCALVIDMEM;

    surfaces_.erase(std::remove_if(surfaces_.begin(), surfaces_.end(),
                                   [](const std::weak_ptr<IDirectDrawSurface4>& w) { return w.expired(); }),
                    surfaces_.end());

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (!(coopFlags_ & DDSCL_EXCLUSIVE) || modeWidth_ == 0) return DDERR_NOEXCLUSIVEMODE;
        if (!primary_.expired()) return DDERR_PRIMARYSURFACEALREADYEXISTS;
        bool flip = (caps & DDSCAPS_FLIP) != 0;
        if (flip) {
            if (!(caps & DDSCAPS_COMPLEX) || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) || desc->dwBackBufferCount < 1)
                return DDERR_INVALIDCAPS;
            if (desc->dwBackBufferCount > 1) return DDERR_UNSUPPORTED;
        }
        DWORD keep = caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE);
        auto primary = NewSurface(modeWidth_, modeHeight_, plat::DisplayPixelFormat(),
                                  DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER | keep | memory);
        if (flip) {
            primary->backBuffer_ =
                NewSurface(modeWidth_, modeHeight_, plat::DisplayPixelFormat(), DDSCAPS_BACKBUFFER | keep | memory);
            primary->backBuffer_->implicit_ = true;
        }
        primary_ = primary;
        *out = std::move(primary);
        return DD_OK;
    }

    if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth == 0 || desc->dwHeight == 0) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth > kMaxSurfaceSide) return DDERR_TOOBIGWIDTH;
    if (desc->dwHeight > kMaxSurfaceSide) return DDERR_TOOBIGHEIGHT;
    DDPIXELFORMAT format = plat::DisplayPixelFormat();
    if (desc->dwFlags & DDSD_PIXELFORMAT) {
        if (!ValidFormat(desc->ddpfPixelFormat)) return DDERR_INVALIDPIXELFORMAT;
        format = desc->ddpfPixelFormat;
    }
    long long bytes =
        static_cast<long long>(desc->dwWidth) * desc->dwHeight * plat::BytesForBitCount(format.dwRGBBitCount);
    if (bytes > kMaxSurfaceBytes) return DDERR_OUTOFMEMORY;
    auto surface = NewSurface(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), format,
                              (caps & ~(DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY | DDSCAPS_LOCALVIDMEM)) | memory);
    if (desc->dwFlags & DDSD_CKSRCBLT) surface->SetColorKey(DDCKEY_SRCBLT, &desc->ddckCKSrcBlt);
    *out = std::move(surface);
    return DD_OK;
}

LPDIRECTDRAWSURFACE4 IDirectDraw4::NewSurface(int width, int height, const DDPIXELFORMAT& format, DWORD caps) {
    auto surface = std::make_shared<IDirectDrawSurface4>(IDirectDrawSurface4::Private{}, width, height, format, caps);
    surface->owner_ = weak_from_this();
    surfaces_.push_back(surface);
    return surface;
}

HRESULT IDirectDraw4::CreatePalette(DWORD flags, const PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* out, void* outer) {
    if (!out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (!entries || outer || !(flags & DDPCAPS_8BIT)) return DDERR_INVALIDPARAMS;
    *out = std::make_shared<IDirectDrawPalette>(entries);
    return DD_OK;
}

HRESULT IDirectDraw4::FlipToGDISurface() {
    // The front buffer is always what the desktop shows; nothing to switch.
    return DD_OK;
}

HRESULT IDirectDraw4::WaitForVerticalBlank(DWORD flags, HANDLE) {
    if (flags != DDWAITVB_BLOCKBEGIN) return DDERR_UNSUPPORTED;
    return DD_OK;
}

void IDirectDraw4::LoseAllSurfaces() {
    for (auto& w : surfaces_)
        if (auto s = w.lock()) s->lost_ = true;
}

void IDirectDraw4::Present(const IDirectDrawSurface4& primary, bool vsync) {
    if (primary.BytesPerPixel() != 2) return;
    plat::CurrentPresenter().Present(primary.Pixels(), primary.Pitch(), primary.Width(), primary.Height(), vsync);
}

HRESULT IDirectDraw::QueryInterface(DirectDrawInterfaceId, LPDIRECTDRAW4* out) {
    if (!out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (g_QueryFailure != DD_OK) return g_QueryFailure;
    *out = object_;
    return DD_OK;
}

HRESULT DirectDrawCreate(const void* guid, LPDIRECTDRAW* out, void* outer) {
    if (!out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (guid || outer) return DDERR_INVALIDPARAMS;
    if (g_CreateFailure != DD_OK) return g_CreateFailure;
    *out = std::make_shared<IDirectDraw>(std::make_shared<IDirectDraw4>());
    return DD_OK;
}
