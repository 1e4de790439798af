// Picture loading: bitmap resources and BMP files through GDI, Photoshop PSD
// files (8-bit RGB, raw or PackBits, optional alpha channel) decoded here, and
// reloading a bitmap into a surface after the display lost it.
#include <algorithm>
#include <array>
#include <vector>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/system/debug.h"
#include "platform/system/files.h"
#include "platform/gdi/picturelimits.h"
#include "platform/gdi/pixelrows.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace {

constexpr std::uint32_t kMaxPsdChannels = 24;
// A PSD picture goes to its surface in bands of about this many pixels.
constexpr int kPsdBandPixels = 64 * 1024;

HBITMAP FindBitmap(const char* name) {
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) h = LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    return static_cast<HBITMAP>(h);
}

}  // namespace

bool ReadBigEndian16(std::FILE* file, std::uint32_t& value) {
    unsigned char b[2];
    if (std::fread(b, 1, 2, file) != 2) return false;
    value = (static_cast<std::uint32_t>(b[0]) << 8) | b[1];
    return true;
}

bool ReadBigEndian32(std::FILE* file, std::uint32_t& value) {
    unsigned char b[4];
    if (std::fread(b, 1, 4, file) != 4) return false;
    value = (static_cast<std::uint32_t>(b[0]) << 24) | (static_cast<std::uint32_t>(b[1]) << 16) |
            (static_cast<std::uint32_t>(b[2]) << 8) | b[3];
    return true;
}

HRESULT CopyBitmap(IDirectDrawSurface4* surface, HBITMAP bitmap, int x, int y, int dx, int dy) {
    if (!bitmap || !surface) return E_FAIL;
    surface->Restore();
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) OutputDebugStringA("createcompatible dc failed\n");
    BITMAP bm;
    if (memory) SelectObject(memory, bitmap);
    GetObjectA(bitmap, sizeof(bm), &bm);
    if (dx == 0) dx = bm.bmWidth;
    if (dy == 0) dy = bm.bmHeight;
    DDSURFACEDESC2 desc;
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);
    HDC dc = nullptr;
    HRESULT hr = surface->GetDC(&dc);
    if (hr == DD_OK) {
        StretchBlt(dc, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight), memory, x, y, dx, dy,
                   SRCCOPY);
        surface->ReleaseDC(dc);
    }
    if (memory) DeleteDC(memory);
    return hr;
}

LPDIRECTDRAWSURFACE4 LoadBitmapSurface(IDirectDraw4* dd, const char* name, int& width, int& height, MemoryType type) {
    if (!dd || !name) return nullptr;
    HBITMAP bitmap = FindBitmap(name);
    if (!bitmap) return nullptr;
    BITMAP bm;
    GetObjectA(bitmap, sizeof(bm), &bm);
    DDSURFACEDESC2 desc = SurfaceDescFor(bm.bmWidth, bm.bmHeight, type);
    LPDIRECTDRAWSURFACE4 surface;
    if (FAILED(dd->CreateSurface(&desc, &surface, nullptr))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    CopyBitmap(surface.get(), bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    width = bm.bmWidth;
    height = bm.bmHeight;
    return surface;
}

HRESULT ReloadBitmap(IDirectDrawSurface4* surface, const char* name) {
    HBITMAP bitmap = FindBitmap(name);
    if (!bitmap) {
        OutputDebugStringA("handle is null\n");
        return E_FAIL;
    }
    HRESULT hr = CopyBitmap(surface, bitmap, 0, 0, 0, 0);
    if (hr != DD_OK) OutputDebugStringA("ddcopybitmap failed\n");
    DeleteObject(bitmap);
    return hr;
}

int VXSurface::CreateFromFile(VXScreen* screen, const char* fileName, MemoryType type) {
    if (!fileName) return 0;
    ReleaseDC();
    DirectDrawSurface.reset();
    // An alpha map belongs to the picture it came with; a bitmap loaded in
    // its place must not inherit one of another size.
    AlphaMap.reset();
    IDirectDraw4* dd = screen ? screen->DirectDraw.get() : nullptr;
    if (!dd) return 0;
    DirectDrawSurface = LoadBitmapSurface(dd, fileName, Width, Height, type);
    // Not a bitmap: perhaps a PSD file (LoadPSD checks its signature first).
    if (!DirectDrawSurface) LoadPSD(screen, fileName, type);
    if (!DirectDrawSurface) return 0;
    Font.reset();
    FileName = fileName;
    Screen = screen;
    ColorKey = 0;
    DestRect = SrcRect = ClipBounds = RECT{0, 0, Width, Height};
    GetRGBFormat(DirectDrawSurface, Format);
    SurfaceDesc = SurfaceDescFor(Width, Height, type);
    return 1;
}

// Where the planes of the picture's channels start in the file and how far
// each has been read. Plane c of the file is channel c (red, green, blue,
// alpha); planes past the fourth are not read.
struct VXSurface::PsdPlanes {
    PsdPlanes(std::FILE* f, int channels, bool packBits, std::uint64_t count)
        : file(f), channels(channels), used(std::min(channels, 4)), packBits(packBits), count(count) {}

    // The reading position of one plane: the bytes read ahead of the file in
    // a block and how many of them are used, the file position the next
    // block is read from (just past the bytes read ahead), and for PackBits
    // the packet being decoded.
    struct Plane {
        std::vector<BYTE> ahead;
        std::size_t at = 0;
        long long next = 0;
        std::uint64_t produced = 0;  // bytes of the plane its packets have made so far
        std::uint64_t left = 0;      // bytes of the current packet not yet decoded
        bool repeat = false;         // the packet repeats `value`, rather than copying bytes
        BYTE value = 0;
    };

    // Finds every used plane from the reading position of the file on (for
    // PackBits after the table of `table` bytes, which is not needed: each
    // plane is one stream) and checks that each is whole: a raw plane is
    // width x height bytes in the file, a PackBits plane's packets make
    // exactly that many before the file ends.
    bool Find(long long table) {
        if (packBits && std::fseek(file, static_cast<long>(table), SEEK_CUR) != 0) return false;
        const long long start = std::ftell(file);
        if (start < 0) return false;
        if (!packBits) {
            if (std::fseek(file, 0, SEEK_END) != 0) return false;
            const long long size = std::ftell(file);
            if (size < 0 || static_cast<std::uint64_t>(size - std::min(size, start)) < count * used) return false;
            for (int c = 0; c < used; ++c) planes[c].next = start + static_cast<long long>(count) * c;
            return true;
        }
        // Each plane's packets are walked to find where the next one starts:
        // the first byte of the file the walk did not use.
        long long at = start;
        for (int c = 0; c < used; ++c) {
            planes[c].next = at;
            Plane walk = planes[c];
            if (!DecodePackBits(walk, count, nullptr, 0)) return false;
            at = walk.next - static_cast<long long>(walk.ahead.size() - walk.at);
        }
        return true;
    }

    // The next n bytes of a plane into byte `pos` of successive pixels from
    // `pixels` on: a raw plane's bytes as they are, a PackBits plane's as its
    // packets make them. False when the file ends first or, for PackBits, a
    // packet runs past the end of the plane.
    bool Decode(Plane& p, std::uint64_t n, BYTE* pixels, int pos) {
        return packBits ? DecodePackBits(p, n, pixels, pos) : Copy(p, n, pixels, pos);
    }

    // The next n bytes of a PackBits plane (`pixels` none: only walked).
    // Header n: below 128, the next n + 1 bytes are copied; above 128, the
    // next byte is repeated 257 - n times; 128 is no packet at all. A packet
    // may run on into the next call, but not past the end of its plane.
    bool DecodePackBits(Plane& p, std::uint64_t n, BYTE* pixels, int pos) {
        for (std::uint64_t done = 0; done < n;) {
            if (p.left == 0) {
                if (!StartPacket(p)) return false;
                continue;
            }
            const std::uint64_t k = std::min(p.left, n - done);
            BYTE* to = pixels ? pixels + done * 4 : nullptr;
            if (p.repeat) {
                if (to) plat::rows::FillPixelBytes(to, pos, p.value, static_cast<std::size_t>(k));
            } else if (!Copy(p, k, to, pos)) {
                return false;
            }
            p.left -= k;
            done += k;
        }
        return true;
    }

    // Reads a packet's header, and a repeat's byte. Header 128 starts no
    // packet and leaves nothing of one to decode. False when the file ends
    // first or the packet runs past the end of the plane.
    bool StartPacket(Plane& p) {
        BYTE header = 0;
        if (!Byte(p, header)) return false;
        if (header == 128) return true;
        p.repeat = header > 128;
        p.left = p.repeat ? 257 - static_cast<std::uint64_t>(header) : std::uint64_t{header} + 1;
        p.produced += p.left;
        if (p.produced > count) return false;  // a run past the end of the plane
        return !p.repeat || Byte(p, p.value);
    }

    // The next n bytes of the plane as they are, as many at a time as are
    // read ahead, into byte `pos` of successive pixels (`pixels` none: only
    // skipped).
    bool Copy(Plane& p, std::uint64_t n, BYTE* pixels, int pos) {
        for (std::uint64_t done = 0; done < n;) {
            if (p.at == p.ahead.size() && !Refill(p)) return false;
            const std::size_t m = static_cast<std::size_t>(std::min<std::uint64_t>(n - done, p.ahead.size() - p.at));
            if (pixels) plat::rows::SetPixelBytes(pixels + done * 4, pos, p.ahead.data() + p.at, m);
            p.at += m;
            done += m;
        }
        return true;
    }

    // The next byte of a plane.
    bool Byte(Plane& p, BYTE& b) {
        if (p.at == p.ahead.size() && !Refill(p)) return false;
        b = p.ahead[p.at++];
        return true;
    }
    // The plane's next block of the file, read ahead; false when nothing
    // more could be read.
    bool Refill(Plane& p) {
        p.ahead.resize(kBlock);
        p.at = 0;
        std::size_t got = 0;
        if (std::fseek(file, static_cast<long>(p.next), SEEK_SET) == 0)
            got = std::fread(p.ahead.data(), 1, p.ahead.size(), file);
        p.ahead.resize(got);
        p.next += static_cast<long long>(got);
        return got != 0;
    }

    static constexpr std::size_t kBlock = 64 * 1024;
    std::FILE* file;
    int channels, used;
    bool packBits;
    std::uint64_t count;
    std::array<Plane, 4> planes;
};

int VXSurface::LoadPSD(VXScreen* screen, const char* fileName, MemoryType type) {
    if (!fileName) return 0;
    plat::File file = plat::Open(fileName, "rb");
    if (!file) return 0;
    std::FILE* f = file.get();
    char signature[4];
    if (std::fread(signature, 1, 4, f) != 4 || std::memcmp(signature, "8BPS", 4) != 0) return 0;
    std::uint32_t version = 0, channels = 0, rows = 0, columns = 0, depth = 0, mode = 0, compression = 0;
    if (!ReadBigEndian16(f, version) || version != 1) return 0;
    if (std::fseek(f, 6, SEEK_CUR) != 0) return 0;
    if (!ReadBigEndian16(f, channels) || channels > kMaxPsdChannels) return 0;
    if (!ReadBigEndian32(f, rows) || !ReadBigEndian32(f, columns)) return 0;
    if (!ReadBigEndian16(f, depth) || depth != 8) return 0;
    if (!ReadBigEndian16(f, mode) || mode != 3) return 0;
    // Colour mode data, image resources, layer and mask information.
    for (int section = 0; section < 3; ++section) {
        std::uint32_t length = 0;
        if (!ReadBigEndian32(f, length)) return 0;
        if (length != 0 && std::fseek(f, static_cast<long>(length), SEEK_CUR) != 0) return 0;
    }
    if (!ReadBigEndian16(f, compression) || compression > 1) return 0;
    // A size of nothing, or more than is sensible to hold, is refused.
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(rows) * columns;
    if (!plat::PictureSizeAccepted(columns, rows)) return 0;
    Height = static_cast<int>(rows);
    Width = static_cast<int>(columns);
    // Every plane is found and checked whole before anything is made, so a
    // file that ends early or overruns a plane makes no surface.
    PsdPlanes planes(f, static_cast<int>(channels), compression == 1, pixelCount);
    if (!planes.Find(static_cast<long long>(Height) * channels * 2)) return 0;

    if (!Create(screen, Width, Height, type)) return 0;
    if (channels >= 4) {
        AlphaMap.reset(new (std::nothrow) BYTE[pixelCount]);
        if (!AlphaMap) {
            DirectDrawSurface.reset();
            return 0;
        }
    } else {
        AlphaMap.reset();
    }
    // The pixels go to the surface a band of rows at a time: decoded into a
    // 32-bit buffer (blue, green, red, alpha) and handed to GDI.
    const int bandRows = std::clamp(kPsdBandPixels / Width, 1, Height);
    std::unique_ptr<BYTE[]> band(new (std::nothrow) BYTE[static_cast<std::size_t>(bandRows) * Width * 4]);
    HDC dc = band ? GetDC() : nullptr;
    bool copied = dc != nullptr;
    for (int top = 0; copied && top < Height; top += bandRows) {
        const int n = std::min(bandRows, Height - top);
        BITMAPINFO info{};
        info.bmiHeader.biSize = 40;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -n;  // rows top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        copied = ReadPSDChannels(planes, band.get(), n) &&
                 StretchDIBits(dc, 0, top, Width, n, 0, 0, Width, n, band.get(), &info, DIB_RGB_COLORS, SRCCOPY) !=
                     GDI_ERROR;
        if (copied && AlphaMap)
            plat::rows::GetPixelBytes(band.get(), 3, static_cast<std::size_t>(n) * Width,
                                      AlphaMap.get() + static_cast<std::size_t>(top) * Width);
    }
    if (dc) ReleaseDC();
    if (!copied) {
        // The pixels never reached the surface: the picture did not load.
        DirectDrawSurface.reset();
        AlphaMap.reset();
        return 0;
    }
    return 1;
}

bool VXSurface::ReadPSDChannels(PsdPlanes& planes, BYTE* pixels, int rows) {
    static constexpr int kBytePos[4] = {2, 1, 0, 3};  // red, green, blue, alpha -> blue, green, red, alpha
    static constexpr BYTE kMissing[4] = {0, 0, 0, 255};
    const std::uint64_t n = static_cast<std::uint64_t>(Width) * static_cast<std::uint64_t>(rows);
    if (planes.used == 0) {
        // Every byte takes its fill value: one word for every pixel.
        std::uint32_t word = 0;
        for (int p = 0; p < 4; ++p) word |= static_cast<std::uint32_t>(kMissing[p]) << (8 * p);
        plat::rows::FillPixelWords(pixels, static_cast<std::size_t>(n), word);
        return true;
    }
    for (int c = 0; c < 4; ++c) {
        const int p = kBytePos[c];
        if (c < planes.used) {
            if (!planes.Decode(planes.planes[c], n, pixels, p)) return false;
        } else {
            plat::rows::FillPixelBytes(pixels, p, kMissing[p], static_cast<std::size_t>(n));
        }
    }
    return true;
}
