// The sound device.
#pragma once

#include "platform/sound/dsound.h"

class VXSound {
public:
    VXSound() = default;
    ~VXSound() = default;
    VXSound(const VXSound&) = delete;
    VXSound& operator=(const VXSound&) = delete;

    // Opens the device for `window`. A failure is put to the user as the
    // sound error question and leaves the device disabled; the result is 1
    // either way.
    int Create(HWND window);
    // Fills Caps. 0 while the device is disabled or when the query fails.
    int GetCaps();

    int DeviceDisabled = 1;    // GetCaps answers 0 while set
    int PlaybackDisabled = 1;  // VXSoundBuffer::Play plays nothing while set
    LPDIRECTSOUND DirectSound;
    DSCAPS Caps;
};
