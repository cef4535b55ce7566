#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "mixer/mixer_access.h"
#include "model/card_mixer.h"

namespace zv {
namespace {

using sim::CardMixer;
using sim::MixerCall;
using U = std::vector<uint32_t>;

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1234);

// ---- Choosing the device

class ChooseMixerDeviceTest : public ::testing::Test {
protected:
    static constexpr uint16_t kCardId = 0x00A7;

    ChooseMixerDeviceTest() {
        const std::string desc = "Zolvane ZV930 PCI Audio";
        profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, "VEN_1A2B&DEV_0930");
        profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, desc);
        registry.SetString(kHkeyLocalMachine, "Enum\\PCI\\VEN_1A2B&DEV_0930\\BUS_00&DEV_05&FUNC_00", "Driver",
                           "MEDIA\\0002");
        registry.SetString(kHkeyLocalMachine, kClass, "DriverDesc", desc);
        registry.SetBinary(kHkeyLocalMachine, kClass + "\\Config", "ManufactureID", {kCardId & 0xFF, kCardId >> 8});
        pci.AddDevice(0x1A2B, 0x0930, 0, 5);
    }
    void BreakLookup() { registry.SetString(kHkeyLocalMachine, kClass, "DriverDesc", "Some Other Card"); }

    const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0002";
    test::FakeRegistry registry;
    test::FakeProfile profile;
    test::FakePci pci;
    DriverConfig config{registry, profile, pci};
    CardMixer mixer;
};

TEST_F(ChooseMixerDeviceTest, TakesTheLowestDeviceWithTheCardsManufacturerId) {
    mixer.AddDevice(0x0001, "Onboard");
    mixer.AddDevice(kCardId, "First");
    mixer.AddDevice(kCardId, "Second");
    EXPECT_EQ(ChooseMixerDevice(mixer, config), 1u);
    EXPECT_EQ(profile.LastBufferSize(kCfgDescription, kCfgDriverDesc), 60u);
}

TEST_F(ChooseMixerDeviceTest, PassesOverADeviceWhoseCapabilitiesFail) {
    mixer.AddDevice(kCardId, "Broken");
    mixer.AddDevice(kCardId, "Working");
    mixer.FailCall(MixerCall::kGetDevCaps, kMmSysErrNoDriver, 0);
    EXPECT_EQ(ChooseMixerDevice(mixer, config), 1u);
}

TEST_F(ChooseMixerDeviceTest, FailedLookupTakesTheFirstDeviceWithoutAnId) {
    BreakLookup();
    mixer.AddDevice(kCardId, "Card");
    mixer.AddDevice(0x0000, "Anonymous");
    mixer.AddDevice(0x0000, "Anonymous too");
    EXPECT_EQ(ChooseMixerDevice(mixer, config), 1u);
}

TEST_F(ChooseMixerDeviceTest, FallsBackToDeviceZero) {
    BreakLookup();
    mixer.AddDevice(0x0011, "One");
    mixer.AddDevice(0x0022, "Two");
    EXPECT_EQ(ChooseMixerDevice(mixer, config), 0u);

    CardMixer empty;
    EXPECT_EQ(ChooseMixerDevice(empty, config), 0u);
}

// ---- Opening and closing

TEST(OpenMixerTest, OpensWithChangeMessagesToTheWindow) {
    CardMixer mixer;
    const uint32_t device = mixer.AddCard();
    std::vector<WindowHandle> notified;
    mixer.SetNotifier([&](WindowHandle window, uintptr_t, uint32_t) { notified.push_back(window); });

    const MixerHandle handle = OpenMixer(mixer, kWindow, device);
    ASSERT_NE(handle, 0u);
    mixer.ChangeValues(device, mixer.FindControl(device, sim::kWaveOutLine, kMixerControlVolume), {1, 2});
    EXPECT_EQ(notified, std::vector<WindowHandle>{kWindow});

    EXPECT_EQ(CloseMixer(mixer, kWindow, handle), kMmSysErrNoError);
    EXPECT_EQ(mixer.OpenHandles(), 0u);
}

TEST(OpenMixerTest, NoDeviceGivesNoHandleAndIsNotOpened) {
    CardMixer mixer;
    EXPECT_EQ(OpenMixer(mixer, kWindow, 0), 0u);
    EXPECT_EQ(mixer.Calls(MixerCall::kOpen), 0u);

    mixer.AddCard();
    mixer.FailCall(MixerCall::kOpen, kMmSysErrNoMem);
    EXPECT_EQ(OpenMixer(mixer, kWindow, 0), 0u);
}

TEST(OpenMixerTest, ClosingANullHandleStillCallsTheMixer) {
    CardMixer mixer;
    EXPECT_NE(CloseMixer(mixer, kWindow, 0), kMmSysErrNoError);
    EXPECT_EQ(mixer.Calls(MixerCall::kClose), 1u);
}

// ---- Finding lines

class FindMixerLineTest : public ::testing::Test {
protected:
    void Open(uint32_t device) {
        handle = OpenMixer(mixer, kWindow, device);
        ASSERT_NE(handle, 0u);
    }
    bool Find(uint32_t type, uint32_t destination, uint32_t lineId = 0) {
        return FindMixerLine(mixer, handle, record, type, destination, lineId);
    }

    CardMixer mixer;
    MixerHandle handle = 0;
    MixerLineRecord record;
};

TEST_F(FindMixerLineTest, DestinationItselfIsFoundWithoutLookingAtSources) {
    const uint32_t device = mixer.AddDevice(1, "Mixer");
    mixer.AddDestination(device, kMixerDstWaveIn, 0x0, "Recording", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x1, "Master", 2);
    mixer.AddSource(device, 0x1, kMixerSrcWaveOut, 0x10001, "Wave", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x2, "Second master", 2);
    Open(device);

    ASSERT_TRUE(Find(kMixerDstSpeakers, kMixerDstSpeakers));
    EXPECT_EQ(record.line.dwLineID, 0x1u);
    EXPECT_STREQ(record.line.szName, "Master");
    EXPECT_EQ(mixer.Calls(MixerCall::kGetLineInfo), 2u);
}

TEST_F(FindMixerLineTest, AnalogSourceBeforeWaveOutIsPassedOver) {
    Open(mixer.AddCard());
    ASSERT_TRUE(Find(kMixerSrcAnalog, kMixerDstSpeakers));
    EXPECT_EQ(record.line.dwLineID, sim::kLineInLine);
    EXPECT_STREQ(record.line.szName, "Line In");
}

TEST_F(FindMixerLineTest, AnalogSourceMustFollowTheLatestWaveOut) {
    const uint32_t device = mixer.AddDevice(1, "Mixer");
    mixer.AddDestination(device, kMixerDstSpeakers, 0x0, "Master", 2);
    mixer.AddSource(device, 0x0, kMixerSrcWaveOut, 0x100, "Wave A", 2);
    mixer.AddSource(device, 0x0, kMixerSrcWaveOut, 0x400, "Wave B", 2);
    mixer.AddSource(device, 0x0, kMixerSrcAnalog, 0x300, "Below B", 2);
    mixer.AddSource(device, 0x0, kMixerSrcAnalog, 0x500, "Above B", 2);
    Open(device);
    ASSERT_TRUE(Find(kMixerSrcAnalog, kMixerDstSpeakers));
    EXPECT_EQ(record.line.dwLineID, 0x500u);
}

TEST_F(FindMixerLineTest, NoAnalogSourceAfterWaveOutFindsNothing) {
    const uint32_t device = mixer.AddCard();
    mixer.RemoveLine(device, sim::kLineInLine);
    Open(device);
    EXPECT_FALSE(Find(kMixerSrcAnalog, kMixerDstSpeakers));
    EXPECT_TRUE(Find(kMixerSrcSynthesizer, kMixerDstSpeakers));
}

TEST_F(FindMixerLineTest, RecordingSourcesMatchTheirLineIdExactly) {
    Open(mixer.AddCard());
    ASSERT_TRUE(Find(kMixerSrcAnalog, kMixerDstWaveIn, 0));
    EXPECT_EQ(record.line.dwLineID, sim::kRecordLineInLine) << "id 0 takes the first of the type";
    ASSERT_TRUE(Find(kMixerSrcAnalog, kMixerDstWaveIn, sim::kRecordMixLine));
    EXPECT_EQ(record.line.dwLineID, sim::kRecordMixLine);
    EXPECT_FALSE(Find(kMixerSrcAnalog, kMixerDstWaveIn, 0x00030001)) << "that id is the microphone";
}

TEST_F(FindMixerLineTest, DestinationsAreSearchedInOrderAndTheFirstMatchWins) {
    const uint32_t device = mixer.AddDevice(1, "Mixer");
    mixer.AddDestination(device, kMixerDstWaveIn, 0x0, "Recording", 2);
    mixer.AddSource(device, 0x0, kMixerSrcCompactDisc, 0x10000, "Recorded CD", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x1, "Front", 2);
    mixer.AddSource(device, 0x1, kMixerSrcWaveOut, 0x10001, "Wave", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x2, "Rear", 2);
    mixer.AddSource(device, 0x2, kMixerSrcCompactDisc, 0x10002, "Rear CD", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x3, "Side", 2);
    mixer.AddSource(device, 0x3, kMixerSrcCompactDisc, 0x10003, "Side CD", 2);
    Open(device);
    ASSERT_TRUE(Find(kMixerSrcCompactDisc, kMixerDstSpeakers));
    EXPECT_EQ(record.line.dwLineID, 0x10002u);
}

TEST_F(FindMixerLineTest, AFailedLineQueryEndsTheSearch) {
    const uint32_t device = mixer.AddDevice(1, "Mixer");
    mixer.AddDestination(device, kMixerDstSpeakers, 0x0, "Front", 2);
    mixer.AddSource(device, 0x0, kMixerSrcWaveOut, 0x10000, "Wave", 2);
    mixer.AddSource(device, 0x0, kMixerSrcSynthesizer, 0x20000, "Synth", 2);
    mixer.AddDestination(device, kMixerDstSpeakers, 0x1, "Rear", 2);
    mixer.AddSource(device, 0x1, kMixerSrcCompactDisc, 0x10001, "CD", 2);
    Open(device);
    mixer.FailCall(MixerCall::kGetLineInfo, kMmSysErrError, 0x20000);
    EXPECT_FALSE(Find(kMixerSrcCompactDisc, kMixerDstSpeakers));

    mixer.ClearFailures();
    mixer.FailCall(MixerCall::kGetLineInfo, kMmSysErrError, 0x1);
    EXPECT_FALSE(Find(kMixerSrcCompactDisc, kMixerDstSpeakers));
    EXPECT_TRUE(Find(kMixerSrcWaveOut, kMixerDstSpeakers));
}

TEST_F(FindMixerLineTest, CapabilitiesFailingFindsNothing) {
    Open(mixer.AddCard());
    mixer.FailCall(MixerCall::kGetDevCaps, kMmSysErrError);
    EXPECT_FALSE(Find(kMixerDstSpeakers, kMixerDstSpeakers));
    EXPECT_EQ(mixer.Calls(MixerCall::kGetLineInfo), 0u);
}

// ---- Controls, levels and switches

class LineValuesTest : public ::testing::Test {
protected:
    LineValuesTest() : device(mixer.AddCard()) { handle = OpenMixer(mixer, kWindow, device); }

    MixerLineRecord Line(uint32_t type, uint32_t destination, uint32_t lineId = 0) {
        MixerLineRecord record;
        EXPECT_TRUE(FindMixerLine(mixer, handle, record, type, destination, lineId));
        EXPECT_TRUE(GetLineControls(mixer, handle, record));
        return record;
    }
    uint32_t Control(uint32_t line, uint32_t type) { return mixer.FindControl(device, line, type); }

    CardMixer mixer;
    uint32_t device;
    MixerHandle handle = 0;
};

TEST_F(LineValuesTest, ReadsAndWritesBothLevelsOfAStereoLine) {
    MixerLineRecord wave = Line(kMixerSrcWaveOut, kMixerDstSpeakers);
    mixer.ChangeValues(device, Control(sim::kWaveOutLine, kMixerControlVolume), {40000, 30000});
    ASSERT_TRUE(GetLineVolume(mixer, handle, wave));
    EXPECT_EQ(wave.left, 40000u);
    EXPECT_EQ(wave.right, 30000u);

    wave.left = 100;
    wave.right = 200;
    ASSERT_TRUE(SetLineVolume(mixer, handle, wave));
    EXPECT_EQ(mixer.Values(device, Control(sim::kWaveOutLine, kMixerControlVolume)), (U{100, 200}));
}

TEST_F(LineValuesTest, MonoLineUsesTheLeftLevelOnly) {
    MixerLineRecord mic = Line(kMixerSrcMicrophone, kMixerDstSpeakers);
    mic.right = 777;
    mixer.ChangeValues(device, Control(sim::kPlaybackMicLine, kMixerControlVolume), {5000});
    ASSERT_TRUE(GetLineVolume(mixer, handle, mic));
    EXPECT_EQ(mic.left, 5000u);
    EXPECT_EQ(mic.right, 777u);

    mic.left = 9000;
    ASSERT_TRUE(SetLineVolume(mixer, handle, mic));
    EXPECT_EQ(mixer.Writes().back().values, U{9000});
}

TEST_F(LineValuesTest, FailedReadsLeaveTheRecordAsItWas) {
    MixerLineRecord wave = Line(kMixerSrcWaveOut, kMixerDstSpeakers);
    wave.left = 1;
    wave.right = 2;
    wave.switchValue = 7;
    mixer.FailCall(MixerCall::kGetControlDetails, kMmSysErrError);
    EXPECT_FALSE(GetLineVolume(mixer, handle, wave));
    EXPECT_FALSE(GetLineMute(mixer, handle, wave));
    EXPECT_EQ(wave.left, 1u);
    EXPECT_EQ(wave.right, 2u);
    EXPECT_EQ(wave.switchValue, 7u);
}

TEST_F(LineValuesTest, MuteReadsAndWritesTheSwitchValue) {
    MixerLineRecord master = Line(kMixerDstSpeakers, kMixerDstSpeakers);
    master.switchValue = 1;
    ASSERT_TRUE(SetLineMute(mixer, handle, master));
    EXPECT_EQ(mixer.Values(device, Control(sim::kSpeakersLine, kMixerControlMute)), U{1});
    mixer.ChangeValues(device, Control(sim::kSpeakersLine, kMixerControlMute), {0});
    ASSERT_TRUE(GetLineMute(mixer, handle, master));
    EXPECT_EQ(master.switchValue, 0u);
}

TEST_F(LineValuesTest, PerChannelMuteIsReadFromTheFirstAndSetOnEveryChannel) {
    const uint32_t mute = Control(sim::kWaveOutLine, kMixerControlMute);
    mixer.RemoveControl(device, mute);
    const uint32_t split = mixer.AddControl(device, sim::kWaveOutLine, kMixerControlMute, 0, "Mute");
    mixer.ChangeValues(device, split, {1, 0});
    MixerLineRecord wave = Line(kMixerSrcWaveOut, kMixerDstSpeakers);
    ASSERT_TRUE(GetLineMute(mixer, handle, wave));
    EXPECT_EQ(wave.switchValue, 1u);
    wave.switchValue = 0;
    ASSERT_TRUE(SetLineMute(mixer, handle, wave));
    EXPECT_EQ(mixer.Values(device, split), (U{0, 0}));
}

TEST_F(LineValuesTest, UniformVolumeOnAStereoLineMovesBothChannelsTogether) {
    mixer.RemoveControl(device, Control(sim::kSynthLine, kMixerControlVolume));
    mixer.RemoveControl(device, Control(sim::kSynthLine, kMixerControlMute));
    const uint32_t volume = mixer.AddControl(device, sim::kSynthLine, kMixerControlVolume, kMixerControlUniform, "V");
    mixer.ChangeValues(device, volume, {30000});
    MixerLineRecord synth = Line(kMixerSrcSynthesizer, kMixerDstSpeakers);
    ASSERT_TRUE(GetLineVolume(mixer, handle, synth));
    EXPECT_EQ(synth.left, 30000u);
    EXPECT_EQ(synth.right, 30000u);

    synth.left = 20000;  // a balance to the right
    synth.right = 40000;
    ASSERT_TRUE(SetLineVolume(mixer, handle, synth));
    EXPECT_EQ(mixer.Values(device, volume), U{40000});
}

TEST_F(LineValuesTest, ALineWithoutASecondControlHasNoMute) {
    MixerLineRecord mix = Line(kMixerSrcAnalog, kMixerDstWaveIn, sim::kRecordMixLine);
    EXPECT_FALSE(HasMuteControl(mix));
    EXPECT_TRUE(HasMuteControl(Line(kMixerSrcWaveOut, kMixerDstSpeakers)));
    mix.switchValue = 5;
    EXPECT_FALSE(GetLineMute(mixer, handle, mix));
    EXPECT_FALSE(SetLineMute(mixer, handle, mix));
    EXPECT_EQ(mix.switchValue, 5u);
    EXPECT_TRUE(mixer.Writes().empty());
}

// Each slot is taken for what it is used as only when it holds that kind of control, whatever order
// another maker's mixer lists them in; a slot holding anything else is neither read nor written.
TEST(ControlSlotTest, ASlotIsUsedOnlyWhenItHoldsItsKindOfControl) {
    const struct {
        const char* layout;
        uint32_t first, second;
        bool volume, mute;
    } cases[] = {
        {"the card's volume, mute", kMixerControlVolume, kMixerControlMute, true, true},
        {"mute, volume", kMixerControlMute, kMixerControlVolume, false, false},
        {"volume, bass", kMixerControlVolume, kMixerControlBass, true, false},
        {"generic fader, mute", kMixerControlFader, kMixerControlMute, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        CardMixer mixer;
        const uint32_t device = mixer.AddDevice(1, "Other maker");
        mixer.AddDestination(device, kMixerDstSpeakers, 0x0, "Master", 2);
        const uint32_t first = mixer.AddControl(device, 0x0, c.first, 0, "First");
        const uint32_t second = mixer.AddControl(device, 0x0, c.second, 0, "Second");
        mixer.ChangeValues(device, first, {1, 1});
        mixer.ChangeValues(device, second, {1, 1});
        const MixerHandle handle = OpenMixer(mixer, kWindow, device);
        MixerLineRecord record;
        ASSERT_TRUE(FindMixerLine(mixer, handle, record, kMixerDstSpeakers, kMixerDstSpeakers, 0));
        ASSERT_TRUE(GetLineControls(mixer, handle, record));
        mixer.ClearWrites();

        EXPECT_EQ(HasVolumeControl(record), c.volume);
        EXPECT_EQ(HasMuteControl(record), c.mute);
        EXPECT_EQ(GetLineVolume(mixer, handle, record), c.volume);
        EXPECT_EQ(GetLineMute(mixer, handle, record), c.mute);
        record.left = record.right = 30000;
        record.switchValue = 0;
        EXPECT_EQ(SetLineVolume(mixer, handle, record), c.volume);
        EXPECT_EQ(SetLineMute(mixer, handle, record), c.mute);
        EXPECT_EQ(mixer.Writes().size(), size_t{c.volume} + size_t{c.mute});
        EXPECT_EQ(mixer.Values(device, first), c.volume ? (U{30000, 30000}) : (U{1, 1}));
        EXPECT_EQ(mixer.Values(device, second), c.mute ? (U{0, 0}) : (U{1, 1}));
    }
}

// A line with more controls and channels than the record holds: everything the driver returns lands in a
// buffer of the line's size, and the record keeps what it has room for.
TEST_F(LineValuesTest, LineOfFiveControlsAndFourChannelsFitsTheRecord) {
    const uint32_t device2 = mixer.AddDevice(1, "Surround");
    mixer.AddDestination(device2, kMixerDstSpeakers, 0x0, "Master", 4);
    const uint32_t volume = mixer.AddControl(device2, 0x0, kMixerControlVolume, 0, "Volume");
    const uint32_t mute = mixer.AddControl(device2, 0x0, kMixerControlMute, 0, "Mute");
    const uint32_t third = mixer.AddControl(device2, 0x0, kMixerControlVolume, 0, "Bass");
    mixer.AddControl(device2, 0x0, kMixerControlVolume, 0, "Treble");
    mixer.AddControl(device2, 0x0, kMixerControlMute, 0, "Loudness");
    mixer.ChangeValues(device2, volume, {1000, 2000, 3000, 4000});
    mixer.ChangeValues(device2, mute, {1, 1, 0, 0});
    const MixerHandle handle2 = OpenMixer(mixer, kWindow, device2);

    MixerLineRecord record;
    record.otherLevels = {99};
    ASSERT_TRUE(FindMixerLine(mixer, handle2, record, kMixerDstSpeakers, kMixerDstSpeakers, 0));
    ASSERT_TRUE(GetLineControls(mixer, handle2, record));
    EXPECT_EQ(record.controls[0].dwControlID, volume);
    EXPECT_EQ(record.controls[1].dwControlID, mute);
    EXPECT_EQ(record.controls[2].dwControlID, third);

    ASSERT_TRUE(GetLineVolume(mixer, handle2, record));
    EXPECT_EQ(record.left, 1000u);
    EXPECT_EQ(record.right, 2000u);
    ASSERT_TRUE(GetLineMute(mixer, handle2, record));
    EXPECT_EQ(record.switchValue, 1u);

    mixer.ChangeValues(device2, volume, {1000, 2000, 3333, 4444});  // not read since
    record.left = 5;
    record.right = 6;
    ASSERT_TRUE(SetLineVolume(mixer, handle2, record));
    EXPECT_EQ(mixer.Values(device2, volume), (U{5, 6, 3000, 4000}));
}

TEST_F(LineValuesTest, WritingChannelsNeverReadTakesThemFromTheDevice) {
    mixer.SetChannels(device, sim::kLineInLine, 4);
    MixerLineRecord line = Line(kMixerSrcAnalog, kMixerDstSpeakers);
    const uint32_t volume = Control(sim::kLineInLine, kMixerControlVolume);
    mixer.ChangeValues(device, volume, {1, 2, 3, 4});
    line.left = 10;
    line.right = 20;
    ASSERT_TRUE(SetLineVolume(mixer, handle, line));
    EXPECT_EQ(mixer.Values(device, volume), (U{10, 20, 3, 4}));
}

TEST_F(LineValuesTest, ControlSlotsBeyondTheLinesControlsAreCleared) {
    MixerLineRecord record = Line(kMixerDstSpeakers, kMixerDstSpeakers);
    ASSERT_NE(record.controls[1].dwControlType, 0u);
    ASSERT_TRUE(FindMixerLine(mixer, handle, record, kMixerSrcAnalog, kMixerDstWaveIn, sim::kRecordMixLine));
    ASSERT_TRUE(GetLineControls(mixer, handle, record));
    EXPECT_EQ(record.controls[0].dwControlType, kMixerControlVolume);
    EXPECT_EQ(record.controls[1].dwControlType, 0u);
}

TEST_F(LineValuesTest, FailedControlReadKeepsThePreviousControls) {
    MixerLineRecord record = Line(kMixerSrcWaveOut, kMixerDstSpeakers);
    const uint32_t id = record.controls[0].dwControlID;
    mixer.FailCall(MixerCall::kGetLineControls, kMmSysErrError);
    EXPECT_FALSE(GetLineControls(mixer, handle, record));
    EXPECT_EQ(record.controls[0].dwControlID, id);
}

// ---- Recording source selection

class RecordSelectTest : public LineValuesTest {
protected:
    uint32_t Mux() { return Control(sim::kWaveInLine, kMixerControlMux); }
};

TEST_F(RecordSelectTest, ReadsEachSourcesState) {
    mixer.ChangeValues(device, Mux(), {0, 0, 1, 0});
    MixerLineRecord mic = Line(kMixerSrcMicrophone, kMixerDstWaveIn);
    MixerLineRecord cd = Line(kMixerSrcCompactDisc, kMixerDstWaveIn);
    MixerLineRecord mix = Line(kMixerSrcAnalog, kMixerDstWaveIn, sim::kRecordMixLine);
    cd.switchValue = 1;
    ASSERT_TRUE(GetRecordSelect(mixer, handle, mic));
    ASSERT_TRUE(GetRecordSelect(mixer, handle, cd));
    ASSERT_TRUE(GetRecordSelect(mixer, handle, mix));
    EXPECT_EQ(mic.switchValue, 1u);
    EXPECT_EQ(cd.switchValue, 0u);
    EXPECT_EQ(mix.switchValue, 0u);
}

TEST_F(RecordSelectTest, SelectingTheThirdOfFourItemsWritesOnlyThatOne) {
    mixer.ChangeValues(device, Mux(), {0, 0, 0, 1});
    MixerLineRecord mic = Line(kMixerSrcMicrophone, kMixerDstWaveIn);
    mic.switchValue = 1;
    ASSERT_TRUE(SetRecordSelect(mixer, handle, mic));
    ASSERT_EQ(mixer.Writes().size(), 1u);
    EXPECT_EQ(mixer.Writes().back().values, (U{0, 0, 1, 0}));
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(RecordSelectTest, MultiplexerMustBeAmongTheFirstThreeControls) {
    MixerLineRecord cd = Line(kMixerSrcCompactDisc, kMixerDstWaveIn);
    mixer.RemoveControl(device, Mux());
    mixer.AddControl(device, sim::kWaveInLine, kMixerControlVolume, 0, "Bass");
    mixer.AddControl(device, sim::kWaveInLine, kMixerControlVolume, 0, "Treble");
    mixer.AddControl(device, sim::kWaveInLine, kMixerControlMux, kMixerControlUniform | kMixerControlMultiple, "Src",
                     {"Line In", "Mix", "Mic", "CD"});
    cd.switchValue = 1;
    EXPECT_FALSE(GetRecordSelect(mixer, handle, cd));
    EXPECT_EQ(cd.switchValue, 1u);
    EXPECT_FALSE(SetRecordSelect(mixer, handle, cd));
    EXPECT_TRUE(mixer.Writes().empty());
}

TEST_F(RecordSelectTest, SourceNamedByNoItemFailsAndWritesNothing) {
    mixer.RenameLine(device, sim::kRecordCdLine, "Compact Disc");
    MixerLineRecord cd = Line(kMixerSrcCompactDisc, kMixerDstWaveIn);
    cd.switchValue = 1;
    EXPECT_FALSE(GetRecordSelect(mixer, handle, cd));
    EXPECT_EQ(cd.switchValue, 1u);
    EXPECT_FALSE(SetRecordSelect(mixer, handle, cd));
    EXPECT_TRUE(mixer.Writes().empty());
}

TEST_F(RecordSelectTest, ItemNamesAreMatchedWithCase) {
    mixer.RenameLine(device, sim::kRecordMicLine, "microphone");
    MixerLineRecord mic = Line(kMixerSrcMicrophone, kMixerDstWaveIn);
    EXPECT_FALSE(GetRecordSelect(mixer, handle, mic));
}

TEST_F(RecordSelectTest, FailingListOrValueReadsFail) {
    MixerLineRecord mic = Line(kMixerSrcMicrophone, kMixerDstWaveIn);
    mixer.FailCall(MixerCall::kGetControlDetails, kMmSysErrError, Mux(), 1);
    EXPECT_FALSE(GetRecordSelect(mixer, handle, mic)) << "value read fails";
    EXPECT_FALSE(GetRecordSelect(mixer, handle, mic)) << "list read fails";
    mic.switchValue = 1;
    EXPECT_FALSE(SetRecordSelect(mixer, handle, mic));
    EXPECT_TRUE(mixer.Writes().empty());
}

// A driver may report a recording destination without channels; its per-channel multiplexer still lists
// every item once for the one channel asked for.
TEST_F(RecordSelectTest, PerChannelMultiplexerOnADestinationWithoutChannelsListsEveryItem) {
    mixer.RemoveControl(device, Mux());
    mixer.AddControl(device, sim::kWaveInLine, kMixerControlMux, kMixerControlMultiple, "Src",
                     {"Line In", "Mix", "Mic", "CD"});
    ASSERT_TRUE(mixer.SetChannels(device, sim::kWaveInLine, 0));
    mixer.ChangeValues(device, Mux(), {0, 0, 0, 1});
    MixerLineRecord cd = Line(kMixerSrcCompactDisc, kMixerDstWaveIn);
    ASSERT_TRUE(GetRecordSelect(mixer, handle, cd));
    EXPECT_EQ(cd.switchValue, 1u);
}

TEST_F(RecordSelectTest, RefusedWriteIsReported) {
    MixerLineRecord cd = Line(kMixerSrcCompactDisc, kMixerDstWaveIn);
    cd.switchValue = 1;
    mixer.FailCall(MixerCall::kSetControlDetails, kMmSysErrError);
    EXPECT_FALSE(SetRecordSelect(mixer, handle, cd));
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

}  // namespace
}  // namespace zv
