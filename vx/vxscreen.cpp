#include "vx/vxscreen.h"

#include <cstdio>

#include "platform/system/systime.h"
#include "vx/vxerror.h"

namespace {

// The name of this source file, without its folders, for error reports.
constexpr const char* SourceName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    return name;
}

HRESULT EnumModeCallback(DDSURFACEDESC2* desc, void* context) {
    auto* node = static_cast<VideoModeNode*>(context);
    while (node->Next) node = node->Next.get();
    node->Width = desc->dwWidth;
    node->Height = desc->dwHeight;
    node->BitsPerPixel = desc->ddpfPixelFormat.dwRGBBitCount;
    node->Next = std::make_unique<VideoModeNode>();
    return DDENUMRET_OK;
}

}  // namespace

VXScreen::VXScreen() { InitVXScreen(); }

VXScreen::~VXScreen() {
    FreeVideoModes();
    if (DirectDraw) DirectDraw->RestoreDisplayMode();
    BackBuffer.reset();
    FrontBuffer.reset();
    Palette.reset();
    DirectDraw.reset();
}

void VXScreen::FreeVideoModes() {
    // Node by node, so a long list does not recurse.
    std::unique_ptr<VideoModeNode> node = std::move(VideoModes);
    while (node) node = std::move(node->Next);
    m_NumberOfVideoModes = 0;
}

void VXScreen::InitVXScreen() {
    DirectDraw.reset();
    FrontBuffer.reset();
    BackBuffer.reset();
    Palette.reset();
    Width = Height = BitsPerPixel = 0;
    Window = nullptr;
    FullScreen = 0;
    FreeVideoModes();
    FrameCount = FpsElapsedMs = 0;
    Fps = 0;
    FpsLastTime = timeGetTime();

    LPDIRECTDRAW first;
    HRESULT hr = DirectDrawCreate(nullptr, &first, nullptr);
    if (FAILED(hr)) {
        ReportDirectDrawError(hr, nullptr, SourceName(__FILE__), __LINE__);
        return;
    }
    hr = first->QueryInterface(IID_IDirectDraw4, &DirectDraw);
    if (FAILED(hr)) {
        ReportDirectDrawError(hr, nullptr, SourceName(__FILE__), __LINE__);
        DirectDraw.reset();
        return;
    }
    first.reset();
    EnumVideoModes();
}

int VXScreen::EnumVideoModes() {
    FreeVideoModes();
    VideoModes = std::make_unique<VideoModeNode>();
    if (!DirectDraw) return 0;
    if (FAILED(DirectDraw->EnumDisplayModes(DDEDM_STANDARDVGAMODES, nullptr, VideoModes.get(), EnumModeCallback)))
        return 0;
    int count = 0;
    for (const VideoModeNode* n = VideoModes.get(); n && n->Next; n = n->Next.get()) ++count;
    m_NumberOfVideoModes = count;
    return 1;
}

int VXScreen::GetVideoModeInformation(unsigned index, int& width, int& height, int& bitsPerPixel) const {
    if (index >= static_cast<unsigned>(m_NumberOfVideoModes)) return 0;
    const VideoModeNode* node = VideoModes.get();
    for (unsigned i = 0; i < index && node; ++i) node = node->Next.get();
    if (!node) return 0;
    width = static_cast<int>(node->Width);
    height = static_cast<int>(node->Height);
    bitsPerPixel = static_cast<int>(node->BitsPerPixel);
    return 1;
}

int VXScreen::CreateFullScreen(HWND window, int width, int height, int bitsPerPixel, int bVGA) {
    BackBuffer.reset();
    FrontBuffer.reset();
    Palette.reset();
    FullScreen = 1;
    Width = width;
    Height = height;
    BitsPerPixel = bitsPerPixel;
    Window = window;
    if (!DirectDraw) return 0;
    if (FAILED(DirectDraw->SetCooperativeLevel(
            window, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX)))
        return 0;
    if (FAILED(DirectDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                          static_cast<DWORD>(bitsPerPixel), 0, bVGA ? DDSDM_STANDARDVGAMODE : 0)))
        return 0;
    FrontBuffer = std::make_unique<VXSurface>();
    BackBuffer = std::make_unique<VXSurface>();

    DDSURFACEDESC2 desc;
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY;
    if (FAILED(DirectDraw->CreateSurface(&desc, &FrontBuffer->DirectDrawSurface, nullptr))) {
        desc.ddsCaps.dwCaps =
            DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
        if (FAILED(DirectDraw->CreateSurface(&desc, &FrontBuffer->DirectDrawSurface, nullptr))) return 0;
    }
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (FAILED(FrontBuffer->DirectDrawSurface->GetAttachedSurface(&caps, &BackBuffer->DirectDrawSurface))) return 0;

    for (VXSurface* buffer : {FrontBuffer.get(), BackBuffer.get()}) {
        buffer->Width = width;
        buffer->Height = height;
        buffer->DestRect = buffer->SrcRect = RECT{0, 0, width, height};
        buffer->Screen = this;
        buffer->SetClipRect(buffer->SrcRect);
        GetRGBFormat(buffer->DirectDrawSurface, buffer->Format);
    }
    Palette = LoadPalette(DirectDraw);
    if (Palette) FrontBuffer->DirectDrawSurface->SetPalette(Palette);
    return 1;
}

HRESULT VXScreen::Flip(int vsync, int, int showFps) {
    const std::uint32_t now = timeGetTime();
    FpsElapsedMs += now - FpsLastTime;
    FpsLastTime = now;
    if (FpsElapsedMs > 1000) {
        Fps = static_cast<int>(static_cast<double>(FrameCount) / static_cast<double>(FpsElapsedMs) * 1000.0);
        FpsElapsedMs = 0;
        FrameCount = 0;
    }
    FrameCount += 1;

    if (!FrontBuffer || !FrontBuffer->DirectDrawSurface || !BackBuffer || !BackBuffer->DirectDrawSurface)
        return DDERR_NOTFLIPPABLE;
    if (showFps) {
        char text[32] = {};
        std::snprintf(text, sizeof text, "FPS = %d", Fps);
        if (BackBuffer->GetDC()) {
            BackBuffer->DrawText(10, 20, 0xFFF0, text);
            BackBuffer->ReleaseDC();
        }
    }
    HRESULT hr = FrontBuffer->DirectDrawSurface->Flip(nullptr, vsync == 1 ? DDFLIP_WAIT : DDFLIP_NOVSYNC);
    if (hr == DDERR_SURFACELOST) Restore();
    return hr;
}

HRESULT VXScreen::Fill(PixelValue colour) {
    if (!BackBuffer || !BackBuffer->DirectDrawSurface) return DDERR_INVALIDOBJECT;
    DDBLTFX fx;
    fx.dwSize = DDBLTFX_SIZE;
    fx.dwFillColor = colour;
    return BackBuffer->DirectDrawSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

HRESULT VXScreen::Restore() {
    if (FrontBuffer && FrontBuffer->DirectDrawSurface && FrontBuffer->DirectDrawSurface->IsLost() == DDERR_SURFACELOST)
        return FrontBuffer->DirectDrawSurface->Restore();
    return 0;
}

HRESULT VXScreen::WaitForVerticalBlank() {
    if (!DirectDraw) return DDERR_INVALIDOBJECT;
    return DirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
}
