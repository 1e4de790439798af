#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sound/mixer.h"

namespace {

std::vector<std::uint8_t> Pcm16(std::initializer_list<std::int16_t> samples) {
    std::vector<std::uint8_t> bytes;
    for (std::int16_t s : samples) {
        bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    return bytes;
}

plat::MixVoice Voice(const std::vector<std::uint8_t>& bytes, int channels, int bits, std::uint32_t rate) {
    plat::MixVoice v;
    v.samples = bytes.data();
    v.channels = static_cast<std::uint8_t>(channels);
    v.bits = static_cast<std::uint8_t>(bits);
    v.frames = static_cast<std::uint32_t>(bytes.size() / (channels * bits / 8));
    v.frequency = rate;
    v.playing = true;
    return v;
}

std::vector<std::int16_t> Mix(std::vector<plat::MixVoice*> voices, std::size_t frames, std::uint32_t rate) {
    std::vector<std::int16_t> out(2 * frames, 12345);  // stale contents must be overwritten
    plat::MixVoices(voices.data(), voices.size(), out.data(), frames, rate);
    return out;
}

TEST(Mixer, AttenuationGains) {
    EXPECT_EQ(plat::GainFromAttenuation(0), 65536);
    EXPECT_EQ(plat::GainFromAttenuation(-2000), 6554);  // -20 dB is a tenth
    EXPECT_EQ(plat::GainFromAttenuation(-600), 32846);  // -6 dB is about a half
    EXPECT_EQ(plat::GainFromAttenuation(-10000), 0);    // the floor is silence
    EXPECT_EQ(plat::GainFromAttenuation(-20000), 0);
}

TEST(Mixer, PositivePanAttenuatesTheLeftChannel) {
    struct Case {
        int volume, pan;
        std::int32_t left, right;
    };
    const Case cases[] = {
        {0, 0, 65536, 65536},  {0, 2000, 6554, 65536},   {0, -2000, 65536, 6554}, {0, 10000, 0, 65536},
        {0, -10000, 65536, 0}, {-2000, 2000, 655, 6554}, {-9000, 5000, 0, 2},     {-10000, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::int32_t l = -1, r = -1;
        plat::GainsFromVolumeAndPan(c.volume, c.pan, &l, &r);
        EXPECT_EQ(l, c.left) << c.volume << " " << c.pan;
        EXPECT_EQ(r, c.right) << c.volume << " " << c.pan;
    }
}

TEST(Mixer, NoVoicesGiveSilence) {
    const auto out = Mix({}, 300, 48000);
    for (std::int16_t s : out) ASSERT_EQ(s, 0);
}

TEST(Mixer, SameRateCopiesSamplesToBothChannels) {
    const auto pcm = Pcm16({100, -200, 300});
    plat::MixVoice v = Voice(pcm, 1, 16, 22050);
    const auto out = Mix({&v}, 4, 22050);
    EXPECT_EQ(out, (std::vector<std::int16_t>{100, 100, -200, -200, 300, 300, 0, 0}));
    EXPECT_FALSE(v.playing);
    EXPECT_EQ(v.position, 0u);
}

TEST(Mixer, StereoAndEightBitLayouts) {
    const auto stereo = Pcm16({1000, -1000, 2000, -2000});
    plat::MixVoice s = Voice(stereo, 2, 16, 8000);
    EXPECT_EQ(Mix({&s}, 2, 8000), (std::vector<std::int16_t>{1000, -1000, 2000, -2000}));

    const std::vector<std::uint8_t> bytes8 = {0x80, 0xC0, 0x00, 0xFF};
    plat::MixVoice e = Voice(bytes8, 1, 8, 8000);
    EXPECT_EQ(Mix({&e}, 4, 8000), (std::vector<std::int16_t>{0, 0, 16384, 16384, -32768, -32768, 32512, 32512}));
}

TEST(Mixer, UpsamplingInterpolatesBetweenSamples) {
    const auto pcm = Pcm16({0, 1000, 2000});
    plat::MixVoice v = Voice(pcm, 1, 16, 11025);
    const auto out = Mix({&v}, 6, 22050);  // two output frames per input frame
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 500, 500, 1000, 1000, 1500, 1500, 2000, 2000, 2000, 2000}));
}

TEST(Mixer, LoopingVoiceWrapsAndKeepsPlaying) {
    const auto pcm = Pcm16({1, 2, 3});
    plat::MixVoice v = Voice(pcm, 1, 16, 1000);
    v.looping = true;
    const auto out = Mix({&v}, 7, 1000);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<std::int16_t>{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_TRUE(v.playing);
    EXPECT_EQ(v.position >> 32, 1u);
}

TEST(Mixer, VoicesAreSummedWithSaturation) {
    const auto loud = Pcm16({30000, -30000, 1000});
    plat::MixVoice a = Voice(loud, 1, 16, 1000);
    plat::MixVoice b = Voice(loud, 1, 16, 1000);
    const auto out = Mix({&a, &b}, 3, 1000);
    EXPECT_EQ(out, (std::vector<std::int16_t>{32767, 32767, -32768, -32768, 2000, 2000}));
}

TEST(Mixer, GainsScaleEachChannel) {
    const auto pcm = Pcm16({20000});
    plat::MixVoice v = Voice(pcm, 1, 16, 1000);
    v.gainLeft = 32768;
    v.gainRight = 0;
    EXPECT_EQ(Mix({&v}, 1, 1000), (std::vector<std::int16_t>{10000, 0}));
}

TEST(Mixer, StoppedVoicesAreSkippedAndBrokenOnesStop) {
    const auto pcm = Pcm16({5000});
    plat::MixVoice stopped = Voice(pcm, 1, 16, 1000);
    stopped.playing = false;
    plat::MixVoice broken = Voice(pcm, 1, 16, 1000);
    broken.frames = 0;
    EXPECT_EQ(Mix({&stopped, &broken, nullptr}, 1, 1000), (std::vector<std::int16_t>{0, 0}));
    EXPECT_FALSE(broken.playing);
}

TEST(Mixer, ResamplingKeepsTheLengthInTime) {
    // Half a second at 22050 Hz lasts 24000 frames at 48000 Hz, across many
    // internal chunks.
    std::vector<std::uint8_t> pcm(2 * 11025, 0);
    for (std::size_t i = 0; i < pcm.size(); i += 2) pcm[i + 1] = 0x10;  // 4096
    plat::MixVoice v = Voice(pcm, 1, 16, 22050);
    const auto out = Mix({&v}, 24100, 48000);
    std::size_t sounding = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        if (out[i] != 0) ++sounding;
    EXPECT_NEAR(static_cast<double>(sounding), 24000.0, 3.0);
    EXPECT_FALSE(v.playing);
}

}  // namespace
