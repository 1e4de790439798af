// Shared set-up of the layer's tests: a recording presenter instead of the
// screen, message boxes and debug texts caught instead of shown, a window
// handle, and a scratch folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/debug.h"
#include "platform/forms/msgbox.h"
#include "platform/display/presenter.h"
#include "platform/system/quit.h"
#include "platform/system/systime.h"
#include "platform/system/window_handle.h"
#include "vx/vxscreen.h"

namespace vxtest {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A display with a mode set (default 800 x 600 at 16 bits).
    std::unique_ptr<VXScreen> MakeFullScreen(int width = 800, int height = 600);
    // Moves the working folder into a fresh folder of this test's own.
    void UseScratchFolder();

    plat::RecordingPresenter* presenter = nullptr;
    std::vector<plat::MessageBoxCall> boxes;
    int boxAnswer = 0;  // 0: each box takes its default answer
    std::vector<std::string> debugTexts;
    plat::WindowHandle window{1028, 753};
    DWORD now = 5000;  // the clock seen by timeGetTime
    std::filesystem::path scratch;

private:
    std::filesystem::path oldFolder_;
};

// A 24-bit BMP file of w x h pixels given as 0x00RRGGBB, rows top-down.
std::vector<std::uint8_t> MakeBmp(int w, int h, const std::vector<std::uint32_t>& rgb);
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// 5-6-5 pixel of an 8-bit colour, truncating.
inline std::uint16_t Rgb565(unsigned r, unsigned g, unsigned b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

}  // namespace vxtest
