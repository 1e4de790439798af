#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/system/debug.h"
#include "platform/forms/msgbox.h"
#include "platform/system/quit.h"
#include "vx/vxsound.h"
#include "vx/vxsoundbuffer.h"

namespace fs = std::filesystem;

namespace {

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint16_t x) {
    v[at] = static_cast<std::uint8_t>(x);
    v[at + 1] = static_cast<std::uint8_t>(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}

struct Wav {
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    std::uint16_t align = 0;  // 0: channels × bits / 8
    std::vector<std::int16_t> samples;
    long declaredSize = -1;  // -1: the real size

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> v(44, 0);
        std::memcpy(v.data(), "RIFF", 4);
        std::memcpy(v.data() + 8, "WAVEfmt ", 8);
        Put32(v, 16, 16);
        Put16(v, 20, 1);
        Put16(v, 22, channels);
        Put32(v, 24, rate);
        const std::uint16_t a = align ? align : static_cast<std::uint16_t>(channels * bits / 8);
        Put32(v, 28, rate * a);
        Put16(v, 32, a);
        Put16(v, 34, bits);
        std::memcpy(v.data() + 36, "data", 4);
        const std::uint32_t size = static_cast<std::uint32_t>(samples.size() * 2);
        Put32(v, 40, declaredSize >= 0 ? static_cast<std::uint32_t>(declaredSize) : size);
        for (std::int16_t s : samples) {
            v.push_back(static_cast<std::uint8_t>(s & 0xFF));
            v.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
        }
        return v;
    }
};

// A device without output: the test pulls the mixed frames itself. Its rate
// equals the files' rate, so one output frame is one sample frame.
class SoundBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(VANTORRA_TEST_TMP) /
              (std::string("vxsound_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "snd");
        old = fs::current_path();
        fs::current_path(dir);
        Attach(std::make_shared<IDirectSound>(22050));
    }
    void TearDown() override {
        fs::current_path(old);
        fs::remove_all(dir);
    }

    void Attach(LPDIRECTSOUND device) {
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
        sound.DirectSound = std::move(device);
        sound.DeviceDisabled = 0;
        sound.PlaybackDisabled = 0;
    }

    void Write(const char* name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // A mono 16-bit sound of `frames` frames counting 100, 200, 300, ...
    void WriteRamp(const char* name, int frames) {
        Wav w;
        for (int i = 1; i <= frames; ++i) w.samples.push_back(static_cast<std::int16_t>(100 * i));
        Write(name, w.Bytes());
    }

    std::vector<std::int16_t> Stereo(std::size_t frames) {
        std::vector<std::int16_t> out(2 * frames);
        EXPECT_EQ(sound.DirectSound->MixNextFrames(out.data(), frames), DS_OK);
        return out;
    }
    std::vector<std::int16_t> Left(std::size_t frames) {
        const std::vector<std::int16_t> out = Stereo(frames);
        std::vector<std::int16_t> left;
        for (std::size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
        return left;
    }

    static DWORD Status(IDirectSoundBuffer& b) {
        DWORD s = 0xFFFF;
        b.GetStatus(&s);
        return s;
    }
    static DWORD Position(IDirectSoundBuffer& b) {
        DWORD p = 0xFFFF;
        b.GetCurrentPosition(&p, nullptr);
        return p;
    }

    fs::path dir, old;
    VXSound sound;
};

TEST(VXSoundDevice, DisabledUntilCreated) {
    VXSound sound;
    EXPECT_EQ(sound.DeviceDisabled, 1);
    EXPECT_EQ(sound.PlaybackDisabled, 1);
    EXPECT_FALSE(sound.DirectSound);
    EXPECT_EQ(sound.GetCaps(), 0);
}

TEST(VXSoundDevice, CreateAlwaysAnswersOne) {
    VXSound sound;
    EXPECT_EQ(sound.Create(nullptr), 1);
    // With a device the flags clear and the caps can be read; without one
    // (no driver) both stay set.
    if (sound.DirectSound) {
        EXPECT_EQ(sound.DeviceDisabled, 0);
        EXPECT_EQ(sound.PlaybackDisabled, 0);
        EXPECT_EQ(sound.GetCaps(), 1);
        EXPECT_EQ(sound.Caps.dwSize, sizeof(DSCAPS));
    } else {
        EXPECT_EQ(sound.DeviceDisabled, 1);
        EXPECT_EQ(sound.GetCaps(), 0);
    }
}

// No sound driver at all: the user is asked whether to go on without sound,
// "No" quits, and either way every sound call after it is safe and silent.
TEST(VXSoundDevice, WithoutADriverTheQuestionIsAskedAndNothingPlays) {
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    for (const int answer : {IDYES, IDNO}) {
        plat::ClearQuit();
        std::vector<plat::MessageBoxCall> boxes;
        plat::SetMessageBoxHandler([&](const plat::MessageBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
        VXSound sound;
        EXPECT_EQ(sound.Create(nullptr), 1);
        plat::SetMessageBoxHandler({});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "DirectSound Error 'DSERR_NODRIVER.'\nContinue with Sound turned off?");
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(boxes[0].type, MB_YESNO);
        EXPECT_EQ(plat::QuitPosted(), answer == IDNO);
        EXPECT_FALSE(sound.DirectSound);
        EXPECT_EQ(sound.DeviceDisabled, 1);
        EXPECT_EQ(sound.PlaybackDisabled, 1);
        EXPECT_EQ(sound.GetCaps(), 0);

        VXSoundBuffer slot;
        EXPECT_EQ(slot.Load(&sound, "snd\\laser.wav", 3), 0);
        EXPECT_TRUE(slot.Voices.empty());
        EXPECT_EQ(slot.Play(DSBPLAY_LOOPING, 0, 0), 0);
        EXPECT_EQ(slot.Stop(), 0);
        slot.SetVolume(-500);
    }
    plat::ClearQuit();
    if (before)
        ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        ::unsetenv("SDL_AUDIODRIVER");
}

TEST_F(SoundBufferTest, ConstructedEmpty) {
    VXSoundBuffer b;
    EXPECT_EQ(b.VoiceCount, 1);
    EXPECT_EQ(b.CurrentVoice, 0);
    EXPECT_TRUE(b.Voices.empty());
    EXPECT_EQ(b.Play(0, 0, 0), 0);
    EXPECT_EQ(b.Stop(), 0);
    b.SetVolume(-100);  // nothing to change, and no crash
}

TEST_F(SoundBufferTest, LoadNeedsAFileAndADevice) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    EXPECT_EQ(b.Load(nullptr, "snd\\a.wav", 1), 0);
    EXPECT_EQ(b.Load(&sound, nullptr, 1), 0);
    VXSound noDevice;
    EXPECT_EQ(b.Load(&noDevice, "snd\\a.wav", 1), 0);
    EXPECT_EQ(b.Load(&sound, "snd\\missing.wav", 1), 0);
    EXPECT_TRUE(b.Voices.empty());
    EXPECT_EQ(b.Sound, nullptr);
    EXPECT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
}

TEST_F(SoundBufferTest, VoiceCountBelowOneMakesOneVoice) {
    WriteRamp("snd/a.wav", 4);
    for (int count : {0, -3}) {
        VXSoundBuffer b;
        ASSERT_EQ(b.Load(&sound, "snd\\a.wav", count), 1);
        EXPECT_EQ(b.VoiceCount, 1);
        ASSERT_EQ(b.Voices.size(), 1u);
        EXPECT_TRUE(b.Voices[0]);
    }
}

TEST_F(SoundBufferTest, PlayGivesTheSamplesAtGainAndPan) {
    Wav w;
    w.samples.assign(4, 20000);
    Write("snd/a.wav", w.Bytes());
    struct Case {
        int pan, volume;
        std::int16_t left, right;
    };
    const Case cases[] = {
        {0, 0, 20000, 20000}, {0, -600, 10023, 10023},  {2000, 0, 2000, 20000}, {-2000, 0, 20000, 2000},
        {10000, 0, 0, 20000}, {-10000, -600, 10023, 0}, {0, -10000, 0, 0},
    };
    for (const Case& c : cases) {
        VXSoundBuffer b;
        ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
        ASSERT_EQ(b.Play(0, c.pan, c.volume), 1);
        const auto out = Stereo(1);
        EXPECT_EQ(out[0], c.left) << c.pan << " " << c.volume;
        EXPECT_EQ(out[1], c.right) << c.pan << " " << c.volume;
    }
}

TEST_F(SoundBufferTest, VolumesAndPansOutOfRangeAreRefused) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
    EXPECT_EQ(b.Play(0, 0, 1), 0);
    EXPECT_EQ(b.Play(0, 0, -10001), 0);
    EXPECT_EQ(b.Play(0, 10001, 0), 0);
    EXPECT_EQ(b.Play(0, -10001, 0), 0);
    EXPECT_EQ(Status(*b.Voices[0]), 0u);
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{0, 0}));
    // SetVolume ignores a refusal, and the old volume stays.
    ASSERT_EQ(b.Play(0, 0, -2000), 1);
    b.SetVolume(500);
    LONG v = 0;
    b.Voices[0]->GetVolume(&v);
    EXPECT_EQ(v, -2000);
}

TEST_F(SoundBufferTest, OneShotEndsAndLoopRepeats) {
    WriteRamp("snd/a.wav", 3);
    VXSoundBuffer once, loop;
    ASSERT_EQ(once.Load(&sound, "snd\\a.wav", 1), 1);
    ASSERT_EQ(once.Play(0, 0, 0), 1);
    EXPECT_EQ(Left(5), (std::vector<std::int16_t>{100, 200, 300, 0, 0}));
    EXPECT_EQ(Status(*once.Voices[0]), 0u);

    ASSERT_EQ(loop.Load(&sound, "snd\\a.wav", 1), 1);
    ASSERT_EQ(loop.Play(DSBPLAY_LOOPING, 0, 0), 1);
    EXPECT_EQ(Left(7), (std::vector<std::int16_t>{100, 200, 300, 100, 200, 300, 100}));
    EXPECT_EQ(Status(*loop.Voices[0]), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    ASSERT_EQ(loop.Stop(), 1);
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{0, 0}));
}

TEST_F(SoundBufferTest, FinishedVoiceIsPlayedAgainFromTheStart) {
    WriteRamp("snd/a.wav", 2);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 2), 1);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    Left(3);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(b.CurrentVoice, 0);  // a sound played slowly keeps its voice
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{100, 200}));
}

TEST_F(SoundBufferTest, VoicesAreTakenInTurnAndTheOldestIsRewound) {
    WriteRamp("snd/a.wav", 50);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 2), 1);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(b.CurrentVoice, 0);
    Left(10);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(b.CurrentVoice, 1);
    Left(5);
    EXPECT_EQ(Position(*b.Voices[0]), 30u);  // 15 frames of 2 bytes
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(b.CurrentVoice, 0);
    EXPECT_EQ(Position(*b.Voices[0]), 0u);
    EXPECT_EQ(Status(*b.Voices[0]) & DSBSTATUS_PLAYING, DSBSTATUS_PLAYING);
    EXPECT_EQ(Status(*b.Voices[1]) & DSBSTATUS_PLAYING, DSBSTATUS_PLAYING);
    // Voice 0 from its start (100) plus voice 1 at its sixth frame (600).
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{700}));
}

TEST_F(SoundBufferTest, OneVoiceSoundIsNotRestartedWhilePlaying) {
    WriteRamp("snd/a.wav", 20);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    Left(4);
    EXPECT_EQ(b.Play(0, 0, 0), 0);
    EXPECT_EQ(b.CurrentVoice, 0);
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{500, 600}));
}

TEST_F(SoundBufferTest, StopRewindsEveryVoice) {
    WriteRamp("snd/a.wav", 30);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 3), 1);
    ASSERT_EQ(b.Play(DSBPLAY_LOOPING, 0, 0), 1);
    Left(3);
    ASSERT_EQ(b.Play(0, 0, 0), 1);
    Left(3);
    ASSERT_EQ(b.Stop(), 1);
    for (const auto& v : b.Voices) {
        EXPECT_EQ(Status(*v), 0u);
        EXPECT_EQ(Position(*v), 0u);
    }
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{0}));
}

TEST_F(SoundBufferTest, PlaybackDisabledAnswersOneAndPlaysNothing) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
    sound.PlaybackDisabled = 1;
    EXPECT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(Status(*b.Voices[0]), 0u);
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{0}));
}

TEST_F(SoundBufferTest, DuplicatesShareOneCopyOfTheSamples) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 3), 1);
    ASSERT_EQ(b.Voices.size(), 3u);
    void* first = nullptr;
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_EQ(b.Voices[0]->Lock(0, 0, &first, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    b.Voices[0]->Unlock(first, n, nullptr, 0);
    for (int i = 1; i < 3; ++i) {
        ASSERT_EQ(b.Voices[i]->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        EXPECT_EQ(p, first);
        b.Voices[i]->Unlock(p, n, nullptr, 0);
    }
}

// A device that cannot duplicate: each voice is then loaded from the file.
class NoDuplicates : public IDirectSound {
public:
    NoDuplicates() : IDirectSound(22050) {}
    HRESULT DuplicateSoundBuffer(const LPDIRECTSOUNDBUFFER&, LPDIRECTSOUNDBUFFER* out) override {
        out->reset();
        return DSERR_ALLOCATED;
    }
};

TEST_F(SoundBufferTest, FailedDuplicationLoadsTheFileAgain) {
    Attach(std::make_shared<NoDuplicates>());
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 2), 1);
    void *p0 = nullptr, *p1 = nullptr;
    DWORD n = 0;
    ASSERT_EQ(b.Voices[0]->Lock(0, 0, &p0, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    ASSERT_EQ(b.Voices[1]->Lock(0, 0, &p1, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_NE(p0, p1);
    EXPECT_EQ(std::memcmp(p0, p1, n), 0);
}

TEST_F(SoundBufferTest, ChannelCountAboveOneMakesStereo) {
    struct Case {
        std::uint16_t channels, align;
        WORD expected;
    };
    for (const Case c : {Case{6, 4, 2}, Case{2, 4, 2}, Case{1, 2, 1}, Case{0, 2, 1}}) {
        Wav w;
        w.channels = c.channels;
        w.align = c.align;
        w.samples.assign(8, 1);
        Write("snd/c.wav", w.Bytes());
        VXSoundBuffer b;
        ASSERT_EQ(b.Load(&sound, "snd\\c.wav", 1), 1) << c.channels;
        WAVEFORMATEX f;
        ASSERT_EQ(b.Voices[0]->GetFormat(&f, sizeof f, nullptr), DS_OK);
        EXPECT_EQ(f.nChannels, c.expected) << c.channels;
    }
}

TEST_F(SoundBufferTest, HeaderIsReadAtFixedOffsetsWhateverItsChunks) {
    // A "LIST" chunk where the data chunk should be: its size field at offset
    // 40 is taken as the data size, and the bytes from 44 as the samples.
    Wav w;
    w.samples = {1111, 2222, 3333, 4444};
    std::vector<std::uint8_t> bytes = w.Bytes();
    std::memcpy(bytes.data() + 36, "LIST", 4);
    Put32(bytes, 40, 4);
    Write("snd/l.wav", bytes);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\l.wav", 1), 1);
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_EQ(b.Voices[0]->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::memcmp(p, bytes.data() + 44, 4), 0);
}

TEST_F(SoundBufferTest, ShortOrUnacceptableFilesLeaveTheSlotSilent) {
    Wav tooBig;
    tooBig.samples = {1, 2};
    tooBig.declaredSize = 400;  // more than the file holds
    Wav empty;                  // a header alone, no data
    Wav wide;
    wide.bits = 24;
    wide.samples = {1, 2, 3};
    std::vector<std::uint8_t> truncated = tooBig.Bytes();
    truncated.resize(43);
    Write("snd/big.wav", tooBig.Bytes());
    Write("snd/empty.wav", empty.Bytes());
    Write("snd/wide.wav", wide.Bytes());
    Write("snd/trunc.wav", truncated);
    std::vector<std::string> debug;
    auto old = plat::SetDebugOutputSink([&](const std::string& t) { debug.push_back(t); });
    for (const char* name : {"snd\\big.wav", "snd\\empty.wav", "snd\\wide.wav", "snd\\trunc.wav"}) {
        VXSoundBuffer b;
        EXPECT_EQ(b.Load(&sound, name, 2), 0) << name;
        EXPECT_TRUE(b.Voices.empty()) << name;
        EXPECT_EQ(b.Sound, nullptr);
        EXPECT_EQ(b.VoiceCount, 2);  // a failed load keeps the count
        EXPECT_EQ(b.Play(0, 0, 0), 0);
    }
    plat::SetDebugOutputSink(old);
    ASSERT_EQ(debug.size(), 1u);  // only the short data read says so
    EXPECT_NE(debug[0].find(", dwdata: 400, fp: "), std::string::npos) << debug[0];
    EXPECT_EQ(debug[0].rfind("Data : ", 0), 0u);
}

TEST_F(SoundBufferTest, ShortDataReadLeavesTheBufferUnlocked) {
    Wav w;
    w.samples = {1, 2};
    w.declaredSize = 40;
    Write("snd/s.wav", w.Bytes());
    VXSoundBuffer b;
    b.Sound = &sound;
    b.Voices.resize(1);
    ASSERT_EQ(b.CreateSoundBuffer(0, 40, 22050, 16, 2, 0), 1);
    std::FILE* f = std::fopen("snd/s.wav", "rb");
    ASSERT_NE(f, nullptr);
    auto old = plat::SetDebugOutputSink([](const std::string&) {});
    EXPECT_EQ(b.ReadData(f, 44, 0), 0);
    plat::SetDebugOutputSink(old);
    std::fclose(f);
    void* p = nullptr;
    DWORD n = 0;
    EXPECT_EQ(b.Voices[0]->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
}

TEST_F(SoundBufferTest, LostVoiceIsRestoredWhenChosen) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 1), 1);
    sound.DirectSound->LoseBuffers();
    EXPECT_EQ(b.Play(0, 0, 0), 1);
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{100, 200}));
}

TEST_F(SoundBufferTest, ReleaseLeavesNoVoices) {
    WriteRamp("snd/a.wav", 4);
    VXSoundBuffer b;
    ASSERT_EQ(b.Load(&sound, "snd\\a.wav", 2), 1);
    ASSERT_EQ(b.Play(DSBPLAY_LOOPING, 0, 0), 1);
    b.ReleaseBuffers();
    EXPECT_TRUE(b.Voices.empty());
    EXPECT_EQ(b.Sound, nullptr);
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{0}));
}

}  // namespace
