// The pixel loops behind the software blit modes and the pixel primitives.
//
// Each kernel works on memory that the caller has locked: a pointer to the
// first pixel of the rectangle and the row pitch in bytes. The depth code
// (15, 16, 24, 32; 8 where noted) is chosen once per call; the loops
// themselves have no format tests and no bounds tests, so the caller clips
// first. Every kernel returns false, and touches nothing, for a depth it does
// not draw at.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

// A rectangle of locked pixel memory: its first pixel and the row pitch.
struct PixelRows {
    std::uint8_t* first = nullptr;
    std::ptrdiff_t pitch = 0;
};
struct ConstPixelRows {
    const std::uint8_t* first = nullptr;
    std::ptrdiff_t pitch = 0;
};

// The source colour key as the keyed modes compare it. A key that no pixel
// of the depth can equal (the -1 of a surface created empty, or a value with
// bits above the pixel) is inactive, so nothing is skipped.
struct SourceKey {
    bool active = false;
    std::uint32_t value = 0;
};

// The software modes compare the 16-bit pixel at 15 and 16, the low 24 bits
// at 24 and 32.
SourceKey BlendKey(int depth, long long colorKey);

// Bytes per pixel of a depth code, 0 for a code no kernel draws at.
int BytesPerPixelOf(int depth);

// Per channel floor(s/2) + floor(d/2).
bool HalfBlendPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key);
// Per channel s + floor(a * (d - s) / 256), a = min(alpha, 256): the weight
// belongs to the destination.
bool AlphaBlendPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned alpha, SourceKey key);
// Per destination channel (f * d) >> 8, f = min(shade, 256). The source only
// decides, for a keyed call, which pixels are shaded.
bool ShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned shade, SourceKey key);
// Per destination channel floor(d / 2).
bool HalfShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key);
// Per channel d + floor((s - d) * a / 256) with a the map byte of the pixel;
// the map walks with its own pitch (the source surface's width).
bool AlphaMapPixels(int depth, ConstPixelRows src, PixelRows dst, const std::uint8_t* map, std::ptrdiff_t mapPitch,
                    int w, int h, SourceKey key);

// The mirrored copy done by hand: source pixel (j, i) lands at (w-1-j, i)
// when leftRight, else at (j, h-1-i). It reads and writes pixels as the pixel
// primitives do (depths 8, 15, 16, 24, 32; at 32 the fourth byte is read and
// compared but not written), and skips source pixels equal to `key` when
// keyed.
bool MirrorPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, bool leftRight, bool keyed,
                  long long key);

// One pixel as the pixel primitives store it: 8 the low byte, 15/16 the low
// 16 bits, 24 and 32 the low 24 bits (the fourth byte at 32 keeps its value).
bool StorePixel(int depth, std::uint8_t* at, std::uint32_t colour);
// The pixel as the primitives read it: 8, 16 or 24 bits, all 32 at 32; 0 at
// any other depth.
std::uint32_t LoadPixel(int depth, const std::uint8_t* at);
// `count` pixels of one row from `at` on, in whole words where the depth
// allows it.
bool StoreRun(int depth, std::uint8_t* at, int count, std::uint32_t colour);

}  // namespace vx
