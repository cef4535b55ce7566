// A DirectSound stand-in for the unit tests: devices with configurable answers and failures at every step,
// driver properties, and counts of the live objects so a test can check that everything handed out is released.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/sound.h"

namespace zv::test {

constexpr HResult kDsErrNoDriver = static_cast<HResult>(0x88780078u);  // DSERR_NODRIVER

class FakeSoundSystem : public SoundSystem {
public:
    struct Property {
        Guid set;
        uint32_t id;
        uint32_t support;            // what QuerySupport answers
        std::vector<uint8_t> data;   // what Get returns and Set replaces
    };

    // One device's answers. Each HResult is what that step returns; a failing step hands out nothing.
    struct Device {
        Guid guid{};
        HResult create = kOk;
        HResult cooperativeLevel = kOk;
        HResult createBuffer = kOk;
        HResult queryPropertySet = kOk;
        HResult querySupport = kOk;
        HResult get = kOk;
        HResult set = kOk;
        HResult speakerConfig = kOk;
        std::vector<Property> properties;
        uint32_t appliedSpeakerConfig = 0;  // the last configuration that was set successfully

        // Adds the property or changes its support and data.
        Property& Offer(const Guid& set, uint32_t id, uint32_t support, std::vector<uint8_t> data = {});
        Property* FindProperty(const Guid& set, uint32_t id);
    };

    struct CooperativeCall {
        WindowHandle window;
        uint32_t level;
    };
    struct SetCall {
        Guid set;
        uint32_t id;
        std::vector<uint8_t> data;
        std::vector<uint8_t> instance;  // the instance data passed, empty for none
    };

    FakeSoundSystem() = default;
    FakeSoundSystem(const FakeSoundSystem&) = delete;
    FakeSoundSystem& operator=(const FakeSoundSystem&) = delete;

    // The device that Create with no GUID opens. It is not enumerated.
    Device& Default() { return default_; }
    // Enumerated in the order added, after the primary driver's entry without a GUID.
    Device& AddDevice(const Guid& guid);
    Device* FindDevice(const Guid* guid);

    void SetEnumerateResult(HResult result) { enumerateResult_ = result; }
    void SetEnumeratePrimary(bool on) { enumeratePrimary_ = on; }

    // Objects handed out and not yet released, by kind and in all.
    int LiveObjects() const { return liveObjects_; }
    int LiveBuffers() const { return liveBuffers_; }
    int LivePropertySets() const { return livePropertySets_; }
    int Live() const { return liveObjects_ + liveBuffers_ + livePropertySets_; }

    // Every Create call, successful or not: the device asked for (a zero GUID for the default device).
    const std::vector<Guid>& CreateCalls() const { return createCalls_; }
    const std::vector<bool>& CreateWasDefault() const { return createWasDefault_; }
    const std::vector<CooperativeCall>& CooperativeCalls() const { return cooperativeCalls_; }
    const std::vector<SoundBufferDesc>& BufferDescs() const { return bufferDescs_; }
    const std::vector<uint32_t>& SpeakerConfigCalls() const { return speakerConfigCalls_; }
    const std::vector<SetCall>& SetCalls() const { return setCalls_; }
    int QuerySupportCalls() const { return querySupportCalls_; }
    int GetCalls() const { return getCalls_; }

    HResult Enumerate(EnumCallback callback, void* context) override;
    HResult Create(const Guid* device, SoundObject** out) override;

private:
    friend class FakeSoundObject;
    friend class FakeSoundBuffer;
    friend class FakePropertySet;

    Device default_;
    std::deque<Device> devices_;  // a deque keeps the objects' device pointers valid as devices are added
    HResult enumerateResult_ = kOk;
    bool enumeratePrimary_ = true;

    int liveObjects_ = 0;
    int liveBuffers_ = 0;
    int livePropertySets_ = 0;
    std::vector<Guid> createCalls_;
    std::vector<bool> createWasDefault_;
    std::vector<CooperativeCall> cooperativeCalls_;
    std::vector<SoundBufferDesc> bufferDescs_;
    std::vector<uint32_t> speakerConfigCalls_;
    std::vector<SetCall> setCalls_;
    int querySupportCalls_ = 0;
    int getCalls_ = 0;
};

}  // namespace zv::test
