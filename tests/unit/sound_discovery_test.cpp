#include <gtest/gtest.h>

#include "app/sound_discovery.h"
#include "fakes/fake_sound.h"

namespace zv {
namespace {

using test::FakeSoundSystem;

Guid DeviceGuid(uint8_t n) { return Guid{0x11110000u + n, 1, 2, {3, 4, 5, 6, 7, 8, 9, n}}; }

class Discovery : public ::testing::Test {
protected:
    FakeSoundSystem::Device& AddCard(uint8_t n) {
        auto& device = sound.AddDevice(DeviceGuid(n));
        device.Offer(kZv930PropertySet, kZv930MarkerProperty, 3);
        return device;
    }
    FakeSoundSystem sound;
    SoundDeviceList list;
    WindowHandle window = reinterpret_cast<WindowHandle>(0x1234);
};

TEST_F(Discovery, KeepsTheCardsDevicesInEnumerationOrder) {
    AddCard(1);
    sound.AddDevice(DeviceGuid(2));  // another vendor's driver: no marker property
    AddCard(3);
    DiscoverSoundDevices(sound, window, list);
    ASSERT_EQ(2, list.count);
    EXPECT_EQ(DeviceGuid(1), list.devices[0]);
    EXPECT_EQ(DeviceGuid(3), list.devices[1]);
    EXPECT_EQ(0, sound.Live());
    // The primary driver without a GUID is never probed.
    EXPECT_EQ(3u, sound.CreateCalls().size());
    for (bool wasDefault : sound.CreateWasDefault()) EXPECT_FALSE(wasDefault);
}

TEST_F(Discovery, ProbesOnlyTheFirstTenDevices) {
    for (uint8_t n = 0; n < 13; ++n) AddCard(n);
    DiscoverSoundDevices(sound, window, list);
    EXPECT_EQ(10, list.count);
    EXPECT_EQ(10u, sound.CreateCalls().size());
    EXPECT_EQ(DeviceGuid(9), list.devices[9]);
}

TEST_F(Discovery, StartsFromAnEmptyListEachTime) {
    AddCard(1);
    DiscoverSoundDevices(sound, window, list);
    DiscoverSoundDevices(sound, window, list);
    EXPECT_EQ(1, list.count);
}

TEST_F(Discovery, ProbeUsesTheHardware3DBufferDescription) {
    AddCard(1);
    EXPECT_EQ(kOk, ProbeSoundDevice(sound, DeviceGuid(1), window));
    ASSERT_EQ(1u, sound.BufferDescs().size());
    const SoundBufferDesc& desc = sound.BufferDescs()[0];
    EXPECT_EQ(0x14u, desc.flags);
    EXPECT_EQ(1024u, desc.bufferBytes);
    EXPECT_EQ(1, desc.channels);
    EXPECT_EQ(22050u, desc.samplesPerSec);
    EXPECT_EQ(44100u, desc.avgBytesPerSec);
    EXPECT_EQ(2, desc.blockAlign);
    EXPECT_EQ(16, desc.bitsPerSample);
    ASSERT_EQ(1u, sound.CooperativeCalls().size());
    EXPECT_EQ(window, sound.CooperativeCalls()[0].window);
    EXPECT_EQ(kDsSclNormal, sound.CooperativeCalls()[0].level);
}

// Each failing step returns its code and releases exactly what was taken before it.
TEST_F(Discovery, ProbeFailuresReleaseWhatWasTaken) {
    const HResult kBroken = static_cast<HResult>(0x88780032u);
    struct Step {
        const char* name;
        HResult FakeSoundSystem::Device::*field;
    };
    const Step steps[] = {{"create", &FakeSoundSystem::Device::create},
                          {"buffer", &FakeSoundSystem::Device::createBuffer},
                          {"property set", &FakeSoundSystem::Device::queryPropertySet},
                          {"query support", &FakeSoundSystem::Device::querySupport}};
    uint8_t n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        auto& device = AddCard(++n);
        device.*step.field = kBroken;
        EXPECT_EQ(kBroken, ProbeSoundDevice(sound, DeviceGuid(n), window));
        EXPECT_EQ(0, sound.Live());
    }
    // A cooperative level that fails does not stop the probe.
    auto& device = AddCard(++n);
    device.cooperativeLevel = kBroken;
    EXPECT_EQ(kOk, ProbeSoundDevice(sound, DeviceGuid(n), window));

    // Support flags of 0 mean the property is not there.
    auto& silent = AddCard(++n);
    silent.Offer(kZv930PropertySet, kZv930MarkerProperty, 0);
    EXPECT_EQ(kNotImplemented, ProbeSoundDevice(sound, DeviceGuid(n), window));
    EXPECT_EQ(0, sound.Live());
}

}  // namespace
}  // namespace zv
