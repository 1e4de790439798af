// The row loops under the picture loaders: one byte of each 4-byte pixel set
// or read, and a row of colours packed into a surface's pixels. The vector
// paths take sixteen pixels at a time, so the counts straddle that.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/pixelrows.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::size_t kCounts[] = {0, 1, 15, 16, 17, 31, 32, 33, 100};

Bytes Pattern(std::size_t n, unsigned seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 37 + seed * 11 + 5);
    return b;
}

TEST(PixelRows, SetPixelBytesWritesOnlyTheChosenByteOfEachPixel) {
    for (int at = 0; at < 4; ++at)
        for (std::size_t count : kCounts) {
            const Bytes from = Pattern(count, 1);
            // One pixel more than the count, which must stay as it was.
            Bytes pixels = Pattern((count + 1) * 4, 2), want = pixels;
            for (std::size_t i = 0; i < count; ++i) want[i * 4 + static_cast<std::size_t>(at)] = from[i];
            plat::rows::SetPixelBytes(pixels.data(), at, from.data(), count);
            EXPECT_EQ(pixels, want) << "byte " << at << ", " << count << " pixels";
        }
}

TEST(PixelRows, GetPixelBytesReadsTheChosenByteOfEachPixel) {
    for (int at = 0; at < 4; ++at)
        for (std::size_t count : kCounts) {
            const Bytes pixels = Pattern(count * 4, 3);
            Bytes to(count + 1, 0xEE), want = to;
            for (std::size_t i = 0; i < count; ++i) want[i] = pixels[i * 4 + static_cast<std::size_t>(at)];
            plat::rows::GetPixelBytes(pixels.data(), at, count, to.data());
            EXPECT_EQ(to, want) << "byte " << at << ", " << count << " pixels";
        }
}

// A row read in order from its first pixel (no offsets) packs the same
// pixels as the same row through offsets naming each pixel in turn, for
// every pixel size and the 16-bit layouts a surface can have.
TEST(PixelRows, AColourRowInOrderMatchesTheRowThroughOffsets) {
    struct Layout {
        int toBytes;
        std::uint32_t red, green, blue;
    };
    const Layout layouts[] = {
        {2, 0xF800, 0x07E0, 0x001F}, {2, 0x7C00, 0x03E0, 0x001F},       {2, 0x0F00, 0x00F0, 0x000F},
        {2, 0x001F, 0x07E0, 0xF800}, {3, 0xFF0000, 0x00FF00, 0x0000FF}, {4, 0xFF0000, 0x00FF00, 0x0000FF},
    };
    for (const auto from : {plat::rows::ColourConversion::From::Dib, plat::rows::ColourConversion::From::Bitmap})
        for (const Layout& l : layouts) {
            plat::rows::ColourConversion job;
            job.from = from;
            job.toBytes = l.toBytes;
            job.PackInto(l.red, l.green, l.blue);
            for (std::size_t count : kCounts) {
                const Bytes src = Pattern(count * 4, 4);
                std::vector<std::size_t> offsets(count);
                for (std::size_t i = 0; i < count; ++i) offsets[i] = i * 4;
                const std::size_t bytes = (count + 1) * static_cast<std::size_t>(l.toBytes);
                Bytes viaOffsets(bytes, 0xEE), inOrder = viaOffsets;
                plat::rows::CopyColourRow(job, src.data(), offsets.data(), count, viaOffsets.data());
                plat::rows::CopyColourRow(job, src.data(), nullptr, count, inOrder.data());
                EXPECT_EQ(inOrder, viaOffsets) << l.toBytes << " bytes, masks " << std::hex << l.red << " " << l.green
                                               << " " << l.blue << std::dec << ", " << count << " pixels";
                if (count > 1) {
                    EXPECT_NE(inOrder, Bytes(bytes, 0xEE));
                }
            }
        }
}

}  // namespace
