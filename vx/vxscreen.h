// VXScreen: the game's display - the DirectDraw object, the full-screen mode,
// the flipping chain of a front and a back buffer, the default palette, the
// list of display modes and a frames-per-second counter kept by Flip.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/display/ddraw.h"
#include "platform/system/window_handle.h"
#include "vx/vxsurface.h"

// One display mode; the list always ends with a node whose fields are all 0.
struct VideoModeNode {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint32_t BitsPerPixel = 0;
    std::unique_ptr<VideoModeNode> Next;
};

class VXScreen {
public:
    VXScreen();
    ~VXScreen();
    VXScreen(const VXScreen&) = delete;
    VXScreen& operator=(const VXScreen&) = delete;

    // 1 on success, 0 at the first step that fails.
    int CreateFullScreen(HWND window, int width, int height, int bitsPerPixel, int bVGA);
    // vsync 1 waits for the vertical blank; any other value does not. stretch
    // has no effect on a full-screen display. showFps draws "FPS = n".
    HRESULT Flip(int vsync, int stretch, int showFps);
    HRESULT Fill(PixelValue colour);
    HRESULT Restore();
    int GetNumberOfVideoModes() const { return m_NumberOfVideoModes; }
    int GetVideoModeInformation(unsigned index, int& width, int& height, int& bitsPerPixel) const;
    HRESULT WaitForVerticalBlank();

    void InitVXScreen();
    int EnumVideoModes();

    LPDIRECTDRAW4 DirectDraw;
    std::unique_ptr<VXSurface> FrontBuffer;
    std::unique_ptr<VXSurface> BackBuffer;
    LPDIRECTDRAWPALETTE Palette;
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    HWND Window = nullptr;
    int FullScreen = 0;

private:
    int m_NumberOfVideoModes = 0;

public:
    std::unique_ptr<VideoModeNode> VideoModes;
    std::uint32_t FrameCount = 0;
    std::uint32_t FpsElapsedMs = 0;
    std::uint32_t FpsLastTime = 0;
    int Fps = 0;

private:
    void FreeVideoModes();
};
