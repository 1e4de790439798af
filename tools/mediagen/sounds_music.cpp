// The title music: sixteen bars in A minor at 120 beats a minute, with pad
// chords, a plucked bass, a lead melody with an echo, and drums. Every note
// is mixed into one circular buffer the length of the piece, so the notes
// still sounding at the end carry on into the start: the loop has no seam.
#include <algorithm>

#include "tools/mediagen/sounds.h"

namespace mediagen {

namespace {

constexpr int kBeat = kSampleRate / 2;  // 120 beats a minute
constexpr int kBars = 16;
constexpr int kLength = kBars * 4 * kBeat;

struct Mix {
    Signal buf = Signal(static_cast<std::size_t>(kLength), 0.0f);
    void Add(long at, float v) {
        long i = at % kLength;
        if (i < 0) i += kLength;
        buf[static_cast<std::size_t>(i)] += v;
    }
};

struct Note {
    float beat;  // start, in beats from the top
    float beats;
    int midi;
};

// The lead, bar by bar (four beats each).
// One line a phrase.
// clang-format off
const Note kMelody[] = {
    // A: Am F C G Am F G E
    {0, 1.5f, 69}, {1.5f, 0.5f, 76}, {2, 1, 76}, {3, 0.5f, 74}, {3.5f, 0.5f, 72},
    {4, 1, 72}, {5, 1, 69}, {6, 1.5f, 77}, {7.5f, 0.5f, 76},
    {8, 1, 76}, {9, 1, 79}, {10, 0.5f, 76}, {10.5f, 0.5f, 74}, {11, 1, 72},
    {12, 2, 74}, {14, 1, 71}, {15, 1, 67},
    {16, 1.5f, 69}, {17.5f, 0.5f, 76}, {18, 1, 81}, {19, 0.5f, 79}, {19.5f, 0.5f, 76},
    {20, 1, 77}, {21, 0.5f, 76}, {21.5f, 0.5f, 74}, {22, 1, 72}, {23, 1, 69},
    {24, 1, 71}, {25, 1, 74}, {26, 1, 79}, {27, 0.5f, 77}, {27.5f, 0.5f, 74},
    {28, 3, 76}, {31, 1, 68},
    // B: F G Em Am Dm F E E
    {32, 1.5f, 81}, {33.5f, 0.5f, 79}, {34, 1, 77}, {35, 1, 76},
    {36, 1.5f, 74}, {37.5f, 0.5f, 76}, {38, 2, 79},
    {40, 1, 71}, {41, 1, 76}, {42, 1, 79}, {43, 1, 83},
    {44, 3, 81}, {47, 1, 76},
    {48, 1.5f, 77}, {49.5f, 0.5f, 76}, {50, 1, 74}, {51, 1, 69},
    {52, 1, 72}, {53, 1, 77}, {54, 1.5f, 81}, {55.5f, 0.5f, 79},
    {56, 2, 80}, {58, 1, 76}, {59, 1, 71},
    {60, 2, 76}, {62.5f, 0.5f, 74}, {63, 0.5f, 72}, {63.5f, 0.5f, 71},
};
// clang-format on

struct Chord {
    int bass;
    int notes[3];
};

const Chord kAm{45, {57, 60, 64}}, kF{41, {57, 60, 65}}, kC{48, {55, 60, 64}}, kG{43, {55, 59, 62}},
    kE{40, {56, 59, 64}}, kDm{38, {57, 62, 65}}, kEm{40, {55, 59, 64}};
const Chord kChords[kBars] = {kAm, kF, kC, kG, kAm, kF, kG, kE, kF, kG, kEm, kAm, kDm, kF, kE, kE};

void Lead(Mix& m, const Note& n) {
    const long start = static_cast<long>(n.beat * kBeat);
    const float hold = n.beats * 0.5f - 0.03f;
    const float hz = MidiHz(static_cast<float>(n.midi));
    const int len = Samples(hold + 0.25f);
    Phasor a, b, vib;
    OnePoleLowPass lp;
    for (int i = 0; i < len; ++i) {
        const float t = Time(i);
        const float v = 1.0f + 0.006f * std::min(1.0f, t / 0.3f) * SineWave(vib.Step(5.5f));
        const float tone = SquareWave(a.Step(hz * v), 0.35f) * 0.5f + SawWave(b.Step(hz * v * 1.004f)) * 0.5f;
        const float s = lp.Step(tone, 2600.0f) * Adsr(t, 0.012f, 0.12f, 0.7f, 0.2f, hold) * 0.30f;
        m.Add(start + i, s);
        // A dotted-eighth echo, twice.
        m.Add(start + i + kBeat * 3 / 4, s * 0.32f);
        m.Add(start + i + kBeat * 3 / 2, s * 0.12f);
    }
}

void Pad(Mix& m, int bar, const Chord& c) {
    const long start = static_cast<long>(bar) * 4 * kBeat;
    const float hold = 2.0f - 0.05f;
    const int len = Samples(hold + 0.6f);
    for (int k = 0; k < 3; ++k) {
        const float hz = MidiHz(static_cast<float>(c.notes[k]));
        Phasor p1, p2, p3;
        OnePoleLowPass lp1, lp2;
        for (int i = 0; i < len; ++i) {
            const float t = Time(i);
            const float tone =
                SawWave(p1.Step(hz * 0.997f)) + SawWave(p2.Step(hz * 1.003f)) + TriangleWave(p3.Step(hz * 0.5f));
            const float s =
                lp2.Step(lp1.Step(tone, 1100.0f), 1400.0f) * Adsr(t, 0.35f, 0.4f, 0.75f, 0.6f, hold) * 0.055f;
            m.Add(start + i, s);
        }
    }
}

void Bass(Mix& m, int bar, const Chord& c) {
    // Eighths: root, root, octave, root, with a fifth on the last.
    const int pattern[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int e = 0; e < 8; ++e) {
        const long start = static_cast<long>(bar) * 4 * kBeat + static_cast<long>(e) * kBeat / 2;
        const float hz = MidiHz(static_cast<float>(c.bass + pattern[e]));
        Phasor p, sub;
        StateVariable f;
        const int len = Samples(0.3f);
        for (int i = 0; i < len; ++i) {
            const float t = Time(i);
            const float cut = 300.0f + 1600.0f * std::exp(-t * 18.0f);
            const float tone = SawWave(p.Step(hz)) * 0.7f + SineWave(sub.Step(hz)) * 0.6f;
            m.Add(start + i, f.Step(tone, cut, 2.5f).low * Adsr(t, 0.004f, 0.08f, 0.6f, 0.05f, 0.2f) * 0.32f);
        }
    }
}

void Drums(Mix& m, int bar, Rng& rng) {
    const long top = static_cast<long>(bar) * 4 * kBeat;
    for (int beat = 0; beat < 4; ++beat) {
        const long at = top + static_cast<long>(beat) * kBeat;
        if (beat == 0 || beat == 2 || (beat == 3 && bar % 4 == 3)) {
            Phasor p;
            for (int i = 0; i < Samples(0.3f); ++i) {
                const float t = Time(i);
                m.Add(at + (beat == 3 ? kBeat / 2 : 0) + i,
                      SineWave(p.Step(45.0f + 110.0f * std::exp(-t * 30.0f))) * std::exp(-t * 9.0f) * 0.5f);
            }
        }
        if (beat == 1 || beat == 3) {
            Phasor p;
            OnePoleHighPass hp;
            for (int i = 0; i < Samples(0.22f); ++i) {
                const float t = Time(i);
                const float v = hp.Step(rng.Signed(), 1200.0f) * std::exp(-t * 16.0f) * 0.32f +
                                SineWave(p.Step(185.0f)) * std::exp(-t * 30.0f) * 0.2f;
                m.Add(at + i, v);
            }
        }
        for (int half = 0; half < 2; ++half) {
            OnePoleHighPass hp;
            const float accent = half == 0 ? 0.09f : 0.06f;
            for (int i = 0; i < Samples(0.05f); ++i) {
                m.Add(at + half * kBeat / 2 + i, hp.Step(rng.Signed(), 6000.0f) * std::exp(-Time(i) * 80.0f) * accent);
            }
        }
    }
}

}  // namespace

Signal MakeMusic() {
    Mix m;
    Rng rng("music drums");
    for (int bar = 0; bar < kBars; ++bar) {
        Pad(m, bar, kChords[bar]);
        Bass(m, bar, kChords[bar]);
        Drums(m, bar, rng);
    }
    for (const Note& n : kMelody) Lead(m, n);
    Normalise(m.buf, kMusicPeak);
    return m.buf;
}

}  // namespace mediagen
