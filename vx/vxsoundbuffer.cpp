#include "vx/vxsoundbuffer.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "platform/system/debug.h"
#include "platform/system/files.h"
#include "vx/vxsound.h"

namespace {

// The canonical 44-byte WAV header, read at fixed offsets without checking
// any tag: all values little-endian.
constexpr std::size_t kHeaderSize = 44;

std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

VXSoundBuffer::~VXSoundBuffer() { ReleaseBuffers(); }

int VXSoundBuffer::Load(VXSound* sound, const char* file, int count) {
    if (!file || !sound || !sound->DirectSound) return 0;
    if (count < 1) count = 1;
    try {
        Voices.assign(static_cast<std::size_t>(count), nullptr);
    } catch (const std::bad_alloc&) {
        Voices.clear();
        return 0;
    }
    Sound = sound;
    VoiceCount = count;
    FileName = file;
    if (!LoadFromFile(0)) {
        ReleaseBuffers();
        return 0;
    }
    for (int i = 1; i < count; ++i) {
        if (SUCCEEDED(Sound->DirectSound->DuplicateSoundBuffer(Voices[0], &Voices[i])) && Voices[i]) continue;
        // No duplicate: this voice gets a copy of its own.
        if (!LoadFromFile(i)) {
            ReleaseBuffers();
            return 0;
        }
    }
    return 1;
}

int VXSoundBuffer::LoadFromFile(int voice) {
    plat::File file = plat::Open(FileName.c_str(), "rb");
    if (!file) return 0;
    unsigned char header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file.get()) != kHeaderSize) return 0;
    const std::uint32_t dataSize = U32(header + 40);
    if (dataSize > 0x7FFFFFFFu) return 0;
    if (!CreateSoundBuffer(voice, static_cast<int>(dataSize), static_cast<int>(U32(header + 24)), U16(header + 34),
                           U16(header + 32), U16(header + 22) > 1 ? 1 : 0))
        return 0;
    return ReadData(file.get(), static_cast<long>(kHeaderSize), voice);
}

int VXSoundBuffer::CreateSoundBuffer(int voice, int dataSize, int samplesPerSec, WORD bitsPerSample, WORD blockAlign,
                                     int stereo) {
    if (!Sound || !Sound->DirectSound || voice < 0 || voice >= static_cast<int>(Voices.size())) return 0;
    if (dataSize < 0 || samplesPerSec < 0) return 0;
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = stereo ? 2 : 1;
    format.nSamplesPerSec = static_cast<DWORD>(samplesPerSec);
    format.nAvgBytesPerSec = static_cast<DWORD>(blockAlign) * static_cast<DWORD>(samplesPerSec);
    format.nBlockAlign = blockAlign;
    format.wBitsPerSample = bitsPerSample;
    format.cbSize = 0;
    DSBUFFERDESC desc;
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags =
        DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2;
    desc.dwBufferBytes = static_cast<DWORD>(dataSize);
    desc.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer;
    if (FAILED(Sound->DirectSound->CreateSoundBuffer(&desc, &buffer, nullptr)) || !buffer) return 0;
    Voices[voice] = std::move(buffer);
    return 1;
}

int VXSoundBuffer::ReadData(std::FILE* file, long offset, int voice) {
    if (!file || !HasVoice(voice)) return 0;
    if (offset != -1 && std::fseek(file, offset, SEEK_SET) != 0) return 0;
    IDirectSoundBuffer& buffer = *Voices[voice];
    void* data = nullptr;
    DWORD length = 0;
    if (FAILED(buffer.Lock(0, 0, &data, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER))) return 0;
    if (length > 0 && std::fread(data, 1, length, file) != length) {
        char text[128];
        std::snprintf(text, sizeof text, "Data : %d, dwdata: %d, fp: %d",
                      static_cast<int>(reinterpret_cast<std::intptr_t>(data)), static_cast<int>(length),
                      static_cast<int>(reinterpret_cast<std::intptr_t>(file)));
        OutputDebugStringA(text);
        // The buffer is not left locked behind a failed read.
        buffer.Unlock(data, length, nullptr, 0);
        return 0;
    }
    if (FAILED(buffer.Unlock(data, length, nullptr, 0))) return 0;
    return 1;
}

IDirectSoundBuffer* VXSoundBuffer::GetFreeBuffer() {
    if (Voices.empty() || !HasVoice(CurrentVoice)) return nullptr;
    IDirectSoundBuffer* voice = Voices[CurrentVoice].get();
    DWORD status = 0;
    if (FAILED(voice->GetStatus(&status))) status = 0;
    if (status & DSBSTATUS_PLAYING) {
        // A single-voice sound is not restarted while it plays.
        if (VoiceCount <= 1) return nullptr;
        CurrentVoice = (CurrentVoice + 1) % VoiceCount;
        if (!HasVoice(CurrentVoice)) return nullptr;
        voice = Voices[CurrentVoice].get();
        if (SUCCEEDED(voice->GetStatus(&status))) {
            if (status & DSBSTATUS_PLAYING) {
                // Take over the oldest voice.
                voice->Stop();
                voice->SetCurrentPosition(0);
            }
        } else {
            status = 0;
        }
    }
    if ((status & DSBSTATUS_BUFFERLOST) && FAILED(voice->Restore())) return nullptr;
    return voice;
}

int VXSoundBuffer::Play(int flags, int pan, int volume) {
    if (!Sound) return 0;
    if (Sound->PlaybackDisabled) return 1;
    IDirectSoundBuffer* voice = GetFreeBuffer();
    if (!voice) return 0;
    if (FAILED(voice->SetPan(pan))) return 0;
    if (FAILED(voice->SetVolume(volume))) return 0;
    if (FAILED(voice->SetFrequency(DSBFREQUENCY_ORIGINAL))) return 0;
    if (FAILED(voice->Play(0, 0, static_cast<DWORD>(flags)))) return 0;
    return 1;
}

int VXSoundBuffer::Stop() {
    if (!Sound || Voices.empty()) return 0;
    for (auto& voice : Voices) {
        if (!voice) continue;
        if (FAILED(voice->Stop())) return 0;
        if (FAILED(voice->SetCurrentPosition(0))) return 0;
    }
    return 1;
}

void VXSoundBuffer::SetVolume(int volume) {
    for (auto& voice : Voices)
        if (voice) voice->SetVolume(volume);
}

void VXSoundBuffer::ReleaseBuffers() {
    Voices.clear();
    Sound = nullptr;
}
