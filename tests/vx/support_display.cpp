#include <unistd.h>

#include <fstream>

#include "tests/vx/vxtest_display.h"

namespace vxtest {

void DisplayTest::SetUp() {
    presenter = plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>(1920, 1080));
    plat::ClearQuit();
    plat::SetMessageBoxHandler([this](const plat::MessageBoxCall& call) {
        boxes.push_back(call);
        return boxAnswer ? boxAnswer : plat::DefaultMessageBoxAnswer(call.type);
    });
    plat::SetDebugOutputSink([this](const std::string& text) { debugTexts.push_back(text); });
    plat::SetTimeSource([this] { return now; });
}

void DisplayTest::TearDown() {
    plat::SetTimeSource({});
    plat::SetDebugOutputSink({});
    plat::SetMessageBoxHandler({});
    plat::ClearQuit();
    if (!oldFolder_.empty()) {
        std::filesystem::current_path(oldFolder_);
        std::filesystem::remove_all(scratch);
    }
}

std::unique_ptr<VXScreen> DisplayTest::MakeFullScreen(int width, int height) {
    auto screen = std::make_unique<VXScreen>();
    EXPECT_EQ(screen->CreateFullScreen(&window, width, height, 16, 0), 1);
    return screen;
}

void DisplayTest::UseScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::filesystem::path(VANTORRA_TEST_TMP) /
              (std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    oldFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(scratch);
}

std::vector<std::uint8_t> MakeBmp(int w, int h, const std::vector<std::uint32_t>& rgb) {
    const int rowBytes = ((w * 3 + 3) / 4) * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * h);
    std::vector<std::uint8_t> out;
    auto put16 = [&](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    put32(54 + dataSize);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(w));
    put32(static_cast<std::uint32_t>(h));  // bottom-up rows
    put16(1);
    put16(24);
    put32(0);
    put32(dataSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = rgb[static_cast<std::size_t>(y) * w + x];
            out.push_back(static_cast<std::uint8_t>(p));        // blue
            out.push_back(static_cast<std::uint8_t>(p >> 8));   // green
            out.push_back(static_cast<std::uint8_t>(p >> 16));  // red
        }
        for (int pad = w * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vxtest
