#include "vx/vxsound.h"

#include "vx/vxerror.h"

int VXSound::Create(HWND window) {
    LPDIRECTSOUND device;
    HRESULT hr = DirectSoundCreate(nullptr, &device, nullptr);
    if (FAILED(hr)) {
        ReportDirectSoundError(hr, window);
        return 1;
    }
    DirectSound = std::move(device);
    hr = DirectSound->SetCooperativeLevel(window, DSSCL_NORMAL);
    if (FAILED(hr)) {
        ReportDirectSoundError(hr, window);
        return 1;
    }
    DeviceDisabled = 0;
    PlaybackDisabled = 0;
    return 1;
}

int VXSound::GetCaps() {
    if (DeviceDisabled || !DirectSound) return 0;
    Caps = DSCAPS{};
    Caps.dwSize = sizeof(DSCAPS);
    return SUCCEEDED(DirectSound->GetCaps(&Caps)) ? 1 : 0;
}
