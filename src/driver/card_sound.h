// What marks a DirectSound device as the card's: the driver's own property set, answered on a small
// hardware 3D buffer; and the list of the card's devices that discovery finds and the sessions use.
#pragma once

#include <cstdint>

#include "platform/sound.h"

namespace zv {

// The driver's own property set; property 8 marks a device as the card's.
constexpr Guid kZv930PropertySet = {0x7CA99CA0, 0xCD07, 0x11D0, {0xA6, 0xC0, 0x00, 0xA0, 0xC9, 0x24, 0x86, 0x33}};
constexpr uint32_t kZv930MarkerProperty = 8;

// A small mono hardware 3D buffer, the DirectX 5 description the probe and the sessions use.
constexpr SoundBufferDesc kProbeBufferDesc = {
    kDsbCapsLocHardware | kDsbCapsCtrl3D, 1024, 1 /* WAVE_FORMAT_PCM */, 1, 22050, 44100, 2, 16};

constexpr int32_t kMaxSoundDevices = 10;

struct SoundDeviceList {
    Guid devices[kMaxSoundDevices];
    int32_t count = 0;
};

}  // namespace zv
