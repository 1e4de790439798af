// The software blend loops, checked pixel by pixel against values worked out
// by hand from the mode formulas.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "vx/vxpixelkernels.h"

namespace {

using vx::BlendKey;
using vx::ConstPixelRows;
using vx::PixelRows;
using vx::SourceKey;

// A w x h picture in memory with a padded pitch and guard bytes around it, so
// that a loop writing one byte too far shows up.
class Canvas {
public:
    static constexpr std::uint8_t Guard = 0xA5;
    Canvas(int depth, int w, int h, int padBytes = 6)
        : bpp_(vx::BytesPerPixelOf(depth)),
          w_(w),
          h_(h),
          pitch_(((w * bpp_ + padBytes) + 3) / 4 * 4),
          bytes_(static_cast<std::size_t>(pitch_ * (h + 2)), Guard) {}

    std::uint8_t* At(int x, int y) { return bytes_.data() + (y + 1) * pitch_ + x * bpp_; }
    void Set(int x, int y, std::uint32_t v) { std::memcpy(At(x, y), &v, static_cast<std::size_t>(bpp_)); }
    std::uint32_t Get(int x, int y) {
        std::uint32_t v = 0;
        std::memcpy(&v, At(x, y), static_cast<std::size_t>(bpp_));
        return v;
    }
    void FillAll(std::uint32_t v) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) Set(x, y, v);
    }
    PixelRows Rows(int x = 0, int y = 0) { return {At(x, y), pitch_}; }
    ConstPixelRows CRows(int x = 0, int y = 0) { return {At(x, y), pitch_}; }
    // Every byte outside the pixels (row padding, the rows above and below)
    // still holds the guard value.
    bool GuardsIntact() const {
        for (int row = 0; row < h_ + 2; ++row)
            for (int b = 0; b < pitch_; ++b) {
                const bool inside = row >= 1 && row <= h_ && b < w_ * bpp_;
                if (!inside && bytes_[static_cast<std::size_t>(row * pitch_ + b)] != Guard) return false;
            }
        return true;
    }

private:
    int bpp_, w_, h_, pitch_;
    std::vector<std::uint8_t> bytes_;
};

enum class Mode { HalfBlend, Alpha, Shade, HalfShade, AlphaMap };

struct Case {
    const char* name;
    Mode mode;
    int depth;
    std::uint32_t src, dst;
    unsigned arg;  // alpha, shade or map byte
    std::uint32_t expected;
};

bool RunMode(Mode mode, int depth, ConstPixelRows s, PixelRows d, int w, int h, unsigned arg, SourceKey key,
             const std::uint8_t* map = nullptr, std::ptrdiff_t mapPitch = 0) {
    switch (mode) {
        case Mode::HalfBlend: return vx::HalfBlendPixels(depth, s, d, w, h, key);
        case Mode::Alpha: return vx::AlphaBlendPixels(depth, s, d, w, h, arg, key);
        case Mode::Shade: return vx::ShadePixels(depth, s, d, w, h, arg, key);
        case Mode::HalfShade: return vx::HalfShadePixels(depth, s, d, w, h, key);
        case Mode::AlphaMap: return vx::AlphaMapPixels(depth, s, d, map, mapPitch, w, h, key);
    }
    return false;
}

const Case kCases[] = {
    // Half blend: floor(s/2) + floor(d/2) per channel.
    {"half15 white/black", Mode::HalfBlend, 15, 0x7FFF, 0x0000, 0, 0x3DEF},
    {"half15 white/white", Mode::HalfBlend, 15, 0x7FFF, 0x7FFF, 0, 0x7BDE},
    {"half15 bit15 ignored", Mode::HalfBlend, 15, 0xFFFF, 0x8000, 0, 0x3DEF},
    {"half16 white/black", Mode::HalfBlend, 16, 0xFFFF, 0x0000, 0, 0x7BEF},
    {"half16 red/blue", Mode::HalfBlend, 16, 0xF800, 0x001F, 0, 0x780F},
    {"half24 white/black", Mode::HalfBlend, 24, 0xFFFFFF, 0x000000, 0, 0x7F7F7F},
    {"half24 mixed", Mode::HalfBlend, 24, 0x804021, 0x20FF03, 0, 0x509F11},
    {"half32 keeps byte 3", Mode::HalfBlend, 32, 0xFFFFFFFF, 0xAB000000, 0, 0xAB7F7F7F},
    // Alpha: s + floor(a (d - s) / 256), a clamped to 256.
    {"alpha16 128", Mode::Alpha, 16, 0xF800, 0x001F, 128, 0x780F},
    {"alpha16 0 is source", Mode::Alpha, 16, 0xF800, 0x001F, 0, 0xF800},
    {"alpha16 256 is dest", Mode::Alpha, 16, 0xF800, 0x001F, 256, 0x001F},
    {"alpha16 1000 clamps", Mode::Alpha, 16, 0xF800, 0x001F, 1000, 0x001F},
    {"alpha16 64", Mode::Alpha, 16, 0xF800, 0x001F, 64, 0xB807},
    {"alpha16 green 200", Mode::Alpha, 16, 0x07E0, 0x0000, 200, 0x01A0},
    {"alpha15 128", Mode::Alpha, 15, 0x7C00, 0x001F, 128, 0x3C0F},
    {"alpha15 bit15 clear", Mode::Alpha, 15, 0xFFFF, 0xFFFF, 0, 0x7FFF},
    {"alpha24 128", Mode::Alpha, 24, 0xFF0000, 0x0000FF, 128, 0x7F007F},
    {"alpha32 128 keeps byte 3", Mode::Alpha, 32, 0x11FF0000, 0x550000FF, 128, 0x557F007F},
    // Shade: (f d) >> 8 per destination channel.
    {"shade16 128", Mode::Shade, 16, 0x1234, 0xFFFF, 128, 0x7BEF},
    {"shade16 256", Mode::Shade, 16, 0x1234, 0xFFFF, 256, 0xFFFF},
    {"shade16 300 clamps", Mode::Shade, 16, 0x1234, 0xFFFF, 300, 0xFFFF},
    {"shade16 0", Mode::Shade, 16, 0x1234, 0xFFFF, 0, 0x0000},
    {"shade15 128", Mode::Shade, 15, 0x0001, 0x7FFF, 128, 0x3DEF},
    {"shade15 clears bit 15", Mode::Shade, 15, 0x0001, 0xFFFF, 256, 0x7FFF},
    {"shade24 192", Mode::Shade, 24, 0x000001, 0x804020, 192, 0x603018},
    {"shade32 192", Mode::Shade, 32, 0x000001, 0xFF804020, 192, 0xFF603018},
    // Half shade: floor(d / 2) per channel.
    {"halfshade16", Mode::HalfShade, 16, 0x0001, 0xFFFF, 0, 0x7BEF},
    {"halfshade15", Mode::HalfShade, 15, 0x0001, 0xFFFF, 0, 0x3DEF},
    {"halfshade24", Mode::HalfShade, 24, 0x000001, 0xFFFFFF, 0, 0x7F7F7F},
    {"halfshade32", Mode::HalfShade, 32, 0x000001, 0x12FFFFFF, 0, 0x127F7F7F},
    // Alpha map: d + floor((s - d) a / 256), a the map byte.
    {"map16 255", Mode::AlphaMap, 16, 0xF800, 0x001F, 255, 0xF000},
    {"map16 128", Mode::AlphaMap, 16, 0xF800, 0x001F, 128, 0x780F},
    {"map16 0 is dest", Mode::AlphaMap, 16, 0xF800, 0x001F, 0, 0x001F},
    {"map15 255", Mode::AlphaMap, 15, 0x7C00, 0x001F, 255, 0x7800},
    {"map24 255", Mode::AlphaMap, 24, 0xFF0000, 0x0000FF, 255, 0xFE0000},
    {"map24 128", Mode::AlphaMap, 24, 0xFF0000, 0x0000FF, 128, 0x7F007F},
    {"map32 255 keeps byte 3", Mode::AlphaMap, 32, 0x00FF0000, 0x770000FF, 255, 0x77FE0000},
};

// Each case fills a 7 x 3 block (odd width, so the lone first pixel and the
// pairs are both covered) and checks every pixel and the guards.
TEST(PixelKernels, FormulasByModeAndDepth) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const int w = 7, h = 3;
        Canvas src(c.depth, w, h), dst(c.depth, w, h);
        src.FillAll(c.src);
        dst.FillAll(c.dst);
        std::vector<std::uint8_t> map(static_cast<std::size_t>(w * h), static_cast<std::uint8_t>(c.arg));
        ASSERT_TRUE(RunMode(c.mode, c.depth, src.CRows(), dst.Rows(), w, h, c.arg, SourceKey{}, map.data(), w));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(dst.Get(x, y), c.expected) << "at " << x << "," << y;
        EXPECT_TRUE(dst.GuardsIntact());
        EXPECT_TRUE(src.GuardsIntact());
    }
}

// Keyed walks: a key pixel between two blended ones leaves its destination
// exactly as it was, at every depth and for every mode.
TEST(PixelKernels, KeyPixelsLeaveDestinationAlone) {
    const Mode modes[] = {Mode::HalfBlend, Mode::Alpha, Mode::Shade, Mode::HalfShade, Mode::AlphaMap};
    const struct {
        int depth;
        std::uint32_t dst, other;
    } depths[] = {{15, 0x5555, 0x7FFF}, {16, 0xA5A5, 0xFFFF}, {24, 0x123456, 0xFFFFFF}, {32, 0x89123456, 0x00FFFFFF}};
    for (auto d : depths)
        for (Mode m : modes) {
            SCOPED_TRACE(testing::Message() << "depth " << d.depth << " mode " << static_cast<int>(m));
            const int w = 5;
            Canvas src(d.depth, w, 1), dst(d.depth, w, 1);
            src.FillAll(d.other);
            src.Set(2, 0, 0);  // the key
            dst.FillAll(d.dst);
            std::vector<std::uint8_t> map(w, 200);
            ASSERT_TRUE(RunMode(m, d.depth, src.CRows(), dst.Rows(), w, 1, 100, BlendKey(d.depth, 0), map.data(), w));
            EXPECT_EQ(dst.Get(2, 0), d.dst);
            EXPECT_NE(dst.Get(1, 0), d.dst);
            EXPECT_NE(dst.Get(3, 0), d.dst);
        }
}

// Rows wide enough for the loops' vector path, with the key at every third
// pixel so that keyed and drawn pixels share every group of lanes.
TEST(PixelKernels, KeyedWideRowsKeepEveryKeyPixel) {
    struct Wide {
        Mode mode;
        int depth;
        std::uint32_t src, dst, key, expected;
    } cases[] = {
        // floor(s/2) + floor(d/2): white over (1, 2, 2) gives (15, 32, 16).
        {Mode::HalfBlend, 16, 0xFFFF, 0x0842, 0, 0x7C10},
        // 255 + floor(128 (0 - 255) / 256) = 127 per channel; byte 3 kept,
        // and the key test ignores the source's byte 3.
        {Mode::Alpha, 32, 0x00FFFFFF, 0xAA000000, 0xFF000000, 0xAA7F7F7F},
    };
    for (const Wide& c : cases) {
        SCOPED_TRACE(c.depth);
        const int w = 67, h = 2;
        Canvas src(c.depth, w, h), dst(c.depth, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) src.Set(x, y, x % 3 == 0 ? c.key : c.src);
        dst.FillAll(c.dst);
        ASSERT_TRUE(RunMode(c.mode, c.depth, src.CRows(), dst.Rows(), w, h, 128, BlendKey(c.depth, 0)));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(dst.Get(x, y), x % 3 == 0 ? c.dst : c.expected) << x << "," << y;
        EXPECT_TRUE(dst.GuardsIntact());
    }
}

TEST(PixelKernels, KeyTestUsesThePixelBitsOfTheDepth) {
    // 32: only the low 24 bits count, so 0xFF000000 is black and keyed.
    Canvas src(32, 2, 1), dst(32, 2, 1);
    src.Set(0, 0, 0xFF000000);
    src.Set(1, 0, 0x01000000);
    dst.FillAll(0x00FFFFFF);
    ASSERT_TRUE(vx::HalfBlendPixels(32, src.CRows(), dst.Rows(), 2, 1, BlendKey(32, 0)));
    EXPECT_EQ(dst.Get(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(dst.Get(1, 0), 0x00FFFFFFu);

    // A key that no pixel can equal skips nothing: -1 (a surface created
    // empty), and values above the pixel's bits.
    EXPECT_FALSE(BlendKey(16, -1).active);
    EXPECT_FALSE(BlendKey(16, 0x10000).active);
    EXPECT_FALSE(BlendKey(32, 0x1000000).active);
    EXPECT_TRUE(BlendKey(24, 0xFFFFFF).active);
    Canvas s16(16, 3, 1), d16(16, 3, 1);
    s16.FillAll(0xFFFF);
    d16.FillAll(0);
    ASSERT_TRUE(vx::HalfBlendPixels(16, s16.CRows(), d16.Rows(), 3, 1, BlendKey(16, -1)));
    for (int x = 0; x < 3; ++x) EXPECT_EQ(d16.Get(x, 0), 0x7BEFu);
}

// Only the w x h rectangle changes, with a padded pitch, an offset start and
// a source narrower than a pair at 15 and 16.
TEST(PixelKernels, TouchesOnlyTheRectangle) {
    for (int depth : {15, 16, 24, 32})
        for (int w : {1, 2, 3, 7}) {
            SCOPED_TRACE(testing::Message() << "depth " << depth << " w " << w);
            Canvas src(depth, 10, 6, 10), dst(depth, 10, 6, 2);
            src.FillAll(0x1F);
            dst.FillAll(0x1F);
            ASSERT_TRUE(vx::HalfShadePixels(depth, src.CRows(1, 1), dst.Rows(3, 2), w, 3, SourceKey{}));
            int changed = 0;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 10; ++x) {
                    const bool inside = x >= 3 && x < 3 + w && y >= 2 && y < 5;
                    if (dst.Get(x, y) != 0x1Fu) {
                        ++changed;
                        EXPECT_TRUE(inside) << x << "," << y;
                    }
                }
            EXPECT_EQ(changed, w * 3);
            EXPECT_TRUE(dst.GuardsIntact());
        }
}

// The alpha map walks with its own pitch (the source's width), not the
// rectangle's width.
TEST(PixelKernels, AlphaMapUsesItsOwnPitch) {
    const int srcW = 6;
    Canvas src(16, srcW, 2), dst(16, 2, 2);
    src.FillAll(0xF800);
    dst.FillAll(0x001F);
    std::vector<std::uint8_t> map(srcW * 2, 0);
    map[0 * srcW + 1] = 255;  // row 0, column 1 of the rectangle
    map[1 * srcW + 0] = 128;  // row 1, column 0
    ASSERT_TRUE(vx::AlphaMapPixels(16, src.CRows(), dst.Rows(), map.data(), srcW, 2, 2, SourceKey{}));
    EXPECT_EQ(dst.Get(0, 0), 0x001Fu);
    EXPECT_EQ(dst.Get(1, 0), 0xF000u);
    EXPECT_EQ(dst.Get(0, 1), 0x780Fu);
    EXPECT_EQ(dst.Get(1, 1), 0x001Fu);
}

// The alpha blend is computed as ((256 - a) s + a d) >> 8; check that this
// equals s + ((a (d - s)) >> 8) with an arithmetic shift for every pair of
// 6-bit channel values and a range of weights, on a wide row so the vector
// path is the one taken.
TEST(PixelKernels, AlphaMatchesTheSignedFormulaEverywhere) {
    for (unsigned a : {0u, 1u, 7u, 100u, 128u, 129u, 255u, 256u}) {
        Canvas src(16, 64, 64), dst(16, 64, 64);
        for (int s = 0; s < 64; ++s)
            for (int d = 0; d < 64; ++d) {
                src.Set(d, s, static_cast<std::uint32_t>(s << 5));
                dst.Set(d, s, static_cast<std::uint32_t>(d << 5));
            }
        ASSERT_TRUE(vx::AlphaBlendPixels(16, src.CRows(), dst.Rows(), 64, 64, a, SourceKey{}));
        for (int s = 0; s < 64; ++s)
            for (int d = 0; d < 64; ++d) {
                const int expect = s + ((static_cast<int>(a) * (d - s)) >> 8);
                ASSERT_EQ(dst.Get(d, s), static_cast<std::uint32_t>(expect << 5))
                    << "a " << a << " s " << s << " d " << d;
            }
    }
}

// The alpha blend of 15- and 16-bit pixels goes eight at a time: every
// channel of every pixel, keyed or not, must be s + floor(a (d - s) / 256)
// (bit 15 cleared at 15), on rows of every width around the groups of eight
// and with the key among them.
TEST(PixelKernels, AlphaOfEveryChannelMatchesTheFormulaOnRowsOfEveryWidth) {
    std::uint32_t noise = 12345;
    auto next = [&] {
        noise = noise * 1664525u + 1013904223u;
        return noise >> 8;
    };
    for (int depth : {15, 16})
        for (unsigned alpha : {0u, 1u, 77u, 128u, 255u, 256u, 300u})
            for (bool keyed : {false, true})
                for (int w = 1; w <= 35; ++w) {
                    SCOPED_TRACE(testing::Message()
                                 << "depth " << depth << " alpha " << alpha << " keyed " << keyed << " width " << w);
                    const int h = 2;
                    const std::uint32_t key = 0x0841;
                    Canvas src(depth, w, h), dst(depth, w, h), before(depth, w, h);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            src.Set(x, y, (x + y) % 5 == 2 ? key : next() & 0xFFFF);
                            const std::uint32_t d = next() & 0xFFFF;
                            dst.Set(x, y, d);
                            before.Set(x, y, d);
                        }
                    ASSERT_TRUE(vx::AlphaBlendPixels(depth, src.CRows(), dst.Rows(), w, h, alpha,
                                                     keyed ? BlendKey(depth, key) : SourceKey{}));
                    const int a = static_cast<int>(alpha > 256 ? 256 : alpha);
                    const int redShift = depth == 16 ? 11 : 10, greenBits = depth == 16 ? 6 : 5;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            const std::uint32_t sv = src.Get(x, y), dv = before.Get(x, y);
                            std::uint32_t want = dv;
                            if (!keyed || sv != key) {
                                auto mix = [a](int s, int d) { return s + ((a * (d - s)) >> 8); };
                                const int gm = (1 << greenBits) - 1;
                                const int r = mix((sv >> redShift) & 31, (dv >> redShift) & 31);
                                const int g = mix((sv >> 5) & gm, (dv >> 5) & gm);
                                const int b = mix(sv & 31, dv & 31);
                                want = static_cast<std::uint32_t>(r << redShift | g << 5 | b);
                            }
                            ASSERT_EQ(dst.Get(x, y), want) << x << "," << y;
                        }
                    EXPECT_TRUE(dst.GuardsIntact());
                }
}

// What each mode makes of one channel, from the formulas in the kernels'
// header; `arg` is the alpha, shade or map byte.
int ChannelByFormula(Mode mode, int s, int d, unsigned arg) {
    const int a = static_cast<int>(arg > 256 ? 256 : arg);
    switch (mode) {
        case Mode::HalfBlend: return s / 2 + d / 2;
        case Mode::Alpha: return s + ((a * (d - s)) >> 8);
        case Mode::Shade: return (a * d) >> 8;
        case Mode::HalfShade: return d / 2;
        case Mode::AlphaMap: return d + (((s - d) * a) >> 8);
    }
    return -1;
}

// The destination pixel a mode makes, channel by channel, in the depth's
// layout: 5-5-5 (bit 15 written 0), 5-6-5, or three bytes with the fourth
// byte of a 32-bit destination kept.
std::uint32_t PixelByFormula(Mode mode, int depth, std::uint32_t s, std::uint32_t d, unsigned arg) {
    struct Field {
        int shift, bits;
    };
    const Field fields15[] = {{10, 5}, {5, 5}, {0, 5}}, fields16[] = {{11, 5}, {5, 6}, {0, 5}},
                bytes[] = {{16, 8}, {8, 8}, {0, 8}};
    const Field* fields = depth == 15 ? fields15 : depth == 16 ? fields16 : bytes;
    std::uint32_t out = depth == 32 ? d & 0xFF000000u : 0;
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t mask = (1u << fields[c].bits) - 1;
        const int v = ChannelByFormula(mode, static_cast<int>((s >> fields[c].shift) & mask),
                                       static_cast<int>((d >> fields[c].shift) & mask), arg);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, static_cast<int>(mask));
        out |= static_cast<std::uint32_t>(v) << fields[c].shift;
    }
    return out;
}

// Every mode at every depth, keyed and not, at the weights where the
// arithmetic changes form (0, 1, 255, 256, above 256), on rows of every
// width around the kernels' groups of 4, 8 and 16 pixels, starting at odd
// addresses, with key pixels among the others and map bytes from 0 to 255:
// each pixel as its formula gives it, and nothing outside the rectangle.
TEST(PixelKernels, EveryModeMatchesItsFormulaAtEveryDepthOnRowsOfEveryWidth) {
    std::uint32_t noise = 2024;
    auto next = [&] {
        noise = noise * 1664525u + 1013904223u;
        return noise >> 4;
    };
    const Mode modes[] = {Mode::HalfBlend, Mode::Alpha, Mode::Shade, Mode::HalfShade, Mode::AlphaMap};
    for (Mode mode : modes)
        for (int depth : {15, 16, 24, 32})
            for (unsigned arg : {0u, 1u, 77u, 128u, 255u, 256u, 300u})
                for (bool keyed : {false, true}) {
                    const bool weighted = mode == Mode::Alpha || mode == Mode::Shade;
                    if (!weighted && arg != 0) continue;  // one run of the modes without a weight
                    for (int w = 1; w <= 35; ++w) {
                        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode) << " depth " << depth
                                                        << " arg " << arg << " keyed " << keyed << " width " << w);
                        const int h = 3;
                        const std::uint32_t bits = depth == 15 || depth == 16 ? 0xFFFFu : 0xFFFFFFFFu;
                        const std::uint32_t key = depth == 15 || depth == 16 ? 0x0841u : 0x103050u;
                        Canvas src(depth, w + 1, h), dst(depth, w + 1, h), before(depth, w + 1, h);
                        std::vector<std::uint8_t> map(static_cast<std::size_t>((w + 3) * h));
                        for (int y = 0; y < h; ++y) {
                            for (int x = 0; x <= w; ++x) {
                                std::uint32_t sv = next() & bits;
                                // A quarter are the key; at 24 and 32 with any fourth byte.
                                if (next() % 4 == 0) sv = (sv & ~0xFFFFFFu & bits) | key;
                                if (depth == 15 || depth == 16) sv = next() % 4 == 0 ? key : sv;
                                src.Set(x, y, sv);
                                const std::uint32_t dv = next() & bits;
                                dst.Set(x, y, dv);
                                before.Set(x, y, dv);
                            }
                            for (int x = 0; x < w + 3; ++x) {
                                const std::uint32_t r = next() % 8;
                                map[static_cast<std::size_t>(y * (w + 3) + x)] =
                                    static_cast<std::uint8_t>(r == 0   ? 0
                                                              : r == 1 ? 255
                                                                       : next());
                            }
                        }
                        ASSERT_TRUE(RunMode(mode, depth, src.CRows(1, 0), dst.Rows(1, 0), w, h, arg,
                                            keyed ? BlendKey(depth, key) : SourceKey{}, map.data() + 2, w + 3));
                        for (int y = 0; y < h; ++y) {
                            ASSERT_EQ(dst.Get(0, y), before.Get(0, y)) << "left of the rectangle, row " << y;
                            for (int x = 1; x <= w; ++x) {
                                const std::uint32_t sv = src.Get(x, y), dv = before.Get(x, y);
                                const std::uint32_t keyBits = depth == 15 || depth == 16 ? 0xFFFFu : 0xFFFFFFu;
                                const unsigned pixelArg = mode == Mode::AlphaMap
                                                              ? map[static_cast<std::size_t>(y * (w + 3) + x - 1 + 2)]
                                                              : arg;
                                const std::uint32_t want =
                                    keyed && (sv & keyBits) == key ? dv : PixelByFormula(mode, depth, sv, dv, pixelArg);
                                ASSERT_EQ(dst.Get(x, y), want) << x << "," << y;
                            }
                        }
                        EXPECT_TRUE(dst.GuardsIntact());
                        EXPECT_TRUE(src.GuardsIntact());
                    }
                }
}

TEST(PixelKernels, UnsupportedDepthsDrawNothing) {
    Canvas src(16, 2, 1), dst(16, 2, 1);
    dst.FillAll(0x1234);
    std::uint8_t map[2] = {1, 2};
    for (int depth : {0, 8, 12}) {
        EXPECT_FALSE(vx::HalfBlendPixels(depth, src.CRows(), dst.Rows(), 2, 1, SourceKey{}));
        EXPECT_FALSE(vx::AlphaBlendPixels(depth, src.CRows(), dst.Rows(), 2, 1, 3, SourceKey{}));
        EXPECT_FALSE(vx::ShadePixels(depth, src.CRows(), dst.Rows(), 2, 1, 3, SourceKey{}));
        EXPECT_FALSE(vx::HalfShadePixels(depth, src.CRows(), dst.Rows(), 2, 1, SourceKey{}));
        EXPECT_FALSE(vx::AlphaMapPixels(depth, src.CRows(), dst.Rows(), map, 2, 2, 1, SourceKey{}));
    }
    EXPECT_EQ(dst.Get(0, 0), 0x1234u);
    EXPECT_EQ(dst.Get(1, 0), 0x1234u);
}

TEST(PixelKernels, MirrorLeftRightAndUpDown) {
    for (int depth : {8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        Canvas src(depth, 3, 2), lr(depth, 3, 2), ud(depth, 3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) src.Set(x, y, static_cast<std::uint32_t>(1 + x + 3 * y));
        src.Set(1, 1, 0);  // key pixel
        lr.FillAll(0x77);
        ud.FillAll(0x77);
        ASSERT_TRUE(vx::MirrorPixels(depth, src.CRows(), lr.Rows(), 3, 2, true, true, 0));
        ASSERT_TRUE(vx::MirrorPixels(depth, src.CRows(), ud.Rows(), 3, 2, false, false, 0));
        EXPECT_EQ(lr.Get(0, 0), 3u);  // rightmost column lands at x
        EXPECT_EQ(lr.Get(2, 0), 1u);
        EXPECT_EQ(lr.Get(1, 1), 0x77u);  // keyed: left alone
        EXPECT_EQ(lr.Get(0, 1), 6u);
        EXPECT_EQ(ud.Get(0, 0), 4u);  // bottom row lands at y
        EXPECT_EQ(ud.Get(1, 0), 0u);  // opaque: the black pixel is copied
        EXPECT_EQ(ud.Get(2, 1), 3u);
        EXPECT_TRUE(lr.GuardsIntact());
    }
    EXPECT_FALSE(vx::MirrorPixels(12, {}, {}, 1, 1, true, false, 0));
}

TEST(PixelKernels, PixelStoresByDepth) {
    std::uint8_t px[8];
    std::memset(px, 0xEE, sizeof px);
    ASSERT_TRUE(vx::StorePixel(32, px, 0x00123456));
    EXPECT_EQ(vx::LoadPixel(32, px), 0xEE123456u);  // fourth byte kept and read back
    ASSERT_TRUE(vx::StorePixel(24, px + 4, 0xFFABCDEF));
    EXPECT_EQ(vx::LoadPixel(24, px + 4), 0xABCDEFu);
    EXPECT_EQ(px[7], 0xEE);
    ASSERT_TRUE(vx::StorePixel(16, px, 0x1234ABCD));
    EXPECT_EQ(vx::LoadPixel(16, px), 0xABCDu);
    ASSERT_TRUE(vx::StorePixel(8, px, 0x1FF));
    EXPECT_EQ(vx::LoadPixel(8, px), 0xFFu);
    EXPECT_FALSE(vx::StorePixel(12, px, 1));
    EXPECT_EQ(vx::LoadPixel(12, px), 0u);
}

TEST(PixelKernels, RunsCoverExactlyTheirPixels) {
    for (int depth : {8, 15, 24, 32})
        for (int count : {0, 1, 2, 5}) {
            SCOPED_TRACE(testing::Message() << depth << " " << count);
            Canvas c(depth, 8, 1);
            c.FillAll(0);
            ASSERT_TRUE(vx::StoreRun(depth, c.At(1, 0), count, 0x00030201));
            const std::uint32_t want = depth == 8 ? 0x01u : depth == 15 ? 0x0201u : 0x030201u;
            for (int x = 0; x < 8; ++x) EXPECT_EQ(c.Get(x, 0), (x >= 1 && x <= count) ? want : 0u) << x;
            EXPECT_TRUE(c.GuardsIntact());
        }
}

}  // namespace
