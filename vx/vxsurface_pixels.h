// What the pixel-level surface code shares: the depth the pixel primitives
// draw at, and addressing into the memory of a surface's current lock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace vx {

// The pixel primitives draw at the display's depth, not the surface's own
// format: every surface the game draws pixels on has the display's depth.
inline int PixelDepthOf(const VXSurface& s) { return s.Screen ? s.Screen->BitsPerPixel : 0; }

// True while the surface holds a lock that gave it a pixel pointer.
inline bool HoldsLock(const VXSurface& s) {
    return s.DirectDrawSurface && s.DirectDrawSurface->IsLocked() && s.SurfaceDesc.lpSurface != nullptr;
}

// Bytes per pixel of the lock described by `desc`, 0 without a pixel pointer.
inline int LockedBytesPerPixel(const DDSURFACEDESC2& desc) {
    if (desc.lpSurface == nullptr) return 0;
    const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    return (bits % 8 == 0 && bits >= 8 && bits <= 32) ? static_cast<int>(bits / 8) : 0;
}

inline std::uint8_t* LockedPixelAddress(const DDSURFACEDESC2& desc, long x, long y, int bpp) {
    return static_cast<std::uint8_t*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch +
           static_cast<std::ptrdiff_t>(x) * bpp;
}

}  // namespace vx
