#include "tools/mediagen/synth.h"

#include <algorithm>

namespace mediagen {

float Adsr(float t, float attack, float decay, float sustain, float release, float hold) {
    if (t < 0) return 0;
    auto held = [&](float u) {
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0f - (1.0f - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < hold) return held(t);
    const float r = t - hold;
    if (r >= release) return 0;
    return held(hold) * (1.0f - r / release);
}

Signal CloseLoop(const Signal& longer, int length) {
    Signal out(longer.begin(), longer.begin() + std::min<std::size_t>(longer.size(), static_cast<std::size_t>(length)));
    out.resize(static_cast<std::size_t>(length), 0.0f);
    const std::size_t tail = longer.size() > out.size() ? longer.size() - out.size() : 0;
    for (std::size_t i = 0; i < tail && i < out.size(); ++i) {
        // Equal-power crossfade: the head fades in as the run-on fades out.
        const float t = static_cast<float>(i) / static_cast<float>(tail);
        const float in = std::sin(t * std::numbers::pi_v<float> * 0.5f);
        const float outW = std::cos(t * std::numbers::pi_v<float> * 0.5f);
        out[i] = out[i] * in + longer[out.size() + i] * outW;
    }
    return out;
}

void FadeOut(Signal& s, float seconds) {
    const int n = std::min<int>(Samples(seconds), static_cast<int>(s.size()));
    for (int i = 0; i < n; ++i)
        s[s.size() - 1 - static_cast<std::size_t>(i)] *= static_cast<float>(i) / static_cast<float>(n);
}

void Normalise(Signal& s, float peak) {
    float m = 0;
    for (float v : s) m = std::max(m, std::fabs(v));
    if (m <= 0) return;
    const float k = peak / m;
    for (float& v : s) v *= k;
}

std::vector<std::int16_t> ToPcm(const Signal& s) {
    std::vector<std::int16_t> out(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float v = std::clamp(s[i], -1.0f, 1.0f) * 32767.0f;
        out[i] = static_cast<std::int16_t>(std::lround(v));
    }
    return out;
}

}  // namespace mediagen
