#include "app/sound_discovery.h"

namespace zv {

HResult ProbeSoundDevice(SoundSystem& sound, const Guid& device, WindowHandle window) {
    SoundObject* object = nullptr;
    HResult hr = sound.Create(&device, &object);
    if (Failed(hr)) return hr;
    object->SetCooperativeLevel(window, kDsSclNormal);

    SoundBuffer* buffer = nullptr;
    hr = object->CreateBuffer(kProbeBufferDesc, &buffer);
    if (Failed(hr)) {
        object->Release();
        return hr;
    }
    SoundPropertySet* properties = nullptr;
    hr = buffer->QueryPropertySet(&properties);
    if (Failed(hr)) {
        buffer->Release();
        object->Release();
        return hr;
    }
    uint32_t support = 0;
    hr = properties->QuerySupport(kZv930PropertySet, kZv930MarkerProperty, &support);
    if (!Failed(hr) && support == 0) hr = kNotImplemented;
    properties->Release();
    buffer->Release();
    object->Release();
    return Failed(hr) ? hr : kOk;
}

void DiscoverSoundDevices(SoundSystem& sound, WindowHandle window, SoundDeviceList& list) {
    list.count = 0;
    sound.Enumerate(
        [](const Guid* device, void* context) {
            auto& found = *static_cast<SoundDeviceList*>(context);
            // The primary sound driver comes without a GUID: it is no device of its own.
            if (device && found.count < kMaxSoundDevices) found.devices[found.count++] = *device;
            return true;
        },
        &list);

    const int32_t enumerated = list.count;
    list.count = 0;
    for (int32_t i = 0; i < enumerated; ++i) {
        if (ProbeSoundDevice(sound, list.devices[i], window) == kOk) list.devices[list.count++] = list.devices[i];
    }
}

}  // namespace zv
