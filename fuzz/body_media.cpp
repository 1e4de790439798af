// Fuzz bodies of the media loaders: pictures, sounds and the title JPEG.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fuzz/scratch.h"
#include "fuzz/targets.h"
#include "platform/system/debug.h"
#include "platform/forms/forms.h"
#include "platform/forms/msgbox.h"
#include "platform/display/presenter.h"
#include "platform/system/window_handle.h"
#include "vx/vxscreen.h"
#include "vx/vxsound.h"
#include "vx/vxsoundbuffer.h"
#include "vx/vxsurface.h"

namespace fuzz {

namespace {

// A display of 640 x 480 at 16 bits on a recording presenter, with a work
// surface to draw on, made once per process. Message boxes take their
// default answer and debug texts are dropped.
struct Display {
    Display() {
        plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>(1920, 1080));
        plat::SetMessageBoxHandler(
            [](const plat::MessageBoxCall& call) { return plat::DefaultMessageBoxAnswer(call.type); });
        plat::SetDebugOutputSink([](const std::string&) {});
        screen = std::make_unique<VXScreen>();
        if (screen->CreateFullScreen(&window, 640, 480, 16, 0) != 1 ||
            !work.Create(screen.get(), kWorkWidth, kWorkHeight, MemorySystem)) {
            std::abort();
        }
    }
    static constexpr int kWorkWidth = 320;
    static constexpr int kWorkHeight = 240;
    plat::WindowHandle window{640, 480};
    std::unique_ptr<VXScreen> screen;
    VXSurface work;
};

Display& TheDisplay() {
    static Display display;
    return display;
}

// A device without output at 22050 Hz: the body mixes its frames itself.
struct SoundDevice {
    SoundDevice() {
        sound.DirectSound = std::make_shared<IDirectSound>(22050);
        sound.DeviceDisabled = 0;
        sound.PlaybackDisabled = 0;
    }
    VXSound sound;
};

SoundDevice& TheSoundDevice() {
    static SoundDevice device;
    return device;
}

}  // namespace

int FuzzPictureFile(const std::uint8_t* data, std::size_t size) {
    Display& display = TheDisplay();
    EnterScratch("picture");
    WriteInput("picture.bmp", data, size);
    VXSurface picture;
    if (!picture.CreateFromFile(display.screen.get(), "picture.bmp", MemorySystem)) return 0;
    if (picture.Width <= 0 || picture.Height <= 0) std::abort();
    // Black is the key of every sprite; the picture goes down whole, cut at
    // each edge of the work surface, and through its alpha map when it has one.
    picture.SetColorKey(0);
    const RECT whole{0, 0, picture.Width, picture.Height};
    const int w = Display::kWorkWidth;
    const int h = Display::kWorkHeight;
    const int at[][2] = {
        {0, 0}, {-picture.Width / 2, -picture.Height / 2}, {w - picture.Width / 2, h - picture.Height / 2}};
    for (const auto& p : at) {
        picture.DrawKeyedRect(&display.work, p[0], p[1], whole);
        if (picture.AlphaMap) picture.DrawAlphaMap(&display.work, p[0], p[1], whole);
    }
    picture.DrawKeyedAt(0, 0, &display.work);
    return 0;
}

int FuzzSoundFile(const std::uint8_t* data, std::size_t size) {
    SoundDevice& device = TheSoundDevice();
    EnterScratch("sound");
    WriteInput("sound.wav", data, size);
    VXSoundBuffer buffer;
    if (!buffer.Load(&device.sound, "sound.wav", 2)) return 0;
    // Both voices at once and a third start that takes the oldest over, one
    // of them looping, panned and attenuated, mixed for a tenth of a second.
    buffer.Play(0, -3000, -600);
    buffer.Play(1, 2500, 0);
    buffer.Play(0, 10000, -10000);
    std::vector<std::int16_t> out(2 * 2205);
    device.sound.DirectSound->MixNextFrames(out.data(), out.size() / 2);
    buffer.SetVolume(-300);
    device.sound.DirectSound->MixNextFrames(out.data(), out.size() / 2);
    buffer.Stop();
    return 0;
}

int FuzzTitleJpeg(const std::uint8_t* data, std::size_t size) {
    TForm form;
    TImage image(&form);
    if (!image.LoadJpeg(data, size)) {
        if (image.Picture.Width != 0 || image.Picture.Height != 0 || !image.Picture.Pixels.empty()) std::abort();
        return 0;
    }
    const std::size_t pixels =
        static_cast<std::size_t>(image.Picture.Width) * static_cast<std::size_t>(image.Picture.Height);
    if (image.Picture.Width <= 0 || image.Picture.Height <= 0 || image.Picture.Pixels.size() != pixels) std::abort();
    return 0;
}

}  // namespace fuzz
