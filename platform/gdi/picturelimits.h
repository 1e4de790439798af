// The largest picture any loader decodes. A picture file states its size in
// its header, and a header can lie: every loader reads the size first and
// refuses a larger picture before it allocates anything for it.
#pragma once

#include <cstdint>

namespace plat {

inline constexpr std::uint64_t kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPicturePixels = 16ull * 1024 * 1024;

// A picture of width x height pixels that a loader may allocate and decode.
constexpr bool PictureSizeAccepted(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace plat
