// Picture loading: bitmap resources and BMP files through GDI, Photoshop PSD
// files (8-bit RGB, raw or PackBits, optional alpha channel) decoded here, and
// reloading a bitmap into a surface after the display lost it.
#include <cstring>
#include <new>

#include "platform/system/debug.h"
#include "platform/system/files.h"
#include "platform/gdi/picturelimits.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace {

constexpr std::uint32_t kMaxPsdChannels = 24;

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
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[pixelCount * 4]);
    if (!pixels) return 0;
    if (!ReadPSDChannels(f, pixels.get(), static_cast<int>(channels), static_cast<int>(compression))) return 0;
    file.reset();

    if (!Create(screen, Width, Height, type)) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    int copied = GDI_ERROR;
    if (HDC dc = GetDC()) {
        copied =
            StretchDIBits(dc, 0, 0, Width, Height, 0, 0, Width, Height, pixels.get(), &info, DIB_RGB_COLORS, SRCCOPY);
        ReleaseDC();
    }
    if (copied == GDI_ERROR) {
        // The pixels never reached the surface: the picture did not load.
        DirectDrawSurface.reset();
        return 0;
    }
    if (channels >= 4) {
        AlphaMap.reset(new (std::nothrow) BYTE[pixelCount]);
        if (!AlphaMap) {
            DirectDrawSurface.reset();
            return 0;
        }
        for (std::uint64_t i = 0; i < pixelCount; ++i) AlphaMap[i] = pixels[i * 4 + 3];
    } else {
        AlphaMap.reset();
    }
    return 1;
}

bool VXSurface::ReadPSDChannels(std::FILE* file, BYTE* pixels, int channels, int compression) {
    static constexpr int kBytePos[4] = {2, 1, 0, 3};  // red, green, blue, alpha -> blue, green, red, alpha
    static constexpr BYTE kMissing[4] = {0, 0, 0, 255};
    const std::uint64_t count = static_cast<std::uint64_t>(Width) * static_cast<std::uint64_t>(Height);
    if (compression == 1) {
        // The per-row byte counts are not needed: each plane is one stream.
        const long long table = static_cast<long long>(Height) * channels * 2;
        if (std::fseek(file, static_cast<long>(table), SEEK_CUR) != 0) return false;
    }
    // Plane c of the file is channel c; a picture with fewer planes lacks the
    // last channels, which take their fill value.
    for (int c = 0; c < 4; ++c) {
        const int p = kBytePos[c];
        if (c >= channels) {
            for (std::uint64_t i = 0; i < count; ++i) pixels[i * 4 + p] = kMissing[p];
            continue;
        }
        if (compression == 0) {
            std::unique_ptr<BYTE[]> plane(new (std::nothrow) BYTE[count]);
            if (!plane || std::fread(plane.get(), 1, count, file) != count) return false;
            for (std::uint64_t i = 0; i < count; ++i) pixels[i * 4 + p] = plane[i];
            continue;
        }
        std::uint64_t produced = 0;
        while (produced < count) {
            int header = std::fgetc(file);
            if (header == EOF) return false;
            if (header < 128) {
                const std::uint64_t n = static_cast<std::uint64_t>(header) + 1;
                if (produced + n > count) return false;  // literal run past the end of the plane
                for (std::uint64_t i = 0; i < n; ++i) {
                    int b = std::fgetc(file);
                    if (b == EOF) return false;
                    pixels[(produced + i) * 4 + p] = static_cast<BYTE>(b);
                }
                produced += n;
            } else if (header > 128) {
                const std::uint64_t n = 257 - static_cast<std::uint64_t>(header);
                if (produced + n > count) return false;  // repeat run past the end of the plane
                int b = std::fgetc(file);
                if (b == EOF) return false;
                for (std::uint64_t i = 0; i < n; ++i) pixels[(produced + i) * 4 + p] = static_cast<BYTE>(b);
                produced += n;
            }
            // 128 is no packet at all.
        }
    }
    return true;
}
