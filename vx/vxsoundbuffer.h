// One sound: a PCM WAV file in one static buffer plus duplicates of it (the
// voices), played in turn so that the sound can overlap itself.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/sound/dsound.h"

class VXSound;

class VXSoundBuffer {
public:
    VXSoundBuffer() = default;
    ~VXSoundBuffer();
    VXSoundBuffer(const VXSoundBuffer&) = delete;
    VXSoundBuffer& operator=(const VXSoundBuffer&) = delete;

    // Loads `file` into `count` voices (at least one). 1, or 0 with no
    // voices left.
    int Load(VXSound* sound, const char* file, int count);
    // Plays the next free voice: flags DSBPLAY_LOOPING or 0, pan -10000 (left)
    // to 10000 (right), volume an attenuation in hundredths of a decibel.
    int Play(int flags, int pan, int volume);
    // Stops every voice and rewinds it.
    int Stop();
    void SetVolume(int volume);
    void ReleaseBuffers();

    int LoadFromFile(int voice);
    int CreateSoundBuffer(int voice, int dataSize, int samplesPerSec, WORD bitsPerSample, WORD blockAlign, int stereo);
    // Fills the voice from `file`, after seeking to `offset` unless it is -1.
    int ReadData(std::FILE* file, long offset, int voice);
    // The voice to play next, or none.
    IDirectSoundBuffer* GetFreeBuffer();

    int VoiceCount = 1;
    int CurrentVoice = 0;
    std::string FileName;
    VXSound* Sound = nullptr;                 // borrowed
    std::vector<LPDIRECTSOUNDBUFFER> Voices;  // voice 0 holds the data, the others share it

private:
    bool HasVoice(int voice) const { return voice >= 0 && voice < static_cast<int>(Voices.size()) && Voices[voice]; }
};
