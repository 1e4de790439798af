// The one-shot effects: shots, hits, explosions, interface clicks and the
// sweeps of the special systems.
#include <algorithm>

#include "tools/mediagen/noise.h"
#include "tools/mediagen/sounds.h"

namespace mediagen {

namespace {

Signal Blank(float seconds) { return Signal(static_cast<std::size_t>(Samples(seconds)), 0.0f); }

Signal Finish(Signal s, float peak = kEffectPeak) {
    FadeOut(s, 0.01f);
    Normalise(s, peak);
    return s;
}

// A shot whose pitch falls from f0 to f1 over its length.
Signal Zap(float seconds, float f0, float f1, float curve, float (*wave)(float), float bright, const char* seed) {
    Signal s = Blank(seconds);
    Phasor osc, sub;
    OnePoleLowPass lp;
    Rng rng(seed);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i)) / seconds;
        const float hz = f1 + (f0 - f1) * std::pow(1.0f - t, curve);
        float v = wave(osc.Step(hz)) * 0.7f + SineWave(sub.Step(hz * 0.5f)) * 0.3f;
        v += rng.Signed() * 0.08f * (1.0f - t);
        v = lp.Step(v, bright * (1.0f - 0.7f * t) + 300.0f);
        s[i] = v * Pluck(Time(static_cast<int>(i)), 0.003f, seconds * 0.35f);
    }
    return s;
}

float PulseWave(float p) { return SquareWave(p, 0.3f); }

// Filtered noise with an envelope: the body of hits and explosions.
Signal Noise(float seconds, float attack, float decay, float cutoff0, float cutoff1, const char* seed) {
    Signal s = Blank(seconds);
    Rng rng(seed);
    OnePoleLowPass a, b;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float u = t / seconds;
        const float cut = cutoff1 + (cutoff0 - cutoff1) * (1.0f - u) * (1.0f - u);
        s[i] = b.Step(a.Step(rng.Signed(), cut), cut) * Pluck(t, attack, decay);
    }
    return s;
}

void Add(Signal& to, const Signal& from, float gain, float at = 0) {
    const std::size_t off = static_cast<std::size_t>(Samples(at));
    for (std::size_t i = 0; i < from.size() && off + i < to.size(); ++i) to[off + i] += from[i] * gain;
}

// A sweep of a resonant filter over noise and a tone: the specials.
Signal Sweep(float seconds, float f0, float f1, float tone0, float tone1, float q, const char* seed) {
    Signal s = Blank(seconds);
    Rng rng(seed);
    StateVariable svf;
    Phasor osc, shimmer;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float u = t / seconds;
        const float e = std::sin(std::numbers::pi_v<float> * u);
        const float cut = f0 * std::pow(f1 / f0, u);
        const float hz = tone0 * std::pow(tone1 / tone0, u);
        const float band = svf.Step(rng.Signed(), cut, q).band;
        const float tone = SineWave(osc.Step(hz)) * 0.5f + SineWave(shimmer.Step(hz * 1.5f + 7.0f)) * 0.25f;
        s[i] = (band * 0.8f + tone * (0.5f + 0.5f * SineWave(u * 14.0f))) * e;
    }
    return s;
}

Signal Beep(std::initializer_list<std::pair<float, float>> notes, float (*wave)(float), float gap) {
    float total = 0;
    for (auto [hz, len] : notes) total += len + gap;
    Signal s = Blank(total + 0.02f);
    float start = 0;
    for (auto [hz, len] : notes) {
        Phasor osc;
        OnePoleLowPass lp;
        const int a = Samples(start), n = Samples(len);
        for (int i = 0; i < n; ++i) {
            const float t = Time(i);
            const float env = Adsr(t, 0.004f, 0.02f, 0.75f, 0.02f, len - 0.02f);
            s[static_cast<std::size_t>(a + i)] += lp.Step(wave(osc.Step(hz)), 4000.0f) * env;
        }
        start += len + gap;
    }
    return s;
}

Signal Explosion(float seconds, float boom, const char* seed) {
    Signal s = Noise(seconds, 0.004f, seconds * 0.28f, 4500.0f, 200.0f, seed);
    Signal rumble = Noise(seconds, 0.01f, seconds * 0.4f, 260.0f, 80.0f, seed);
    Add(s, rumble, 2.6f);
    Phasor osc;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        s[i] += SineWave(osc.Step(boom * std::exp(-t * 3.0f) + 30.0f)) * Pluck(t, 0.002f, 0.18f) * 0.9f;
    }
    // Crackle: sparse bright ticks as debris flies.
    Rng rng(std::string(seed) + " crackle");
    for (int k = 0; k < static_cast<int>(seconds * 40); ++k) {
        const std::size_t at = static_cast<std::size_t>(rng.Int(static_cast<int>(s.size() * 3 / 4)));
        const float amp = rng.Range(0.1f, 0.35f) * (1.0f - static_cast<float>(at) / static_cast<float>(s.size()));
        for (std::size_t j = 0; j < 60 && at + j < s.size(); ++j)
            s[at + j] += amp * rng.Signed() * std::exp(-static_cast<float>(j) / 12.0f);
    }
    return s;
}

Signal RebelLaser() {
    Signal s = Zap(0.24f, 1500.0f, 260.0f, 2.2f, SawWave, 5200.0f, "reblaser");
    Add(s, Zap(0.2f, 1900.0f, 420.0f, 2.0f, PulseWave, 4000.0f, "reblaser2"), 0.45f, 0.005f);
    return Finish(s);
}
Signal ImperialLaser() {
    Signal s = Zap(0.26f, 1150.0f, 180.0f, 1.6f, PulseWave, 3800.0f, "implaser");
    Add(s, Zap(0.2f, 700.0f, 120.0f, 1.4f, SawWave, 2400.0f, "implaser2"), 0.5f, 0.01f);
    return Finish(s);
}
Signal LowPowerLaser() { return Finish(Zap(0.16f, 1100.0f, 400.0f, 2.0f, TriangleWave, 3000.0f, "lowpower")); }
Signal IonCannon() {
    Signal s = Blank(0.38f);
    Phasor a, b;
    Rng rng("ion");
    OnePoleLowPass lp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float hz = 420.0f * std::exp(-t * 2.5f) + 90.0f;
        const float ring = SawWave(a.Step(hz)) * SineWave(b.Step(hz * 2.71f));
        const float buzz = rng.Uniform() < 0.05f ? rng.Signed() : 0.0f;
        s[i] = lp.Step(ring + buzz, 3500.0f) * Pluck(t, 0.004f, 0.12f);
    }
    return Finish(s);
}
Signal MissileLaunch() {
    Signal s = Blank(0.7f);
    Rng rng("launch");
    StateVariable svf;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float cut = 300.0f + 2600.0f * std::min(1.0f, t / 0.35f);
        s[i] = svf.Step(rng.Signed(), cut, 1.4f).band * Adsr(t, 0.03f, 0.2f, 0.5f, 0.35f, 0.3f);
    }
    Phasor thump;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        s[i] += SineWave(thump.Step(110.0f * std::exp(-t * 8.0f) + 40.0f)) * Pluck(t, 0.002f, 0.07f) * 0.8f;
    }
    return Finish(s);
}
Signal DroidChirp() {
    // An anxious little droid: quick warbling glides up and down.
    Signal s = Blank(0.55f);
    Phasor osc;
    const float notes[] = {1800, 2600, 1400, 3000, 2200, 1600, 2800};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float pos = t / 0.075f;
        const int k = std::min(6, static_cast<int>(pos));
        const float f =
            notes[k] + (notes[std::min(6, k + 1)] - notes[k]) * Smoothstep(0.0f, 1.0f, pos - static_cast<float>(k));
        s[i] = (SineWave(osc.Step(f)) * 0.8f + SquareWave(osc.phase, 0.5f) * 0.1f) *
               Adsr(t, 0.005f, 0.05f, 0.8f, 0.04f, 0.5f);
    }
    return Finish(s);
}
Signal HullHit() {
    Signal s = Noise(0.32f, 0.001f, 0.06f, 6000.0f, 900.0f, "hullhit");
    // The metal rings with a few inharmonic partials.
    const float partials[] = {523.0f, 1187.0f, 1911.0f, 2693.0f};
    for (int k = 0; k < 4; ++k) {
        Phasor osc;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const float t = Time(static_cast<int>(i));
            s[i] += SineWave(osc.Step(partials[k])) * 0.35f * std::exp(-t * (9.0f + 4.0f * static_cast<float>(k)));
        }
    }
    return Finish(s);
}
Signal ShieldHit() {
    Signal s = Sweep(0.36f, 5000.0f, 900.0f, 1600.0f, 500.0f, 6.0f, "shieldhit");
    for (std::size_t i = 0; i < s.size(); ++i) s[i] *= Pluck(Time(static_cast<int>(i)), 0.002f, 0.12f) * 2.0f;
    return Finish(s);
}
Signal MissileHit() { return Finish(Explosion(0.75f, 140.0f, "missilehit")); }
Signal ParticleHit() { return Finish(Noise(0.28f, 0.001f, 0.05f, 8000.0f, 2000.0f, "particle")); }
Signal Collision() {
    Signal s = Noise(0.45f, 0.002f, 0.08f, 900.0f, 150.0f, "collis");
    Phasor thud;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        s[i] = s[i] * 1.5f + SineWave(thud.Step(70.0f * std::exp(-t * 4.0f) + 35.0f)) * Pluck(t, 0.002f, 0.1f);
    }
    Add(s, Noise(0.3f, 0.05f, 0.08f, 3000.0f, 1200.0f, "scrape"), 0.4f, 0.05f);
    return Finish(s);
}
Signal Kaboom() { return Finish(Explosion(1.8f, 90.0f, "kaboom")); }
Signal Click(float hz, float len, const char* seed) {
    Signal s = Blank(len);
    Phasor osc;
    Rng rng(seed);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        s[i] = (SineWave(osc.Step(hz * (1.0f + 0.5f * std::exp(-t * 60.0f)))) +
                rng.Signed() * 0.3f * std::exp(-t * 300.0f)) *
               Pluck(t, 0.001f, len * 0.3f);
    }
    return s;
}
Signal Select() { return Finish(Click(1200.0f, 0.08f, "select")); }
Signal Select2() {
    Signal s = Click(900.0f, 0.07f, "select2a");
    s.resize(static_cast<std::size_t>(Samples(0.16f)), 0.0f);
    Add(s, Click(1500.0f, 0.08f, "select2b"), 1.0f, 0.07f);
    return Finish(s);
}
Signal ColonialLaser() {
    Signal s = Zap(0.3f, 900.0f, 300.0f, 1.2f, EvenSquareWave, 2600.0f, "colonial");
    Add(s, Noise(0.12f, 0.001f, 0.03f, 5000.0f, 1500.0f, "colonial burst"), 0.6f);
    return Finish(s);
}
Signal CylonLaser() {
    Signal s = Blank(0.28f);
    Phasor a, b;
    OnePoleLowPass lp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float hz = 700.0f - 1400.0f * t;
        s[i] = lp.Step(SquareWave(a.Step(hz)) * SineWave(b.Step(hz * 0.53f)), 3000.0f) * Pluck(t, 0.003f, 0.09f);
    }
    return Finish(s);
}
Signal StarFuryShot() {
    Signal s = Zap(0.18f, 600.0f, 150.0f, 3.0f, SawWave, 3000.0f, "sfury");
    Add(s, Noise(0.1f, 0.001f, 0.02f, 7000.0f, 2000.0f, "sfury crack"), 0.7f);
    return Finish(s);
}
Signal Phaser(float seconds, float hz, const char* seed) {
    Signal s = Blank(seconds);
    Phasor car, mod, wob;
    Rng rng(seed);
    StateVariable svf;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float m = SineWave(mod.Step(hz * 1.501f)) * (2.0f + SineWave(wob.Step(9.0f)));
        const float v = SineWave(car.Step(hz + m * hz * 0.3f)) + svf.Step(rng.Signed(), hz * 3.0f, 8.0f).band * 0.3f;
        s[i] = v * Adsr(t, 0.02f, 0.05f, 0.85f, 0.08f, seconds - 0.08f);
    }
    return s;
}
Signal PowerPhaser() { return Finish(Phaser(0.65f, 330.0f, "powerphaser")); }
Signal NormalPhaser() { return Finish(Phaser(0.42f, 440.0f, "normphaser")); }
Signal PulsePhaser() { return Finish(Zap(0.2f, 1300.0f, 700.0f, 1.0f, TriangleWave, 6000.0f, "ppgun")); }
Signal Torpedo() {
    Signal s = Blank(0.8f);
    Phasor a, b, c;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float hz = 180.0f * std::exp(-t * 1.8f) + 60.0f;
        const float shimmer = SineWave(b.Step(1800.0f + 600.0f * SineWave(c.Step(23.0f)))) * 0.2f * std::exp(-t * 3.0f);
        s[i] = (SineWave(a.Step(hz)) + SawWave(a.phase) * 0.2f + shimmer) * Pluck(t, 0.005f, 0.3f);
    }
    return Finish(s);
}
Signal MinbariShot() {
    // A struck crystal: bright bell partials and a quick upward glint.
    Signal s = Blank(0.34f);
    const float partials[] = {1320.0f, 1980.0f, 3130.0f, 4410.0f};
    for (int k = 0; k < 4; ++k) {
        Phasor osc;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const float t = Time(static_cast<int>(i));
            s[i] += SineWave(osc.Step(partials[k] * (1.0f + 0.2f * t))) *
                    std::exp(-t * (8.0f + 5.0f * static_cast<float>(k))) * 0.4f;
        }
    }
    return Finish(s);
}
Signal EaBeam() {
    Signal s = Blank(0.55f);
    Phasor a, b;
    OnePoleLowPass lp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = Time(static_cast<int>(i));
        const float hum = SawWave(a.Step(120.0f)) * 0.6f + SquareWave(b.Step(241.0f)) * 0.3f;
        s[i] = lp.Step(hum, 1800.0f + 800.0f * SineWave(t * 18.0f)) * Adsr(t, 0.02f, 0.05f, 0.8f, 0.1f, 0.45f);
    }
    return Finish(s);
}
Signal StBeep() { return Finish(Beep({{1046.5f, 0.09f}}, SineWave, 0.0f), 0.6f); }
Signal StBeep2() { return Finish(Beep({{1318.5f, 0.06f}, {880.0f, 0.08f}}, SineWave, 0.01f), 0.6f); }
Signal B5Beep() { return Finish(Beep({{740.0f, 0.08f}}, TriangleWave, 0.0f), 0.6f); }
Signal B5Beep2() {
    return Finish(Beep({{587.3f, 0.05f}, {880.0f, 0.05f}, {1174.7f, 0.07f}}, TriangleWave, 0.01f), 0.6f);
}
Signal Phasing() { return Finish(Sweep(1.1f, 300.0f, 4000.0f, 200.0f, 900.0f, 9.0f, "phasing")); }
Signal Cloaking() { return Finish(Sweep(1.0f, 5000.0f, 250.0f, 1200.0f, 150.0f, 7.0f, "cloaking")); }
Signal Uncloak() { return Finish(Sweep(1.0f, 250.0f, 5000.0f, 150.0f, 1200.0f, 7.0f, "diseng")); }
Signal Teleport() {
    Signal s = Sweep(1.3f, 400.0f, 7000.0f, 300.0f, 2400.0f, 12.0f, "tele");
    Rng rng("tele sparkle");
    for (int k = 0; k < 70; ++k) {
        const float at = rng.Range(0.1f, 1.2f);
        const float hz = rng.Range(2000.0f, 6000.0f);
        Phasor osc;
        const std::size_t off = static_cast<std::size_t>(Samples(at));
        for (int i = 0; i < Samples(0.05f) && off + static_cast<std::size_t>(i) < s.size(); ++i)
            s[off + static_cast<std::size_t>(i)] += SineWave(osc.Step(hz)) * 0.2f * std::exp(-Time(i) * 80.0f);
    }
    return Finish(s);
}

}  // namespace

std::vector<SoundSpec> EffectSpecs() {
    return {
        {"snd/sw/implaser.wav", ImperialLaser},
        {"snd/sw/reblaser.wav", RebelLaser},
        {"snd/sw/lowpowerlaser.wav", LowPowerLaser},
        {"snd/sw/ion.wav", IonCannon},
        {"snd/sw/Launch.wav", MissileLaunch},
        {"snd/sw/r2hit.wav", DroidChirp},
        {"snd/laserhithull.wav", HullHit},
        {"snd/laserhitshield.wav", ShieldHit},
        {"snd/missilehit.wav", MissileHit},
        {"snd/particlehit.wav", ParticleHit},
        {"snd/collis.wav", Collision},
        {"snd/kaboom.wav", Kaboom},
        {"snd/sw/select.wav", Select},
        {"snd/sw/select2.wav", Select2},
        {"snd/bsg/coloniallaser.wav", ColonialLaser},
        {"snd/bsg/cylonlaser.wav", CylonLaser},
        {"snd/b5/sfuryshot.wav", StarFuryShot},
        {"snd/st/powerphaser.wav", PowerPhaser},
        {"snd/st/normphaser.wav", NormalPhaser},
        {"snd/st/ppgun.wav", PulsePhaser},
        {"snd/st/torp.wav", Torpedo},
        {"snd/b5/minshot.wav", MinbariShot},
        {"snd/b5/eabeam.wav", EaBeam},
        {"snd/st/beep.wav", StBeep},
        {"snd/st/beep2.wav", StBeep2},
        {"snd/b5/beep.wav", B5Beep},
        {"snd/b5/beep2.wav", B5Beep2},
        {"snd/phasing.wav", Phasing},
        {"snd/cloaking.wav", Cloaking},
        {"snd/diseng.wav", Uncloak},
        {"snd/tele.wav", Teleport},
    };
}

}  // namespace mediagen
