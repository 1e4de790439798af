// Every file the two programs read is present, with its exact name, size and
// format.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/mediagen/support_media.h"

using namespace mediatest;
using mediagen::GetU16;
using mediagen::GetU32;

TEST(MediaFiles, ShipFramesOfEveryBuiltInClassAreSquare128Pictures) {
    for (int cls = 0; cls < 24; ++cls) {
        for (int frame = 1; frame <= 60; ++frame) {
            const auto img = LoadGameBmp(FramePath(cls, frame));
            ASSERT_TRUE(img) << FramePath(cls, frame);
            EXPECT_EQ(img->width, 128) << FramePath(cls, frame);
            EXPECT_EQ(img->height, 128) << FramePath(cls, frame);
        }
        // The patterns end at frame 60: nothing is made beyond.
        EXPECT_FALSE(std::filesystem::exists(GameDir() / FramePath(cls, 61)));
    }
}

TEST(MediaFiles, AsteroidFramesAre100Square) {
    for (int frame = 1; frame <= 30; ++frame) {
        const std::string name = AsteroidFramePath(frame);
        const auto img = LoadGameBmp(name);
        ASSERT_TRUE(img) << name;
        EXPECT_EQ(img->width, 100);
        EXPECT_EQ(img->height, 100);
    }
}

TEST(MediaFiles, PlanetsAreDiscsFillingTheirFrameRegion) {
    const std::pair<const char*, int> planets[] = {
        {"earth1", 140},  {"jupiter", 90},  {"io", 150},      {"calisteo", 141}, {"mars", 80},     {"titan", 150},
        {"titania", 150}, {"tethys", 150},  {"venus", 150},   {"ganymede", 138}, {"neptune", 150}, {"uranus", 150},
        {"ariel", 142},   {"encelad", 138}, {"iapetus", 136}, {"umbriel", 150},  {"rhea", 150},    {"mimas", 104},
        {"miranda", 150}, {"europa", 146},  {"moon", 150}};
    for (const auto& [stem, f] : planets) {
        const std::string name = std::string("img/planets/") + stem + ".bmp";
        const auto img = LoadGameBmp(name);
        ASSERT_TRUE(img) << name;
        ASSERT_GE(img->width, f) << name;
        ASSERT_GE(img->height, f) << name;
        const int c = f / 2;
        // Lit and textured inside: the disc reaches the region's edges...
        EXPECT_FALSE(img->At(c, c).IsBlack()) << name;
        EXPECT_FALSE(img->At(c, 2).IsBlack()) << name;
        EXPECT_FALSE(img->At(c, f - 3).IsBlack()) << name;
        EXPECT_FALSE(img->At(2, c).IsBlack()) << name;
        EXPECT_FALSE(img->At(f - 3, c).IsBlack()) << name;
        // ...and the corners of the region are black.
        EXPECT_TRUE(img->At(1, 1).IsBlack()) << name;
        EXPECT_TRUE(img->At(f - 2, 1).IsBlack()) << name;
        EXPECT_TRUE(img->At(1, f - 2).IsBlack()) << name;
        EXPECT_TRUE(img->At(f - 2, f - 2).IsBlack()) << name;
        // The lit side (upper left) is brighter than the night side.
        auto lum = [&](int x, int y) {
            const mediagen::Rgb p = img->At(x, y);
            return p.r + p.g + p.b;
        };
        EXPECT_GT(lum(c - f / 5, c - f / 5), lum(c + f / 3, c + f / 4)) << name;
    }
}

TEST(MediaFiles, IconsFitTheHudAndComeInDamagedAndBrokenColours) {
    const char* stems[] = {"missiles", "shields", "thrust", "turning", "generator"};
    std::vector<std::pair<std::string, bool>> icons;
    for (const char* s : stems) {
        icons.push_back({std::string("img/systems/") + s + ".bmp", false});
        icons.push_back({std::string("img/systems/") + s + "2.bmp", true});
    }
    icons.push_back({"img/systems/weapon1.bmp", false});
    icons.push_back({"img/systems/weapon2.bmp", true});
    for (const auto& [name, broken] : icons) {
        const auto img = LoadGameBmp(name);
        ASSERT_TRUE(img) << name;
        EXPECT_LE(img->width, 71) << name;
        EXPECT_LE(img->height, 13) << name;
        // The brightest ink tells the state: amber has strong green, red hardly any.
        int bestR = 0, bestG = 0;
        for (const mediagen::Rgb& p : img->pixels) {
            if (p.r + p.g > bestR + bestG && p.b < 100) {
                bestR = p.r;
                bestG = p.g;
            }
        }
        EXPECT_GT(bestR, 200) << name;
        if (broken) {
            EXPECT_LT(bestG, 100) << name;
        } else {
            EXPECT_GT(bestG, 120) << name;
        }
    }
}

TEST(MediaFiles, DustAndPointerHaveTheirSizesAndThePointerItsTip) {
    const auto dust = LoadGameBmp("img/planets/Dust.bmp");
    ASSERT_TRUE(dust);
    EXPECT_EQ(dust->width, 461);
    EXPECT_EQ(dust->height, 278);
    // A dim backdrop: text is drawn over it.
    long sum = 0;
    for (const mediagen::Rgb& p : dust->pixels) sum += p.r + p.g + p.b;
    EXPECT_LT(sum / static_cast<long>(dust->pixels.size()), 3 * 60);
    EXPECT_GT(sum, 0);

    const auto pointer = LoadGameBmp("img/pointer.bmp");
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->width, 40);
    EXPECT_EQ(pointer->height, 40);
    EXPECT_FALSE(pointer->At(20, 0).IsBlack()) << "the tip is the top centre";
    for (int x = 0; x < 40; ++x) {
        if (x != 20) {
            EXPECT_TRUE(pointer->At(x, 0).IsBlack()) << "nothing above the tip but the tip, x " << x;
        }
    }
}

TEST(MediaFiles, TheMenuBackdropFadesToBlackTowardItsRightAndBottomEdges) {
    // The menus draw it at the top left of the screen: its right and bottom
    // edges lie inside the screen and must not show as a cut-out.
    const auto dust = LoadGameBmp("img/planets/Dust.bmp");
    ASSERT_TRUE(dust);
    const int w = dust->width, h = dust->height;
    auto light = [&](int x, int y) {
        const mediagen::Rgb p = dust->At(x, y);
        return std::max<int>(p.r, std::max<int>(p.g, p.b));
    };
    // Mean brightness of the columns (or rows) from `nearIn` to `farIn`
    // pixels in from the right (or bottom) edge.
    auto band = [&](bool fromRight, int nearIn, int farIn) {
        long sum = 0;
        const int across = fromRight ? h : w;
        for (int d = nearIn; d < farIn; ++d)
            for (int k = 0; k < across; ++k) sum += fromRight ? light(w - 1 - d, k) : light(k, h - 1 - d);
        return static_cast<double>(sum) / ((farIn - nearIn) * across);
    };

    // The outermost pixels are black, the colour key: nothing shows there.
    int lit = 0;
    for (int k = 0; k < 3; ++k) {
        for (int y = 0; y < h; ++y) lit += light(w - 1 - k, y) != 0;
        for (int x = 0; x < w; ++x) lit += light(x, h - 1 - k) != 0;
    }
    EXPECT_EQ(lit, 0) << "lit pixels on the last three columns and rows";

    // Toward each edge the picture darkens band by band, from the nebula
    // well inside down to nearly nothing at the edge.
    const std::pair<int, int> bands[] = {{0, 12}, {12, 35}, {35, 70}, {140, 200}};
    for (bool fromRight : {true, false}) {
        SCOPED_TRACE(fromRight ? "right edge" : "bottom edge");
        double previous = -1;
        for (const auto& [nearIn, farIn] : bands) {
            const double mean = band(fromRight, nearIn, farIn);
            EXPECT_GT(mean, previous) << "band " << nearIn << " to " << farIn << " px in";
            previous = mean;
        }
        EXPECT_LT(band(fromRight, 0, 12) * 10, band(fromRight, 140, 200)) << "the edge is not dark against the inside";
    }
}

TEST(MediaFiles, EditorThumbnailsAre100Square) {
    for (int i = 0; i < 24; ++i) {
        const std::string name = ThumbnailPath(i);
        const auto img = LoadBmpAt(GenDir() / name);
        ASSERT_TRUE(img) << name;
        EXPECT_EQ(img->width, 100);
        EXPECT_EQ(img->height, 100);
    }
}

TEST(MediaFiles, TitleIsABaseline640x480JpegAndItsIncludeHoldsTheSameBytes) {
    const auto jpeg = ReadFile(GenDir() / "title.jpg");
    ASSERT_TRUE(jpeg);
    const mediagen::Bytes& j = *jpeg;
    ASSERT_GT(j.size(), 1000u);
    EXPECT_EQ(j[0], 0xFF);
    EXPECT_EQ(j[1], 0xD8);
    EXPECT_EQ(j[j.size() - 2], 0xFF);
    EXPECT_EQ(j[j.size() - 1], 0xD9);
    bool baseline = false, progressive = false;
    int width = 0, height = 0;
    for (std::size_t at = 2; at + 4 <= j.size() && j[at] == 0xFF;) {
        const int marker = j[at + 1];
        const std::size_t len = static_cast<std::size_t>(j[at + 2] << 8 | j[at + 3]);
        if (marker == 0xC0 && at + 9 <= j.size()) {
            baseline = true;
            height = j[at + 5] << 8 | j[at + 6];
            width = j[at + 7] << 8 | j[at + 8];
        }
        if (marker == 0xC2) progressive = true;
        if (marker == 0xDA) break;  // entropy-coded data follows
        at += 2 + len;
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    const auto inc = ReadFile(GenDir() / "title_jpeg.inc");
    ASSERT_TRUE(inc);
    std::string text(inc->begin(), inc->end());
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    mediagen::Bytes parsed;
    std::string item;
    while (in >> item) parsed.push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
    EXPECT_EQ(parsed, j);
}

TEST(MediaFiles, EverySoundSlotFileHasTheCanonicalHeader) {
    const char* files[] = {"snd/fanfare2.wav",
                           "snd/sw/aeng.wav",
                           "snd/sw/beng.wav",
                           "snd/sw/teng.wav",
                           "snd/sw/xeng.wav",
                           "snd/sw/yeng.wav",
                           "snd/sw/guneng.wav",
                           "snd/sw/implaser.wav",
                           "snd/sw/reblaser.wav",
                           "snd/sw/lowpowerlaser.wav",
                           "snd/sw/ion.wav",
                           "snd/sw/Launch.wav",
                           "snd/sw/r2hit.wav",
                           "snd/laserhithull.wav",
                           "snd/laserhitshield.wav",
                           "snd/missilehit.wav",
                           "snd/particlehit.wav",
                           "snd/collis.wav",
                           "snd/kaboom.wav",
                           "snd/sw/select.wav",
                           "snd/sw/select2.wav",
                           "snd/bsg/coloniallaser.wav",
                           "snd/bsg/cylonlaser.wav",
                           "snd/bsg/vipereng.wav",
                           "snd/bsg/raidereng.wav",
                           "snd/b5/sfuryshot.wav",
                           "snd/st/powerphaser.wav",
                           "snd/st/normphaser.wav",
                           "snd/st/ppgun.wav",
                           "snd/st/torp.wav",
                           "snd/st/bridge.wav",
                           "snd/b5/nialeng.wav",
                           "snd/b5/minbarengine.wav",
                           "snd/b5/minshot.wav",
                           "snd/b5/eabeam.wav",
                           "snd/st/beep.wav",
                           "snd/st/beep2.wav",
                           "snd/b5/beep.wav",
                           "snd/b5/beep2.wav",
                           "snd/phasing.wav",
                           "snd/cloaking.wav",
                           "snd/diseng.wav",
                           "snd/tele.wav"};
    ASSERT_EQ(std::size(files), 43u);
    for (const char* f : files) {
        const auto bytes = ReadFile(GameDir() / f);
        ASSERT_TRUE(bytes) << f;
        const mediagen::Bytes& b = *bytes;
        ASSERT_GE(b.size(), 44u) << f;
        EXPECT_EQ(std::memcmp(b.data(), "RIFF", 4), 0) << f;
        EXPECT_EQ(GetU32(b, 4), b.size() - 8) << f;
        EXPECT_EQ(std::memcmp(b.data() + 8, "WAVEfmt ", 8), 0) << f;
        EXPECT_EQ(GetU32(b, 16), 16u) << f;
        EXPECT_EQ(GetU16(b, 20), 1u) << f << ": PCM";
        EXPECT_EQ(GetU16(b, 22), 1u) << f << ": mono";
        EXPECT_EQ(GetU32(b, 24), 22050u) << f;
        EXPECT_EQ(GetU32(b, 28), 44100u) << f;
        EXPECT_EQ(GetU16(b, 32), 2u) << f;
        EXPECT_EQ(GetU16(b, 34), 16u) << f;
        EXPECT_EQ(std::memcmp(b.data() + 36, "data", 4), 0) << f;
        EXPECT_EQ(GetU32(b, 40), b.size() - 44) << f << ": the data size is the bytes present";
        EXPECT_GT(b.size(), 44u + 1000u) << f << ": not empty";
    }
    // Slot 15 has no file, so nothing else lies in snd/ but these.
    std::size_t count = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(GameDir() / "snd")) {
        if (e.is_regular_file()) ++count;
    }
    EXPECT_EQ(count, 43u);
}

TEST(MediaFiles, AContactSheetLiesBesideTheMedia) {
    const auto sheet = LoadGameBmp("contactsheet.bmp");
    ASSERT_TRUE(sheet);
    EXPECT_GT(sheet->width, 1000);
    EXPECT_GT(sheet->height, 1000);
}
