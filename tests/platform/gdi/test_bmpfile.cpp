// BMP files are decoded by our own row converters where they are regular and
// by SDL's reader otherwise; either way a file must load exactly as SDL's
// reader and SDL's conversion to 32 bits load it, and be refused exactly
// when SDL refuses it. Each case here is checked against SDL itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/bmpfile.h"
#include "platform/gdi/gdi.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The pixels as SDL's reader and conversion give them (0x00RRGGBB, rows
// top-down), or none when SDL refuses the file.
std::optional<std::vector<std::uint32_t>> BySdl(const Bytes& file) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
    if (!loaded) return std::nullopt;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!converted) return std::nullopt;
    std::vector<std::uint32_t> out;
    for (int y = 0; y < converted->h; ++y)
        for (int x = 0; x < converted->w; ++x)
            out.push_back(static_cast<const std::uint32_t*>(
                              static_cast<const void*>(static_cast<const std::uint8_t*>(converted->pixels) +
                                                       static_cast<std::ptrdiff_t>(y) * converted->pitch))[x] &
                          0x00FFFFFFu);
    SDL_FreeSurface(converted);
    return out;
}

// The pixels of the bitmap LoadImageA makes of the file as a resource.
std::optional<std::vector<std::uint32_t>> ByGdi(const Bytes& file) {
    plat::RegisterBitmapResource("case", file.data(), file.size());
    auto bmp = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "case", IMAGE_BITMAP, 0, 0, 0));
    plat::ClearBitmapResources();
    if (!bmp) return std::nullopt;
    BITMAP info;
    GetObjectA(bmp, sizeof info, &info);
    const auto* p = static_cast<const std::uint32_t*>(info.bmBits);
    std::vector<std::uint32_t> out(p, p + static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
    DeleteObject(bmp);
    return out;
}

// The reader that decides the file: the loader's own decoder or SDL's.
plat::BmpReader ReaderOf(const Bytes& file) {
    plat::BmpReader reader = plat::BmpReader::None;
    plat::BitmapFromRW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), &reader);
    return reader;
}

void Put(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    if (b.size() < at + static_cast<std::size_t>(n)) b.resize(at + static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A small deterministic source of bytes.
struct Noise {
    std::uint32_t state;
    std::uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

// A BMP file: the headers (the 12-byte core header or an information header
// of `infoSize` bytes), bit-field masks when given, a palette of `entries`
// colours, then `data` as stored.
struct Bmp {
    int infoSize = 40;
    int width = 1, height = 1;  // a negative height stores the rows top-down
    int planes = 1, bits = 24;
    std::uint32_t compression = 0, used = 0;
    std::vector<std::uint32_t> masks;  // 3 or 4, written after a 40-byte header or into a longer one
    int entries = 0;
    Bytes data;

    Bytes File(Noise& noise) const {
        Bytes b(14 + static_cast<std::size_t>(infoSize), 0);
        b[0] = 'B';
        b[1] = 'M';
        Put(b, 14, static_cast<std::uint32_t>(infoSize), 4);
        if (infoSize == 12) {
            Put(b, 18, static_cast<std::uint32_t>(width), 2);
            Put(b, 20, static_cast<std::uint32_t>(height), 2);
            Put(b, 22, static_cast<std::uint32_t>(planes), 2);
            Put(b, 24, static_cast<std::uint32_t>(bits), 2);
        } else {
            Put(b, 18, static_cast<std::uint32_t>(width), 4);
            Put(b, 22, static_cast<std::uint32_t>(height), 4);
            Put(b, 26, static_cast<std::uint32_t>(planes), 2);
            Put(b, 28, static_cast<std::uint32_t>(bits), 2);
            Put(b, 30, compression, 4);
            Put(b, 46, used, 4);
        }
        for (std::size_t i = 0; i < masks.size(); ++i) Put(b, 54 + 4 * i, masks[i], 4);
        b.resize(std::max(b.size(), 54 + (infoSize == 40 ? 4 * masks.size() : 0)));
        if (infoSize == 12) b.resize(26);
        for (int i = 0; i < entries; ++i)
            for (int k = 0; k < (infoSize == 12 ? 3 : 4); ++k) b.push_back(static_cast<std::uint8_t>(noise.Next()));
        Put(b, 10, static_cast<std::uint32_t>(b.size()), 4);
        b.insert(b.end(), data.begin(), data.end());
        Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
        return b;
    }
};

// Rows of random pixel data for an uncoded picture, each padded to a whole
// number of 32-bit words; indices below `colours` when there is a palette.
Bytes Rows(int width, int rows, int bits, Noise& noise, std::uint32_t colours = 0) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    Bytes out(stride * static_cast<std::size_t>(rows), 0);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* row = out.data() + stride * static_cast<std::size_t>(y);
            if (bits < 8) {
                const std::uint32_t v = noise.Next() % colours;
                const int bit = x * bits;
                row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | v << (8 - bits - bit % 8));
            } else if (bits == 8) {
                row[x] = static_cast<std::uint8_t>(noise.Next() % colours);
            } else {
                for (int k = 0; k < bits / 8; ++k)
                    row[static_cast<std::size_t>(x) * (bits / 8) + k] = static_cast<std::uint8_t>(noise.Next());
            }
        }
    return out;
}

struct Case {
    std::string what;
    Bytes file;
};

void ExpectSameAsSdl(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto sdl = BySdl(c.file);
        const auto ours = ByGdi(c.file);
        ASSERT_EQ(ours.has_value(), sdl.has_value());
        if (sdl) {
            ASSERT_EQ(*ours, *sdl);
        }
    }
}

TEST(BmpFile, UncodedPicturesOfEveryDepthLoadAsSdlLoadsThem) {
    Noise noise{7};
    std::vector<Case> cases;
    for (int bits : {1, 2, 4, 8, 16, 24, 32})
        for (int width : {1, 2, 3, 5, 7, 8, 9, 31, 33, 67})
            for (int height : {1, 3, -2, -4}) {
                const int colours = bits <= 8 ? 1 << bits : 0;
                Bmp b;
                b.width = width;
                b.height = height;
                b.bits = bits;
                b.entries = colours;
                b.data = Rows(width, height < 0 ? -height : height, bits, noise, static_cast<std::uint32_t>(colours));
                cases.push_back(
                    {std::to_string(bits) + " bits, " + std::to_string(width) + " x " + std::to_string(height),
                     b.File(noise)});
            }
    // The longer headers, and the old core header with 3-byte palette entries.
    for (int infoSize : {12, 52, 56, 108, 124})
        for (int bits : {1, 4, 8, 24}) {
            Bmp b;
            b.infoSize = infoSize;
            b.width = 13;
            b.height = 3;
            b.bits = bits;
            b.entries = bits <= 8 ? 1 << bits : 0;
            b.data = Rows(13, 3, bits, noise, static_cast<std::uint32_t>(b.entries));
            cases.push_back(
                {"header of " + std::to_string(infoSize) + ", " + std::to_string(bits) + " bits", b.File(noise)});
        }
    ExpectSameAsSdl(cases);
}

TEST(BmpFile, SixteenBitPicturesExpandEveryValueAsSdlDoes) {
    // Every 16-bit value once, as 5-5-5 (the plain form and bit fields),
    // 5-6-5, and with an alpha bit, which SDL decodes alone.
    Noise noise{11};
    Bytes all(2 * 65536);
    for (std::uint32_t v = 0; v < 65536; ++v) Put(all, 2 * v, v, 2);
    struct Form {
        const char* what;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        int infoSize;
    };
    std::vector<Case> cases;
    for (const Form& f : {Form{"5-5-5", 0, {}, 40}, Form{"5-5-5 fields", 3, {0x7C00, 0x03E0, 0x001F}, 40},
                          Form{"5-6-5 fields", 3, {0xF800, 0x07E0, 0x001F}, 40},
                          Form{"5-6-5 fields in a long header", 3, {0xF800, 0x07E0, 0x001F, 0}, 108},
                          Form{"1-5-5-5 fields", 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, 56}}) {
        Bmp b;
        b.infoSize = f.infoSize;
        b.width = 256;
        b.height = 256;
        b.bits = 16;
        b.compression = f.compression;
        b.masks = f.masks;
        b.data = all;
        cases.push_back({f.what, b.File(noise)});
    }
    ExpectSameAsSdl(cases);
}

TEST(BmpFile, ThirtyTwoBitFieldsLoadAsSdlLoadsThem) {
    Noise noise{13};
    std::vector<Case> cases;
    const std::vector<std::uint32_t> masks[] = {{0xFF0000, 0xFF00, 0xFF},        {0xFF0000, 0xFF00, 0xFF, 0xFF000000u},
                                                {0xFF, 0xFF00, 0xFF0000, 0},     {0xFF000000u, 0xFF0000, 0xFF00, 0},
                                                {0x3FF00000, 0xFFC00, 0x3FF, 0}, {0xF0, 0xF00, 0xF000, 0}};
    for (const auto& m : masks) {
        Bmp b;
        b.infoSize = m.size() == 4 ? 56 : 40;
        b.width = 9;
        b.height = -3;
        b.bits = 32;
        b.compression = 3;
        b.masks = m;
        b.data = Rows(9, 3, 32, noise);
        cases.push_back({"masks " + std::to_string(m[0]) + " " + std::to_string(m[1]), b.File(noise)});
    }
    ExpectSameAsSdl(cases);
}

TEST(BmpFile, PalettesOfEverySizeAndIndicesPastThemLoadAsSdlLoadsThem) {
    Noise noise{17};
    std::vector<Case> cases;
    struct Palette {
        std::uint32_t used;
        int entries;
        std::uint32_t largestIndex;
    };
    for (int bits : {1, 2, 4, 8})
        for (Palette p : {Palette{0, 1 << bits, (1u << bits) - 1}, Palette{2, 2, 1}, Palette{3, 3, 2}, Palette{3, 3, 3},
                          Palette{300, 256, (1u << bits) - 1}, Palette{1, 1, 0}}) {
            if (p.used > (1u << bits) && p.used != 300) continue;
            Bmp b;
            b.width = 11;
            b.height = 4;
            b.bits = bits;
            b.used = p.used;
            b.entries = p.entries;
            b.data = Rows(11, 4, bits, noise, p.largestIndex + 1);
            // The largest index at least once, in the last pixel of the top row.
            const std::size_t stride = ((11u * static_cast<std::size_t>(bits) + 31) / 32) * 4;
            const int bit = 10 * bits;
            std::uint8_t& last = b.data[3 * stride + static_cast<std::size_t>(bit / 8)];
            last = static_cast<std::uint8_t>((last & ~(((1u << bits) - 1) << (8 - bits - bit % 8))) |
                                             p.largestIndex << (8 - bits - bit % 8));
            cases.push_back({std::to_string(bits) + " bits, " + std::to_string(p.used) + " colours used, index " +
                                 std::to_string(p.largestIndex),
                             b.File(noise)});
        }
    // A palette the file does not hold whole.
    Bmp shortPalette;
    shortPalette.bits = 8;
    shortPalette.used = 200;
    shortPalette.entries = 3;
    shortPalette.data = {1, 0, 0, 0};
    cases.push_back({"palette cut short", shortPalette.File(noise)});
    ExpectSameAsSdl(cases);
}

// Run-length codes: n, v is a run; 0, 0 ends a row, 0, 1 the picture, 0, 2
// moves; 0, n (n >= 3) is n indices as they are, padded to a 16-bit word.
TEST(BmpFile, RunLengthCodedPicturesLoadAsSdlLoadsThem) {
    Noise noise{19};
    struct Coded {
        const char* what;
        int bits, width, height;
        Bytes codes;
    };
    const std::vector<Coded> coded = {
        {"runs and rows", 8, 5, 3, {5, 7, 0, 0, 2, 1, 3, 2, 0, 0, 1, 9, 4, 3, 0, 0, 0, 1}},
        {"literals, odd and even", 8, 7, 2, {0, 3, 1, 2, 3, 0, 0, 4, 4, 5, 6, 7, 0,
                                             0, 0, 7, 9, 8, 7, 6, 5, 4, 3, 0, 0, 1}},
        {"rows ended early and the picture ended early", 8, 6, 4, {2, 5, 0, 0, 1, 6, 0, 1}},
        {"the end at once", 8, 4, 4, {0, 1}},
        {"a run past its row", 8, 4, 2, {6, 3, 0, 0, 0, 1}},
        {"a literal past its row", 8, 4, 2, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"a move", 8, 6, 3, {2, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 1}},
        {"an index past the palette", 8, 3, 1, {3, 200, 0, 1}},
        {"no end", 8, 3, 2, {3, 1, 0, 0, 3, 2}},
        {"cut inside a literal", 8, 6, 1, {0, 5, 1, 2}},
        {"more rows than the picture", 8, 2, 1, {2, 1, 0, 0, 2, 2, 0, 0, 0, 1}},
        {"more row ends than rows", 8, 2, 1, {2, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"4 bits: runs of two colours", 4, 7, 2, {7, 0x12, 0, 0, 3, 0x34, 4, 0x56, 0, 0, 0, 1}},
        {"4 bits: literals", 4, 9, 2, {0, 3, 0x12, 0x30, 0, 0, 0, 9, 0x12, 0x34, 0x56, 0x78, 0x90, 0, 0, 0, 1}},
        {"4 bits: a run past its row", 4, 3, 1, {4, 0x11, 0, 1}},
        {"4 bits: the end at once", 4, 5, 2, {0, 1}},
    };
    std::vector<Case> cases;
    for (const Coded& c : coded)
        for (bool topDown : {false, true}) {
            Bmp b;
            b.width = c.width;
            b.height = topDown ? -c.height : c.height;
            b.bits = c.bits;
            b.compression = c.bits == 8 ? 1 : 2;
            b.entries = c.bits == 8 ? 16 : 16;
            b.used = 16;
            b.data = c.codes;
            cases.push_back({std::string(c.what) + (topDown ? ", top-down" : ""), b.File(noise)});
        }
    // A larger picture of random runs and literals in every row.
    for (int bits : {8, 4}) {
        Bmp b;
        b.width = 300;
        b.height = 40;
        b.bits = bits;
        b.compression = bits == 8 ? 1 : 2;
        b.entries = bits == 8 ? 256 : 16;
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width;) {
                const int n = std::min<int>(b.width - x, static_cast<int>(noise.Next() % 40) + 1);
                if (n >= 3 && noise.Next() % 2) {
                    b.data.push_back(0);
                    b.data.push_back(static_cast<std::uint8_t>(n));
                    const int bytes = bits == 8 ? n : (n + 1) / 2;
                    for (int i = 0; i < bytes; ++i) b.data.push_back(static_cast<std::uint8_t>(noise.Next()));
                    if (bytes % 2) b.data.push_back(0);
                } else {
                    b.data.push_back(static_cast<std::uint8_t>(n));
                    b.data.push_back(static_cast<std::uint8_t>(noise.Next()));
                }
                x += n;
            }
            b.data.push_back(0);
            b.data.push_back(0);
        }
        b.data.push_back(0);
        b.data.push_back(1);
        cases.push_back({std::to_string(bits) + " bits, random codes", b.File(noise)});
    }
    ExpectSameAsSdl(cases);
}

// The rows of a run-length coded picture as SDL's reader holds them are one
// byte a pixel, padded to a whole number of 32-bit words, at 4 bits as at 8;
// a run may fill that padding, and the pixels there are dropped. Such files
// are decoded by the loader itself, up to and including a run that ends at
// the padded width; one pixel further and SDL's reader decides.
TEST(BmpFile, RunsIntoTheRowPaddingAreDecodedHereUpToThePaddedWidth) {
    Noise noise{29};
    // n indices as they are, with the padding to a 16-bit word.
    auto absolute = [](int bits, int n) {
        Bytes codes{0, static_cast<std::uint8_t>(n)};
        const int bytes = bits == 8 ? n : (n + 1) / 2;
        for (int i = 0; i < bytes + bytes % 2; ++i)
            codes.push_back(static_cast<std::uint8_t>(i < bytes ? (bits == 8 ? 1 + i % 9 : 0x21) : 0));
        return codes;
    };
    auto join = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    // A second row after the first, so that the codes must stay in step.
    const Bytes nextRow{0, 0, 3, 5, 0, 1};
    struct Coded {
        const char* what;
        int bits, width;
        Bytes codes;
        plat::BmpReader reader;
    };
    using R = plat::BmpReader;
    const std::vector<Coded> coded = {
        // 37 pixels pad to 40.
        {"a run to the padded width", 8, 37, join({{40, 7}, nextRow}), R::Own},
        {"a run one past the padded width", 8, 37, join({{41, 7}, nextRow}), R::Sdl},
        {"a run to the width, then one to the padded width", 8, 37, join({{37, 7, 3, 9}, nextRow}), R::Own},
        {"a run to the width, then one past the padded width", 8, 37, join({{37, 7, 4, 9}, nextRow}), R::Sdl},
        {"a run that starts in the padding", 8, 37, join({{38, 7, 2, 9}, nextRow}), R::Own},
        {"a run in the padding past the palette", 8, 37, join({{37, 7, 3, 200}, nextRow}), R::Own},
        {"a run past the palette up to the width", 8, 37, join({{36, 7, 1, 200}, nextRow}), R::Sdl},
        {"an absolute run to the padded width", 8, 37, join({absolute(8, 40), nextRow}), R::Own},
        {"an absolute run one past the padded width", 8, 37, join({absolute(8, 41), nextRow}), R::Sdl},
        {"a run past a width of whole words", 8, 36, join({{37, 7}, nextRow}), R::Sdl},
        // 33 pixels pad to 36: the one-byte rows', not the 40 of the file's
        // own 4-bit rows.
        {"4 bits: a run to the padded width", 4, 33, join({{36, 0x12}, nextRow}), R::Own},
        {"4 bits: a run one past the padded width", 4, 33, join({{37, 0x12}, nextRow}), R::Sdl},
        {"4 bits: a run to the width, then one to the padded width", 4, 33, join({{33, 0x12, 3, 0x34}, nextRow}),
         R::Own},
        {"4 bits: an absolute run to the padded width", 4, 33, join({absolute(4, 36), nextRow}), R::Own},
        {"4 bits: an absolute run one past the padded width", 4, 33, join({absolute(4, 37), nextRow}), R::Sdl},
        {"4 bits: an absolute run of an odd count to the padded width", 4, 5,
         join({absolute(4, 7), {1, 0x33}, nextRow}), R::Own},
    };
    std::vector<Case> cases;
    for (const Coded& c : coded) {
        Bmp b;
        b.width = c.width;
        b.height = 2;
        b.bits = c.bits;
        b.compression = c.bits == 8 ? 1 : 2;
        b.entries = 16;
        b.used = 16;
        b.data = c.codes;
        cases.push_back({c.what, b.File(noise)});
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReaderOf(cases.back().file), c.reader);
    }
    ExpectSameAsSdl(cases);
}

// An 8-bit run-length coded file as ImageMagick writes it at a width that is
// not a multiple of four: the runs of every row fill its padding.
TEST(BmpFile, AnImageMagickRunLengthFileOfAnOddWidthIsDecodedHere) {
    // Made by: convert -seed 1 -size 37x23 plasma: -colors 200 -compress RLE BMP3:rle8_37x23.bmp
    std::ifstream in(std::string(VANTORRA_BMP_DATA) + "/rle8_37x23.bmp", std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(file.size(), 54u);
    // What the file is meant to be: 37 pixels wide, 8-bit run-length coded.
    EXPECT_EQ(file[18] | file[19] << 8, 37);
    EXPECT_EQ(file[28], 8);
    EXPECT_EQ(file[30], 1);
    EXPECT_EQ(ReaderOf(file), plat::BmpReader::Own);
    ExpectSameAsSdl({{"rle8_37x23.bmp", file}});
}

// Files cut at every length, and other headers that are not the usual:
// whatever SDL makes of them, the loader makes too.
TEST(BmpFile, FilesCutAtEveryLengthAndOddHeadersLoadAsSdlLoadsThem) {
    Noise noise{23};
    std::vector<Bmp> whole;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        Bmp b;
        b.width = 5;
        b.height = 3;
        b.bits = bits;
        b.entries = bits <= 8 ? 1 << bits : 0;
        b.data = Rows(5, 3, bits, noise, static_cast<std::uint32_t>(b.entries));
        whole.push_back(b);
    }
    Bmp rle;
    rle.width = 6;
    rle.height = 2;
    rle.bits = 8;
    rle.compression = 1;
    rle.entries = 4;
    rle.data = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 6, 2, 0, 1};
    whole.push_back(rle);
    std::vector<Case> cases;
    for (const Bmp& b : whole) {
        const Bytes file = b.File(noise);
        for (std::size_t n = 0; n <= file.size(); ++n)
            cases.push_back({std::to_string(b.bits) + " bits cut to " + std::to_string(n) + " bytes",
                             Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n))});
    }
    Bmp planes = whole[2];
    planes.planes = 3;
    cases.push_back({"3 planes", planes.File(noise)});
    Bmp fifteen = whole[3];
    fifteen.bits = 15;
    cases.push_back({"15 bits", fifteen.File(noise)});
    Bmp os2 = whole[2];
    os2.infoSize = 64;
    cases.push_back({"a 64-byte header", os2.File(noise)});
    Bmp overlap = whole[4];
    Bytes overlapping = overlap.File(noise);
    Put(overlapping, 10, 30, 4);  // the pixels start inside the header
    cases.push_back({"pixels inside the header", overlapping});
    Bmp fields24 = whole[4];
    fields24.compression = 3;
    fields24.masks = {0xFF0000, 0xFF00, 0xFF};
    cases.push_back({"24 bits with fields", fields24.File(noise)});
    ExpectSameAsSdl(cases);
}

}  // namespace
