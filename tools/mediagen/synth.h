// Building blocks for the synthesized sounds: oscillators, envelopes,
// filters, and the finishing steps (loop closing, normalising, 16-bit PCM).
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "tools/mediagen/random.h"
#include "tools/mediagen/wavfile.h"

namespace mediagen {

using Signal = std::vector<float>;

inline constexpr float kRate = static_cast<float>(kSampleRate);
inline constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

inline int Samples(float seconds) { return static_cast<int>(seconds * kRate + 0.5f); }
inline float Time(int sample) { return static_cast<float>(sample) / kRate; }
inline float MidiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

// Waveforms of a phase counted in cycles.
inline float Wrap(float phase) { return phase - std::floor(phase); }
inline float SineWave(float phase) { return std::sin(kTwoPi * phase); }
inline float SawWave(float phase) { return 2.0f * Wrap(phase) - 1.0f; }
inline float SquareWave(float phase, float duty = 0.5f) { return Wrap(phase) < duty ? 1.0f : -1.0f; }
// The even square as a one-argument waveform, for where one is passed along.
inline float EvenSquareWave(float phase) { return SquareWave(phase, 0.5f); }
inline float TriangleWave(float phase) { return 1.0f - 4.0f * std::fabs(Wrap(phase + 0.25f) - 0.5f); }

// A phase accumulator for swept pitches.
struct Phasor {
    float phase = 0;
    float Step(float hz) {
        const float p = phase;
        phase = Wrap(phase + hz / kRate);
        return p;
    }
};

// Attack-decay-sustain-release level at time t of a note held for `hold`.
float Adsr(float t, float attack, float decay, float sustain, float release, float hold);
// Quick attack, exponential decay.
inline float Pluck(float t, float attack, float decayTime) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decayTime);
}

struct OnePoleLowPass {
    float y = 0;
    float Step(float x, float hz) {
        const float a = 1.0f - std::exp(-kTwoPi * hz / kRate);
        y += a * (x - y);
        return y;
    }
};

struct OnePoleHighPass {
    OnePoleLowPass lp;
    float Step(float x, float hz) { return x - lp.Step(x, hz); }
};

// Chamberlin state-variable filter; stable up to about a sixth of the rate.
struct StateVariable {
    float low = 0, band = 0;
    struct Out {
        float low, band, high;
    };
    Out Step(float x, float hz, float q) {
        const float f = 2.0f * std::sin(std::numbers::pi_v<float> * std::min(hz, kRate / 6.5f) / kRate);
        const float damp = 1.0f / std::max(q, 0.5f);
        low += f * band;
        const float high = x - low - damp * band;
        band += f * high;
        return {low, band, high};
    }
};

// Closes a loop of `length` samples from a signal rendered longer: the part
// past the end is faded into the start, so the end runs on into the start.
Signal CloseLoop(const Signal& longer, int length);

void FadeOut(Signal& s, float seconds);
// Scales to the given peak (0..1); a silent signal stays silent.
void Normalise(Signal& s, float peak);
std::vector<std::int16_t> ToPcm(const Signal& s);

}  // namespace mediagen
