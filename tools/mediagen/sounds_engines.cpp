// The engine drones: each loops seamlessly (rendered past its loop length
// and closed with a crossfade), and each class family has its own timbre.
#include "tools/mediagen/sounds.h"

namespace mediagen {

namespace {

constexpr float kLoopSeconds = 2.0f;
constexpr float kRunOn = 0.25f;

struct Drone {
    float base;      // fundamental, Hz
    float noiseCut;  // low-pass of the roar
    float noiseQ;    // resonance of the roar's band
    float noiseGain;
    float toneGain;
    float wobbleHz;  // throb rate
    float wobbleDepth;
    float detune;  // ratio of the beating second voice
    float (*wave)(float);
    const char* seed;
};

Signal Render(const Drone& d) {
    const int loop = Samples(kLoopSeconds);
    Signal s(static_cast<std::size_t>(loop + Samples(kRunOn)), 0.0f);
    Rng rng(d.seed);
    Phasor a, b, sub, wob;
    StateVariable band;
    OnePoleLowPass lp, toneLp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float w = 1.0f + d.wobbleDepth * SineWave(wob.Step(d.wobbleHz));
        const float roar =
            band.Step(rng.Signed(), d.noiseCut * w, d.noiseQ).band + lp.Step(rng.Signed(), d.noiseCut * 0.3f) * 0.5f;
        const float tone = d.wave(a.Step(d.base * w)) * 0.6f + d.wave(b.Step(d.base * d.detune)) * 0.4f +
                           SineWave(sub.Step(d.base * 0.5f)) * 0.5f;
        s[i] = roar * d.noiseGain * w + toneLp.Step(tone, d.base * 6.0f) * d.toneGain;
    }
    Signal out = CloseLoop(s, loop);
    Normalise(out, kEnginePeak);
    return out;
}

Signal Choir(float root, const float* ratios, int count, const char* seed) {
    // A shimmering chord of slowly beating sines (the Minbari drives).
    const int loop = Samples(kLoopSeconds);
    Signal s(static_cast<std::size_t>(loop + Samples(kRunOn)), 0.0f);
    Rng rng(seed);
    OnePoleLowPass air;
    for (int k = 0; k < count; ++k) {
        Phasor p1, p2, lfo;
        const float hz = root * ratios[k];
        const float rate = 0.5f + 0.5f * static_cast<float>(k);
        for (std::size_t i = 0; i < s.size(); ++i) {
            const float amp = 0.6f + 0.4f * SineWave(lfo.Step(rate));
            s[i] += (SineWave(p1.Step(hz)) + SineWave(p2.Step(hz * 1.003f)) * 0.7f) * amp / static_cast<float>(count);
        }
    }
    for (float& v : s) v += air.Step(rng.Signed(), 900.0f) * 0.25f;
    Signal out = CloseLoop(s, loop);
    Normalise(out, kEnginePeak);
    return out;
}

float Pulse25(float p) { return SquareWave(p, 0.25f); }

Signal AWingEngine() { return Render({180.0f, 2400.0f, 2.0f, 0.5f, 0.6f, 5.0f, 0.03f, 1.01f, SawWave, "aeng"}); }
Signal BWingEngine() { return Render({55.0f, 600.0f, 1.5f, 0.9f, 0.7f, 2.0f, 0.08f, 1.02f, SawWave, "beng"}); }
Signal TieEngine() {
    // The twin-ion howl: a strongly resonant band swept by a fast wobble.
    return Render({96.0f, 820.0f, 9.0f, 1.2f, 0.35f, 7.0f, 0.12f, 1.5f, Pulse25, "teng"});
}
Signal XWingEngine() { return Render({82.0f, 1200.0f, 1.2f, 0.9f, 0.55f, 3.0f, 0.04f, 1.005f, SawWave, "xeng"}); }
Signal YWingEngine() { return Render({65.0f, 900.0f, 1.4f, 0.8f, 0.7f, 4.5f, 0.06f, 1.013f, EvenSquareWave, "yeng"}); }
Signal GunboatEngine() { return Render({48.0f, 500.0f, 2.5f, 0.6f, 0.9f, 6.0f, 0.1f, 2.0f, EvenSquareWave, "guneng"}); }
Signal ViperEngine() { return Render({220.0f, 3200.0f, 1.6f, 0.7f, 0.5f, 1.5f, 0.02f, 1.5f, SawWave, "vipereng"}); }
Signal RaiderEngine() {
    return Render({70.0f, 700.0f, 4.0f, 0.7f, 0.8f, 4.0f, 0.35f, 1.25f, TriangleWave, "raidereng"});
}
Signal BridgeHum() { return Render({60.0f, 300.0f, 1.0f, 0.25f, 0.9f, 0.5f, 0.02f, 2.0f, SineWave, "bridge"}); }
Signal NialEngine() {
    static const float ratios[] = {1.0f, 1.5f, 2.0f, 2.52f, 3.0f};
    return Choir(220.0f, ratios, 5, "nialeng");
}
Signal MinbariEngine() {
    static const float ratios[] = {1.0f, 1.25f, 1.5f, 2.0f};
    return Choir(110.0f, ratios, 4, "minbarengine");
}

}  // namespace

std::vector<SoundSpec> EngineSpecs() {
    return {
        {"snd/sw/aeng.wav", AWingEngine},
        {"snd/sw/beng.wav", BWingEngine},
        {"snd/sw/teng.wav", TieEngine},
        {"snd/sw/xeng.wav", XWingEngine},
        {"snd/sw/yeng.wav", YWingEngine},
        {"snd/sw/guneng.wav", GunboatEngine},
        {"snd/bsg/vipereng.wav", ViperEngine},
        {"snd/bsg/raidereng.wav", RaiderEngine},
        {"snd/st/bridge.wav", BridgeHum},
        {"snd/b5/nialeng.wav", NialEngine},
        {"snd/b5/minbarengine.wav", MinbariEngine},
    };
}

}  // namespace mediagen
