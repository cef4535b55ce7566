#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "driver/card_sound.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_sound.h"
#include "pages/effects/q3d_settings.h"

namespace zv {
namespace {

using test::FakeRegistry;
using test::FakeSoundSystem;
using Bytes = std::vector<uint8_t>;

constexpr RegKey kHklm = kHkeyLocalMachine;
constexpr RegKey kHkcu = kHkeyCurrentUser;
const Guid& k3D = kZv930PropertySet3D;
const Guid& kZv = kZv930PropertySet;

Bytes Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
Bytes Le32(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return Le32(bits);
}
Bytes Pair(int32_t a, int32_t b) {
    Bytes out = Le32(static_cast<uint32_t>(a));
    Bytes second = Le32(static_cast<uint32_t>(b));
    out.insert(out.end(), second.begin(), second.end());
    return out;
}

// The store against a card device whose property sets and registry live in memory. Every property of the
// table is offered with a value of its own, so a field read from the wrong property shows.
class Q3DStoreTest : public ::testing::Test {
protected:
    Q3DStoreTest() : device(sound.Default()) {
        if (Failed(sound.Create(nullptr, &object))) return;
        object->CreateBuffer(kProbeBufferDesc, &buffer);
        if (buffer) buffer->QueryPropertySet(&properties);
    }
    ~Q3DStoreTest() override {
        if (properties) properties->Release();
        if (buffer) buffer->Release();
        if (object) object->Release();
    }
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0) << "a registry key was left open"; }

    void OfferAll() {
        device.Offer(k3D, 0, 3, Le32(0u));      // qsoundEnabled
        device.Offer(k3D, 1, 3, Le32(750u));    // max pan
        device.Offer(k3D, 2, 3, Le32(0x1234u)); // property2
        device.Offer(k3D, 3, 3, Le32(1u));      // stereoExpand
        device.Offer(k3D, 4, 3, Le32(1u));      // elevation
        device.Offer(k3D, 5, 3, Le32(1u));      // reverb
        device.Offer(k3D, 8, 3, Le32(1u));      // rateConversion
        device.Offer(k3D, 9, 3, Le32(0.25f));   // spread
        device.Offer(k3D, 10, 3, Le32(0.75f));  // center
        device.Offer(kZv, 5, 3, Le32(1u));      // bassBoost
        device.Offer(kZv, 12, 3, Pair(1, 17));  // environment
    }
    // The settings as a test knows them before a load: every field away from what OfferAll holds.
    static Q3DSettings Marked() {
        Q3DSettings s;
        s.qsoundEnabled = 7;
        s.elevation = 7;
        s.reverb = 7;
        s.bassBoost = 7;
        s.rateConversion = 7;
        s.environmentSet = 7;
        s.environmentIndex = 7;
        s.property2 = 7;
        s.stereoExpand = 7;
        s.spread = 0.125f;
        s.center = 0.125f;
        s.maxPanEnabled = 1;
        s.maxPan = 77;
        return s;
    }
    Bytes Class(const char* name) {
        const FakeRegistry::Value* v = registry.Find(kHklm, kQ3DClassKey, name);
        return v ? v->data : Bytes{};
    }
    Bytes User(const char* name) {
        const FakeRegistry::Value* v = registry.Find(kHkcu, q3d::kUserKey, name);
        return v ? v->data : Bytes{};
    }
    const FakeSoundSystem::SetCall* LastSet(const Guid& set, uint32_t id) {
        const FakeSoundSystem::SetCall* found = nullptr;
        for (const auto& call : sound.SetCalls())
            if (call.set == set && call.id == id) found = &call;
        return found;
    }
    Bytes SetBytes(const Guid& set, uint32_t id) {
        const FakeSoundSystem::SetCall* call = LastSet(set, id);
        return call ? call->data : Bytes{};
    }

    FakeSoundSystem sound;
    FakeSoundSystem::Device& device;
    FakeRegistry registry;
    SoundObject* object = nullptr;
    SoundBuffer* buffer = nullptr;
    SoundPropertySet* properties = nullptr;
    Q3DSettings settings;
};

// ---- The record

TEST(Q3DSettingsRecord, DefaultsAreThoseOfAFreshPage) {
    Q3DSettings s;
    EXPECT_EQ(s.qsoundEnabled, 1);
    EXPECT_EQ(s.elevation, 0);
    EXPECT_EQ(s.reverb, 0);
    EXPECT_EQ(s.bassBoost, 0);
    EXPECT_EQ(s.rateConversion, 0);
    EXPECT_EQ(s.splashEnabled, 0);
    EXPECT_EQ(s.environmentSet, 0);
    EXPECT_EQ(s.environmentIndex, -1);
    EXPECT_EQ(s.property2, 0);
    EXPECT_EQ(s.stereoExpand, 0);
    EXPECT_EQ(s.spread, 0.0f);
    EXPECT_EQ(s.center, 0.0f);
    EXPECT_EQ(s.maxPanEnabled, 0);
    EXPECT_EQ(s.maxPan, 1000);
}

TEST(Q3DSettingsRecord, FieldsAreThirtyTwoBitsEachAndTheEnvironmentPairIsAdjacent) {
    EXPECT_EQ(sizeof(Q3DSettings), 14u * 4u);
    EXPECT_EQ(offsetof(Q3DSettings, environmentIndex), offsetof(Q3DSettings, environmentSet) + 4);
    EXPECT_EQ(sizeof(float), 4u);
    EXPECT_TRUE(std::numeric_limits<float>::is_iec559);
}

// ---- Load

TEST_F(Q3DStoreTest, LoadTakesEachFieldFromItsOwnProperty) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    settings = Marked();
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), 750);
    EXPECT_EQ(settings.qsoundEnabled, 0);
    EXPECT_EQ(settings.elevation, 1);
    EXPECT_EQ(settings.reverb, 1);
    EXPECT_EQ(settings.bassBoost, 1);
    EXPECT_EQ(settings.rateConversion, 1);
    EXPECT_EQ(settings.environmentSet, 1);
    EXPECT_EQ(settings.environmentIndex, 17);
    EXPECT_EQ(settings.property2, 0x1234);
    EXPECT_EQ(settings.stereoExpand, 1);
    EXPECT_EQ(settings.spread, 0.25f);
    EXPECT_EQ(settings.center, 0.75f);
    EXPECT_EQ(settings.maxPanEnabled, 1);
    EXPECT_EQ(settings.maxPan, 750);
}

TEST_F(Q3DStoreTest, LoadKeepsEachFieldThatTheDriverDoesNotAnswer) {
    ASSERT_NE(properties, nullptr);
    settings = Marked();
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), 0);
    Q3DSettings expected = Marked();
    EXPECT_EQ(settings.qsoundEnabled, expected.qsoundEnabled);
    EXPECT_EQ(settings.elevation, expected.elevation);
    EXPECT_EQ(settings.reverb, expected.reverb);
    EXPECT_EQ(settings.bassBoost, expected.bassBoost);
    EXPECT_EQ(settings.rateConversion, expected.rateConversion);
    EXPECT_EQ(settings.environmentSet, expected.environmentSet);
    EXPECT_EQ(settings.environmentIndex, expected.environmentIndex);
    EXPECT_EQ(settings.property2, expected.property2);
    EXPECT_EQ(settings.stereoExpand, expected.stereoExpand);
    EXPECT_EQ(settings.spread, expected.spread);
    EXPECT_EQ(settings.center, expected.center);
    // No maximum pan read counts as none in force; the value stays for a later enabling.
    EXPECT_EQ(settings.maxPanEnabled, 0);
    EXPECT_EQ(settings.maxPan, 77);
}

TEST_F(Q3DStoreTest, LoadKeepsFieldsWhenEveryGetFails) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    device.get = kFail;
    settings = Marked();
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.qsoundEnabled, 7);
    EXPECT_EQ(settings.environmentIndex, 7);
    EXPECT_EQ(settings.spread, 0.125f);
    EXPECT_EQ(settings.maxPan, 77);
    EXPECT_EQ(sound.GetCalls(), 11);
}

TEST_F(Q3DStoreTest, LoadAsksForTheTableSizesAndRefusesShortAnswers) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    device.Offer(k3D, 4, 3, {1, 0});          // elevation: 2 of 4 bytes
    device.Offer(kZv, 12, 3, Le32(1u));       // environment: 4 of 8 bytes
    device.Offer(k3D, 9, 3, {0, 0, 0});       // spread: 3 of 4 bytes
    settings = Marked();
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.elevation, 7);
    EXPECT_EQ(settings.environmentSet, 7);
    EXPECT_EQ(settings.environmentIndex, 7);
    EXPECT_EQ(settings.spread, 0.125f);
    EXPECT_EQ(settings.reverb, 1);  // its neighbours still load
}

TEST_F(Q3DStoreTest, LoadTakesOnlyTheBytesOfTheValueFromALongerProperty) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    Bytes longer = Pair(0, 3);
    longer.insert(longer.end(), {0xFF, 0xFF, 0xFF, 0xFF});
    device.Offer(kZv, 12, 3, longer);
    device.Offer(k3D, 5, 3, {0, 0, 0, 0, 9, 9, 9, 9});
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.environmentSet, 0);
    EXPECT_EQ(settings.environmentIndex, 3);
    EXPECT_EQ(settings.reverb, 0);
    EXPECT_EQ(settings.property2, 0x1234);
}

TEST_F(Q3DStoreTest, LoadNeverReadsTheClassKeyCopies) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    registry.SetBinary(kHklm, kQ3DClassKey, "QSound", Le32(1u));
    registry.SetBinary(kHklm, kQ3DClassKey, "Ranging", Le32(0u));
    registry.SetBinary(kHklm, kQ3DClassKey, "MaxPan", Le32(5u));
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.qsoundEnabled, 0);
    EXPECT_EQ(settings.reverb, 1);
    EXPECT_EQ(settings.maxPan, 750);
    EXPECT_EQ(registry.Writes(), 0);
}

// ---- Load: the splash logo

TEST_F(Q3DStoreTest, SplashTimeOfOneLoadsAsSetAndIsWrittenBackAs2000) {
    ASSERT_NE(properties, nullptr);
    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, Le32(1u));
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 1);
    ApplyQ3DSettings(settings, properties, registry);
    EXPECT_EQ(User(q3d::kSplashTime), Le32(2000u));
    EXPECT_EQ(registry.Find(kHkcu, q3d::kUserKey, q3d::kSplashTime)->type, kRegBinary);
}

TEST_F(Q3DStoreTest, SplashFlagIsClearedWithoutTheUserKeyOrItsValue) {
    ASSERT_NE(properties, nullptr);
    settings.splashEnabled = 1;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 0);
    EXPECT_FALSE(registry.HasKey(kHkcu, q3d::kUserKey)) << "load must not create the user key";

    registry.AddKey(kHkcu, q3d::kUserKey);
    settings.splashEnabled = 1;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 0);

    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, Le32(0u));
    settings.splashEnabled = 1;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 0);
}

TEST_F(Q3DStoreTest, SplashTimeOfAnyTypeAndShortSizeIsTakenAsStored) {
    ASSERT_NE(properties, nullptr);
    registry.SetDword(kHkcu, q3d::kUserKey, q3d::kSplashTime, 2000);
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 1);

    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, {1});
    settings.splashEnabled = 0;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 1);

    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, {0, 0, 0, 1});
    settings.splashEnabled = 0;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 1);
}

TEST_F(Q3DStoreTest, SplashTimeTooLongForFourBytesReadsAsClear) {
    ASSERT_NE(properties, nullptr);
    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, {0, 0, 0, 0, 1, 1, 1, 1});
    settings.splashEnabled = 1;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 0);
}

TEST_F(Q3DStoreTest, SplashFlagIsClearedWhenTheUserKeyCannotBeOpened) {
    ASSERT_NE(properties, nullptr);
    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, Le32(2000u));
    registry.DenyOpen(kHkcu, q3d::kUserKey);
    settings.splashEnabled = 1;
    LoadQ3DSettings(settings, *properties, registry);
    EXPECT_EQ(settings.splashEnabled, 0);
}

// ---- Load: maximum pan

TEST_F(Q3DStoreTest, MaxPanReadingZeroKeepsTheLastValueAndANonzeroReadReplacesIt) {
    ASSERT_NE(properties, nullptr);
    device.Offer(k3D, 1, 3, Le32(0u));
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), 0);
    EXPECT_EQ(settings.maxPanEnabled, 0);
    EXPECT_EQ(settings.maxPan, 1000);

    device.Offer(k3D, 1, 3, Le32(640u));
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), 640);
    EXPECT_EQ(settings.maxPanEnabled, 1);
    EXPECT_EQ(settings.maxPan, 640);

    device.Offer(k3D, 1, 3, Le32(0u));
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), 0);
    EXPECT_EQ(settings.maxPanEnabled, 0);
    EXPECT_EQ(settings.maxPan, 640);

    device.Offer(k3D, 1, 3, Le32(uint32_t(-5)));
    EXPECT_EQ(LoadQ3DSettings(settings, *properties, registry), -5);
    EXPECT_EQ(settings.maxPanEnabled, 1);
    EXPECT_EQ(settings.maxPan, -5);
}

// ---- Apply

TEST_F(Q3DStoreTest, ApplySetsThePropertiesInOrderWithTheirSizes) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    settings.qsoundEnabled = 1;
    settings.elevation = 1;
    settings.reverb = 0;
    settings.rateConversion = 1;
    settings.bassBoost = 1;
    settings.environmentSet = 1;
    settings.environmentIndex = 4;
    settings.property2 = 99;
    settings.stereoExpand = 1;
    settings.spread = 0.5f;
    settings.center = 1.0f;
    settings.maxPanEnabled = 1;
    settings.maxPan = 300;
    EXPECT_EQ(ApplyQ3DSettings(settings, properties, registry), kRegOk);

    struct Expected {
        Guid set;
        uint32_t id;
        Bytes data;
    };
    const Expected expected[] = {
        {k3D, 0, Le32(1u)},   {k3D, 4, Le32(1u)},       {k3D, 5, Le32(0u)},     {k3D, 8, Le32(1u)},
        {kZv, 5, Le32(1u)},   {kZv, 12, Pair(1, 4)},    {k3D, 2, Le32(99u)},    {k3D, 3, Le32(1u)},
        {k3D, 9, Le32(0.5f)}, {k3D, 10, Le32(1.0f)},    {k3D, 1, Le32(300u)},
    };
    const auto& calls = sound.SetCalls();
    ASSERT_EQ(calls.size(), std::size(expected));
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_TRUE(calls[i].set == expected[i].set) << "call " << i;
        EXPECT_EQ(calls[i].id, expected[i].id) << "call " << i;
        EXPECT_EQ(calls[i].data, expected[i].data) << "call " << i;
        // The 3D set takes a 36-byte instance block whose first word is 1; the driver's own set takes none.
        Bytes instance;
        if (expected[i].set == k3D) {
            instance.assign(36, 0);
            instance[0] = 1;
        }
        EXPECT_EQ(calls[i].instance, instance) << "call " << i;
    }
}

TEST_F(Q3DStoreTest, ApplyWritesEveryRegistryCopyAsFourLittleEndianBinaryBytes) {
    ASSERT_NE(properties, nullptr);
    settings.qsoundEnabled = 1;
    settings.elevation = 1;
    settings.reverb = 1;
    settings.rateConversion = 0;
    settings.bassBoost = 1;
    settings.splashEnabled = 0;
    settings.stereoExpand = 1;
    settings.spread = 0.5f;
    settings.center = 0.25f;
    settings.maxPanEnabled = 1;
    settings.maxPan = 0x01020304;
    ApplyQ3DSettings(settings, properties, registry);
    EXPECT_EQ(Class("QSound"), Le32(1u));
    EXPECT_EQ(Class("Elevation"), Le32(1u));
    EXPECT_EQ(Class("Ranging"), Le32(1u));
    EXPECT_EQ(Class("RateConversion"), Le32(0u));
    EXPECT_EQ(Class("Q1BassBoost"), Le32(1u));
    EXPECT_EQ(Class("StereoExpand"), Le32(1u));
    EXPECT_EQ(Class("Spread"), (Bytes{0x00, 0x00, 0x00, 0x3F}));
    EXPECT_EQ(Class("Center"), (Bytes{0x00, 0x00, 0x80, 0x3E}));
    EXPECT_EQ(Class("MaxPan"), (Bytes{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(User(q3d::kSplashTime), Le32(0u));
    for (const char* name : {"QSound", "Elevation", "Ranging", "RateConversion", "Q1BassBoost", "StereoExpand",
                             "Spread", "Center", "MaxPan"})
        EXPECT_EQ(registry.Find(kHklm, kQ3DClassKey, name)->type, kRegBinary) << name;
    // Neither the environment nor property 2 has a registry copy.
    EXPECT_EQ(registry.Find(kHklm, kQ3DClassKey, "Environment"), nullptr);
}

TEST_F(Q3DStoreTest, ApplyWithMaxPanDisabledWritesZeroWhateverTheValue) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    settings.maxPanEnabled = 0;
    settings.maxPan = 640;
    ApplyQ3DSettings(settings, properties, registry);
    EXPECT_EQ(Class("MaxPan"), Le32(0u));
    EXPECT_EQ(SetBytes(k3D, 1), Le32(0u));
}

TEST_F(Q3DStoreTest, ApplyWritesTheNoneEnvironmentAsMinusOne) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    ApplyQ3DSettings(settings, properties, registry);
    EXPECT_EQ(SetBytes(kZv, 12), (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Q3DStoreTest, ApplyWithoutAnInterfaceStillWritesTheRegistry) {
    settings.reverb = 1;
    settings.splashEnabled = 1;
    EXPECT_EQ(ApplyQ3DSettings(settings, nullptr, registry), kRegOk);
    EXPECT_TRUE(sound.SetCalls().empty());
    EXPECT_EQ(Class("Ranging"), Le32(1u));
    EXPECT_EQ(Class("MaxPan"), Le32(0u));
    EXPECT_EQ(User(q3d::kSplashTime), Le32(2000u));
}

TEST_F(Q3DStoreTest, ApplyGoesOnWhenTheDriverRefusesEverySet) {
    ASSERT_NE(properties, nullptr);
    device.set = kFail;
    EXPECT_EQ(ApplyQ3DSettings(settings, properties, registry), kRegOk);
    EXPECT_EQ(sound.SetCalls().size(), 11u);
    EXPECT_EQ(Class("QSound"), Le32(1u));
    EXPECT_EQ(Class("Center"), Le32(0u));
}

TEST_F(Q3DStoreTest, AClassKeyThatCannotBeCreatedSkipsOnlyItsOwnValues) {
    ASSERT_NE(properties, nullptr);
    registry.DenyOpen(kHklm, kQ3DClassKey);
    settings.splashEnabled = 1;
    EXPECT_NE(ApplyQ3DSettings(settings, properties, registry), kRegOk);
    EXPECT_EQ(User(q3d::kSplashTime), Le32(2000u));
    EXPECT_EQ(sound.SetCalls().size(), 11u);
    EXPECT_TRUE(Class("QSound").empty());
}

TEST_F(Q3DStoreTest, AUserKeyThatCannotBeCreatedSkipsOnlyTheSplashTime) {
    ASSERT_NE(properties, nullptr);
    registry.DenyOpen(kHkcu, q3d::kUserKey);
    EXPECT_EQ(ApplyQ3DSettings(settings, properties, registry), kRegOk);
    EXPECT_EQ(Class("QSound"), Le32(1u));
    EXPECT_EQ(Class("MaxPan"), Le32(0u));
    EXPECT_TRUE(User(q3d::kSplashTime).empty());
}

TEST_F(Q3DStoreTest, ApplyKeepsOtherValuesOfTheQ3DKeys) {
    ASSERT_NE(properties, nullptr);
    registry.SetBinary(kHklm, kQ3DClassKey, "SpeakerConfig", Le32(3u));
    registry.SetBinary(kHkcu, q3d::kUserKey, "Other", {9});
    ApplyQ3DSettings(settings, properties, registry);
    EXPECT_EQ(Class("SpeakerConfig"), Le32(3u));
    EXPECT_EQ(User("Other"), Bytes{9});
}

TEST_F(Q3DStoreTest, ALoadedRecordAppliesBackUnchanged) {
    ASSERT_NE(properties, nullptr);
    OfferAll();
    registry.SetBinary(kHkcu, q3d::kUserKey, q3d::kSplashTime, Le32(2000u));
    const std::vector<FakeSoundSystem::Property> before = device.properties;
    LoadQ3DSettings(settings, *properties, registry);
    ApplyQ3DSettings(settings, properties, registry);
    ASSERT_EQ(device.properties.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(device.properties[i].data, before[i].data) << "property " << before[i].id;
    EXPECT_EQ(User(q3d::kSplashTime), Le32(2000u));
    EXPECT_EQ(Class("MaxPan"), Le32(750u));
    EXPECT_EQ(Class("Spread"), Le32(0.25f));
}

// ---- Controls: CPU usage

TEST(EffectsControlMapping, CpuUsageFollowsElevationAndInterpolation) {
    EXPECT_EQ(CpuUsagePosition(0, 0), 0);
    EXPECT_EQ(CpuUsagePosition(1, 0), 1);
    EXPECT_EQ(CpuUsagePosition(0, 1), 1);
    EXPECT_EQ(CpuUsagePosition(1, 1), 2);
    EXPECT_EQ(CpuUsagePosition(5, -1), 2) << "any nonzero value counts as set";
}

TEST(EffectsControlMapping, CpuUsagePositionsReadBackAsTheTable) {
    int32_t elevation = 7, rate = 7;
    CpuUsageFromPosition(0, &elevation, &rate);
    EXPECT_EQ(elevation, 0);
    EXPECT_EQ(rate, 0);
    CpuUsageFromPosition(1, &elevation, &rate);
    EXPECT_EQ(elevation, 1);
    EXPECT_EQ(rate, 0);
    CpuUsageFromPosition(2, &elevation, &rate);
    EXPECT_EQ(elevation, 1);
    EXPECT_EQ(rate, 1);
}

TEST(EffectsControlMapping, InterpolationAloneShowsMiddleAndReadsBackAsElevation) {
    Q3DSettings s;
    s.rateConversion = 1;
    EffectsControls c = ControlsFromSettings(s);
    EXPECT_EQ(c.cpuUsage, 1);
    EXPECT_FALSE(c.elevation);
    EXPECT_TRUE(c.rateConversion);
    SettingsFromControls(c, s);
    EXPECT_EQ(s.elevation, 1);
    EXPECT_EQ(s.rateConversion, 0);
}

TEST(EffectsControlMapping, TheSliderOverridesTheHiddenCheckBoxes) {
    Q3DSettings s;
    EffectsControls c;
    c.elevation = true;
    c.rateConversion = true;
    c.cpuUsage = 0;
    SettingsFromControls(c, s);
    EXPECT_EQ(s.elevation, 0);
    EXPECT_EQ(s.rateConversion, 0);
}

// ---- Controls: environment list

TEST(EffectsControlMapping, EnvironmentEntriesOfBothLists) {
    EXPECT_EQ(EnvironmentListIndex(0, -1), 0);   // "- none -"
    EXPECT_EQ(EnvironmentListIndex(0, 0), 1);    // "Generic"
    EXPECT_EQ(EnvironmentListIndex(0, 25), 26);  // "Psychotic"
    EXPECT_EQ(EnvironmentListIndex(1, 0), 27);   // "QSound 0 (Jedi Knight)"
    EXPECT_EQ(EnvironmentListIndex(1, 24), 51);  // "QSound 24 (X-Wing/Tie Fighter)"
}

TEST(EffectsControlMapping, EveryListEntryRoundTrips) {
    for (int i = 0; i < kEnvironmentEntries; ++i) {
        int32_t set = 9, index = 9;
        ASSERT_TRUE(EnvironmentFromListIndex(i, &set, &index)) << i;
        EXPECT_EQ(set, i <= 26 ? 0 : 1) << i;
        EXPECT_EQ(index, i <= 26 ? i - 1 : i - 27) << i;
        EXPECT_EQ(EnvironmentListIndex(set, index), i) << i;
    }
}

TEST(EffectsControlMapping, APairOutsideTheListsSelectsNothingAndSurvivesTheControls) {
    const int32_t pairs[][2] = {{0, 26}, {0, -2}, {1, 25}, {1, -1}, {0, INT32_MIN}, {1, INT32_MAX}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(EnvironmentListIndex(pair[0], pair[1]), -1) << pair[0] << "," << pair[1];
        Q3DSettings s;
        s.environmentSet = pair[0];
        s.environmentIndex = pair[1];
        SettingsFromControls(ControlsFromSettings(s), s);
        EXPECT_EQ(s.environmentSet, pair[0]);
        EXPECT_EQ(s.environmentIndex, pair[1]);
    }
}

TEST(EffectsControlMapping, AListWithoutSelectionLeavesTheEnvironmentAlone) {
    int32_t set = 1, index = 3;
    EXPECT_FALSE(EnvironmentFromListIndex(-1, &set, &index));
    EXPECT_FALSE(EnvironmentFromListIndex(kEnvironmentEntries, &set, &index));
    EXPECT_EQ(set, 1);
    EXPECT_EQ(index, 3);
}

// ---- Controls: spread and center

TEST(EffectsControlMapping, SliderPositionsRoundToNearest) {
    EXPECT_EQ(SliderPosition(0.0f), 0);
    EXPECT_EQ(SliderPosition(0.0004f), 0);
    EXPECT_EQ(SliderPosition(0.0005f), 1);
    EXPECT_EQ(SliderPosition(0.5f), 500);
    EXPECT_EQ(SliderPosition(0.2996f), 300);
    EXPECT_EQ(SliderPosition(1.0f), 1000);
}

TEST(EffectsControlMapping, SliderPositionsOfValuesOutOfRangeLandOnTheEnds) {
    EXPECT_EQ(SliderPosition(-0.3f), 0);
    EXPECT_EQ(SliderPosition(1.7f), 1000);
    EXPECT_EQ(SliderPosition(1e30f), 1000);
    EXPECT_EQ(SliderPosition(-1e30f), 0);
    EXPECT_EQ(SliderPosition(std::numeric_limits<float>::infinity()), 1000);
    EXPECT_EQ(SliderPosition(-std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(SliderPosition(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(EffectsControlMapping, SliderValuesAreTheSinglePrecisionProduct) {
    EXPECT_EQ(SliderValue(0), 0.0f);
    EXPECT_EQ(SliderValue(500), 0.5f);
    EXPECT_EQ(SliderValue(1000), 1.0f);
    volatile float step = 0.001f;
    for (int p = 0; p <= kSliderMax; ++p) {
        volatile float position = static_cast<float>(p);
        float expected = position * step;
        ASSERT_EQ(SliderValue(p), expected) << p;
        ASSERT_EQ(SliderPosition(SliderValue(p)), p) << p;
    }
}

TEST(EffectsControlMapping, TinySpreadShowsAsZeroAndReadsBackAsZero) {
    Q3DSettings s;
    s.spread = 0.0004f;
    s.center = 0.0004f;
    EffectsControls c = ControlsFromSettings(s);
    EXPECT_EQ(c.spread, 0);
    SettingsFromControls(c, s);
    EXPECT_EQ(s.spread, 0.0f);
    EXPECT_EQ(s.center, 0.0f);
}

// ---- Controls: the whole record

TEST(EffectsControlMapping, DefaultsShowQSoundNoneLowAndEverythingClear) {
    EffectsControls c = ControlsFromSettings(Q3DSettings{});
    EXPECT_TRUE(c.qsound);
    EXPECT_FALSE(c.elevation || c.reverb || c.bassBoost || c.rateConversion || c.splash || c.stereoExpand);
    EXPECT_EQ(c.environment, 0);
    EXPECT_EQ(c.cpuUsage, 0);
    EXPECT_EQ(c.spread, 0);
    EXPECT_EQ(c.center, 0);
}

TEST(EffectsControlMapping, EachFlagShowsAndReadsBackThroughItsOwnControl) {
    Q3DSettings s;
    s.qsoundEnabled = 0;
    s.reverb = 2;  // a driver's nonzero that is not 1 still shows as checked and reads back as 1
    s.bassBoost = 1;
    s.splashEnabled = 1;
    s.stereoExpand = 1;
    s.spread = 0.3f;
    s.center = 0.6f;
    EffectsControls c = ControlsFromSettings(s);
    EXPECT_FALSE(c.qsound);
    EXPECT_TRUE(c.reverb);
    EXPECT_TRUE(c.bassBoost);
    EXPECT_TRUE(c.splash);
    EXPECT_TRUE(c.stereoExpand);
    EXPECT_EQ(c.spread, 300);
    EXPECT_EQ(c.center, 600);

    Q3DSettings back;
    SettingsFromControls(c, back);
    EXPECT_EQ(back.qsoundEnabled, 0);
    EXPECT_EQ(back.reverb, 1);
    EXPECT_EQ(back.bassBoost, 1);
    EXPECT_EQ(back.splashEnabled, 1);
    EXPECT_EQ(back.stereoExpand, 1);
    EXPECT_EQ(back.spread, 0.3f);
    EXPECT_EQ(back.center, 0.6f);
}

TEST(EffectsControlMapping, ReadingTheControlsKeepsTheMaximumPanAndProperty2) {
    Q3DSettings s;
    s.maxPanEnabled = 1;
    s.maxPan = 640;
    s.property2 = 42;
    SettingsFromControls(EffectsControls{}, s);
    EXPECT_EQ(s.maxPanEnabled, 1);
    EXPECT_EQ(s.maxPan, 640);
    EXPECT_EQ(s.property2, 42);
}

}  // namespace
}  // namespace zv
