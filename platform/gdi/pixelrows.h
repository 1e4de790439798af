// The per-pixel loops of the picture loaders and of GDI's pixel transfers.
// Each converts one row, or one stretch of bytes, with everything it needs
// (palette, channel places, expansion table) worked out by its caller once
// per call. They live in a file of their own so that the fuzz build can
// leave them without coverage hooks: they do the same for every pixel,
// whatever the file held.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace plat::rows {

using u8 = std::uint8_t;
using u32 = std::uint32_t;

// ---- BMP rows into 0x00RRGGBB pixels -----------------------------------------

// Palette indices of `bits` bits (1, 2, 4 or 8), the first in the top bits
// of each byte. Returns the largest index met.
u32 IndexedToColours(int bits, const u8* from, int w, const u32* palette, u32* to);
// 16-bit pixels through a table of all 65536 values.
void Expand16(const u8* from, int w, const u32* table, u32* to);
// Blue, green, red bytes.
void Bgr24ToColours(const u8* from, int w, u32* to);
// 32-bit pixels with the colour in the low three bytes.
void Bgrx32ToColours(const u8* from, int w, u32* to);
// One byte a pixel through the palette.
void BytesToColours(const u8* indices, int w, const u32* palette, u32* to);
// `count` bytes alternating between two values, the first first.
void FillPair(u8* to, int count, u8 first, u8 second);
// `count` indices as stored: bytes, or nibbles high one first. Returns the
// largest.
u32 UnpackIndices(u8* to, int count, const u8* from, bool bytes);
// The byte above the colour of each pixel cleared.
void DropTopBytes(u32* pixels, std::size_t count);

// ---- Bytes of 4-byte pixels ----------------------------------------------------

// Byte `at` of pixel i set to from[i], or to `value`, for `count` pixels.
void SetPixelBytes(u8* pixels, int at, const u8* from, std::size_t count);
void FillPixelBytes(u8* pixels, int at, u8 value, std::size_t count);
// to[i] = byte `at` of pixel i.
void GetPixelBytes(const u8* pixels, int at, std::size_t count, u8* to);
// Every pixel set to the four bytes of `word`, lowest first.
void FillPixelWords(u8* pixels, std::size_t count, u32 word);

// ---- GDI's transfers -------------------------------------------------------------

// Where one channel sits in a pixel value.
struct ChannelPlace {
    int pos = 0, bits = 0;
    u32 mask = 0;
    ChannelPlace() = default;
    explicit ChannelPlace(u32 m);
    // An 8-bit channel value in place: its top bits kept.
    u32 From8(unsigned v8) const;
    // The channel of a pixel value as 8 bits: shifted up.
    unsigned To8(u32 raw) const;
};

// The colour conversion of one transfer, worked out once per call by its
// caller and used for every row: how a source pixel is read as 8-bit red,
// green and blue (a DIB's, a bitmap's, or a surface's of `fromBytes` bytes
// with its channels in place), and how those are packed into the
// destination's pixel of 2, 3 or 4 bytes (the tables and shifts that
// PackInto fills in).
struct ColourConversion {
    enum class From { Dib, Bitmap, Surface };
    From from = From::Bitmap;
    int fromBytes = 4;  // a surface's bytes per pixel
    ChannelPlace fromRed, fromGreen, fromBlue;
    int toBytes = 4;
    // Each channel's 256 values in place in the destination's pixel.
    std::array<u32, 256> red{}, green{}, blue{};
    // Packing into these channel masks.
    void PackInto(u32 redMask, u32 greenMask, u32 blueMask);
    // Set by PackInto when every channel is at most 8 contiguous bits inside
    // the low 16: channel c of a 0x00RRGGBB colour then goes in place as
    // (colour >> down[c]) & keep[c], shifted up by up[c], with no tables.
    bool shifted = false;
    int down[3]{}, up[3]{};
    u32 keep[3]{};
};

// One row of a transfer: dst pixel i = the colour of the source pixel at
// src + offsets[i], or of source pixel i when `offsets` is null (a transfer
// at the same width), converted as `job` says.
void CopyColourRow(const ColourConversion& job, const u8* src, const std::size_t* offsets, std::size_t count, u8* dst);

}  // namespace plat::rows
