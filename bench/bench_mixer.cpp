// What the sound mixer costs: 16 playing voices of 22050 Hz mono sound mixed
// into 48000 Hz stereo, one second of audio per iteration, in device-sized
// blocks. "core_percent" is the share of one core that mixing takes while it
// plays in real time (target: under 0.5).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/sound/dsound.h"
#include "platform/sound/mixer.h"

namespace {

constexpr int kVoices = 16;
constexpr std::uint32_t kSourceRate = 22050;
constexpr std::uint32_t kOutputRate = 48000;

// A tone of `seconds`, different for every voice.
std::vector<std::uint8_t> Tone(int voice, double seconds) {
    const std::size_t frames = static_cast<std::size_t>(seconds * kSourceRate);
    std::vector<std::uint8_t> bytes(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSourceRate;
        const auto s = static_cast<std::int16_t>(9000.0 * std::sin(2.0 * 3.14159265 * (220.0 + 37.0 * voice) * t));
        bytes[2 * i] = static_cast<std::uint8_t>(s & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>((s >> 8) & 0xFF);
    }
    return bytes;
}

// Seconds of work per second of audio, as a percentage of one core.
void SetCorePercent(benchmark::State& state, std::chrono::steady_clock::duration spent) {
    const double seconds = std::chrono::duration<double>(spent).count();
    state.counters["core_percent"] =
        state.iterations() ? 100.0 * seconds / static_cast<double>(state.iterations()) : 0.0;
}

void BM_MixVoices(benchmark::State& state) {
    std::vector<std::vector<std::uint8_t>> sounds;
    std::vector<plat::MixVoice> voices(kVoices);
    std::vector<plat::MixVoice*> list;
    for (int v = 0; v < kVoices; ++v) {
        sounds.push_back(Tone(v, 0.7 + 0.1 * v));
        plat::MixVoice& m = voices[v];
        m.samples = sounds.back().data();
        m.frames = static_cast<std::uint32_t>(sounds.back().size() / 2);
        m.channels = 1;
        m.bits = 16;
        m.frequency = kSourceRate;
        m.looping = true;  // every voice plays for the whole run
        m.playing = true;
        plat::GainsFromVolumeAndPan(-300 * (v % 4), (v - 8) * 1000, &m.gainLeft, &m.gainRight);
        list.push_back(&m);
    }
    std::vector<std::int16_t> out(2 * plat::kSoundDeviceFrames);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (std::uint32_t done = 0; done < kOutputRate; done += plat::kSoundDeviceFrames) {
            plat::MixVoices(list.data(), list.size(), out.data(), plat::kSoundDeviceFrames, kOutputRate);
            benchmark::DoNotOptimize(out.data());
        }
        benchmark::ClobberMemory();
    }
    SetCorePercent(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_MixVoices)->Unit(benchmark::kMillisecond);

// The same through the device's buffers, as the audio callback mixes them.
void BM_DeviceMix(benchmark::State& state) {
    auto device = std::make_shared<IDirectSound>(kOutputRate);
    device->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    std::vector<LPDIRECTSOUNDBUFFER> buffers;
    for (int v = 0; v < kVoices; ++v) {
        const std::vector<std::uint8_t> tone = Tone(v, 0.7 + 0.1 * v);
        WAVEFORMATEX format;
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = kSourceRate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = 2 * kSourceRate;
        DSBUFFERDESC desc;
        desc.dwSize = DSBUFFERDESC_SIZE;
        desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY;
        desc.dwBufferBytes = static_cast<DWORD>(tone.size());
        desc.lpwfxFormat = &format;
        LPDIRECTSOUNDBUFFER b;
        if (FAILED(device->CreateSoundBuffer(&desc, &b, nullptr))) {
            state.SkipWithError("no buffer");
            return;
        }
        void* p = nullptr;
        DWORD n = 0;
        b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
        std::copy(tone.begin(), tone.end(), static_cast<std::uint8_t*>(p));
        b->Unlock(p, n, nullptr, 0);
        b->SetPan((v - 8) * 1000);
        b->SetVolume(-300 * (v % 4));
        b->Play(0, 0, DSBPLAY_LOOPING);
        buffers.push_back(b);
    }
    std::vector<std::int16_t> out(2 * plat::kSoundDeviceFrames);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (std::uint32_t done = 0; done < kOutputRate; done += plat::kSoundDeviceFrames) {
            device->MixNextFrames(out.data(), plat::kSoundDeviceFrames);
            benchmark::DoNotOptimize(out.data());
        }
        benchmark::ClobberMemory();
    }
    SetCorePercent(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_DeviceMix)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
