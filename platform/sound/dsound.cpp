#include "platform/sound/dsound.h"

#include <SDL.h>

#include <algorithm>
#include <new>

namespace plat {

struct SoundData {
    std::vector<std::uint8_t> bytes;
    WAVEFORMATEX format;
};

// What the device and all its buffers share: the output, the list of voices
// the mixer walks, and the lock around both.
struct SoundCore {
    explicit SoundCore(DWORD rate) : Rate(rate) {}
    ~SoundCore() { CloseDevice(); }

    bool OpenDevice() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        SDL_AudioSpec want{};
        want.freq = kSoundDeviceRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = kSoundDeviceFrames;
        want.callback = &SoundCore::Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (id == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Rate = static_cast<DWORD>(have.freq > 0 ? have.freq : kSoundDeviceRate);
        Device = id;
        SDL_PauseAudioDevice(Device, 0);
        return true;
    }

    void CloseDevice() {
        if (Device == 0) return;
        SDL_CloseAudioDevice(Device);
        Device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // The output went away (unplugged, server gone): SDL stops a device it
    // loses, and this one is never paused.
    bool Disconnected() const {
        return HadDevice && (Device == 0 || SDL_GetAudioDeviceStatus(Device) == SDL_AUDIO_STOPPED);
    }

    bool Reopen() {
        CloseDevice();
        return OpenDevice();
    }

    void Lock() {
        if (Device) SDL_LockAudioDevice(Device);
    }
    void Unlock() {
        if (Device) SDL_UnlockAudioDevice(Device);
    }

    // Called with the lock held.
    void Render(std::int16_t* out, std::size_t frames) { MixVoices(Voices.data(), Voices.size(), out, frames, Rate); }

    static void Callback(void* userdata, Uint8* stream, int len) {
        auto* core = static_cast<SoundCore*>(userdata);
        core->Render(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(len) / 4);
    }

    // Marks every buffer lost and silent.
    void LoseAll() {
        Lock();
        for (IDirectSoundBuffer* b : Buffers) {
            b->lost_ = true;
            b->voice_.playing = false;
        }
        Unlock();
    }

    // Marks every buffer lost once when the output is found gone.
    void CheckLost() {
        if (!Disconnected() || LossSeen) return;
        LossSeen = true;
        LoseAll();
    }

    DWORD Rate;
    SDL_AudioDeviceID Device = 0;
    bool HadDevice = false;
    bool LossSeen = false;
    std::vector<IDirectSoundBuffer*> Buffers;  // not owned; each removes itself
    std::vector<MixVoice*> Voices;             // the buffers' voices, same order
};

namespace {

class CoreLock {
public:
    explicit CoreLock(SoundCore& core) : core_(core) { core_.Lock(); }
    ~CoreLock() { core_.Unlock(); }
    CoreLock(const CoreLock&) = delete;
    CoreLock& operator=(const CoreLock&) = delete;

private:
    SoundCore& core_;
};

bool ValidFormat(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f.nChannels != 1 && f.nChannels != 2) return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
    if (f.nBlockAlign != f.nChannels * f.wBitsPerSample / 8) return false;
    return f.nSamplesPerSec >= DSBFREQUENCY_MIN && f.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

}  // namespace
}  // namespace plat

using plat::CoreLock;

// ---- IDirectSoundBuffer ----------------------------------------------------

IDirectSoundBuffer::IDirectSoundBuffer(std::shared_ptr<plat::SoundCore> core, std::shared_ptr<plat::SoundData> data,
                                       DWORD flags)
    : core_(std::move(core)), data_(std::move(data)), flags_(flags) {
    const WAVEFORMATEX& f = data_->format;
    voice_.samples = data_->bytes.data();
    voice_.frames = static_cast<std::uint32_t>(data_->bytes.size() / f.nBlockAlign);
    voice_.channels = static_cast<std::uint8_t>(f.nChannels);
    voice_.bits = static_cast<std::uint8_t>(f.wBitsPerSample);
    voice_.frequency = f.nSamplesPerSec;
    UpdateGains();
    CoreLock lock(*core_);
    core_->Buffers.push_back(this);
    core_->Voices.push_back(&voice_);
}

IDirectSoundBuffer::~IDirectSoundBuffer() {
    CoreLock lock(*core_);
    auto& buffers = core_->Buffers;
    const auto it = std::find(buffers.begin(), buffers.end(), this);
    if (it != buffers.end()) {
        core_->Voices.erase(core_->Voices.begin() + (it - buffers.begin()));
        buffers.erase(it);
    }
}

void IDirectSoundBuffer::UpdateGains() {
    plat::GainsFromVolumeAndPan(volume_, pan_, &voice_.gainLeft, &voice_.gainRight);
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                                 DWORD flags) {
    if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
    core_->CheckLost();
    if (lost_) return DSERR_BUFFERLOST;
    if (locked_) return DSERR_INVALIDCALL;
    const DWORD size = static_cast<DWORD>(data_->bytes.size());
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    } else if (flags & DSBLOCK_FROMWRITECURSOR) {
        offset = PlayOffset();
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    const DWORD first = std::min(bytes, size - offset);
    const DWORD second = bytes - first;
    if (second > 0 && (!part2 || !bytes2)) return DSERR_INVALIDPARAM;
    *part1 = data_->bytes.data() + offset;
    *bytes1 = first;
    if (part2) *part2 = second > 0 ? data_->bytes.data() : nullptr;
    if (bytes2) *bytes2 = second;
    locked_ = true;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) {
    if (!locked_) return DSERR_INVALIDCALL;
    std::uint8_t* base = data_->bytes.data();
    const std::size_t size = data_->bytes.size();
    auto inside = [&](void* p, DWORD n) {
        if (!p) return n == 0;
        auto* b = static_cast<std::uint8_t*>(p);
        return b >= base && b <= base + size && n <= static_cast<std::size_t>(base + size - b);
    };
    if (!inside(part1, bytes1) || !inside(part2, bytes2)) return DSERR_INVALIDPARAM;
    locked_ = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    core_->CheckLost();
    if (lost_) return DSERR_BUFFERLOST;
    CoreLock lock(*core_);
    voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
    voice_.playing = voice_.frames > 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
    CoreLock lock(*core_);
    voice_.playing = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    if (!status) return DSERR_INVALIDPARAM;
    core_->CheckLost();
    CoreLock lock(*core_);
    DWORD s = 0;
    if (voice_.playing) s |= DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    if (lost_) s |= DSBSTATUS_BUFFERLOST;
    *status = s;
    return DS_OK;
}

DWORD IDirectSoundBuffer::PlayOffset() {
    // The mixer moves the position on: read it under the device lock.
    CoreLock lock(*core_);
    return static_cast<DWORD>(voice_.position >> 32) * data_->format.nBlockAlign;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
    const DWORD pos = PlayOffset();
    if (play) *play = pos;
    if (write) *write = pos;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    if (position >= data_->bytes.size()) return DSERR_INVALIDPARAM;
    CoreLock lock(*core_);
    voice_.position = static_cast<std::uint64_t>(position / data_->format.nBlockAlign) << 32;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    CoreLock lock(*core_);
    volume_ = volume;
    UpdateGains();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume) {
    if (!volume) return DSERR_INVALIDPARAM;
    *volume = volume_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan) {
    if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    CoreLock lock(*core_);
    pan_ = pan;
    UpdateGains();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetPan(LONG* pan) {
    if (!pan) return DSERR_INVALIDPARAM;
    *pan = pan_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(DWORD frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL) frequency = data_->format.nSamplesPerSec;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    CoreLock lock(*core_);
    voice_.frequency = frequency;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFrequency(DWORD* frequency) {
    if (!frequency) return DSERR_INVALIDPARAM;
    CoreLock lock(*core_);
    *frequency = voice_.frequency;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) {
    if (!format && !written) return DSERR_INVALIDPARAM;
    if (format) {
        if (size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
        *format = data_->format;
    }
    if (written) *written = sizeof(WAVEFORMATEX);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Restore() {
    if (!lost_) return DS_OK;
    if (core_->Disconnected()) {
        if (!core_->Reopen()) return DSERR_BUFFERLOST;
        core_->LossSeen = false;
    }
    CoreLock lock(*core_);
    lost_ = false;
    return DS_OK;
}

// ---- IDirectSound ----------------------------------------------------------

IDirectSound::IDirectSound(DWORD outputRate)
    : core_(std::make_shared<plat::SoundCore>(outputRate > 0 ? outputRate : plat::kSoundDeviceRate)) {}

IDirectSound::IDirectSound(std::shared_ptr<plat::SoundCore> core) : core_(std::move(core)) {}

IDirectSound::~IDirectSound() = default;

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level) {
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, LPDIRECTSOUNDBUFFER* out, void* outer) {
    if (!out) return DSERR_INVALIDPARAM;
    out->reset();
    if (outer) return DSERR_NOAGGREGATION;
    if (level_ == 0) return DSERR_UNINITIALIZED;
    if (!desc || (desc->dwSize != DSBUFFERDESC_SIZE && desc->dwSize != sizeof(DSBUFFERDESC))) return DSERR_INVALIDPARAM;
    if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) return DSERR_UNSUPPORTED;
    if (!desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    if (!plat::ValidFormat(*desc->lpwfxFormat)) return DSERR_BADFORMAT;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
    try {
        auto data = std::make_shared<plat::SoundData>();
        data->format = *desc->lpwfxFormat;
        data->format.cbSize = 0;
        data->bytes.assign(desc->dwBufferBytes, desc->lpwfxFormat->wBitsPerSample == 8 ? 0x80 : 0);
        *out = std::make_shared<IDirectSoundBuffer>(core_, std::move(data), desc->dwFlags);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(const LPDIRECTSOUNDBUFFER& original, LPDIRECTSOUNDBUFFER* out) {
    if (!out) return DSERR_INVALIDPARAM;
    out->reset();
    if (!original || original->core_ != core_) return DSERR_INVALIDPARAM;
    try {
        *out = std::make_shared<IDirectSoundBuffer>(core_, original->data_, original->flags_);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT IDirectSound::GetCaps(DSCAPS* caps) {
    if (!caps || caps->dwSize != sizeof(DSCAPS)) return DSERR_INVALIDPARAM;
    *caps = DSCAPS{};
    caps->dwSize = sizeof(DSCAPS);
    caps->dwFlags = DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY16BIT | DSCAPS_CONTINUOUSRATE | DSCAPS_EMULDRIVER |
                    DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT | DSCAPS_SECONDARY16BIT;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    return DS_OK;
}

DWORD IDirectSound::OutputRate() const { return core_->Rate; }

HRESULT IDirectSound::MixNextFrames(std::int16_t* out, std::size_t frames) {
    if (!out) return DSERR_INVALIDPARAM;
    if (core_->HadDevice) return DSERR_INVALIDCALL;
    core_->Render(out, frames);
    return DS_OK;
}

void IDirectSound::LoseBuffers() { core_->LoseAll(); }

HRESULT DirectSoundCreate(const void* device, LPDIRECTSOUND* out, void* outer) {
    if (!out) return DSERR_INVALIDPARAM;
    out->reset();
    if (outer) return DSERR_NOAGGREGATION;
    if (device) return DSERR_NODRIVER;
    auto core = std::make_shared<plat::SoundCore>(plat::kSoundDeviceRate);
    if (!core->OpenDevice()) return DSERR_NODRIVER;
    core->HadDevice = true;
    out->reset(new IDirectSound(std::move(core)));
    return DS_OK;
}
