#include <algorithm>
#include <cstring>

#include "platform/system/files.h"
#include "platform/gdi/gdi.h"
#include "tests/vx/vxtest_display.h"

using vxtest::DisplayTest;

namespace {

// A small PSD file: header fields, three skipped sections, compression and
// the image data as given.
struct Psd {
    std::uint16_t version = 1;
    std::uint16_t channels = 3;
    std::uint32_t height = 1;
    std::uint32_t width = 2;
    std::uint16_t depth = 8;
    std::uint16_t mode = 3;
    std::uint16_t compression = 0;
    std::vector<std::uint8_t> data;

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> b{'8', 'B', 'P', 'S'};
        auto be16 = [&](std::uint32_t v) {
            b.push_back(static_cast<std::uint8_t>(v >> 8));
            b.push_back(static_cast<std::uint8_t>(v));
        };
        auto be32 = [&](std::uint32_t v) {
            be16(v >> 16);
            be16(v & 0xFFFF);
        };
        be16(version);
        b.insert(b.end(), 6, 0);
        be16(channels);
        be32(height);
        be32(width);
        be16(depth);
        be16(mode);
        be32(0);  // colour mode data
        be32(3);  // image resources, 3 bytes to skip
        b.insert(b.end(), {9, 9, 9});
        be32(0);  // layers and masks
        be16(compression);
        b.insert(b.end(), data.begin(), data.end());
        return b;
    }
};

class PictureTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        UseScratchFolder();
        screen = MakeFullScreen(800, 600);
    }
    void TearDown() override {
        plat::ClearBitmapResources();
        plat::SetDibTransferFailure(false);
        DisplayTest::TearDown();
    }
    int Load(VXSurface& s, const char* name) { return s.CreateFromFile(screen.get(), name, MemoryAny); }
    DWORD Px(VXSurface& s, int x, int y) { return s.DirectDrawSurface->PixelAt(x, y); }
    // Loads a PSD made of one plane per channel given as raw planes.
    int LoadPsd(VXSurface& s, const Psd& psd) {
        vxtest::WriteFile(scratch / "img" / "pic.psd", psd.Bytes());
        return Load(s, "img\\pic.psd");
    }
    std::unique_ptr<VXScreen> screen;
};

}  // namespace

TEST_F(PictureTest, BmpFileLoadsWithTheTruncatingConversion) {
    vxtest::WriteFile(scratch / "img" / "Planets" / "Earth1.bmp",
                      vxtest::MakeBmp(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x0F1F3F}));
    VXSurface s(screen.get(), "img\\planets\\earth1.bmp", MemoryAny);
    ASSERT_TRUE(s.DirectDrawSurface);
    EXPECT_EQ(s.Width, 3);
    EXPECT_EQ(s.Height, 2);
    EXPECT_EQ(s.ColorKey, 0);
    EXPECT_EQ(s.FileName, "img\\planets\\earth1.bmp");
    EXPECT_EQ(s.SrcRect.right, 3);
    EXPECT_EQ(s.ClipBounds.bottom, 2);
    EXPECT_EQ(s.Format.Depth, 16);
    EXPECT_FALSE(s.AlphaMap);
    EXPECT_FALSE(s.DirectDrawSurface->HasSourceKey());  // only SetColorKey gives one
    EXPECT_EQ(Px(s, 0, 0), 0xF800u);
    EXPECT_EQ(Px(s, 1, 0), 0x07E0u);
    EXPECT_EQ(Px(s, 2, 0), 0x001Fu);
    EXPECT_EQ(Px(s, 0, 1), 0u);
    EXPECT_EQ(Px(s, 1, 1), 0xFFFFu);
    EXPECT_EQ(Px(s, 2, 1), vxtest::Rgb565(0x0F, 0x1F, 0x3F));
}

TEST_F(PictureTest, AResourceOfTheSameNameWinsOverTheFile) {
    static const auto resource = vxtest::MakeBmp(1, 1, {0x0000FF});
    vxtest::WriteFile(scratch / "pointer.bmp", vxtest::MakeBmp(2, 2, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
    plat::RegisterBitmapResource("pointer.bmp", resource.data(), resource.size());
    VXSurface s;
    ASSERT_EQ(Load(s, "pointer.bmp"), 1);
    EXPECT_EQ(s.Width, 1);
    EXPECT_EQ(Px(s, 0, 0), 0x001Fu);
}

TEST_F(PictureTest, MissingShortAndForeignFilesDoNotLoad) {
    vxtest::WriteFile(scratch / "short.bmp", {'8', 'B'});
    vxtest::WriteFile(scratch / "text.bmp", {'h', 'e', 'l', 'l', 'o'});
    auto cut = vxtest::MakeBmp(16, 16, std::vector<std::uint32_t>(256, 0xFFFFFF));
    cut.resize(54 + 100);  // the header promises 16 rows, the file ends in the second
    vxtest::WriteFile(scratch / "cut.bmp", cut);
    for (const char* name : {"nothing.bmp", "short.bmp", "text.bmp", "cut.bmp"}) {
        VXSurface s;
        EXPECT_EQ(Load(s, name), 0) << name;
        EXPECT_FALSE(s.DirectDrawSurface) << name;
        EXPECT_EQ(s.ColorKey, -1) << name;
    }
    // Loading again over a loaded surface that then fails leaves no surface.
    vxtest::WriteFile(scratch / "ok.bmp", vxtest::MakeBmp(1, 1, {0}));
    VXSurface s;
    ASSERT_EQ(Load(s, "ok.bmp"), 1);
    EXPECT_EQ(Load(s, "nothing.bmp"), 0);
    EXPECT_FALSE(s.DirectDrawSurface);
}

TEST_F(PictureTest, AfterALossTheBmpIsReloadedAndThePsdIsNot) {
    vxtest::WriteFile(scratch / "a.bmp", vxtest::MakeBmp(2, 1, {0xFF0000, 0x0000FF}));
    VXSurface bmp;
    ASSERT_EQ(Load(bmp, "a.bmp"), 1);
    auto dst = std::make_unique<VXSurface>();
    ASSERT_EQ(dst->Create(screen.get(), 4, 4, MemoryAny), 1);
    bmp.DirectDrawSurface->SetLost(true);
    EXPECT_EQ(bmp.DrawOpaqueAt(0, 0, dst.get()), DDERR_SURFACELOST);
    EXPECT_EQ(Px(bmp, 0, 0), 0xF800u);
    EXPECT_EQ(Px(bmp, 1, 0), 0x001Fu);
    EXPECT_TRUE(debugTexts.empty());

    Psd psd;
    psd.data = {255, 0, 0, 255, 0, 0};  // red plane, green plane, blue plane
    VXSurface pic;
    ASSERT_EQ(LoadPsd(pic, psd), 1);
    pic.DirectDrawSurface->SetLost(true);
    EXPECT_EQ(pic.DrawOpaqueAt(0, 0, dst.get()), DDERR_SURFACELOST);
    EXPECT_EQ(pic.DirectDrawSurface->IsLost(), DD_OK);
    EXPECT_NE(Px(pic, 0, 0), 0xF800u);  // the contents are whatever the restore left
    ASSERT_EQ(debugTexts.size(), 1u);
    EXPECT_EQ(debugTexts[0], "handle is null\n");
}

TEST_F(PictureTest, AReloadThatCannotReachTheSurfaceSaysSoOnTheDebugOutput) {
    vxtest::WriteFile(scratch / "a.bmp", vxtest::MakeBmp(1, 1, {0xFFFFFF}));
    VXSurface bmp;
    ASSERT_EQ(Load(bmp, "a.bmp"), 1);
    auto dst = std::make_unique<VXSurface>();
    ASSERT_EQ(dst->Create(screen.get(), 4, 4, MemoryAny), 1);
    bmp.DirectDrawSurface->SetLost(true);
    bmp.DirectDrawSurface->SetRestoreRefused(true);
    EXPECT_EQ(bmp.DrawKeyedAt(0, 0, dst.get()), DDERR_SURFACELOST);
    ASSERT_FALSE(debugTexts.empty());
    EXPECT_EQ(debugTexts.back(), "ddcopybitmap failed\n");
    bmp.DirectDrawSurface->SetRestoreRefused(false);
    EXPECT_EQ(bmp.DrawOpaqueAt(0, 0, dst.get()), DDERR_SURFACELOST);  // this draw restores
    EXPECT_EQ(Px(bmp, 0, 0), 0xFFFFu);
    EXPECT_EQ(bmp.DrawOpaqueAt(0, 0, dst.get()), DD_OK);
}

TEST_F(PictureTest, PsdChannelsGoToTheirBytesAndTheFourthBecomesTheAlphaMap) {
    Psd rgb;
    rgb.width = 2;
    rgb.data = {255, 0, /*green*/ 0, 255, /*blue*/ 0, 0};
    VXSurface s3;
    ASSERT_EQ(LoadPsd(s3, rgb), 1);
    EXPECT_EQ(s3.ColorKey, 0);
    EXPECT_FALSE(s3.AlphaMap);
    EXPECT_EQ(Px(s3, 0, 0), 0xF800u);
    EXPECT_EQ(Px(s3, 1, 0), 0x07E0u);

    Psd rgba = rgb;
    rgba.channels = 5;  // a fifth channel is read past, not used
    rgba.data = {0, 0, 0, 0, 255, 255, 10, 200, 1, 1};
    VXSurface s4;
    ASSERT_EQ(LoadPsd(s4, rgba), 1);
    ASSERT_TRUE(s4.AlphaMap);
    EXPECT_EQ(s4.AlphaMap[0], 10);
    EXPECT_EQ(s4.AlphaMap[1], 200);
    EXPECT_EQ(Px(s4, 0, 0), 0x001Fu);

    // With fewer planes the first ones are still red, then green; the
    // missing channels are 0.
    Psd two;
    two.channels = 2;
    two.data = {255, 0, /*green*/ 0, 255};
    VXSurface s2;
    ASSERT_EQ(LoadPsd(s2, two), 1);
    EXPECT_EQ(Px(s2, 0, 0), 0xF800u);
    EXPECT_EQ(Px(s2, 1, 0), 0x07E0u);
    Psd one;
    one.channels = 1;
    one.data = {255, 0};
    VXSurface s1;
    ASSERT_EQ(LoadPsd(s1, one), 1);
    EXPECT_EQ(Px(s1, 0, 0), 0xF800u);
    EXPECT_EQ(Px(s1, 1, 0), 0u);
}

TEST_F(PictureTest, ABmpLoadedOverAPsdDropsItsAlphaMap) {
    Psd psd;
    psd.channels = 4;
    psd.width = 8;
    psd.height = 8;
    psd.data.assign(8 * 8 * 4, 200);
    VXSurface s;
    ASSERT_EQ(LoadPsd(s, psd), 1);
    ASSERT_TRUE(s.AlphaMap);
    vxtest::WriteFile(scratch / "big.bmp", vxtest::MakeBmp(20, 20, std::vector<std::uint32_t>(400, 0xFFFFFF)));
    ASSERT_EQ(Load(s, "big.bmp"), 1);
    EXPECT_EQ(s.Width, 20);
    EXPECT_FALSE(s.AlphaMap);
}

TEST_F(PictureTest, PsdHeadersOutsideTheAcceptedValuesFail) {
    struct Case {
        const char* what;
        Psd psd;
    };
    Psd ok;
    ok.data = {1, 2, 3, 4, 5, 6};
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        Psd p = ok;
        change(p);
        cases.push_back({what, p});
    };
    add("version 2", [](Psd& p) { p.version = 2; });
    add("25 channels", [](Psd& p) { p.channels = 25; });
    add("16 bits per channel", [](Psd& p) { p.depth = 16; });
    add("colour mode 4", [](Psd& p) { p.mode = 4; });
    add("compression 2", [](Psd& p) { p.compression = 2; });
    add("no rows", [](Psd& p) { p.height = 0; });
    add("no columns", [](Psd& p) { p.width = 0; });
    add("too large", [](Psd& p) { p.width = p.height = 0x10000; });
    add("larger than memory", [](Psd& p) { p.width = p.height = 0xFFFFFFFFu; });
    add("raw plane ends early", [](Psd& p) { p.data.resize(5); });
    for (const Case& c : cases) {
        VXSurface s;
        EXPECT_EQ(LoadPsd(s, c.psd), 0) << c.what;
        EXPECT_FALSE(s.DirectDrawSurface) << c.what;
    }
    VXSurface good;
    EXPECT_EQ(LoadPsd(good, ok), 1);
}

TEST_F(PictureTest, PackBitsHeadersCopyRepeatOrSkip) {
    struct Case {
        std::uint8_t header;
        int produced;
    };
    // 0 copies one byte, 127 copies 128, 129 repeats 128 times, 255 twice,
    // 128 produces nothing.
    for (Case c : {Case{0, 1}, Case{127, 128}, Case{129, 128}, Case{255, 2}}) {
        Psd psd;
        psd.compression = 1;
        psd.channels = 3;
        psd.width = static_cast<std::uint32_t>(c.produced);
        psd.height = 1;
        psd.data.assign(2 * 3, 0);  // the byte-count table, skipped unread
        for (int plane = 0; plane < 3; ++plane) {
            psd.data.push_back(128);  // no packet
            psd.data.push_back(c.header);
            std::uint8_t value = plane == 0 ? 255 : 0;
            if (c.header < 128)
                psd.data.insert(psd.data.end(), static_cast<std::size_t>(c.header) + 1, value);
            else
                psd.data.push_back(value);
        }
        VXSurface s;
        ASSERT_EQ(LoadPsd(s, psd), 1) << int(c.header);
        EXPECT_EQ(s.Width, c.produced);
        EXPECT_EQ(Px(s, 0, 0), 0xF800u) << int(c.header);
        EXPECT_EQ(Px(s, c.produced - 1, 0), 0xF800u) << int(c.header);
    }
}

TEST_F(PictureTest, PackBitsThatEndEarlyOrOverrunThePlaneFail) {
    Psd base;
    base.compression = 1;
    base.width = 4;
    base.height = 1;
    base.data.assign(2 * 3, 0);
    Psd overrun = base;
    for (int plane = 0; plane < 3; ++plane) overrun.data.insert(overrun.data.end(), {252, 7});  // 5 of 4
    Psd literalOverrun = base;
    literalOverrun.data.insert(literalOverrun.data.end(), {4, 1, 2, 3, 4, 5});
    Psd truncated = base;
    truncated.data.insert(truncated.data.end(), {253, 7, 1});  // the run has no value byte
    Psd noPlanes = base;
    for (const Psd* p : {&overrun, &literalOverrun, &truncated, &noPlanes}) {
        VXSurface s;
        EXPECT_EQ(LoadPsd(s, *p), 0);
        EXPECT_FALSE(s.DirectDrawSurface);
    }
}

TEST_F(PictureTest, PsdPixelsThatCannotBeHandedOverFailTheLoad) {
    Psd psd;
    psd.data = {1, 2, 3, 4, 5, 6};
    plat::SetDibTransferFailure(true);
    VXSurface s;
    EXPECT_EQ(LoadPsd(s, psd), 0);
    EXPECT_FALSE(s.DirectDrawSurface);
    plat::SetDibTransferFailure(false);
    EXPECT_EQ(LoadPsd(s, psd), 1);
}

// A picture many rows tall goes to its surface a band of rows at a time, each
// plane read on from where the last band left it: every pixel and every
// alpha byte must still be the planes', whether the planes are raw or
// PackBits packets that run on across rows and bands, with or without an
// alpha plane, and with planes past the fourth.
TEST_F(PictureTest, TallPsdPicturesLoadEveryPixelFromTheirPlanes) {
    constexpr std::uint32_t kWidth = 1000, kHeight = 203;
    constexpr std::size_t kCount = std::size_t{kWidth} * kHeight;
    for (std::uint16_t channels : {1, 3, 4, 5})
        for (std::uint16_t compression : {0, 1}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, compression " << compression);
            std::vector<std::vector<std::uint8_t>> planes(channels, std::vector<std::uint8_t>(kCount));
            for (std::size_t c = 0; c < channels; ++c)
                for (std::size_t i = 0; i < kCount; ++i)
                    // Stretches of one value, so that PackBits has runs to repeat.
                    planes[c][i] = static_cast<std::uint8_t>(((i / 37) % 5 == 0 ? i / 37 : i * (c + 3)) * 7 + c);
            Psd psd;
            psd.channels = channels;
            psd.width = kWidth;
            psd.height = kHeight;
            psd.compression = compression;
            if (compression == 1) psd.data.assign(std::size_t{kHeight} * channels * 2, 0);
            for (const auto& plane : planes) {
                if (compression == 0) {
                    psd.data.insert(psd.data.end(), plane.begin(), plane.end());
                    continue;
                }
                // Packets of every length up to the largest, ignoring rows,
                // with a no-packet header now and then.
                for (std::size_t i = 0, n = 1; i < kCount; n = n % 128 + 1) {
                    const std::size_t k = std::min(n, kCount - i);
                    if (n % 9 == 0) psd.data.push_back(128);
                    if (k > 1 && plane[i] == plane[i + k - 1] &&
                        std::all_of(plane.begin() + static_cast<std::ptrdiff_t>(i),
                                    plane.begin() + static_cast<std::ptrdiff_t>(i + k),
                                    [&](std::uint8_t v) { return v == plane[i]; })) {
                        psd.data.push_back(static_cast<std::uint8_t>(257 - k));
                        psd.data.push_back(plane[i]);
                    } else {
                        psd.data.push_back(static_cast<std::uint8_t>(k - 1));
                        psd.data.insert(psd.data.end(), plane.begin() + static_cast<std::ptrdiff_t>(i),
                                        plane.begin() + static_cast<std::ptrdiff_t>(i + k));
                    }
                    i += k;
                }
            }
            VXSurface s;
            ASSERT_EQ(LoadPsd(s, psd), 1);
            ASSERT_EQ(s.Width, static_cast<int>(kWidth));
            ASSERT_EQ(s.Height, static_cast<int>(kHeight));
            ASSERT_EQ(static_cast<bool>(s.AlphaMap), channels >= 4);
            for (std::size_t i = 0; i < kCount; ++i) {
                const int x = static_cast<int>(i % kWidth), y = static_cast<int>(i / kWidth);
                const std::uint8_t r = planes[0][i], g = channels > 1 ? planes[1][i] : 0,
                                   b = channels > 2 ? planes[2][i] : 0;
                ASSERT_EQ(Px(s, x, y), vxtest::Rgb565(r, g, b)) << x << "," << y;
                if (s.AlphaMap) {
                    ASSERT_EQ(s.AlphaMap[i], planes[3][i]) << x << "," << y;
                }
            }
        }
}

TEST_F(PictureTest, BigEndianReadersStopAtTheEnd) {
    vxtest::WriteFile(scratch / "be.bin", {0x12, 0x34, 0x56, 0x78, 0x9A});
    plat::File f = plat::Open("be.bin", "rb");
    ASSERT_TRUE(f);
    std::uint32_t v = 0;
    ASSERT_TRUE(ReadBigEndian32(f.get(), v));
    EXPECT_EQ(v, 0x12345678u);
    EXPECT_FALSE(ReadBigEndian16(f.get(), v));
}
