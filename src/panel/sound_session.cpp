#include "panel/sound_session.h"

#include "driver/card_sound.h"

namespace zv {

HResult OpenSoundSession(SoundSystem& system, const Guid* device, WindowHandle window, SoundObject** sound,
                         SoundPropertySet** properties) {
    *sound = nullptr;
    *properties = nullptr;
    HResult hr = system.Create(device, sound);
    if (Failed(hr)) {
        *sound = nullptr;
        return hr;
    }
    auto giveUp = [&](HResult code) {
        (*sound)->Release();
        *sound = nullptr;
        return code;
    };
    hr = (*sound)->SetCooperativeLevel(window, kDsSclNormal);
    if (Failed(hr)) return giveUp(hr);
    SoundBuffer* buffer = nullptr;
    hr = (*sound)->CreateBuffer(kProbeBufferDesc, &buffer);
    if (Failed(hr)) return giveUp(hr);
    hr = buffer->QueryPropertySet(properties);
    // The property set keeps what it needs of the buffer alive.
    buffer->Release();
    if (Failed(hr)) {
        *properties = nullptr;
        return giveUp(hr);
    }
    return kOk;
}

void CloseSoundSession(SoundObject** sound, SoundPropertySet** properties) {
    if (*properties) (*properties)->Release();
    if (*sound) (*sound)->Release();
    *properties = nullptr;
    *sound = nullptr;
}

}  // namespace zv
