// Finding the card's DirectSound devices: every enumerated device whose hardware 3D buffer answers the
// driver's own property set, in enumeration order, ten at most.
#pragma once

#include <cstdint>

#include "driver/card_sound.h"
#include "platform/sound.h"

namespace zv {

// S_OK when the device's hardware 3D buffer supports the marker property; otherwise the failing step's code.
HResult ProbeSoundDevice(SoundSystem& sound, const Guid& device, WindowHandle window);

void DiscoverSoundDevices(SoundSystem& sound, WindowHandle window, SoundDeviceList& list);

}  // namespace zv
