// A short-lived DirectSound session for one load or apply pass of the control panel: the DirectSound
// object of the chosen device and the property-set interface of a hardware 3D buffer on it.
#pragma once

#include "platform/sound.h"

namespace zv {

// On success the caller owns one reference to each output and releases the property set first. On
// failure both outputs are left empty and the failing step's code is returned.
HResult OpenSoundSession(SoundSystem& system, const Guid* device, WindowHandle window, SoundObject** sound,
                         SoundPropertySet** properties);

// Releases a session in the required order and empties both places.
void CloseSoundSession(SoundObject** sound, SoundPropertySet** properties);

}  // namespace zv
