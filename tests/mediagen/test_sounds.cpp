// The sounds fit their use: a long music loop and engine drones that loop
// without a click, short one-shots, and levels with headroom.
#include <cmath>

#include <gtest/gtest.h>

#include "tests/mediagen/support_media.h"
#include "tools/mediagen/synth.h"
#include "tools/mediagen/wavfile.h"

using namespace mediatest;

namespace {

std::vector<float> Load(const std::string& name) {
    const auto bytes = ReadFile(GameDir() / name);
    if (!bytes) {
        ADD_FAILURE() << "missing " << name;
        return {};
    }
    const auto wav = mediagen::DecodeWav(*bytes);
    if (!wav) {
        ADD_FAILURE() << name << " does not decode";
        return {};
    }
    std::vector<float> s;
    for (std::int16_t v : wav->samples) s.push_back(static_cast<float>(v) / 32768.0f);
    return s;
}

float Peak(const std::vector<float>& s) {
    float m = 0;
    for (float v : s) m = std::max(m, std::fabs(v));
    return m;
}

float Seconds(const std::vector<float>& s) { return static_cast<float>(s.size()) / 22050.0f; }

// The jump from the last sample back to the first, against the sound's own
// typical step: a click stands far out.
void ExpectSeamless(const std::string& name) {
    const std::vector<float> s = Load(name);
    ASSERT_GT(s.size(), 1000u) << name;
    double steps = 0;
    for (std::size_t i = 1; i < s.size(); ++i) steps += std::fabs(s[i] - s[i - 1]);
    const double typical = steps / static_cast<double>(s.size() - 1);
    const double seam = std::fabs(s.front() - s.back());
    EXPECT_LE(seam, 5.0 * typical + 1e-4) << name << " clicks where it loops";
    // The level just after the start matches the level just before the end:
    // no fade-out or fade-in gap at the loop point.
    auto rms = [&](std::size_t from, std::size_t n) {
        double sum = 0;
        for (std::size_t i = from; i < from + n; ++i) sum += s[i] * s[i];
        return std::sqrt(sum / static_cast<double>(n));
    };
    const std::size_t w = 2205;
    const double head = rms(0, w), tail = rms(s.size() - w, w);
    EXPECT_GT(head, 0.25 * tail) << name;
    EXPECT_GT(tail, 0.25 * head) << name;
}

// Each file is a sound of its own: not a copy of another, nor another turned
// up or down (their normalised correlation stays low).
void ExpectDistinct(std::initializer_list<const char*> names) {
    std::vector<std::pair<const char*, std::vector<float>>> all;
    for (const char* n : names) all.emplace_back(n, Load(n));
    for (std::size_t a = 0; a < all.size(); ++a) {
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            const std::vector<float>& x = all[a].second;
            const std::vector<float>& y = all[b].second;
            const std::size_t n = std::min(x.size(), y.size());
            double xy = 0, xx = 0, yy = 0;
            for (std::size_t i = 0; i < n; ++i) {
                xy += static_cast<double>(x[i]) * y[i];
                xx += static_cast<double>(x[i]) * x[i];
                yy += static_cast<double>(y[i]) * y[i];
            }
            ASSERT_GT(xx * yy, 0.0) << all[a].first << " " << all[b].first;
            EXPECT_LT(std::fabs(xy) / std::sqrt(xx * yy), 0.5) << all[a].first << " sounds like " << all[b].first;
        }
    }
}

}  // namespace

TEST(Sounds, MusicIsALoopOfAtLeastThirtySecondsWithoutGaps) {
    const std::vector<float> s = Load("snd/fanfare2.wav");
    EXPECT_GE(Seconds(s), 30.0f);
    EXPECT_LE(Peak(s), 0.5f) << "the music shares the mix with two engines";
    ExpectSeamless("snd/fanfare2.wav");
    // Playing all the way through: every two-second stretch is sounding.
    for (std::size_t from = 0; from + 44100 <= s.size(); from += 44100) {
        double sum = 0;
        for (std::size_t i = from; i < from + 44100; ++i) sum += s[i] * s[i];
        EXPECT_GT(std::sqrt(sum / 44100.0), 0.02) << "silence at " << from / 22050 << " s";
    }
}

TEST(Sounds, EnginesAreSeamlessDronesWithHeadroom) {
    const auto engines = {"snd/sw/aeng.wav",   "snd/sw/beng.wav",    "snd/sw/teng.wav",        "snd/sw/xeng.wav",
                          "snd/sw/yeng.wav",   "snd/sw/guneng.wav",  "snd/bsg/vipereng.wav",   "snd/bsg/raidereng.wav",
                          "snd/st/bridge.wav", "snd/b5/nialeng.wav", "snd/b5/minbarengine.wav"};
    for (const char* e : engines) {
        const std::vector<float> s = Load(e);
        EXPECT_GE(Seconds(s), 1.0f) << e;
        EXPECT_LE(Peak(s), 0.5f) << e;
        EXPECT_GE(Peak(s), 0.2f) << e;
        ExpectSeamless(e);
    }
    ExpectDistinct(engines);
}

TEST(Sounds, EachTechnologyFiresItsOwnShot) {
    // Rebel, Imperial, Colonial, Cylon, Earth Alliance, Minbari, Star Fleet,
    // and the ion cannon and torpedo beside them.
    ExpectDistinct({"snd/sw/reblaser.wav", "snd/sw/implaser.wav", "snd/bsg/coloniallaser.wav", "snd/bsg/cylonlaser.wav",
                    "snd/b5/sfuryshot.wav", "snd/b5/minshot.wav", "snd/st/ppgun.wav", "snd/st/normphaser.wav",
                    "snd/sw/ion.wav", "snd/st/torp.wav"});
}

TEST(Sounds, ShotsAreShortEnoughForTheirFiringRate) {
    // Laser-like shots repeat every 8 to 24 frames; with their voices they
    // must end well within a few repeats.
    for (const char* f : {"snd/sw/implaser.wav", "snd/sw/reblaser.wav", "snd/sw/lowpowerlaser.wav", "snd/sw/ion.wav",
                          "snd/bsg/coloniallaser.wav", "snd/bsg/cylonlaser.wav", "snd/b5/sfuryshot.wav",
                          "snd/st/ppgun.wav", "snd/b5/minshot.wav"}) {
        const std::vector<float> s = Load(f);
        EXPECT_LE(Seconds(s), 0.4f) << f;
        EXPECT_GE(Seconds(s), 0.08f) << f;
    }
    for (const char* f : {"snd/sw/select.wav", "snd/sw/select2.wav", "snd/st/beep.wav", "snd/st/beep2.wav",
                          "snd/b5/beep.wav", "snd/b5/beep2.wav"})
        EXPECT_LE(Seconds(Load(f)), 0.25f) << f;
}

TEST(Sounds, OneShotsAreNormalisedWithHeadroomAndEndInSilence) {
    for (const char* f : {"snd/sw/implaser.wav", "snd/sw/Launch.wav", "snd/laserhithull.wav", "snd/laserhitshield.wav",
                          "snd/missilehit.wav", "snd/collis.wav", "snd/kaboom.wav", "snd/st/torp.wav",
                          "snd/phasing.wav", "snd/cloaking.wav", "snd/diseng.wav", "snd/tele.wav"}) {
        const std::vector<float> s = Load(f);
        ASSERT_FALSE(s.empty()) << f;
        EXPECT_GE(Peak(s), 0.5f) << f;
        EXPECT_LE(Peak(s), 0.75f) << f;
        EXPECT_LT(std::fabs(s.back()), 0.01f) << f << " ends abruptly";
        EXPECT_LE(Seconds(s), 2.0f) << f;
    }
}

TEST(Sounds, CloseLoopJoinsTheEndOntoTheStart) {
    // A rising ramp rendered past its loop length: after closing, the first
    // sample continues from the last one.
    mediagen::Signal longer(1200);
    for (std::size_t i = 0; i < longer.size(); ++i) longer[i] = static_cast<float>(i) * 0.001f;
    const mediagen::Signal loop = mediagen::CloseLoop(longer, 1000);
    ASSERT_EQ(loop.size(), 1000u);
    EXPECT_NEAR(loop.back(), 0.999f, 1e-6f);
    EXPECT_NEAR(loop.front(), 1.0f, 1e-6f);  // the run-on's first sample
    EXPECT_NEAR(loop[500], 0.5f, 1e-6f);     // past the crossfade: untouched
}
