#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_library.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_sound.h"
#include "pages/general/speaker_option.h"
#include "res/resource.h"

namespace zv {
namespace {

using test::FakeLibraryLoader;
using test::FakePci;
using test::FakeProfile;
using test::FakeRegistry;
using test::FakeSoundSystem;
using test::kDsErrNoDriver;

constexpr RegKey kHklm = kHkeyLocalMachine;
const std::string kDeviceKey = "Enum\\PCI\\VEN_1A2B&DEV_0930";
const std::string kConfig = "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0002\\Config";
const std::string kDesc = "Zolvane ZV930 PCI Audio";

struct RecordingDebug : DebugOutput {
    void Write(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class SpeakerOptionTest : public ::testing::Test {
protected:
    SpeakerOptionTest() {
        profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, "VEN_1A2B&DEV_0930");
        profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, kDesc);
        registry.SetString(kHklm, kDeviceKey + "\\BUS_00&DEV_02&FUNC_00", "Driver", "MEDIA\\0002");
        registry.SetString(kHklm, "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0002", "DriverDesc",
                           kDesc + " Driver");
        registry.AddKey(kHklm, kConfig);
        libraries.AddHelperLibrary();
    }

    void TearDown() override {
        EXPECT_EQ(registry.OpenHandles(), 0) << "a registry key was left open";
        EXPECT_EQ(sound.Live(), 0) << "a DirectSound object was not released";
        EXPECT_EQ(libraries.LoadedNow(), 0) << "the helper library was not freed";
        EXPECT_EQ(libraries.BadFrees(), 0);
        EXPECT_EQ(libraries.CallsWhileUnloaded(), 0);
    }

    void Driver(int speakers, int maxSpeakers, int stereoX2) {
        if (speakers >= 0) registry.SetBinary(kHklm, kConfig, "Speakers", {uint8_t(speakers)});
        if (maxSpeakers >= 0) registry.SetBinary(kHklm, kConfig, "MaxSpeakers", {uint8_t(maxSpeakers)});
        if (stereoX2 >= 0) registry.SetBinary(kHklm, kConfig, "StereoX2", {uint8_t(stereoX2)});
    }
    // The card's driver stays installed but no longer answers to the description.
    void HideDriver() {
        registry.SetString(kHklm, "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0002", "DriverDesc", "Other");
    }
    std::vector<uint8_t> Stored(const std::string& path, const std::string& name) {
        const FakeRegistry::Value* value = registry.Find(kHklm, path, name);
        return value ? value->data : std::vector<uint8_t>{};
    }
    std::vector<uint8_t> Speakers() { return Stored(kConfig, "Speakers"); }
    std::vector<uint8_t> SpeakerConfig() { return Stored(kQ3DClassKey, kSpeakerConfigValue); }
    void Choose(int id) {
        SpeakerChecks checks;
        checks.two = id == IDC_SPEAKERS_2;
        checks.stereoX2 = id == IDC_SPEAKERS_STEREO_X2;
        checks.four = id == IDC_SPEAKERS_4;
        checks.six = id == IDC_SPEAKERS_6;
        option.ReadControls(checks);
    }

    WindowHandle owner = reinterpret_cast<WindowHandle>(0x5150);
    FakeRegistry registry;
    FakeProfile profile;
    FakePci pci;
    DriverConfig driver{registry, profile, pci};
    FakeLibraryLoader libraries;
    FakeSoundSystem sound;
    RecordingDebug debug;
    SpeakerOption option{registry, driver, libraries, sound, debug};
};

// ---- Which choices are offered and checked

TEST_F(SpeakerOptionTest, TwoSpeakerDriverWithoutStereoX2OffersOnlyTwoSpeakers) {
    Driver(2, 2, 0);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_2));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_STEREO_X2));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_4));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_6));
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_2);
}

TEST_F(SpeakerOptionTest, FourSpeakerDriverHoldingSixChecksTwo) {
    Driver(6, 4, 1);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_STEREO_X2));
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_4));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_6));
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_2);
    EXPECT_EQ(option.AppliedSpeakerType, 6);
}

TEST_F(SpeakerOptionTest, StoredStereoX2IsCheckedEvenWhenNotOffered) {
    Driver(3, 4, 0);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_STEREO_X2));
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_STEREO_X2);
}

TEST_F(SpeakerOptionTest, SixSpeakerDriverChecksTheStoredArrangement) {
    Driver(6, 6, 1);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_STEREO_X2) && b.Enabled(IDC_SPEAKERS_4) && b.Enabled(IDC_SPEAKERS_6));
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_6);

    Driver(4, 6, 1);
    EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_4);
    Driver(3, 6, 1);
    EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_STEREO_X2);
}

TEST_F(SpeakerOptionTest, ArrangementBeyondTheMaximumFallsBackToTwo) {
    Driver(4, 2, 1);
    EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_2);
    Driver(3, 2, 1);
    EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_2);
}

TEST_F(SpeakerOptionTest, ArrangementsWithoutAButtonCheckTwo) {
    for (int code : {1, 5, 7}) {
        Driver(code, 6, 1);
        EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_2) << code;
        EXPECT_EQ(option.ShownSpeakerType, code);
    }
}

TEST_F(SpeakerOptionTest, UnusualMaximumLeavesFourAndSixEnabled) {
    Driver(2, 5, 0);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_4));
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_6));
}

TEST_F(SpeakerOptionTest, MissingMaximumMeansTwoSpeakers) {
    Driver(2, -1, 1);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_4));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_6));
}

TEST_F(SpeakerOptionTest, UnconfiguredDriverChecksTwoAndApplyWritesTwo) {
    Driver(0, 6, 1);
    option.LoadSettings();
    SpeakerButtons b = option.ShowSettings();
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_2);
    EXPECT_EQ(option.ShownSpeakerType, 0);
    EXPECT_EQ(option.AppliedSpeakerType, 0);

    Choose(IDC_SPEAKERS_2);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{2});
    EXPECT_EQ(libraries.Dll32Calls(), std::vector<int32_t>{108});
}

TEST_F(SpeakerOptionTest, WithoutDriverTheCurrentArrangementLimitsTheChoices) {
    Driver(6, 6, 1);
    option.ShowSettings();
    ASSERT_EQ(option.AppliedSpeakerType, 6);

    HideDriver();
    Choose(IDC_SPEAKERS_4);
    SpeakerButtons b = option.ShowSettings();
    EXPECT_EQ(option.speakerType, 4);
    EXPECT_EQ(option.AppliedSpeakerType, 6);
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_STEREO_X2)) << "the last capabilities read stands";
    EXPECT_TRUE(b.Enabled(IDC_SPEAKERS_4));
    EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_6));
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_2);
    EXPECT_EQ(option.ShownSpeakerType, 4);
}

// ---- Loading and reading the controls

TEST_F(SpeakerOptionTest, LoadFollowsTheDriverButLeavesTheAppliedArrangement) {
    Driver(4, 6, 1);
    option.LoadSettings();
    EXPECT_EQ(option.speakerType, 4);
    EXPECT_EQ(option.ShownSpeakerType, 4);
    EXPECT_EQ(option.AppliedSpeakerType, 0);
    EXPECT_EQ(profile.LastBufferSize(kCfgDescription, kCfgDriverDesc), kDriverDescSizeGeneral);
}

TEST_F(SpeakerOptionTest, LoadWithoutDriverKeepsTheArrangement) {
    HideDriver();
    Choose(IDC_SPEAKERS_6);
    option.LoadSettings();
    EXPECT_EQ(option.speakerType, 6);
    EXPECT_EQ(option.ShownSpeakerType, 6);
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(SpeakerOptionTest, DriverReadsReplaceOnlyTheLowByte) {
    Driver(3, 6, 1);
    option.speakerType = 0x0104;
    option.LoadSettings();
    EXPECT_EQ(option.speakerType, 0x0103);
}

TEST_F(SpeakerOptionTest, CheckedButtonsMapToArrangements) {
    Choose(IDC_SPEAKERS_STEREO_X2);
    EXPECT_EQ(option.speakerType, 3);
    Choose(IDC_SPEAKERS_4);
    EXPECT_EQ(option.speakerType, 4);
    Choose(IDC_SPEAKERS_6);
    EXPECT_EQ(option.speakerType, 6);
    Choose(IDC_SPEAKERS_2);
    EXPECT_EQ(option.speakerType, 2);
    option.speakerType = 6;
    option.ReadControls(SpeakerChecks{});
    EXPECT_EQ(option.speakerType, 2) << "nothing checked means two speakers";
    EXPECT_EQ(option.ShownSpeakerType, 0) << "the pictures change only when the choice is read back";
}

TEST_F(SpeakerOptionTest, FirstCheckedButtonInOrderWins) {
    option.ReadControls(SpeakerChecks{false, true, true, true});
    EXPECT_EQ(option.speakerType, 3);
    option.ReadControls(SpeakerChecks{false, false, true, true});
    EXPECT_EQ(option.speakerType, 4);
}

// ---- Applying

TEST_F(SpeakerOptionTest, UnchangedChoiceWritesNothing) {
    Driver(4, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_4);
    option.ApplySettings(owner);
    EXPECT_EQ(registry.Writes(), 0);
    EXPECT_TRUE(libraries.LoadAttempts().empty());
    EXPECT_TRUE(sound.CreateCalls().empty());
}

TEST_F(SpeakerOptionTest, StereoX2WritesThreeAndStereoConfiguration) {
    Driver(2, 4, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_STEREO_X2);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{3});
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{4, 0, 0, 0}));
    EXPECT_EQ(sound.SpeakerConfigCalls(), std::vector<uint32_t>{kDsSpeakerStereo});
    EXPECT_EQ(libraries.Dll32Calls(), std::vector<int32_t>{108});
    EXPECT_EQ(libraries.LoadAttempts(), std::vector<std::string>{"ZVDLL32.DLL"});
    EXPECT_EQ(libraries.Frees(), 1);
    ASSERT_EQ(sound.CooperativeCalls().size(), 1u);
    EXPECT_EQ(sound.CooperativeCalls()[0].window, owner);
    EXPECT_EQ(sound.CooperativeCalls()[0].level, kDsSclNormal);
    EXPECT_TRUE(sound.CreateWasDefault().at(0));
    EXPECT_TRUE(debug.lines.empty());
}

TEST_F(SpeakerOptionTest, SixSpeakersWriteSixAndQuadConfiguration) {
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_6);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{6});
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(sound.Default().appliedSpeakerConfig, kDsSpeakerQuad);
    EXPECT_EQ(registry.Find(kHklm, kQ3DClassKey, kSpeakerConfigValue)->type, kRegBinary);
}

TEST_F(SpeakerOptionTest, FourSpeakersAreQuadAndTwoAreStereo) {
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_4);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{4});
    EXPECT_EQ(sound.Default().appliedSpeakerConfig, kDsSpeakerQuad);

    option.ShowSettings();
    Choose(IDC_SPEAKERS_2);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{2});
    EXPECT_EQ(sound.Default().appliedSpeakerConfig, kDsSpeakerStereo);
    EXPECT_EQ(libraries.Dll32Calls(), (std::vector<int32_t>{108, 108}));
}

TEST_F(SpeakerOptionTest, ApplyLeavesTheAppliedArrangementToTheNextShowing) {
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_6);
    option.ApplySettings(owner);
    EXPECT_EQ(option.AppliedSpeakerType, 2);
    option.LoadSettings();
    EXPECT_EQ(option.ShownSpeakerType, 6);
    EXPECT_EQ(option.ShowSettings().checkedId, IDC_SPEAKERS_6);
    EXPECT_EQ(option.AppliedSpeakerType, 6);
}

TEST_F(SpeakerOptionTest, EmptyDescriptionSkipsTheRegistryButNotDirectSound) {
    Driver(2, 6, 1);
    option.ShowSettings();
    profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, "");
    Choose(IDC_SPEAKERS_4);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{2});
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(libraries.Dll32Calls(), std::vector<int32_t>{108});
}

// Without a description the lookup would take whichever driver comes first (here an IDE controller's, or
// the card's): showing and loading the page then read and write no driver key, as if none were found.
TEST_F(SpeakerOptionTest, WithoutADescriptionNoDriverIsReadOrWritten) {
    const std::string ide = "System\\CurrentControlSet\\Services\\Class\\HDC\\0000";
    registry.SetString(kHklm, "Enum\\PCI\\VEN_1000&DEV_0001\\BUS_00&DEV_01&FUNC_00", "Driver", "HDC\\0000");
    registry.SetString(kHklm, ide, "DriverDesc", "Standard IDE controller");
    registry.AddKey(kHklm, ide + "\\Config");
    Driver(-1, 6, 1);
    const struct {
        const char* name;
        bool withFile;
        const char* description;  // null: no such key
    } cases[] = {{"no SOUNDCFG.INI", false, nullptr}, {"no DRIVERDESC", true, nullptr}, {"empty DRIVERDESC", true, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        profile.RemoveFile(kSoundCfgFile);
        if (c.withFile) profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, "VEN_1A2B&DEV_0930");
        if (c.description) profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, c.description);
        Choose(IDC_SPEAKERS_4);
        const int writes = registry.Writes();
        option.LoadSettings();
        SpeakerButtons b = option.ShowSettings();
        EXPECT_EQ(registry.Writes(), writes);
        EXPECT_TRUE(Speakers().empty());
        EXPECT_EQ(registry.Find(kHklm, ide + "\\Config", "Speakers"), nullptr);
        EXPECT_EQ(option.speakerType, 4);
        EXPECT_EQ(option.ShownSpeakerType, 4);
        EXPECT_EQ(option.AppliedSpeakerType, 0);
        EXPECT_FALSE(b.Enabled(IDC_SPEAKERS_6)) << "the current arrangement stands in for the maximum";
        EXPECT_EQ(b.checkedId, IDC_SPEAKERS_2);
    }
}

TEST_F(SpeakerOptionTest, DriverNotFoundStillSetsDirectSoundAndTellsTheLibrary) {
    HideDriver();
    Choose(IDC_SPEAKERS_6);
    option.ApplySettings(owner);
    EXPECT_TRUE(Speakers().empty());
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(libraries.Dll32Calls(), std::vector<int32_t>{108});
}

TEST_F(SpeakerOptionTest, MissingLibraryStopsAfterTheDriverValue) {
    libraries.RemoveLibrary("ZVDLL32.DLL");
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_6);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{6});
    EXPECT_TRUE(SpeakerConfig().empty());
    EXPECT_TRUE(sound.CreateCalls().empty());
    EXPECT_EQ(libraries.Loads(), 0);
}

TEST_F(SpeakerOptionTest, MissingExportChangesNoDirectSoundAndFreesTheLibrary) {
    libraries.RemoveExport("ZVDLL32.DLL", "DLL32Call");
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_STEREO_X2);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{3});
    EXPECT_TRUE(SpeakerConfig().empty());
    EXPECT_TRUE(sound.CreateCalls().empty());
    EXPECT_TRUE(libraries.Dll32Calls().empty());
    EXPECT_EQ(libraries.Loads(), 1);
    EXPECT_EQ(libraries.Frees(), 1);
}

TEST_F(SpeakerOptionTest, ArrangementsWithoutConfigurationOnlySendTheCommand) {
    option.speakerType = 5;
    option.ApplySettings(owner);
    EXPECT_TRUE(sound.CreateCalls().empty());
    EXPECT_TRUE(SpeakerConfig().empty());
    EXPECT_EQ(libraries.Dll32Calls(), std::vector<int32_t>{108});
}

TEST_F(SpeakerOptionTest, HeadphoneArrangementSetsHeadphoneConfiguration) {
    option.speakerType = 1;
    option.ApplySettings(owner);
    EXPECT_EQ(sound.SpeakerConfigCalls(), std::vector<uint32_t>{kDsSpeakerHeadphone});
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(SpeakerOptionTest, ChoiceMadeBeforeATabSwitchIsAppliedAndShowingAgainDiscardsIt) {
    Driver(2, 6, 1);
    option.ShowSettings();
    Choose(IDC_SPEAKERS_4);  // the page window is destroyed by the tab switch
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{4});

    option.ShowSettings();
    Choose(IDC_SPEAKERS_6);
    SpeakerButtons b = option.ShowSettings();  // back on the General tab
    EXPECT_EQ(b.checkedId, IDC_SPEAKERS_4);
    Choose(b.checkedId);
    option.ApplySettings(owner);
    EXPECT_EQ(Speakers(), std::vector<uint8_t>{4});
    EXPECT_EQ(libraries.Dll32Calls().size(), 1u);
}

// ---- DirectSound speaker configuration

class ApplySpeakerConfigTest : public SpeakerOptionTest {
protected:
    HResult Apply(uint32_t n) { return ApplySpeakerConfig(n, owner, registry, sound, debug); }
};

TEST_F(ApplySpeakerConfigTest, ArrangementsMapToDirectSoundConfigurations) {
    const std::vector<std::pair<uint32_t, uint32_t>> cases = {
        {1, kDsSpeakerHeadphone}, {2, kDsSpeakerStereo}, {3, kDsSpeakerStereo}, {4, kDsSpeakerQuad},
        {6, kDsSpeakerQuad},      {0, kDsSpeakerStereo}, {5, kDsSpeakerStereo}};
    for (const auto& [n, config] : cases) {
        EXPECT_EQ(Apply(n), kOk);
        EXPECT_EQ(sound.SpeakerConfigCalls().back(), config) << n;
        EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{uint8_t(config), 0, 0, 0})) << n;
    }
}

TEST_F(ApplySpeakerConfigTest, CreateFailureIsReportedAfterTheValueIsWritten) {
    sound.Default().create = kDsErrNoDriver;
    EXPECT_EQ(Apply(4), kDsErrNoDriver);
    EXPECT_EQ(debug.lines, std::vector<std::string>{"DirectSoundCreate error"});
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{3, 0, 0, 0}));
}

TEST_F(ApplySpeakerConfigTest, CooperativeLevelFailureReleasesTheObject) {
    sound.Default().cooperativeLevel = kFail;
    EXPECT_EQ(Apply(2), kFail);
    EXPECT_EQ(debug.lines, std::vector<std::string>{"SetCooperativeLevel error"});
    EXPECT_TRUE(sound.SpeakerConfigCalls().empty());
}

TEST_F(ApplySpeakerConfigTest, SpeakerConfigFailureIsReturnedQuietly) {
    sound.Default().speakerConfig = kNotImplemented;
    EXPECT_EQ(Apply(6), kNotImplemented);
    EXPECT_TRUE(debug.lines.empty());
}

TEST_F(ApplySpeakerConfigTest, UncreatableQ3DKeyStillSetsDirectSound) {
    registry.DenyOpen(kHklm, kQ3DClassKey);
    EXPECT_EQ(Apply(4), kOk);
    EXPECT_TRUE(SpeakerConfig().empty());
    EXPECT_EQ(sound.Default().appliedSpeakerConfig, kDsSpeakerQuad);
}

TEST_F(ApplySpeakerConfigTest, ReplacesAValueOfAnotherType) {
    registry.SetDword(kHklm, kQ3DClassKey, kSpeakerConfigValue, 7);
    registry.SetString(kHklm, kQ3DClassKey, "Other", "kept");
    Apply(2);
    EXPECT_EQ(registry.Find(kHklm, kQ3DClassKey, kSpeakerConfigValue)->type, kRegBinary);
    EXPECT_EQ(SpeakerConfig(), (std::vector<uint8_t>{4, 0, 0, 0}));
    EXPECT_NE(registry.Find(kHklm, kQ3DClassKey, "Other"), nullptr);
}

}  // namespace
}  // namespace zv
