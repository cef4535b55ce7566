// DirectSound on the Win32 API: thin reference-counted wrappers around IDirectSound, the sound buffer
// and its IKsPropertySet, each releasing its COM object when it is released itself. dsound.dll is loaded
// by name when first needed; where it cannot be loaded, enumeration and creation fail with DSERR_NODRIVER.
#pragma once

#include "platform/sound.h"

namespace zv {

class Win32SoundSystem : public SoundSystem {
public:
    HResult Enumerate(EnumCallback callback, void* context) override;
    HResult Create(const Guid* device, SoundObject** out) override;
};

}  // namespace zv
