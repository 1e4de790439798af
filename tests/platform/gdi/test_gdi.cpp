#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/gdi/gdi.h"
#include "platform/display/presenter.h"

namespace fs = std::filesystem;

namespace {

// A 24-bit BMP of 0x00RRGGBB pixels given top-down.
std::vector<unsigned char> Bmp24(int w, int h, const std::vector<std::uint32_t>& rgb) {
    const int rowBytes = ((w * 3 + 3) / 4) * 4;
    std::vector<unsigned char> out(54 + static_cast<std::size_t>(rowBytes) * h, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(out.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * rowBytes + static_cast<std::size_t>(x) * 3;
            std::uint32_t p = rgb[static_cast<std::size_t>(y) * w + x];
            out[at] = static_cast<unsigned char>(p);
            out[at + 1] = static_cast<unsigned char>(p >> 8);
            out[at + 2] = static_cast<unsigned char>(p >> 16);
        }
    return out;
}

// Watches SDL's allocations while it lives. A request above kLargest is
// refused and counted, so a loader that hands SDL a lying header fails here
// instead of taking the machine's memory.
class SdlAllocationWatch {
public:
    static constexpr std::size_t kLargest = 64u << 20;
    SdlAllocationWatch() {
        SDL_GetMemoryFunctions(&s_Malloc, &s_Calloc, &s_Realloc, &s_Free);
        s_Refused = 0;
        SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, s_Free);
    }
    ~SdlAllocationWatch() { SDL_SetMemoryFunctions(s_Malloc, s_Calloc, s_Realloc, s_Free); }
    SdlAllocationWatch(const SdlAllocationWatch&) = delete;
    SdlAllocationWatch& operator=(const SdlAllocationWatch&) = delete;
    static int Refused() { return s_Refused; }

private:
    static bool Huge(std::size_t size) { return size > kLargest && ++s_Refused > 0; }
    static void* Malloc(std::size_t size) { return Huge(size) ? nullptr : s_Malloc(size); }
    static void* Calloc(std::size_t n, std::size_t size) {
        const std::size_t total = n != 0 && size > SIZE_MAX / n ? SIZE_MAX : n * size;
        return Huge(total) ? nullptr : s_Calloc(n, size);
    }
    static void* Realloc(void* p, std::size_t size) { return Huge(size) ? nullptr : s_Realloc(p, size); }
    static inline SDL_malloc_func s_Malloc = nullptr;
    static inline SDL_calloc_func s_Calloc = nullptr;
    static inline SDL_realloc_func s_Realloc = nullptr;
    static inline SDL_free_func s_Free = nullptr;
    static inline int s_Refused = 0;
};

// The first bytes of a BMP: file header and a 40-byte information header
// stating the size, bits per pixel and compression.
std::vector<unsigned char> BmpHeader(std::int32_t w, std::int32_t h, int bits, int compression) {
    std::vector<unsigned char> out(54, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, static_cast<std::uint32_t>(bits), 2);
    put(30, static_cast<std::uint32_t>(compression), 4);
    return out;
}

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>());
        LPDIRECTDRAW first;
        ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
        ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, &dd), DD_OK);
    }
    void TearDown() override {
        plat::ClearBitmapResources();
        if (!dir.empty()) {
            fs::current_path(old);
            fs::remove_all(dir);
        }
    }
    void Scratch() {
        dir = fs::path(VANTORRA_TEST_TMP) /
              (std::string("gdi_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "img");
        old = fs::current_path();
        fs::current_path(dir);
    }
    LPDIRECTDRAWSURFACE4 Make(int w, int h, const DDPIXELFORMAT* format = nullptr) {
        DDSURFACEDESC2 d;
        d.dwSize = DDSURFACEDESC2_SIZE;
        d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (format ? DDSD_PIXELFORMAT : 0);
        d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        d.dwWidth = static_cast<DWORD>(w);
        d.dwHeight = static_cast<DWORD>(h);
        if (format) d.ddpfPixelFormat = *format;
        LPDIRECTDRAWSURFACE4 s;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return s;
    }
    LPDIRECTDRAW4 dd;
    fs::path dir, old;
};

TEST_F(GdiTest, ColourConversionTruncatesAndReadsBack) {
    auto s = Make(2, 1);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(0xFF, 0x86, 0x47)), RGB(0xF8, 0x84, 0x40));
    EXPECT_EQ(s->PixelAt(0, 0), static_cast<DWORD>((0xFF >> 3) << 11 | (0x86 >> 2) << 5 | (0x47 >> 3)));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0xF8, 0x84, 0x40));
    EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);

    DDPIXELFORMAT f555;
    f555.dwFlags = DDPF_RGB;
    f555.dwRGBBitCount = 16;
    f555.dwRBitMask = 0x7C00;
    f555.dwGBitMask = 0x03E0;
    f555.dwBBitMask = 0x001F;
    auto s555 = Make(1, 1, &f555);
    EXPECT_EQ(plat::ColorrefToRaw(RGB(0xFF, 0xFF, 0xFF), *s555), 0x7FFFu);
    EXPECT_EQ(plat::ColorrefToRaw(RGB(0, 0x08, 0), *s555), 0x0020u);
    DDPIXELFORMAT f888;
    f888.dwFlags = DDPF_RGB;
    f888.dwRGBBitCount = 32;
    f888.dwRBitMask = 0xFF0000;
    f888.dwGBitMask = 0x00FF00;
    f888.dwBBitMask = 0x0000FF;
    auto s888 = Make(1, 1, &f888);
    EXPECT_EQ(plat::ColorrefToRaw(RGB(1, 2, 3), *s888), 0x010203u);
    EXPECT_EQ(plat::RawToColorref(0x010203u, *s888), RGB(1, 2, 3));
}

TEST_F(GdiTest, BmpFilesLoadThroughSdlAndStretchIntoSurfaces) {
    Scratch();
    auto bytes = Bmp24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    std::ofstream(dir / "img" / "Pic.BMP", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(LoadImageA(nullptr, "img\\missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    auto bmp = static_cast<HBITMAP>(
        LoadImageA(nullptr, "img\\pic.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bmp, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObjectA(bmp, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);

    auto s = Make(4, 2);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, bmp);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 4, 2, memory, 0, 0, 2, 2, SRCCOPY));
    s->ReleaseDC(dc);
    EXPECT_EQ(s->PixelAt(0, 0), 0xF800u);
    EXPECT_EQ(s->PixelAt(1, 0), 0xF800u);
    EXPECT_EQ(s->PixelAt(2, 0), 0x07E0u);
    EXPECT_EQ(s->PixelAt(0, 1), 0x001Fu);
    EXPECT_EQ(s->PixelAt(3, 1), 0xFFFFu);
    // Selected into a context, the bitmap cannot be deleted yet.
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_FALSE(DeleteObject(bmp));
}

// Plain 24-bit files are decoded straight from their bytes, and a bitmap
// copied at its own size goes onto a surface row by row with the colour
// conversion found once: the pixels must be those of the general paths, for
// every row padding, both row orders and every surface format.
TEST_F(GdiTest, PlainBmpsAndSameSizeCopiesGiveTheGeneralPathsPixels) {
    Scratch();
    const DDPIXELFORMAT f565 = plat::DisplayPixelFormat();
    DDPIXELFORMAT f555 = f565;
    f555.dwRBitMask = 0x7C00;
    f555.dwGBitMask = 0x03E0;
    f555.dwBBitMask = 0x001F;
    DDPIXELFORMAT f32 = f565;
    f32.dwRGBBitCount = 32;
    f32.dwRBitMask = 0xFF0000;
    f32.dwGBitMask = 0x00FF00;
    f32.dwBBitMask = 0x0000FF;
    for (int w : {1, 2, 3, 5, 71})
        for (int h : {1, 4})
            for (bool topDown : {false, true}) {
                std::vector<std::uint32_t> rgb(static_cast<std::size_t>(w) * h);
                for (std::size_t i = 0; i < rgb.size(); ++i)
                    rgb[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
                auto bytes = Bmp24(w, h, rgb);
                if (topDown) {
                    // The same rows stored from the top, with the height negated.
                    const std::size_t rowBytes = (bytes.size() - 54) / static_cast<std::size_t>(h);
                    std::vector<unsigned char> rows(bytes.begin() + 54, bytes.end());
                    for (int y = 0; y < h; ++y)
                        std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>((h - 1 - y) * rowBytes), rowBytes,
                                    bytes.begin() + 54 + static_cast<std::ptrdiff_t>(y * rowBytes));
                    const auto negative = static_cast<std::uint32_t>(-h);
                    for (int i = 0; i < 4; ++i)
                        bytes[22 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(negative >> (8 * i));
                }
                std::ofstream(dir / "img" / "plain.bmp", std::ios::binary)
                    .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
                auto bmp =
                    static_cast<HBITMAP>(LoadImageA(nullptr, "img\\plain.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
                ASSERT_NE(bmp, nullptr) << w << "x" << h;
                BITMAP info;
                ASSERT_EQ(GetObjectA(bmp, sizeof info, &info), static_cast<int>(sizeof info));
                ASSERT_EQ(info.bmWidth, w);
                ASSERT_EQ(info.bmHeight, h);
                const auto* pixels = static_cast<const std::uint32_t*>(info.bmBits);
                EXPECT_EQ(std::vector<std::uint32_t>(pixels, pixels + rgb.size()), rgb)
                    << w << "x" << h << " top-down " << topDown;

                for (const DDPIXELFORMAT* format :
                     {&f565, static_cast<const DDPIXELFORMAT*>(&f555), static_cast<const DDPIXELFORMAT*>(&f32)}) {
                    auto surface = Make(w + 3, h + 2, format);
                    HDC memory = CreateCompatibleDC(nullptr);
                    SelectObject(memory, bmp);
                    HDC dc = nullptr;
                    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
                    EXPECT_TRUE(StretchBlt(dc, 1, 1, w, h, memory, 0, 0, w, h, SRCCOPY));
                    surface->ReleaseDC(dc);
                    DeleteDC(memory);
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            const std::uint32_t p = rgb[static_cast<std::size_t>(y) * w + x];
                            const COLORREF c = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
                            ASSERT_EQ(surface->PixelAt(x + 1, y + 1), plat::ColorrefToRaw(c, *surface))
                                << x << "," << y;
                        }
                    EXPECT_EQ(surface->PixelAt(0, 0), 0u);
                    EXPECT_EQ(surface->PixelAt(w + 1, h + 1), 0u);
                }
                DeleteObject(bmp);
            }
}

TEST_F(GdiTest, BmpsClaimingHugeSizesAreRefusedBeforeSdlDecodesThem) {
    Scratch();
    std::vector<unsigned char> rle = BmpHeader(9, 16777228, 8, 1);  // RLE8 with a two-colour palette
    rle[10] = 62;
    rle[46] = 2;
    rle.insert(rle.end(), {0, 0, 0, 0, 255, 255, 255, 0, 0, 1});  // palette, then end of picture
    std::vector<unsigned char> core(26, 0);                       // the old 12-byte header, 16-bit sizes
    core[0] = 'B';
    core[1] = 'M';
    core[10] = 26;
    core[14] = 12;
    core[18] = core[19] = core[20] = core[21] = 0xFF;
    core[22] = 1;
    core[24] = 24;
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"167772200 x 31 in 54 bytes", BmpHeader(167772200, 31, 24, 0)},
        {"9 x 16777228, run-length coded", rle},
        {"top-down, 2^31 rows", BmpHeader(1, INT32_MIN, 24, 0)},
        {"16384 x 16384, more pixels than allowed", BmpHeader(16384, 16384, 24, 0)},
        {"65535 x 65535 in the old header", core},
    };
    for (const auto& c : cases) {
        std::ofstream(dir / "img" / "huge.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(c.bytes.data()), static_cast<std::streamsize>(c.bytes.size()));
        SdlAllocationWatch watch;
        // Refused as a missing file is, and without SDL ever asking for the pixels.
        EXPECT_EQ(LoadImageA(nullptr, "img\\huge.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr) << c.what;
        plat::RegisterBitmapResource("huge", c.bytes.data(), c.bytes.size());
        EXPECT_EQ(LoadImageA(GetModuleHandleA(nullptr), "huge", IMAGE_BITMAP, 0, 0, 0), nullptr) << c.what;
        EXPECT_EQ(watch.Refused(), 0) << c.what;
    }
}

TEST_F(GdiTest, ResourcesComeFromTheProgramModuleOnly) {
    static const auto bytes = Bmp24(1, 1, {0x123456});
    EXPECT_EQ(LoadImageA(GetModuleHandleA(nullptr), "pointer", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    plat::RegisterBitmapResource("pointer", bytes.data(), bytes.size());
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), "pointer", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(h, nullptr);
    // The same name as a file is not a resource.
    EXPECT_EQ(LoadImageA(nullptr, "pointer", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    DeleteObject(static_cast<HGDIOBJ>(h));
}

TEST_F(GdiTest, StretchDIBitsTakesBothRowOrders) {
    auto s = Make(2, 2);
    const BYTE pixels[16] = {0,   0, 255, 0, 0,   255, 0,   0,   // red, green
                             255, 0, 0,   0, 255, 255, 255, 0};  // blue, white
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(s->PixelAt(0, 0), 0xF800u);
    EXPECT_EQ(s->PixelAt(1, 1), 0xFFFFu);
    info.bmiHeader.biHeight = 2;  // bottom-up: the first stored row is the bottom one
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(s->PixelAt(0, 0), 0x001Fu);
    EXPECT_EQ(s->PixelAt(0, 1), 0xF800u);
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY), GDI_ERROR);
    s->ReleaseDC(dc);
}

// StretchBlt and StretchDIBits go row by row with the resampling and the
// colour conversion found once per call. Every destination pixel must be
// what the per-pixel rule gives - pixel (x + i, y + j) takes the colour of
// source pixel (sx + i * sw / w, sy + j * sh / h) when both lie inside their
// pictures, and nothing else changes - for every kind of source and
// destination, every surface format, and rectangles that shrink, stretch,
// and hang over either picture's edges.
TEST_F(GdiTest, StretchedTransfersGiveThePerPixelRulesColours) {
    const DDPIXELFORMAT f565 = plat::DisplayPixelFormat();
    DDPIXELFORMAT f555 = f565, f24 = f565, f32 = f565;
    f555.dwRBitMask = 0x7C00;
    f555.dwGBitMask = 0x03E0;
    f555.dwBBitMask = 0x001F;
    f24.dwRGBBitCount = 24;
    f32.dwRGBBitCount = 32;
    for (DDPIXELFORMAT* f : {&f24, &f32}) {
        f->dwRBitMask = 0xFF0000;
        f->dwGBitMask = 0x00FF00;
        f->dwBBitMask = 0x0000FF;
    }
    const DDPIXELFORMAT* formats[] = {&f565, &f555, &f24, &f32};
    constexpr int kSw = 7, kSh = 5;   // the source picture
    constexpr int kDw = 11, kDh = 9;  // the destination picture
    std::vector<std::uint32_t> rgb(kSw * kSh);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    static const auto sourceBmp = Bmp24(kSw, kSh, rgb);
    static const auto blankBmp = Bmp24(kDw, kDh, std::vector<std::uint32_t>(kDw * kDh, 0x123456));
    plat::RegisterBitmapResource("source", sourceBmp.data(), sourceBmp.size());
    plat::RegisterBitmapResource("blank", blankBmp.data(), blankBmp.size());
    // The same colours as a top-down 32-bit DIB.
    std::vector<BYTE> dib(rgb.size() * 4);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        dib[i * 4] = static_cast<BYTE>(rgb[i]);
        dib[i * 4 + 1] = static_cast<BYTE>(rgb[i] >> 8);
        dib[i * 4 + 2] = static_cast<BYTE>(rgb[i] >> 16);
        dib[i * 4 + 3] = 0x77;
    }
    struct Rects {
        int x, y, w, h, sx, sy, sw, sh;
    };
    const Rects rects[] = {
        {2, 1, kSw, kSh, 0, 0, kSw, kSh},  // the same size, inside
        {-3, -2, 13, 12, 0, 0, kSw, kSh},  // stretched over the top-left edges
        {1, 2, 3, 2, 1, 1, 6, 4},          // shrunk
        {6, 5, 9, 7, -2, -1, kSw + 3, 4},  // over the bottom-right edges, the source rectangle outside its picture
        {0, 0, 1, 1, 6, 4, 1, 1},          // one pixel
        {-20, 0, 5, 5, 0, 0, 5, 5},        // wholly off the destination
    };
    enum class From { Bitmap, Surface565, Surface32, DibTopDown, DibBottomUp };
    enum class To { Surface, Bitmap };
    for (From from : {From::Bitmap, From::Surface565, From::Surface32, From::DibTopDown, From::DibBottomUp})
        for (To to : {To::Surface, To::Bitmap})
            for (const DDPIXELFORMAT* format : formats) {
                if (to == To::Bitmap && format != formats[0]) continue;
                for (const Rects& r : rects) {
                    SCOPED_TRACE(testing::Message()
                                 << "from " << static_cast<int>(from) << " to " << static_cast<int>(to) << " bits "
                                 << format->dwRGBBitCount << " rect " << r.x << "," << r.y << " " << r.w << "x" << r.h);
                    // The source, and the colour of each of its pixels.
                    auto sourceBitmap =
                        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "source", IMAGE_BITMAP, 0, 0, 0));
                    ASSERT_NE(sourceBitmap, nullptr);
                    LPDIRECTDRAWSURFACE4 sourceSurface;
                    HDC src = nullptr;
                    std::vector<COLORREF> colour(rgb.size());
                    for (std::size_t i = 0; i < rgb.size(); ++i)
                        colour[i] = RGB((rgb[i] >> 16) & 0xFF, (rgb[i] >> 8) & 0xFF, rgb[i] & 0xFF);
                    if (from == From::Bitmap) {
                        src = CreateCompatibleDC(nullptr);
                        SelectObject(src, sourceBitmap);
                    } else if (from == From::Surface565 || from == From::Surface32) {
                        sourceSurface = Make(kSw, kSh, from == From::Surface565 ? &f565 : &f32);
                        for (int y = 0; y < kSh; ++y)
                            for (int x = 0; x < kSw; ++x) {
                                // Bits above the channels too, which the reading must ignore.
                                const std::size_t i = static_cast<std::size_t>(y) * kSw + x;
                                const DWORD extra = from == From::Surface32 ? 0xAB000000u : 0;
                                sourceSurface->SetPixelAt(x, y, plat::ColorrefToRaw(colour[i], *sourceSurface) | extra);
                                colour[i] = plat::RawToColorref(sourceSurface->PixelAt(x, y), *sourceSurface);
                            }
                        ASSERT_EQ(sourceSurface->GetDC(&src), DD_OK);
                    }
                    // The destination, filled with a colour no source pixel has.
                    LPDIRECTDRAWSURFACE4 destSurface;
                    HBITMAP destBitmap = nullptr;
                    HDC dest = nullptr;
                    std::vector<std::uint32_t> before;
                    auto value = [&](int x, int y) -> std::uint32_t {
                        if (destSurface) return destSurface->PixelAt(x, y);
                        BITMAP info;
                        GetObjectA(destBitmap, sizeof info, &info);
                        return static_cast<const std::uint32_t*>(info.bmBits)[y * kDw + x];
                    };
                    if (to == To::Surface) {
                        destSurface = Make(kDw, kDh, format);
                        for (int y = 0; y < kDh; ++y)
                            for (int x = 0; x < kDw; ++x) destSurface->SetPixelAt(x, y, 0x5A5A5A);
                        ASSERT_EQ(destSurface->GetDC(&dest), DD_OK);
                    } else {
                        destBitmap =
                            static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "blank", IMAGE_BITMAP, 0, 0, 0));
                        ASSERT_NE(destBitmap, nullptr);
                        dest = CreateCompatibleDC(nullptr);
                        SelectObject(dest, destBitmap);
                    }
                    for (int y = 0; y < kDh; ++y)
                        for (int x = 0; x < kDw; ++x) before.push_back(value(x, y));

                    if (from == From::DibTopDown || from == From::DibBottomUp) {
                        BITMAPINFO info{};
                        info.bmiHeader.biSize = 40;
                        info.bmiHeader.biWidth = kSw;
                        info.bmiHeader.biHeight = from == From::DibTopDown ? -kSh : kSh;
                        info.bmiHeader.biPlanes = 1;
                        info.bmiHeader.biBitCount = 32;
                        info.bmiHeader.biCompression = BI_RGB;
                        std::vector<BYTE> stored = dib;
                        if (from == From::DibBottomUp)
                            for (int y = 0; y < kSh; ++y)
                                std::copy_n(dib.begin() + (kSh - 1 - y) * kSw * 4, kSw * 4,
                                            stored.begin() + y * kSw * 4);
                        EXPECT_EQ(StretchDIBits(dest, r.x, r.y, r.w, r.h, r.sx, r.sy, r.sw, r.sh, stored.data(), &info,
                                                DIB_RGB_COLORS, SRCCOPY),
                                  r.h);
                    } else {
                        EXPECT_TRUE(StretchBlt(dest, r.x, r.y, r.w, r.h, src, r.sx, r.sy, r.sw, r.sh, SRCCOPY));
                    }

                    for (int y = 0; y < kDh; ++y)
                        for (int x = 0; x < kDw; ++x) {
                            std::uint32_t want = before[static_cast<std::size_t>(y) * kDw + x];
                            const long long i = x - r.x, j = y - r.y;
                            if (i >= 0 && i < r.w && j >= 0 && j < r.h) {
                                const long long fx = r.sx + i * r.sw / r.w, fy = r.sy + j * r.sh / r.h;
                                if (fx >= 0 && fx < kSw && fy >= 0 && fy < kSh) {
                                    const COLORREF c = colour[static_cast<std::size_t>(fy * kSw + fx)];
                                    want = destSurface ? plat::ColorrefToRaw(c, *destSurface)
                                                       : (static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                                                          static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c));
                                }
                            }
                            ASSERT_EQ(value(x, y), want) << x << "," << y;
                        }

                    if (destSurface) {
                        destSurface->ReleaseDC(dest);
                    } else {
                        DeleteDC(dest);
                        DeleteObject(destBitmap);
                    }
                    if (sourceSurface)
                        sourceSurface->ReleaseDC(src);
                    else if (src)
                        DeleteDC(src);
                    DeleteObject(sourceBitmap);
                }
            }
}

TEST_F(GdiTest, TextDrawsInTheTextColourAndFallsBackToDejaVu) {
    EXPECT_NE(plat::FindFontFile("No Such Face Anywhere", FW_NORMAL).find("DejaVuSans"), std::string::npos);
    EXPECT_NE(plat::FindFontFile("Galactic.ttf", FW_BOLD).find("DejaVuSans-Bold"), std::string::npos);
    HFONT font = CreateFontA(14, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             NONANTIALIASED_QUALITY, VARIABLE_PITCH, "Galactic.ttf");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->ttf, nullptr);
    auto s = Make(80, 30);
    const DWORD background = 0x0841;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) s->SetPixelAt(x, y, background);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SIZE cell;
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "FPS", 3, &cell));
    const LONG defaultWidth = cell.cx;
    SelectObject(dc, font);
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "FPS", 3, &cell));
    EXPECT_LE(cell.cy, 14);  // the height asked for is the whole cell
    EXPECT_GE(cell.cy, 12);
    EXPECT_GT(cell.cx, 0);
    EXPECT_NE(cell.cx, defaultWidth);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 0));
    EXPECT_TRUE(TextOutA(dc, 2, 2, "FPS = 60", 8));
    s->ReleaseDC(dc);
    int red = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            DWORD p = s->PixelAt(x, y);
            if (p == 0xF800u)
                ++red;
            else if (p != background)
                ++other;
        }
    EXPECT_GT(red, 20);
    EXPECT_EQ(other, 0);  // no smoothing, and the background shows through
    EXPECT_TRUE(DeleteObject(font));
}

}  // namespace
