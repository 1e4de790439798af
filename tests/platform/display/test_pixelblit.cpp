// The fill and copy loops under Blt and BltFast.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/display/pixelblit.h"

namespace {

// A small picture with padded rows, read and written by value.
struct Pic {
    Pic(int bpp, int w, int h)
        : bpp(bpp), w(w), h(h), pitch(w * bpp + 8), bytes(static_cast<std::size_t>(pitch * h), 0xCC) {}
    std::uint8_t* At(int x, int y) { return bytes.data() + y * pitch + x * bpp; }
    std::uint32_t Get(int x, int y) {
        std::uint32_t v = 0;
        std::memcpy(&v, At(x, y), static_cast<std::size_t>(bpp));
        return v;
    }
    void Set(int x, int y, std::uint32_t v) { std::memcpy(At(x, y), &v, static_cast<std::size_t>(bpp)); }
    int bpp, w, h, pitch;
    std::vector<std::uint8_t> bytes;
};

plat::PixelBlit Job(Pic& s, int sx, int sy, int sw, int sh, Pic& d, int dx, int dy, int dw, int dh) {
    plat::PixelBlit b;
    b.src = s.At(sx, sy);
    b.srcPitch = s.pitch;
    b.srcWidth = sw;
    b.srcHeight = sh;
    b.dst = d.At(dx, dy);
    b.dstPitch = d.pitch;
    b.dstWidth = dw;
    b.dstHeight = dh;
    b.bytesPerPixel = s.bpp;
    return b;
}

TEST(PixelBlit, FillWritesOnlyTheRectangleAtEveryPixelSize) {
    for (int bpp = 1; bpp <= 4; ++bpp) {
        SCOPED_TRACE(bpp);
        Pic p(bpp, 6, 4);
        plat::FillPixels(p.At(1, 1), p.pitch, bpp, 3, 2, 0x11223344);
        const std::uint32_t want = bpp == 4 ? 0x11223344u : (0x11223344u & ((1u << (8 * bpp)) - 1));
        const std::uint32_t junk = bpp == 4 ? 0xCCCCCCCCu : (0xCCCCCCCCu & ((1u << (8 * bpp)) - 1));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
                EXPECT_EQ(p.Get(x, y), inside ? want : junk) << x << "," << y;
            }
        EXPECT_EQ(p.bytes[static_cast<std::size_t>(p.w * bpp)], 0xCC);  // row padding untouched
    }
}

TEST(PixelBlit, FillWithOneRepeatedByte) {
    // 0x5555 at 16 bits and 0x777777 at 24 are byte fills; the row padding
    // still stays as it was.
    Pic p(2, 5, 3);
    plat::FillPixels(p.At(0, 0), p.pitch, 2, 5, 3, 0xAB5555);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(p.Get(x, y), 0x5555u);
    EXPECT_EQ(p.bytes[10], 0xCC);
    Pic q(3, 2, 2);
    plat::FillPixels(q.At(1, 1), q.pitch, 3, 1, 1, 0x777777);
    EXPECT_EQ(q.Get(1, 1), 0x777777u);
    EXPECT_EQ(q.Get(0, 1), 0xCCCCCCu);
}

TEST(PixelBlit, WholeRowFillsGoAsOneBlock) {
    // Whole rows of a 5-pixel-wide picture, filled with a plain and a
    // one-byte value: every pixel of the rows is set, and nothing before the
    // first pixel or after the last one changes (the padding between the
    // rows may). Rows 0-2 of 2-byte pixels end on a half word; 3-byte pixels
    // do not divide the pitch and go row by row.
    struct Rows {
        int top, count;
    };
    for (Rows rows : {Rows{1, 2}, Rows{0, 3}})
        for (std::uint32_t value : {0x11223344u, 0x55555555u})
            for (int bpp = 1; bpp <= 4; ++bpp) {
                SCOPED_TRACE(testing::Message() << "bpp " << bpp << " value " << value << " top " << rows.top);
                Pic p(bpp, 5, 5);
                plat::FillPixels(p.At(0, rows.top), p.pitch, bpp, 5, rows.count, value, true);
                const std::uint32_t want = bpp == 4 ? value : (value & ((1u << (8 * bpp)) - 1));
                const int last = rows.top + rows.count - 1;
                for (int y = rows.top; y <= last; ++y)
                    for (int x = 0; x < 5; ++x) EXPECT_EQ(p.Get(x, y), want) << x << "," << y;
                for (int y = 0; y < 5; ++y)
                    for (int b = 0; b < p.pitch; ++b) {
                        const bool untouched = y < rows.top || y > last || (y == last && b >= 5 * bpp);
                        if (untouched) {
                            EXPECT_EQ(p.bytes[static_cast<std::size_t>(y * p.pitch + b)], 0xCC)
                                << "row " << y << " byte " << b;
                        }
                    }
            }
}

TEST(PixelBlit, WholeRowCopiesMoveEveryRow) {
    // Rectangles spanning whole rows of equal pitch go as one block; the
    // pixels must come out as row by row.
    Pic s(2, 4, 3), d(2, 4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) s.Set(x, y, static_cast<std::uint32_t>(1 + x + 4 * y));
    auto b = Job(s, 0, 0, 4, 3, d, 0, 0, 4, 3);
    b.wholeRows = true;
    plat::BlitPixels(b);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(d.Get(x, y), static_cast<std::uint32_t>(1 + x + 4 * y));
    // Keyed whole rows still test every pixel.
    Pic k(2, 4, 3);
    s.Set(2, 1, 0);
    auto c = Job(s, 0, 0, 4, 3, k, 0, 0, 4, 3);
    c.wholeRows = true;
    c.keyed = true;
    plat::BlitPixels(c);
    EXPECT_EQ(k.Get(2, 1), 0xCCCCu);
    EXPECT_EQ(k.Get(3, 1), 8u);
}

TEST(PixelBlit, KeyedCopySkipsTheKeyRange) {
    for (int bpp = 1; bpp <= 4; ++bpp) {
        SCOPED_TRACE(bpp);
        Pic s(bpp, 5, 1), d(bpp, 5, 1);
        const std::uint32_t vals[5] = {0, 7, 8, 9, 10};
        for (int x = 0; x < 5; ++x) {
            s.Set(x, 0, vals[x]);
            d.Set(x, 0, 0x55);
        }
        auto b = Job(s, 0, 0, 5, 1, d, 0, 0, 5, 1);
        b.keyed = true;
        b.keyLow = 8;
        b.keyHigh = 9;
        plat::BlitPixels(b);
        EXPECT_EQ(d.Get(0, 0), 0u);
        EXPECT_EQ(d.Get(1, 0), 7u);
        EXPECT_EQ(d.Get(2, 0), 0x55u);
        EXPECT_EQ(d.Get(3, 0), 0x55u);
        EXPECT_EQ(d.Get(4, 0), 10u);
    }
}

TEST(PixelBlit, KeyedCopyComparesTheWholePixel) {
    // A 16-bit pixel 0x0100 is not the key 0, and 0x00010000 at 32 bits
    // is not either: no byte of a pixel is compared on its own.
    Pic s(2, 2, 1), d(2, 2, 1);
    s.Set(0, 0, 0x0100);
    s.Set(1, 0, 0x0000);
    d.Set(0, 0, 0x7777);
    d.Set(1, 0, 0x7777);
    auto b = Job(s, 0, 0, 2, 1, d, 0, 0, 2, 1);
    b.keyed = true;
    plat::BlitPixels(b);
    EXPECT_EQ(d.Get(0, 0), 0x0100u);
    EXPECT_EQ(d.Get(1, 0), 0x7777u);
}

TEST(PixelBlit, StretchTakesTheNearestPixelBelow) {
    // 3 source columns stretched to 7: column i takes floor(i * 3 / 7).
    Pic s(2, 3, 2), d(2, 7, 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) s.Set(x, y, static_cast<std::uint32_t>(10 * y + x + 1));
    plat::BlitPixels(Job(s, 0, 0, 3, 2, d, 0, 0, 7, 4));
    const int cols[7] = {0, 0, 0, 1, 1, 2, 2};
    const int rows[4] = {0, 0, 1, 1};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(d.Get(x, y), static_cast<std::uint32_t>(10 * rows[y] + cols[x] + 1)) << x << "," << y;

    // Shrinking 4 to 2 takes columns 0 and 2.
    Pic s2(4, 4, 1), d2(4, 2, 1);
    for (int x = 0; x < 4; ++x) s2.Set(x, 0, 0xFF000000u + static_cast<std::uint32_t>(x));
    plat::BlitPixels(Job(s2, 0, 0, 4, 1, d2, 0, 0, 2, 1));
    EXPECT_EQ(d2.Get(0, 0), 0xFF000000u);
    EXPECT_EQ(d2.Get(1, 0), 0xFF000002u);
}

TEST(PixelBlit, MirrorsReverseColumnsAndRows) {
    for (int bpp : {2, 3}) {
        Pic s(bpp, 3, 2), lr(bpp, 3, 2), ud(bpp, 3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) s.Set(x, y, static_cast<std::uint32_t>(1 + x + 3 * y));
        auto b = Job(s, 0, 0, 3, 2, lr, 0, 0, 3, 2);
        b.mirrorLeftRight = true;
        plat::BlitPixels(b);
        auto c = Job(s, 0, 0, 3, 2, ud, 0, 0, 3, 2);
        c.mirrorUpDown = true;
        plat::BlitPixels(c);
        EXPECT_EQ(lr.Get(0, 0), 3u);
        EXPECT_EQ(lr.Get(2, 1), 4u);
        EXPECT_EQ(ud.Get(0, 0), 4u);
        EXPECT_EQ(ud.Get(2, 1), 3u);
    }
}

// The stretch steps through its source columns and rows with a remainder,
// keeps its tables between calls, gathers several pixels into one store and
// copies a repeated source row from the row above; every pixel must still be
// the one floor(i * from / to) names, at every size pair and pixel size,
// mirrored or not, keyed or not.
TEST(PixelBlit, StretchMatchesTheNearestPixelFormulaAtEverySize) {
    const int sizes[] = {1, 2, 3, 7, 27, 64, 100, 128, 150, 301};
    for (int bpp : {1, 2, 3, 4}) {
        const std::uint32_t mask = bpp == 4 ? 0xFFFFFFFFu : (1u << (8 * bpp)) - 1;
        Pic s(bpp, 301, 3);
        // Every byte of a 4-byte pixel differs from column to column.
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 301; ++x)
                s.Set(x, y, static_cast<std::uint32_t>((x * 7 + y * 1000) % 0xFFFF) * (bpp == 4 ? 0x10003u : 1u));
        const std::uint32_t key = s.Get(1, 0);
        for (int from : sizes)
            for (int to : sizes)
                for (int mirror = 0; mirror < 4; ++mirror) {
                    const bool keyed = mirror == 3;
                    Pic d(bpp, to, 5);
                    auto b = Job(s, 0, 0, from, 3, d, 0, 0, to, 5);
                    b.mirrorLeftRight = mirror == 1;
                    b.mirrorUpDown = mirror == 2;
                    b.keyed = keyed;
                    b.keyLow = b.keyHigh = key;
                    plat::BlitPixels(b);
                    for (int y = 0; y < 5; ++y)
                        for (int x = 0; x < to; ++x) {
                            const int c = b.mirrorLeftRight ? to - 1 - x : x;
                            const int r = b.mirrorUpDown ? 4 - y : y;
                            const std::uint32_t want = s.Get(static_cast<int>(static_cast<long long>(c) * from / to),
                                                             static_cast<int>(static_cast<long long>(r) * 3 / 5));
                            const std::uint32_t got = d.Get(x, y) & mask;
                            if (keyed && want == key)
                                EXPECT_EQ(got, 0xCCCCCCCCu & mask);
                            else
                                EXPECT_EQ(got, want) << bpp << " bytes " << from << "->" << to << " mirror " << mirror
                                                     << " at " << x << "," << y;
                        }
                    // The bytes after the row's last pixel are left alone.
                    for (int y = 0; y < 5; ++y)
                        EXPECT_EQ(d.At(to, y)[0], 0xCC) << bpp << " bytes " << from << "->" << to;
                }
    }
}

// The runs of a still picture give the same keyed copy as the pixel-by-pixel
// loop, for every part of the picture that a clip can leave.
TEST(PixelBlit, KeyedRunsCopyTheSamePixelsAsTheKeyedLoop) {
    for (int bpp : {2, 3, 4}) {
        Pic s(bpp, 23, 9);
        // Runs of every length, touching both edges, and a row all key.
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 23; ++x) {
                const bool key = y == 4 || ((x * x + y * 3) % 7) < 3 || (y == 2 && x > 5);
                s.Set(x, y,
                      key ? 0x10u + static_cast<std::uint32_t>((x + y) % 3)
                          : 0x100u + static_cast<std::uint32_t>(x + 23 * y));
            }
        const plat::KeyedRuns runs = plat::FindKeyedRuns(s.At(0, 0), s.pitch, bpp, 23, 9, 0x10, 0x12);
        for (int left : {0, 1, 5, 22})
            for (int top : {0, 3, 8})
                for (int w : {1, 4, 23 - left})
                    for (int h : {1, 9 - top}) {
                        if (left + w > 23) continue;
                        Pic byLoop(bpp, 30, 12), byRuns(bpp, 30, 12);
                        auto b = Job(s, left, top, w, h, byLoop, 2, 1, w, h);
                        b.keyed = true;
                        b.keyLow = 0x10;
                        b.keyHigh = 0x12;
                        plat::BlitPixels(b);
                        plat::BlitKeyedRuns(runs, s.At(0, 0), s.pitch, bpp, left, top, w, h, byRuns.At(2, 1),
                                            byRuns.pitch);
                        EXPECT_EQ(byLoop.bytes, byRuns.bytes)
                            << bpp << " bytes, " << left << "," << top << " " << w << "x" << h;
                    }
    }
}

// Runs of every length up to past the longest moved without a library call
// land whole and touch nothing beside them, whether the copy takes the whole
// picture, whole rows of it, or a clipped part.
TEST(PixelBlit, KeyedRunsOfEveryLengthCopyExactly) {
    constexpr int kWidth = 140;
    struct Part {
        int left, top, h;
    };
    for (int bpp : {2, 3, 4})
        for (int length = 1; length <= kWidth - 2; ++length) {
            Pic s(bpp, kWidth, 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < kWidth; ++x)
                    s.Set(x, y, x >= 1 && x <= length ? 0x100u + static_cast<std::uint32_t>(x + y) : 0x10u);
            const plat::KeyedRuns runs = plat::FindKeyedRuns(s.At(0, 0), s.pitch, bpp, kWidth, 2, 0x10, 0x10);
            for (Part part : {Part{0, 0, 2}, Part{0, 1, 1}, Part{1, 0, 2}}) {
                const int w = kWidth - part.left;
                Pic byLoop(bpp, kWidth + 4, 2), byRuns(bpp, kWidth + 4, 2);
                auto b = Job(s, part.left, part.top, w, part.h, byLoop, 2, 0, w, part.h);
                b.keyed = true;
                b.keyLow = b.keyHigh = 0x10;
                plat::BlitPixels(b);
                plat::BlitKeyedRuns(runs, s.At(0, 0), s.pitch, bpp, part.left, part.top, w, part.h, byRuns.At(2, 0),
                                    byRuns.pitch);
                EXPECT_EQ(byLoop.bytes, byRuns.bytes)
                    << bpp << " bytes, run of " << length << " from " << part.left << "," << part.top;
            }
        }
}

// The runs are read off a mask of shown pixels built sixteen at a time:
// every key range, including ranges that end past the largest value of the
// pixel size or start above it, must key exactly the pixels the keyed loop
// skips, on rows long enough for the wide steps and with a ragged end.
TEST(PixelBlit, KeyedRunsKeyWhatTheKeyedLoopKeysForEveryRange) {
    struct Range {
        std::uint32_t low, high;
    };
    for (int bpp = 1; bpp <= 4; ++bpp) {
        const std::uint32_t top = bpp == 4 ? 0xFFFFFFFFu : (1u << (8 * bpp)) - 1;
        const Range ranges[] = {
            {0, 0},     {5, 4},       {top - 2, top}, {top - 2, 0xFFFFFFFFu}, {0, top},
            {top, top}, {0x30, 0x38}, {0x11, 0x11},   {0x1000000, 0x1000009}};  // above every value of 1 to 3 bytes
        for (Range range : ranges) {
            SCOPED_TRACE(testing::Message() << bpp << " bytes, " << range.low << "-" << range.high);
            constexpr int kW = 83, kH = 3;
            Pic s(bpp, kW, kH);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    const std::uint32_t values[] = {0, 0x11, 0x30, 0x35, 0x38, 0x39, top - 2, top - 1, top, 7};
                    s.Set(x, y, values[(x * 7 + y * 3 + x / 9) % 10]);
                }
            Pic byLoop(bpp, kW, kH), byRuns(bpp, kW, kH);
            auto b = Job(s, 0, 0, kW, kH, byLoop, 0, 0, kW, kH);
            b.keyed = true;
            b.keyLow = range.low;
            b.keyHigh = range.high;
            plat::BlitPixels(b);
            const plat::KeyedRuns runs = plat::FindKeyedRuns(s.At(0, 0), s.pitch, bpp, kW, kH, range.low, range.high);
            ASSERT_TRUE(runs.usable);
            plat::BlitKeyedRuns(runs, s.At(0, 0), s.pitch, bpp, 0, 0, kW, kH, byRuns.At(0, 0), byRuns.pitch);
            EXPECT_EQ(byLoop.bytes, byRuns.bytes);
        }
    }
}

// A picture with more runs than asked for gets none, so that a still
// picture of noise does not hold a list larger than itself.
TEST(PixelBlit, KeyedRunsPastTheLimitAreNotKept) {
    Pic s(2, 40, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 40; ++x) s.Set(x, y, x % 2 ? 0x10u : 0x100u);  // 20 runs a row
    const plat::KeyedRuns within = plat::FindKeyedRuns(s.At(0, 0), s.pitch, 2, 40, 2, 0x10, 0x10, 40);
    EXPECT_TRUE(within.usable);
    EXPECT_EQ(within.runs.size(), 40u);
    const plat::KeyedRuns past = plat::FindKeyedRuns(s.At(0, 0), s.pitch, 2, 40, 2, 0x10, 0x10, 39);
    EXPECT_FALSE(past.usable);
    EXPECT_TRUE(past.runs.empty());
}

}  // namespace
