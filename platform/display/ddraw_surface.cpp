// Software surfaces: pixels, locks, device contexts, colour keys, loss and
// restore, the flipping chain, and Blt/BltFast.
#include <algorithm>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/pixelblit.h"

namespace {

RECT WholeRect(int w, int h) { return RECT{0, 0, w, h}; }

DWORD ReadPixel(const BYTE* p, int bpp) {
    switch (bpp) {
        case 1: return p[0];
        case 2: return static_cast<DWORD>(p[0] | (p[1] << 8));
        case 3: return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16));
        default: return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<DWORD>(p[3]) << 24);
    }
}

void WritePixel(BYTE* p, int bpp, DWORD v) {
    p[0] = static_cast<BYTE>(v);
    if (bpp > 1) p[1] = static_cast<BYTE>(v >> 8);
    if (bpp > 2) p[2] = static_cast<BYTE>(v >> 16);
    if (bpp > 3) p[3] = static_cast<BYTE>(v >> 24);
}

DWORD MaskForBpp(int bpp) { return bpp >= 4 ? 0xFFFFFFFFu : ((1u << (8 * bpp)) - 1u); }

// A still picture keeps its runs when it has no more than one for every
// kPixelsPerRun pixels, or at most kMostRunsAlways whatever its size.
constexpr std::size_t kPixelsPerRun = 8;
constexpr std::size_t kMostRunsAlways = 16384;

// Loose junk for the contents of a restored surface, which are undefined.
constexpr BYTE kRestoredJunk = 0xA5;

}  // namespace

IDirectDrawSurface4::IDirectDrawSurface4(Private, int width, int height, const DDPIXELFORMAT& format, DWORD caps)
    : width_(width), height_(height), bpp_(plat::BytesForBitCount(format.dwRGBBitCount)), format_(format), caps_(caps) {
    // Rows are padded beyond their pixels, as display memory often is, so
    // code that steps by width instead of pitch shows at once.
    int rowBytes = width_ * bpp_;
    pitch_ = ((rowBytes + 15) / 16) * 16 + 16;
    pixels_.assign(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height_), 0);
}

struct IDirectDrawSurface4::RunCache {
    std::uint64_t generation = 0;
    DWORD keyLow = 0, keyHigh = 0;
    bool seen = false;
    bool found = false;
    plat::KeyedRuns runs;
};

IDirectDrawSurface4::~IDirectDrawSurface4() = default;

const plat::KeyedRuns* IDirectDrawSurface4::StillRuns(DWORD keyLow, DWORD keyHigh) {
    if (!runs_) runs_ = std::make_unique<RunCache>();
    RunCache& c = *runs_;
    if (!c.seen || c.generation != generation_ || c.keyLow != keyLow || c.keyHigh != keyHigh) {
        c.seen = true;
        c.found = false;
        c.generation = generation_;
        c.keyLow = keyLow;
        c.keyHigh = keyHigh;
        c.runs = plat::KeyedRuns{};
        return nullptr;
    }
    if (!c.found) {
        // Runs pay for themselves when they are long; a picture of many short
        // ones (noise, fine stripes) is copied pixel by pixel instead of
        // holding a list that can outgrow the picture.
        const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        c.runs = plat::FindKeyedRuns(pixels_.data(), pitch_, bpp_, width_, height_, keyLow, keyHigh,
                                     std::max<std::size_t>(kMostRunsAlways, pixels / kPixelsPerRun));
        c.found = true;
    }
    return c.runs.usable ? &c.runs : nullptr;
}

bool IDirectDrawSurface4::RectInside(const RECT& r) const {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width_ &&
           r.bottom <= height_;
}

DWORD IDirectDrawSurface4::PixelAt(int x, int y) const { return ReadPixel(PixelAddress(x, y), bpp_); }

void IDirectDrawSurface4::SetPixelAt(int x, int y, DWORD value) {
    Touch();
    WritePixel(PixelAddress(x, y), bpp_, value);
}

void IDirectDrawSurface4::SetLost(bool lost) {
    lost_ = lost;
    if (backBuffer_) backBuffer_->lost_ = lost;
}

HRESULT IDirectDrawSurface4::IsLost() const { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface4::Restore() {
    if (implicit_) return DDERR_IMPLICITLYCREATED;
    if (!lost_) return DD_OK;
    if (restoreRefused_) return DDERR_NOEXCLUSIVEMODE;
    auto revive = [](IDirectDrawSurface4& s) {
        s.Touch();
        s.lost_ = false;
        s.locked_ = false;
        std::fill(s.pixels_.begin(), s.pixels_.end(), kRestoredJunk);
        ++s.restoreCount_;
    };
    revive(*this);
    if (backBuffer_) revive(*backBuffer_);
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Lock(const RECT* rect, DDSURFACEDESC2* desc, DWORD, HANDLE) {
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    RECT r = rect ? *rect : WholeRect(width_, height_);
    if (!RectInside(r)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = PixelAddress(r.left, r.top);
    locked_ = true;
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Unlock(const RECT*) {
    if (lost_) {
        // A lost surface loses its lock with it.
        locked_ = false;
        return DDERR_SURFACELOST;
    }
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetDC(HDC* dc) {
    if (!dc) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (lost_) return DDERR_SURFACELOST;
    if (dC_) return DDERR_DCALREADYCREATED;
    if (locked_) return DDERR_SURFACEBUSY;
    if (bpp_ < 2) return DDERR_CANTCREATEDC;
    Touch();
    dC_ = std::make_unique<DeviceContext>();
    dC_->surface = this;
    *dc = dC_.get();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::ReleaseDC(HDC dc) {
    if (!dC_ || dc != dC_.get()) return DDERR_NODC;
    dC_.reset();
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetColorKey(DWORD flags, const DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    if (!key) {
        hasSrcKey_ = false;
        return DD_OK;
    }
    hasSrcKey_ = true;
    srcKey_ = *key;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetColorKey(DWORD flags, DDCOLORKEY* key) const {
    if (!(flags & DDCKEY_SRCBLT) || !key) return DDERR_INVALIDPARAMS;
    if (!hasSrcKey_) return DDERR_NOCOLORKEY;
    *key = srcKey_;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetPalette(const LPDIRECTDRAWPALETTE& palette) {
    if (bpp_ != 1) return DDERR_NOTPALETTIZED;
    palette_ = palette;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetSurfaceDesc(DDSURFACEDESC2* desc) const {
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC2{};
    desc->dwSize = DDSURFACEDESC2_SIZE;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->ddpfPixelFormat = format_;
    desc->ddsCaps.dwCaps = caps_;
    if (backBuffer_) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    if (hasSrcKey_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = srcKey_;
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetAttachedSurface(const DDSCAPS2* caps, LPDIRECTDRAWSURFACE4* out) {
    if (!caps || !out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || !backBuffer_) return DDERR_NOTFOUND;
    *out = backBuffer_;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Flip(IDirectDrawSurface4* target, DWORD flags) {
    if (!IsPrimary() || !backBuffer_) return DDERR_NOTFLIPPABLE;
    if (target) return DDERR_INVALIDPARAMS;
    if (lost_ || backBuffer_->lost_) return DDERR_SURFACELOST;
    if (Busy() || backBuffer_->Busy()) return DDERR_SURFACEBUSY;
    pixels_.swap(backBuffer_->pixels_);
    Touch();
    backBuffer_->Touch();
    if (auto owner = owner_.lock()) owner->Present(*this, (flags & DDFLIP_NOVSYNC) == 0);
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Blt(const RECT* destRect, IDirectDrawSurface4* src, const RECT* srcRect, DWORD flags,
                                 const DDBLTFX* fx) {
    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->dwSize != DDBLTFX_SIZE) return DDERR_INVALIDPARAMS;
        if (lost_) return DDERR_SURFACELOST;
        if (Busy()) return DDERR_SURFACEBUSY;
        RECT d = destRect ? *destRect : WholeRect(width_, height_);
        if (!RectInside(d)) return DDERR_INVALIDRECT;
        Touch();
        plat::FillPixels(PixelAddress(d.left, d.top), pitch_, bpp_, d.right - d.left, d.bottom - d.top,
                         fx->dwFillColor & MaskForBpp(bpp_), d.left == 0 && d.right == width_);
        return DD_OK;
    }
    if (!src) return DDERR_INVALIDPARAMS;
    if (lost_ || src->lost_) return DDERR_SURFACELOST;
    if (Busy() || src->Busy()) return DDERR_SURFACEBUSY;
    RECT d = destRect ? *destRect : WholeRect(width_, height_);
    RECT s = srcRect ? *srcRect : WholeRect(src->width_, src->height_);
    if (!RectInside(d) || !src->RectInside(s)) return DDERR_INVALIDRECT;
    if (src->bpp_ != bpp_) return DDERR_INVALIDPIXELFORMAT;
    bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;
    bool mirrorLR = false, mirrorUD = false;
    if (flags & DDBLT_DDFX) {
        if (!fx || fx->dwSize != DDBLTFX_SIZE) return DDERR_INVALIDPARAMS;
        mirrorLR = (fx->dwDDFX & DDBLTFX_MIRRORLEFTRIGHT) != 0;
        mirrorUD = (fx->dwDDFX & DDBLTFX_MIRRORUPDOWN) != 0;
    }
    CopyPixels(*src, s, d, keyed, mirrorLR, mirrorUD);
    return DD_OK;
}

void IDirectDrawSurface4::CopyPixels(IDirectDrawSurface4& source, const RECT& s, const RECT& d, bool keyed,
                                     bool mirrorLR, bool mirrorUD) {
    IDirectDrawSurface4* src = &source;
    if (keyed && !mirrorLR && !mirrorUD && CopyStillRuns(source, s, d)) return;
    plat::PixelBlit blit;
    blit.srcWidth = s.right - s.left;
    blit.srcHeight = s.bottom - s.top;
    blit.dstWidth = d.right - d.left;
    blit.dstHeight = d.bottom - d.top;
    blit.bytesPerPixel = bpp_;
    blit.keyed = keyed;
    blit.keyLow = src->srcKey_.dwColorSpaceLowValue;
    blit.keyHigh = src->srcKey_.dwColorSpaceHighValue;
    blit.mirrorLeftRight = mirrorLR;
    blit.mirrorUpDown = mirrorUD;
    blit.dst = PixelAddress(d.left, d.top);
    blit.dstPitch = pitch_;
    // A blit within one surface reads from a copy of the source rectangle, so
    // overlapping rectangles come out as if the source had been read first.
    std::vector<BYTE> copy;
    const BYTE* first = src->PixelAddress(s.left, s.top);
    if (src == this) {
        const std::size_t rowBytes = static_cast<std::size_t>(blit.srcWidth) * bpp_;
        copy.resize(rowBytes * static_cast<std::size_t>(blit.srcHeight));
        for (int j = 0; j < blit.srcHeight; ++j)
            std::memcpy(copy.data() + rowBytes * j, first + static_cast<std::size_t>(j) * pitch_, rowBytes);
        blit.src = copy.data();
        blit.srcPitch = static_cast<std::ptrdiff_t>(rowBytes);
    } else {
        blit.src = first;
        blit.srcPitch = src->pitch_;
    }
    // Whole rows on both sides may be moved as one block.
    blit.wholeRows = s.left == 0 && s.right == src->width_ && d.left == 0 && d.right == width_;
    Touch();
    plat::BlitPixels(blit);
}

bool IDirectDrawSurface4::CopyStillRuns(IDirectDrawSurface4& src, const RECT& s, const RECT& d) {
    // A keyed copy at the same size from a picture that has not changed
    // since its last one moves its runs of shown pixels.
    const DWORD keyLow = src.srcKey_.dwColorSpaceLowValue, keyHigh = src.srcKey_.dwColorSpaceHighValue;
    if (&src == this || s.right - s.left != d.right - d.left || s.bottom - s.top != d.bottom - d.top ||
        keyLow > keyHigh)
        return false;
    const plat::KeyedRuns* runs = src.StillRuns(keyLow, keyHigh);
    if (!runs) return false;
    Touch();
    plat::BlitKeyedRuns(*runs, src.pixels_.data(), src.pitch_, bpp_, s.left, s.top, d.right - d.left, d.bottom - d.top,
                        PixelAddress(d.left, d.top), pitch_);
    return true;
}

HRESULT IDirectDrawSurface4::BltFast(DWORD x, DWORD y, IDirectDrawSurface4* src, const RECT* srcRect, DWORD trans) {
    if (!src) return DDERR_INVALIDPARAMS;
    if (lost_ || src->lost_) return DDERR_SURFACELOST;
    if (Busy() || src->Busy()) return DDERR_SURFACEBUSY;
    RECT s = srcRect ? *srcRect : WholeRect(src->width_, src->height_);
    if (!src->RectInside(s)) return DDERR_INVALIDRECT;
    long long right = static_cast<long long>(x) + (s.right - s.left);
    long long bottom = static_cast<long long>(y) + (s.bottom - s.top);
    if (x > 0x7FFFFFFFu || y > 0x7FFFFFFFu || right > width_ || bottom > height_) return DDERR_INVALIDRECT;
    if (src->bpp_ != bpp_) return DDERR_INVALIDPIXELFORMAT;
    RECT d{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(right), static_cast<LONG>(bottom)};
    const bool keyed = (trans & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;
    CopyPixels(*src, s, d, keyed, false, false);
    return DD_OK;
}
