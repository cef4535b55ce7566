// DirectSound as the portable code uses it: device enumeration, the DirectSound object, a sound buffer
// and the buffer's driver property sets. Objects are reference counted like their COM originals: every
// object handed out carries one reference that its receiver releases.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace zv {

// The DirectX 5 sound buffer description (20 bytes on 32-bit Windows, no 3D algorithm GUID).
struct SoundBufferDesc {
    uint32_t flags;
    uint32_t bufferBytes;
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
};

constexpr uint32_t kDsbCapsLocHardware = 0x04;
constexpr uint32_t kDsbCapsCtrl3D = 0x10;
constexpr uint32_t kDsSclNormal = 1;
constexpr uint32_t kDsSpeakerHeadphone = 1;
constexpr uint32_t kDsSpeakerQuad = 3;
constexpr uint32_t kDsSpeakerStereo = 4;

class SoundPropertySet {
public:
    virtual uint32_t Release() = 0;
    virtual HResult QuerySupport(const Guid& set, uint32_t id, uint32_t* support) = 0;
    virtual HResult Get(const Guid& set, uint32_t id, void* data, uint32_t size, uint32_t* returned) = 0;
    // instance is the property's instance data, or null with instanceSize 0.
    virtual HResult Set(const Guid& set, uint32_t id, const void* instance, uint32_t instanceSize, const void* data,
                        uint32_t size) = 0;

protected:
    ~SoundPropertySet() = default;
};

class SoundBuffer {
public:
    virtual uint32_t Release() = 0;
    // QueryInterface for IKsPropertySet.
    virtual HResult QueryPropertySet(SoundPropertySet** out) = 0;

protected:
    ~SoundBuffer() = default;
};

class SoundObject {
public:
    virtual uint32_t Release() = 0;
    virtual HResult SetCooperativeLevel(WindowHandle window, uint32_t level) = 0;
    virtual HResult CreateBuffer(const SoundBufferDesc& desc, SoundBuffer** out) = 0;
    virtual HResult SetSpeakerConfig(uint32_t config) = 0;

protected:
    ~SoundObject() = default;
};

class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    // DirectSoundEnumerateA. device is null for the primary sound driver. The callback returns false to stop.
    using EnumCallback = bool (*)(const Guid* device, void* context);
    virtual HResult Enumerate(EnumCallback callback, void* context) = 0;
    // DirectSoundCreate; device null means the default device.
    virtual HResult Create(const Guid* device, SoundObject** out) = 0;
};

}  // namespace zv
