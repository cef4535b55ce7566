#include "fakes/fake_sound.h"

#include <algorithm>
#include <cstring>

namespace zv::test {

// Each object deletes itself on its last release, so a release too many shows up under AddressSanitizer.

class FakePropertySet final : public SoundPropertySet {
public:
    FakePropertySet(FakeSoundSystem& system, FakeSoundSystem::Device& device) : system_(system), device_(device) {
        ++system_.livePropertySets_;
    }

    uint32_t Release() override {
        uint32_t left = --references_;
        if (left == 0) {
            --system_.livePropertySets_;
            delete this;
        }
        return left;
    }

    HResult QuerySupport(const Guid& set, uint32_t id, uint32_t* support) override {
        ++system_.querySupportCalls_;
        if (Failed(device_.querySupport)) return device_.querySupport;
        FakeSoundSystem::Property* property = device_.FindProperty(set, id);
        if (!property) return kNotImplemented;
        if (support) *support = property->support;
        return kOk;
    }

    HResult Get(const Guid& set, uint32_t id, void* data, uint32_t size, uint32_t* returned) override {
        ++system_.getCalls_;
        if (Failed(device_.get)) return device_.get;
        FakeSoundSystem::Property* property = device_.FindProperty(set, id);
        if (!property) return kNotImplemented;
        uint32_t count = std::min<uint32_t>(size, static_cast<uint32_t>(property->data.size()));
        if (data && count) std::memcpy(data, property->data.data(), count);
        if (returned) *returned = count;
        return kOk;
    }

    HResult Set(const Guid& set, uint32_t id, const void* instance, uint32_t instanceSize, const void* data,
                uint32_t size) override {
        const auto* bytes = static_cast<const uint8_t*>(data);
        std::vector<uint8_t> copy;
        if (bytes) copy.assign(bytes, bytes + size);
        const auto* instanceBytes = static_cast<const uint8_t*>(instance);
        std::vector<uint8_t> instanceCopy;
        if (instanceBytes) instanceCopy.assign(instanceBytes, instanceBytes + instanceSize);
        system_.setCalls_.push_back(FakeSoundSystem::SetCall{set, id, copy, std::move(instanceCopy)});
        if (Failed(device_.set)) return device_.set;
        FakeSoundSystem::Property* property = device_.FindProperty(set, id);
        if (!property) return kNotImplemented;
        property->data = std::move(copy);
        return kOk;
    }

private:
    ~FakePropertySet() = default;

    FakeSoundSystem& system_;
    FakeSoundSystem::Device& device_;
    uint32_t references_ = 1;
};

class FakeSoundBuffer final : public SoundBuffer {
public:
    FakeSoundBuffer(FakeSoundSystem& system, FakeSoundSystem::Device& device) : system_(system), device_(device) {
        ++system_.liveBuffers_;
    }

    uint32_t Release() override {
        uint32_t left = --references_;
        if (left == 0) {
            --system_.liveBuffers_;
            delete this;
        }
        return left;
    }

    HResult QueryPropertySet(SoundPropertySet** out) override {
        if (!out) return kFail;
        *out = nullptr;
        if (Failed(device_.queryPropertySet)) return device_.queryPropertySet;
        *out = new FakePropertySet(system_, device_);
        return kOk;
    }

private:
    ~FakeSoundBuffer() = default;

    FakeSoundSystem& system_;
    FakeSoundSystem::Device& device_;
    uint32_t references_ = 1;
};

class FakeSoundObject final : public SoundObject {
public:
    FakeSoundObject(FakeSoundSystem& system, FakeSoundSystem::Device& device) : system_(system), device_(device) {
        ++system_.liveObjects_;
    }

    uint32_t Release() override {
        uint32_t left = --references_;
        if (left == 0) {
            --system_.liveObjects_;
            delete this;
        }
        return left;
    }

    HResult SetCooperativeLevel(WindowHandle window, uint32_t level) override {
        system_.cooperativeCalls_.push_back(FakeSoundSystem::CooperativeCall{window, level});
        return device_.cooperativeLevel;
    }

    HResult CreateBuffer(const SoundBufferDesc& desc, SoundBuffer** out) override {
        system_.bufferDescs_.push_back(desc);
        if (!out) return kFail;
        *out = nullptr;
        if (Failed(device_.createBuffer)) return device_.createBuffer;
        *out = new FakeSoundBuffer(system_, device_);
        return kOk;
    }

    HResult SetSpeakerConfig(uint32_t config) override {
        system_.speakerConfigCalls_.push_back(config);
        if (Failed(device_.speakerConfig)) return device_.speakerConfig;
        device_.appliedSpeakerConfig = config;
        return kOk;
    }

private:
    ~FakeSoundObject() = default;

    FakeSoundSystem& system_;
    FakeSoundSystem::Device& device_;
    uint32_t references_ = 1;
};

FakeSoundSystem::Property& FakeSoundSystem::Device::Offer(const Guid& set, uint32_t id, uint32_t support,
                                                          std::vector<uint8_t> data) {
    Property* property = FindProperty(set, id);
    if (!property) {
        properties.push_back(Property{set, id, 0, {}});
        property = &properties.back();
    }
    property->support = support;
    property->data = std::move(data);
    return *property;
}

FakeSoundSystem::Property* FakeSoundSystem::Device::FindProperty(const Guid& set, uint32_t id) {
    for (Property& p : properties) {
        if (p.set == set && p.id == id) return &p;
    }
    return nullptr;
}

FakeSoundSystem::Device& FakeSoundSystem::AddDevice(const Guid& guid) {
    devices_.emplace_back();
    devices_.back().guid = guid;
    return devices_.back();
}

FakeSoundSystem::Device* FakeSoundSystem::FindDevice(const Guid* guid) {
    if (!guid) return &default_;
    for (Device& d : devices_) {
        if (d.guid == *guid) return &d;
    }
    return nullptr;
}

HResult FakeSoundSystem::Enumerate(EnumCallback callback, void* context) {
    if (Failed(enumerateResult_)) return enumerateResult_;
    if (!callback) return kFail;
    if (enumeratePrimary_ && !callback(nullptr, context)) return kOk;
    for (const Device& d : devices_) {
        if (!callback(&d.guid, context)) break;
    }
    return kOk;
}

HResult FakeSoundSystem::Create(const Guid* device, SoundObject** out) {
    createCalls_.push_back(device ? *device : Guid{});
    createWasDefault_.push_back(device == nullptr);
    if (!out) return kFail;
    *out = nullptr;
    Device* d = FindDevice(device);
    if (!d) return kDsErrNoDriver;
    if (Failed(d->create)) return d->create;
    *out = new FakeSoundObject(*this, *d);
    return kOk;
}

}  // namespace zv::test
