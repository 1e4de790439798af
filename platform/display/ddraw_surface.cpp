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

// Loose junk for the contents of a restored surface, which are undefined.
constexpr BYTE kRestoredJunk = 0xA5;

}  // namespace

IDirectDrawSurface4::IDirectDrawSurface4(Private, int width, int height, const DDPIXELFORMAT& format, DWORD caps)
    : m_Width(width), m_Height(height), m_Bpp(plat::BytesForBitCount(format.dwRGBBitCount)), m_Format(format),
      m_Caps(caps) {
    // Rows are padded beyond their pixels, as display memory often is, so
    // code that steps by width instead of pitch shows at once.
    int rowBytes = m_Width * m_Bpp;
    m_Pitch = ((rowBytes + 15) / 16) * 16 + 16;
    m_Pixels.assign(static_cast<std::size_t>(m_Pitch) * static_cast<std::size_t>(m_Height), 0);
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
    if (!m_Runs) m_Runs = std::make_unique<RunCache>();
    RunCache& c = *m_Runs;
    if (!c.seen || c.generation != m_Generation || c.keyLow != keyLow || c.keyHigh != keyHigh) {
        c.seen = true;
        c.found = false;
        c.generation = m_Generation;
        c.keyLow = keyLow;
        c.keyHigh = keyHigh;
        c.runs = plat::KeyedRuns{};
        return nullptr;
    }
    if (!c.found) {
        c.runs = plat::FindKeyedRuns(m_Pixels.data(), m_Pitch, m_Bpp, m_Width, m_Height, keyLow, keyHigh);
        c.found = true;
    }
    return &c.runs;
}

bool IDirectDrawSurface4::RectInside(const RECT& r) const {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= m_Width &&
           r.bottom <= m_Height;
}

DWORD IDirectDrawSurface4::PixelAt(int x, int y) const {
    return ReadPixel(PixelAddress(x, y), m_Bpp);
}

void IDirectDrawSurface4::SetPixelAt(int x, int y, DWORD value) {
    Touch();
    WritePixel(PixelAddress(x, y), m_Bpp, value);
}

void IDirectDrawSurface4::SetLost(bool lost) {
    m_Lost = lost;
    if (m_BackBuffer) m_BackBuffer->m_Lost = lost;
}

HRESULT IDirectDrawSurface4::IsLost() const { return m_Lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface4::Restore() {
    if (m_Implicit) return DDERR_IMPLICITLYCREATED;
    if (!m_Lost) return DD_OK;
    if (m_RestoreRefused) return DDERR_NOEXCLUSIVEMODE;
    auto revive = [](IDirectDrawSurface4& s) {
        s.Touch();
        s.m_Lost = false;
        s.m_Locked = false;
        std::fill(s.m_Pixels.begin(), s.m_Pixels.end(), kRestoredJunk);
        ++s.m_RestoreCount;
    };
    revive(*this);
    if (m_BackBuffer) revive(*m_BackBuffer);
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Lock(const RECT* rect, DDSURFACEDESC2* desc, DWORD, HANDLE) {
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE) return DDERR_INVALIDPARAMS;
    if (m_Lost) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    RECT r = rect ? *rect : WholeRect(m_Width, m_Height);
    if (!RectInside(r)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = PixelAddress(r.left, r.top);
    m_Locked = true;
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Unlock(const RECT*) {
    if (m_Lost) {
        // A lost surface loses its lock with it.
        m_Locked = false;
        return DDERR_SURFACELOST;
    }
    if (!m_Locked) return DDERR_NOTLOCKED;
    m_Locked = false;
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetDC(HDC* dc) {
    if (!dc) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (m_Lost) return DDERR_SURFACELOST;
    if (m_DC) return DDERR_DCALREADYCREATED;
    if (m_Locked) return DDERR_SURFACEBUSY;
    if (m_Bpp < 2) return DDERR_CANTCREATEDC;
    Touch();
    m_DC = std::make_unique<DeviceContext>();
    m_DC->surface = this;
    *dc = m_DC.get();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::ReleaseDC(HDC dc) {
    if (!m_DC || dc != m_DC.get()) return DDERR_NODC;
    m_DC.reset();
    Touch();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetColorKey(DWORD flags, const DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    if (!key) {
        m_HasSrcKey = false;
        return DD_OK;
    }
    m_HasSrcKey = true;
    m_SrcKey = *key;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetColorKey(DWORD flags, DDCOLORKEY* key) const {
    if (!(flags & DDCKEY_SRCBLT) || !key) return DDERR_INVALIDPARAMS;
    if (!m_HasSrcKey) return DDERR_NOCOLORKEY;
    *key = m_SrcKey;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetPalette(const LPDIRECTDRAWPALETTE& palette) {
    if (m_Bpp != 1) return DDERR_NOTPALETTIZED;
    m_Palette = palette;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetSurfaceDesc(DDSURFACEDESC2* desc) const {
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC2{};
    desc->dwSize = DDSURFACEDESC2_SIZE;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(m_Width);
    desc->dwHeight = static_cast<DWORD>(m_Height);
    desc->lPitch = m_Pitch;
    desc->ddpfPixelFormat = m_Format;
    desc->ddsCaps.dwCaps = m_Caps;
    if (m_BackBuffer) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    if (m_HasSrcKey) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = m_SrcKey;
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetAttachedSurface(const DDSCAPS2* caps, LPDIRECTDRAWSURFACE4* out) {
    if (!caps || !out) return DDERR_INVALIDPARAMS;
    out->reset();
    if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || !m_BackBuffer) return DDERR_NOTFOUND;
    *out = m_BackBuffer;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Flip(IDirectDrawSurface4* target, DWORD flags) {
    if (!IsPrimary() || !m_BackBuffer) return DDERR_NOTFLIPPABLE;
    if (target) return DDERR_INVALIDPARAMS;
    if (m_Lost || m_BackBuffer->m_Lost) return DDERR_SURFACELOST;
    if (Busy() || m_BackBuffer->Busy()) return DDERR_SURFACEBUSY;
    m_Pixels.swap(m_BackBuffer->m_Pixels);
    Touch();
    m_BackBuffer->Touch();
    if (auto owner = m_Owner.lock()) owner->Present(*this, (flags & DDFLIP_NOVSYNC) == 0);
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Blt(const RECT* destRect, IDirectDrawSurface4* src, const RECT* srcRect, DWORD flags,
                                 const DDBLTFX* fx) {
    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->dwSize != DDBLTFX_SIZE) return DDERR_INVALIDPARAMS;
        if (m_Lost) return DDERR_SURFACELOST;
        if (Busy()) return DDERR_SURFACEBUSY;
        RECT d = destRect ? *destRect : WholeRect(m_Width, m_Height);
        if (!RectInside(d)) return DDERR_INVALIDRECT;
        Touch();
        plat::FillPixels(PixelAddress(d.left, d.top), m_Pitch, m_Bpp, d.right - d.left, d.bottom - d.top,
                         fx->dwFillColor & MaskForBpp(m_Bpp), d.left == 0 && d.right == m_Width);
        return DD_OK;
    }
    if (!src) return DDERR_INVALIDPARAMS;
    if (m_Lost || src->m_Lost) return DDERR_SURFACELOST;
    if (Busy() || src->Busy()) return DDERR_SURFACEBUSY;
    RECT d = destRect ? *destRect : WholeRect(m_Width, m_Height);
    RECT s = srcRect ? *srcRect : WholeRect(src->m_Width, src->m_Height);
    if (!RectInside(d) || !src->RectInside(s)) return DDERR_INVALIDRECT;
    if (src->m_Bpp != m_Bpp) return DDERR_INVALIDPIXELFORMAT;
    bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src->m_HasSrcKey) return DDERR_NOCOLORKEY;
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
    blit.bytesPerPixel = m_Bpp;
    blit.keyed = keyed;
    blit.keyLow = src->m_SrcKey.dwColorSpaceLowValue;
    blit.keyHigh = src->m_SrcKey.dwColorSpaceHighValue;
    blit.mirrorLeftRight = mirrorLR;
    blit.mirrorUpDown = mirrorUD;
    blit.dst = PixelAddress(d.left, d.top);
    blit.dstPitch = m_Pitch;
    // A blit within one surface reads from a copy of the source rectangle, so
    // overlapping rectangles come out as if the source had been read first.
    std::vector<BYTE> copy;
    const BYTE* first = src->PixelAddress(s.left, s.top);
    if (src == this) {
        const std::size_t rowBytes = static_cast<std::size_t>(blit.srcWidth) * m_Bpp;
        copy.resize(rowBytes * static_cast<std::size_t>(blit.srcHeight));
        for (int j = 0; j < blit.srcHeight; ++j)
            std::memcpy(copy.data() + rowBytes * j, first + static_cast<std::size_t>(j) * m_Pitch, rowBytes);
        blit.src = copy.data();
        blit.srcPitch = static_cast<std::ptrdiff_t>(rowBytes);
    } else {
        blit.src = first;
        blit.srcPitch = src->m_Pitch;
    }
    // Whole rows on both sides may be moved as one block.
    blit.wholeRows = s.left == 0 && s.right == src->m_Width && d.left == 0 && d.right == m_Width;
    Touch();
    plat::BlitPixels(blit);
}

bool IDirectDrawSurface4::CopyStillRuns(IDirectDrawSurface4& src, const RECT& s, const RECT& d) {
    // A keyed copy at the same size from a picture that has not changed
    // since its last one moves its runs of shown pixels.
    const DWORD keyLow = src.m_SrcKey.dwColorSpaceLowValue, keyHigh = src.m_SrcKey.dwColorSpaceHighValue;
    if (&src == this || s.right - s.left != d.right - d.left || s.bottom - s.top != d.bottom - d.top ||
        keyLow > keyHigh)
        return false;
    const plat::KeyedRuns* runs = src.StillRuns(keyLow, keyHigh);
    if (!runs) return false;
    Touch();
    plat::BlitKeyedRuns(*runs, src.m_Pixels.data(), src.m_Pitch, m_Bpp, s.left, s.top, d.right - d.left,
                        d.bottom - d.top, PixelAddress(d.left, d.top), m_Pitch);
    return true;
}

HRESULT IDirectDrawSurface4::BltFast(DWORD x, DWORD y, IDirectDrawSurface4* src, const RECT* srcRect, DWORD trans) {
    if (!src) return DDERR_INVALIDPARAMS;
    if (m_Lost || src->m_Lost) return DDERR_SURFACELOST;
    if (Busy() || src->Busy()) return DDERR_SURFACEBUSY;
    RECT s = srcRect ? *srcRect : WholeRect(src->m_Width, src->m_Height);
    if (!src->RectInside(s)) return DDERR_INVALIDRECT;
    long long right = static_cast<long long>(x) + (s.right - s.left);
    long long bottom = static_cast<long long>(y) + (s.bottom - s.top);
    if (x > 0x7FFFFFFFu || y > 0x7FFFFFFFu || right > m_Width || bottom > m_Height) return DDERR_INVALIDRECT;
    if (src->m_Bpp != m_Bpp) return DDERR_INVALIDPIXELFORMAT;
    RECT d{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(right), static_cast<LONG>(bottom)};
    const bool keyed = (trans & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !src->m_HasSrcKey) return DDERR_NOCOLORKEY;
    CopyPixels(*src, s, d, keyed, false, false);
    return DD_OK;
}
