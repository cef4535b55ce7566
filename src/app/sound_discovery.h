// Finding the card's DirectSound devices: every enumerated device whose hardware 3D buffer answers the
// driver's own property set, in enumeration order, ten at most.
#pragma once

#include <cstdint>

#include "platform/sound.h"

namespace zv {

constexpr int32_t kMaxSoundDevices = 10;

struct SoundDeviceList {
    Guid devices[kMaxSoundDevices];
    int32_t count = 0;
};

// The driver's own property set; property 8 marks a device as the card's.
constexpr Guid kZv930PropertySet = {0x7CA99CA0, 0xCD07, 0x11D0, {0xA6, 0xC0, 0x00, 0xA0, 0xC9, 0x24, 0x86, 0x33}};
constexpr uint32_t kZv930MarkerProperty = 8;

// A small mono hardware 3D buffer, the DirectX 5 description the probe and the sessions use.
constexpr SoundBufferDesc kProbeBufferDesc = {
    kDsbCapsLocHardware | kDsbCapsCtrl3D, 1024, 1 /* WAVE_FORMAT_PCM */, 1, 22050, 44100, 2, 16};

// S_OK when the device's hardware 3D buffer supports the marker property; otherwise the failing step's code.
HResult ProbeSoundDevice(SoundSystem& sound, const Guid& device, WindowHandle window);

void DiscoverSoundDevices(SoundSystem& sound, WindowHandle window, SoundDeviceList& list);

}  // namespace zv
