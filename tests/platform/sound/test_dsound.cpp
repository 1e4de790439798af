#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/sound/dsound.h"

namespace {

WAVEFORMATEX Format(WORD channels, DWORD rate, WORD bits) {
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = f.nBlockAlign * rate;
    return f;
}

constexpr DWORD kAllControls = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

// Asks `device` for a buffer of `bytes` in `format`.
HRESULT CreateBuffer(IDirectSound& device, WAVEFORMATEX format, DWORD bytes, DWORD flags, LPDIRECTSOUNDBUFFER* out) {
    DSBUFFERDESC desc;
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = flags;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &format;
    return device.CreateSoundBuffer(&desc, out, nullptr);
}

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK); }

    HRESULT Make(WAVEFORMATEX format, DWORD bytes, LPDIRECTSOUNDBUFFER* out, DWORD flags = kAllControls) {
        return CreateBuffer(*ds, format, bytes, flags, out);
    }

    void Fill(IDirectSoundBuffer& b, std::int16_t value) {
        void* p = nullptr;
        DWORD n = 0;
        ASSERT_EQ(b.Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        auto* s = static_cast<std::int16_t*>(p);
        for (DWORD i = 0; i < n / 2; ++i) s[i] = value;
        ASSERT_EQ(b.Unlock(p, n, nullptr, 0), DS_OK);
    }

    std::vector<std::int16_t> Mix(std::size_t frames) {
        std::vector<std::int16_t> out(2 * frames);
        EXPECT_EQ(ds->MixNextFrames(out.data(), frames), DS_OK);
        return out;
    }

    LPDIRECTSOUND ds = std::make_shared<IDirectSound>(22050);
};

TEST_F(DirectSoundTest, BufferNeedsACooperativeLevelFirst) {
    auto fresh = std::make_shared<IDirectSound>(22050);
    LPDIRECTSOUNDBUFFER b;
    EXPECT_EQ(CreateBuffer(*fresh, Format(1, 22050, 16), 64, 0, &b), DSERR_UNINITIALIZED);
    EXPECT_FALSE(b);
}

TEST_F(DirectSoundTest, UnacceptableBuffersAreRefused) {
    struct Case {
        WAVEFORMATEX format;
        DWORD bytes;
        HRESULT expected;
    };
    WAVEFORMATEX badAlign = Format(2, 22050, 16);
    badAlign.nBlockAlign = 12;
    WAVEFORMATEX notPcm = Format(1, 22050, 16);
    notPcm.wFormatTag = 3;
    const Case cases[] = {
        {Format(1, 22050, 16), 0, DSERR_INVALIDPARAM},
        {Format(1, 22050, 16), 3, DSERR_INVALIDPARAM},
        {Format(1, 22050, 16), DSBSIZE_MAX + 1, DSERR_INVALIDPARAM},
        {Format(1, 22050, 24), 64, DSERR_BADFORMAT},
        {Format(3, 22050, 16), 64, DSERR_BADFORMAT},
        {Format(1, 0, 16), 64, DSERR_BADFORMAT},
        {Format(1, DSBFREQUENCY_MIN - 1, 16), 64, DSERR_BADFORMAT},
        {badAlign, 64, DSERR_BADFORMAT},
        {notPcm, 64, DSERR_BADFORMAT},
        {Format(2, 44100, 8), 64, DS_OK},
    };
    for (const Case& c : cases) {
        LPDIRECTSOUNDBUFFER b;
        EXPECT_EQ(Make(c.format, c.bytes, &b), c.expected) << c.bytes << " " << c.format.wBitsPerSample;
        EXPECT_EQ(static_cast<bool>(b), c.expected == DS_OK);
    }
}

TEST_F(DirectSoundTest, LockHandsOutTheBufferOnceAndWraps) {
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 100, &b), DS_OK);
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    ASSERT_EQ(b->Lock(80, 40, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(n2, 20u);
    EXPECT_EQ(static_cast<char*>(p1) - static_cast<char*>(p2), 80);
    void* again = nullptr;
    DWORD n = 0;
    EXPECT_EQ(b->Lock(0, 0, &again, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Lock(100, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);

    // From the write cursor, which is the play position here: the offset
    // given is ignored.
    void* base = nullptr;
    DWORD all = 0;
    ASSERT_EQ(b->Lock(0, 0, &base, &all, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    ASSERT_EQ(b->Unlock(base, all, nullptr, 0), DS_OK);
    ASSERT_EQ(b->SetCurrentPosition(90), DS_OK);
    ASSERT_EQ(b->Lock(10, 30, &p1, &n1, &p2, &n2, DSBLOCK_FROMWRITECURSOR), DS_OK);
    EXPECT_EQ(static_cast<char*>(p1) - static_cast<char*>(base), 90);
    EXPECT_EQ(n1, 10u);
    EXPECT_EQ(p2, base);
    EXPECT_EQ(n2, 20u);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
}

TEST_F(DirectSoundTest, VolumePanAndFrequencyOutsideTheirRangesAreRefused) {
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 64, &b), DS_OK);
    EXPECT_EQ(b->SetVolume(-5000), DS_OK);
    EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetVolume(-10001), DSERR_INVALIDPARAM);
    LONG v = 0;
    b->GetVolume(&v);
    EXPECT_EQ(v, -5000);
    EXPECT_EQ(b->SetPan(10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetPan(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetPan(-10000), DS_OK);
    EXPECT_EQ(b->SetFrequency(50), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetFrequency(11025), DS_OK);
    DWORD f = 0;
    b->GetFrequency(&f);
    EXPECT_EQ(f, 11025u);
    EXPECT_EQ(b->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    b->GetFrequency(&f);
    EXPECT_EQ(f, 22050u);
}

TEST_F(DirectSoundTest, ControlsMustBeAskedFor) {
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 64, &b, DSBCAPS_STATIC), DS_OK);
    EXPECT_EQ(b->SetVolume(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(b->SetPan(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(b->SetFrequency(0), DSERR_CONTROLUNAVAIL);
}

TEST_F(DirectSoundTest, DuplicatesShareSamplesButPlayOnTheirOwn) {
    LPDIRECTSOUNDBUFFER a, b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 8, &a), DS_OK);  // 4 frames
    Fill(*a, 1000);
    ASSERT_EQ(ds->DuplicateSoundBuffer(a, &b), DS_OK);
    ASSERT_TRUE(b);
    ASSERT_EQ(a->Play(0, 0, 0), DS_OK);
    Mix(2);
    ASSERT_EQ(b->SetVolume(-10000), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    const auto out = Mix(3);
    EXPECT_EQ(out, (std::vector<std::int16_t>{1000, 1000, 1000, 1000, 0, 0}));
    DWORD status = 0;
    a->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    b->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING);
    LONG v = 0;
    a->GetVolume(&v);
    EXPECT_EQ(v, 0);
}

TEST_F(DirectSoundTest, StatusPositionAndLooping) {
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(Make(Format(2, 22050, 16), 40, &b), DS_OK);  // 10 frames
    ASSERT_EQ(b->SetCurrentPosition(22), DS_OK);           // inside frame 5
    DWORD play = 0;
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 20u);
    EXPECT_EQ(b->SetCurrentPosition(40), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    DWORD status = 0;
    b->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    Mix(12);
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 28u);  // 5 + 12 frames, wrapped at 10
    ASSERT_EQ(b->Stop(), DS_OK);
    b->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(DirectSoundTest, LostBuffersRefuseToPlayUntilRestored) {
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 64, &b), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    ds->LoseBuffers();
    DWORD status = 0;
    b->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    void* p = nullptr;
    DWORD n = 0;
    EXPECT_EQ(b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
}

TEST_F(DirectSoundTest, CapsNeedTheirSize) {
    DSCAPS caps;
    EXPECT_EQ(ds->GetCaps(&caps), DSERR_INVALIDPARAM);
    caps.dwSize = sizeof caps;
    EXPECT_EQ(ds->GetCaps(&caps), DS_OK);
    EXPECT_EQ(caps.dwMinSecondarySampleRate, DSBFREQUENCY_MIN);
    EXPECT_NE(caps.dwFlags & DSCAPS_SECONDARY16BIT, 0u);
}

TEST_F(DirectSoundTest, ReleasingABufferWhileTheDeviceLivesIsSafe) {
    LPDIRECTSOUNDBUFFER a, b;
    ASSERT_EQ(Make(Format(1, 22050, 16), 8, &a), DS_OK);
    Fill(*a, 700);
    ASSERT_EQ(ds->DuplicateSoundBuffer(a, &b), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    a.reset();  // the duplicate keeps the samples
    const auto out = Mix(2);
    EXPECT_EQ(out[0], 700);
    ds.reset();  // and the device may go before its buffers
    EXPECT_EQ(b->Stop(), DS_OK);
}

// A silent mono buffer of a tenth of a second at 22050 Hz.
HRESULT MakeTenthOfASecond(IDirectSound& device, LPDIRECTSOUNDBUFFER* out) {
    return CreateBuffer(device, Format(1, 22050, 16), 4410, kAllControls, out);
}

// Under SDL_AUDIODRIVER=dummy (or on a machine without sound) opening the
// default device may work or fail; either way nothing crashes and a device
// that opened takes buffers.
TEST(DirectSoundDevice, CreateOnTheDefaultDevice) {
    LPDIRECTSOUND device;
    const HRESULT hr = DirectSoundCreate(nullptr, &device, nullptr);
    if (FAILED(hr)) {
        EXPECT_EQ(hr, DSERR_NODRIVER);
        EXPECT_FALSE(device);
        return;
    }
    ASSERT_TRUE(device);
    EXPECT_GT(device->OutputRate(), 0u);
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    LPDIRECTSOUNDBUFFER b;
    ASSERT_EQ(MakeTenthOfASecond(*device, &b), DS_OK);
    EXPECT_EQ(b->Play(0, 0, 0), DS_OK);
    std::int16_t out[4];
    EXPECT_EQ(device->MixNextFrames(out, 2), DSERR_INVALIDCALL);  // the device mixes by itself
}

// A device that opened mixes by itself, from its audio callback: a sound of
// a tenth of a second ends on its own, and a looping one keeps playing. The
// test waits for the end however long a busy machine takes to play it; the
// two minutes only stop a device that never mixes from hanging the test.
TEST(DirectSoundDevice, TheDeviceMixesByItself) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);  // silent, unless a driver is chosen already
    LPDIRECTSOUND device;
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr))) GTEST_SKIP() << "no sound device";
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    LPDIRECTSOUNDBUFFER once, loop;
    ASSERT_EQ(MakeTenthOfASecond(*device, &once), DS_OK);
    ASSERT_EQ(device->DuplicateSoundBuffer(once, &loop), DS_OK);
    ASSERT_EQ(once->Play(0, 0, 0), DS_OK);
    ASSERT_EQ(loop->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    DWORD status = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(once->GetStatus(&status), DS_OK);
    } while ((status & DSBSTATUS_PLAYING) && std::chrono::steady_clock::now() < until);
    EXPECT_EQ(status, 0u);
    ASSERT_EQ(loop->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(loop->Stop(), DS_OK);
}

}  // namespace
