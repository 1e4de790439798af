// The sound device, as the layer used DirectSound: static buffers of PCM
// samples, duplicates that share those samples, and per buffer a play
// position, looping, volume, pan and frequency.
//
// Buffers are mixed by plat::MixVoices on an SDL audio device. The game
// thread changes a buffer only while it holds the device lock, which is also
// held around every mixing callback. A device made without output (for tests
// and tools) is mixed on demand with IDirectSound::MixNextFrames instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/ddraw_results.h"
#include "platform/sound/mixer.h"
#include "platform/system/win32types.h"
#include "platform/system/window_handle.h"

inline constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag = 0;
    WORD nChannels = 0;
    DWORD nSamplesPerSec = 0;
    DWORD nAvgBytesPerSec = 0;
    WORD nBlockAlign = 0;
    WORD wBitsPerSample = 0;
    WORD cbSize = 0;
};

// The buffer description. Its size field is DSBUFFERDESC_SIZE (20), or
// sizeof(DSBUFFERDESC).
struct DSBUFFERDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwBufferBytes = 0;
    WAVEFORMATEX* lpwfxFormat = nullptr;
};
inline constexpr DWORD DSBUFFERDESC_SIZE = 20;

// What the device can do: its format flags and the range of buffer
// frequencies it plays.
struct DSCAPS {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwMinSecondarySampleRate = 0;
    DWORD dwMaxSecondarySampleRate = 0;
};

// Our own flag and level values: within a group each flag is a bit of its own.
inline constexpr DWORD DSCAPS_PRIMARYMONO = 0x00000001;
inline constexpr DWORD DSCAPS_PRIMARYSTEREO = 0x00000002;
inline constexpr DWORD DSCAPS_PRIMARY8BIT = 0x00000004;
inline constexpr DWORD DSCAPS_PRIMARY16BIT = 0x00000008;
inline constexpr DWORD DSCAPS_CONTINUOUSRATE = 0x00000010;
inline constexpr DWORD DSCAPS_EMULDRIVER = 0x00000020;
inline constexpr DWORD DSCAPS_SECONDARYMONO = 0x00000040;
inline constexpr DWORD DSCAPS_SECONDARYSTEREO = 0x00000080;
inline constexpr DWORD DSCAPS_SECONDARY8BIT = 0x00000100;
inline constexpr DWORD DSCAPS_SECONDARY16BIT = 0x00000200;

inline constexpr DWORD DSSCL_NORMAL = 10;
inline constexpr DWORD DSSCL_PRIORITY = 11;
inline constexpr DWORD DSSCL_EXCLUSIVE = 12;
inline constexpr DWORD DSSCL_WRITEPRIMARY = 13;

inline constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
inline constexpr DWORD DSBCAPS_STATIC = 0x00000002;
inline constexpr DWORD DSBCAPS_LOCHARDWARE = 0x00000004;
inline constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008;
inline constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000010;
inline constexpr DWORD DSBCAPS_CTRLPAN = 0x00000020;
inline constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000040;
inline constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00000080;

inline constexpr DWORD DSBPLAY_LOOPING = 1;  // the game passes 1 for a looping sound

inline constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
inline constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
inline constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

inline constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
inline constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;

inline constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
inline constexpr DWORD DSBFREQUENCY_MIN = 80;
inline constexpr DWORD DSBFREQUENCY_MAX = 200000;

inline constexpr LONG DSBPAN_LEFT = -10000;
inline constexpr LONG DSBPAN_CENTER = 0;
inline constexpr LONG DSBPAN_RIGHT = 10000;

inline constexpr LONG DSBVOLUME_MIN = -10000;
inline constexpr LONG DSBVOLUME_MAX = 0;

// Buffer sizes in bytes: at least one 16-bit stereo frame, at most 64 MiB.
inline constexpr DWORD DSBSIZE_MIN = 4;
inline constexpr DWORD DSBSIZE_MAX = 64u * 1024u * 1024u;

namespace plat {
struct SoundCore;
struct SoundData;
}  // namespace plat

class IDirectSoundBuffer;
class IDirectSound;
using LPDIRECTSOUNDBUFFER = std::shared_ptr<IDirectSoundBuffer>;
using LPDIRECTSOUND = std::shared_ptr<IDirectSound>;

// One sound buffer (a voice). Releasing it is dropping the last reference.
class IDirectSoundBuffer {
public:
    IDirectSoundBuffer(std::shared_ptr<plat::SoundCore> core, std::shared_ptr<plat::SoundData> data, DWORD flags);
    ~IDirectSoundBuffer();
    IDirectSoundBuffer(const IDirectSoundBuffer&) = delete;
    IDirectSoundBuffer& operator=(const IDirectSoundBuffer&) = delete;

    // The whole buffer, or `bytes` from `offset` wrapping round to the start
    // (second part). One lock at a time.
    HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2, DWORD flags);
    HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    HRESULT Stop();
    HRESULT GetStatus(DWORD* status);
    HRESULT GetCurrentPosition(DWORD* play, DWORD* write);
    HRESULT SetCurrentPosition(DWORD position);
    HRESULT SetVolume(LONG volume);
    HRESULT GetVolume(LONG* volume);
    HRESULT SetPan(LONG pan);
    HRESULT GetPan(LONG* pan);
    HRESULT SetFrequency(DWORD frequency);
    HRESULT GetFrequency(DWORD* frequency);
    HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written);
    HRESULT Restore();

private:
    friend class IDirectSound;
    friend struct plat::SoundCore;
    void UpdateGains();
    DWORD PlayOffset();  // the play position in bytes

    std::shared_ptr<plat::SoundCore> core_;
    std::shared_ptr<plat::SoundData> data_;
    DWORD flags_ = 0;
    LONG volume_ = 0;
    LONG pan_ = 0;
    bool lost_ = false;
    bool locked_ = false;
    plat::MixVoice voice_;  // read by the mixer under the device lock
};

// The sound device.
class IDirectSound {
public:
    // A device without output: nothing is played, and MixNextFrames hands
    // out what would have been.
    explicit IDirectSound(DWORD outputRate);
    virtual ~IDirectSound();
    IDirectSound(const IDirectSound&) = delete;
    IDirectSound& operator=(const IDirectSound&) = delete;

    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level);
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, LPDIRECTSOUNDBUFFER* out, void* outer);
    virtual HRESULT DuplicateSoundBuffer(const LPDIRECTSOUNDBUFFER& original, LPDIRECTSOUNDBUFFER* out);
    virtual HRESULT GetCaps(DSCAPS* caps);

    // The rate the mixer writes, in frames per second.
    DWORD OutputRate() const;
    // Mixes the next `frames` stereo frames into `out`. Only a device without
    // output can be read this way; one with output returns DSERR_INVALIDCALL.
    HRESULT MixNextFrames(std::int16_t* out, std::size_t frames);
    // Marks every buffer of the device lost, as when the output goes away.
    void LoseBuffers();

private:
    friend HRESULT DirectSoundCreate(const void*, LPDIRECTSOUND*, void*);
    explicit IDirectSound(std::shared_ptr<plat::SoundCore> core);

    std::shared_ptr<plat::SoundCore> core_;
    DWORD level_ = 0;
};

// Opens the default output device (`device` must be none). Fails with
// DSERR_NODRIVER when there is no sound device.
HRESULT DirectSoundCreate(const void* device, LPDIRECTSOUND* out, void* outer);

namespace plat {
// The frames of the device buffer: at most 1024, so a sound is heard at once.
inline constexpr int kSoundDeviceFrames = 1024;
inline constexpr int kSoundDeviceRate = 48000;
}  // namespace plat
