#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"

namespace zv {
namespace {

using test::FakePci;
using test::FakeProfile;
using test::FakeRegistry;

constexpr RegKey kHklm = kHkeyLocalMachine;
const std::string kEnumPci = "Enum\\PCI";
const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\";
const std::string kBaseId = "VEN_1A2B&DEV_0930";
const std::string kTamarindId = "VEN_1A2B&DEV_0931";
const std::string kDesc = "Zolvane ZV930 PCI Audio";

class DriverConfigTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0) << "a registry key was left open"; }

    void SetHardwareIds() {
        profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, kBaseId);
        profile.Set(kSoundCfgFile, kCfgWin95, kCfgTamarindId, kTamarindId);
    }
    // A device key below Enum\PCI with instances, each naming its driver key.
    void AddDevice(const std::string& deviceKey,
                   const std::vector<std::pair<std::string, std::string>>& instances) {
        registry.AddKey(kHklm, kEnumPci + "\\" + deviceKey);
        for (const auto& [instance, driver] : instances) {
            std::string path = kEnumPci + "\\" + deviceKey + "\\" + instance;
            if (driver.empty()) {
                registry.AddKey(kHklm, path);
            } else {
                registry.SetString(kHklm, path, "Driver", driver);
            }
        }
    }
    void AddClass(const std::string& driver, const std::string& desc) {
        registry.SetString(kHklm, kClass + driver, "DriverDesc", desc);
        registry.AddKey(kHklm, kClass + driver + "\\Config");
    }
    std::string Config(const std::string& driver) { return kClass + driver + "\\Config"; }

    std::string FindKey(bool* found = nullptr) {
        char key[128];
        std::memset(key, 'x', sizeof key);
        bool ok = config.FindDriverKey(key);
        if (found) *found = ok;
        return ok ? std::string(key) : std::string();
    }

    FakeRegistry registry;
    FakeProfile profile;
    FakePci pci;
    DriverConfig config{registry, profile, pci};
};

// ---- SOUNDCFG.INI

TEST_F(DriverConfigTest, MissingKeysReadAsTheirDefaults) {
    char loader[kLoaderSize];
    char version[kDriverVersionSize];
    EXPECT_EQ(config.ReadSoundCfg(kCfgDescription, kCfgLoader, kCfgLoaderDefault, loader, sizeof loader), 11u);
    EXPECT_STREQ(loader, "ZVAUDIO.CPL");
    config.ReadSoundCfg(kCfgDescription, kCfgDriverVersion, "", version, sizeof version);
    EXPECT_STREQ(version, "");
}

TEST_F(DriverConfigTest, ReadsFromSoundCfgAndCutsToTheBuffer) {
    profile.Set("soundcfg.ini", "description", "driverversion", std::string(50, 'v'));
    char version[kDriverVersionSize];
    EXPECT_EQ(config.ReadSoundCfg(kCfgDescription, kCfgDriverVersion, "", version, sizeof version), 39u);
    EXPECT_EQ(std::string(version), std::string(39, 'v'));
    EXPECT_EQ(profile.Reads().back().file, "SOUNDCFG.INI");
}

// ---- Which hardware id the lookup uses

TEST_F(DriverConfigTest, WithoutChipTypeKeyTheBaseChipIdIsUsed) {
    SetHardwareIds();
    AddDevice(kTamarindId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    AddDevice(kBaseId, {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    EXPECT_EQ(FindKey(), "MEDIA\\0002");
}

TEST_F(DriverConfigTest, NonZeroChipTypeByteChoosesTamarindId) {
    SetHardwareIds();
    registry.SetBinary(kHklm, "SOFTWARE\\Zolvane\\ChipType", "device", {1});
    AddDevice(kBaseId, {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    AddDevice(kTamarindId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    EXPECT_EQ(FindKey(), "MEDIA\\0001");
    EXPECT_EQ(profile.LastBufferSize(kCfgWin95, kCfgTamarindId), kHardwareIdSize);
}

TEST_F(DriverConfigTest, ZeroChipTypeByteOfAnyTypeChoosesHardwareId) {
    SetHardwareIds();
    registry.SetRaw(kHklm, "SOFTWARE\\Zolvane\\ChipType", "device", kRegSz, {0});
    AddDevice(kTamarindId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    AddDevice(kBaseId, {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    EXPECT_EQ(FindKey(), "MEDIA\\0002");
}

TEST_F(DriverConfigTest, ChipTypeByteStoredWiderFallsBackToBaseChip) {
    SetHardwareIds();
    registry.SetDword(kHklm, "SOFTWARE\\Zolvane\\ChipType", "device", 1);
    AddDevice(kTamarindId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    AddDevice(kBaseId, {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    EXPECT_EQ(FindKey(), "MEDIA\\0002");
    EXPECT_EQ(profile.LastBufferSize(kCfgWin95, kCfgTamarindId), 0u) << "TamarindID must not be read";
}

// ---- Device key and instance choice

TEST_F(DriverConfigTest, WithoutSoundCfgTheFirstDeviceAndInstanceAreTaken) {
    AddDevice("VEN_8086&DEV_7000", {{"BUS_00&DEV_07&FUNC_00", "HDC\\0000"}, {"BUS_00&DEV_07&FUNC_01", "HDC\\0001"}});
    AddDevice(kBaseId, {{"BUS_00&DEV_0A&FUNC_00", "MEDIA\\0000"}});
    AddClass("HDC\\0000", "Standard IDE controller");
    EXPECT_EQ(FindKey(), "HDC\\0000");
    EXPECT_EQ(pci.Calls(), 0);

    // The empty description is contained in any "DriverDesc", so the read reaches the IDE controller's key;
    // it names no driver, though, and nothing is created there.
    uint8_t value = 0;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, ""));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(registry.Find(kHklm, Config("HDC\\0000"), "Speakers"), nullptr);
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(DriverConfigTest, HardwareIdWithoutVendorOrDeviceTakesTheFirstInstance) {
    profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, "ZV930");
    AddDevice("ZV930_AUDIO", {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}, {"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    EXPECT_EQ(FindKey(), "MEDIA\\0001");
    EXPECT_EQ(pci.Calls(), 0);
}

TEST_F(DriverConfigTest, InstanceAtTheCardsPciSlotIsChosen) {
    SetHardwareIds();
    pci.AddDevice(0x1A2B, 0x0930, 0, 0x0A, 3);
    AddDevice(kBaseId, {{"BUS_00&DEV_09&FUNC_00", "MEDIA\\0009"},
                        {"BUS_00&DEV_0A&FUNC_00", "MEDIA\\000A"},
                        {"BUS_00&DEV_0B&FUNC_00", "MEDIA\\000B"}});
    EXPECT_EQ(FindKey(), "MEDIA\\000A");
    EXPECT_EQ(pci.LastVendorId(), 0x1A2B);
    EXPECT_EQ(pci.LastDeviceId(), 0x0930);
}

TEST_F(DriverConfigTest, FailedPciLookupTakesTheLastInstance) {
    SetHardwareIds();
    pci.AddDevice(0x1A2B, 0x0930, 0, 0x0A);
    pci.SetServiceFails(true);
    AddDevice(kBaseId, {{"BUS_00&DEV_0A&FUNC_00", "MEDIA\\000A"},
                        {"BUS_00&DEV_FF&FUNC_00", "MEDIA\\00FF"},
                        {"BUS_00&DEV_0C&FUNC_00", "MEDIA\\000C"}});
    EXPECT_EQ(FindKey(), "MEDIA\\000C");
}

TEST_F(DriverConfigTest, UnopenableDeviceKeyIsSkipped) {
    SetHardwareIds();
    AddDevice(kBaseId + "&SUBSYS_00000001", {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    AddDevice(kBaseId + "&SUBSYS_00000002", {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    registry.DenyOpen(kHklm, kEnumPci + "\\" + kBaseId + "&SUBSYS_00000001");
    EXPECT_EQ(FindKey(), "MEDIA\\0002");
}

TEST_F(DriverConfigTest, FirstDeviceKeyThatOpensEndsTheSearchEvenWithoutInstances) {
    SetHardwareIds();
    AddDevice(kBaseId + "&SUBSYS_00000001", {});
    AddDevice(kBaseId + "&SUBSYS_00000002", {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, FirstDeviceKeyThatOpensEndsTheSearchEvenWhenItsInstanceHasNoDriver) {
    SetHardwareIds();
    AddDevice(kBaseId + "&SUBSYS_00000001", {{"BUS_00&DEV_01&FUNC_00", ""}});
    AddDevice(kBaseId + "&SUBSYS_00000002", {{"BUS_00&DEV_02&FUNC_00", "MEDIA\\0002"}});
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, UnopenableInstanceFailsTheLookup) {
    SetHardwareIds();
    AddDevice(kBaseId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    registry.DenyOpen(kHklm, kEnumPci + "\\" + kBaseId + "\\BUS_00&DEV_01&FUNC_00");
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, HardwareIdIsMatchedWithCase) {
    SetHardwareIds();
    AddDevice("ven_1a2b&dev_0930", {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\0001"}});
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, NoEnumPciKeyFindsNothing) {
    SetHardwareIds();
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, DriverNameOfUpTo127CharactersIsReturnedWhole) {
    SetHardwareIds();
    std::string name = "MEDIA\\" + std::string(121, '7');
    AddDevice(kBaseId, {{"BUS_00&DEV_01&FUNC_00", name}});
    EXPECT_EQ(FindKey(), name);
}

TEST_F(DriverConfigTest, DriverNameTooLongForTheCallersBufferIsNotFound) {
    SetHardwareIds();
    AddDevice(kBaseId, {{"BUS_00&DEV_01&FUNC_00", "MEDIA\\" + std::string(122, '7')}});
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

TEST_F(DriverConfigTest, DriverValueWithoutTerminatorIsNotOverrun) {
    SetHardwareIds();
    AddDevice(kBaseId, {{"BUS_00&DEV_01&FUNC_00", ""}});
    registry.SetRaw(kHklm, kEnumPci + "\\" + kBaseId + "\\BUS_00&DEV_01&FUNC_00", "Driver", kRegBinary,
                    std::vector<uint8_t>(256, 'M'));
    bool found = true;
    FindKey(&found);
    EXPECT_FALSE(found);
}

// ---- Instance pattern and PCI device number

TEST_F(DriverConfigTest, PatternCarriesTheDeviceNumberInUpperCaseHex) {
    pci.AddDevice(0x10B9, 0x5451, 2, 0x1F, 7);
    char pattern[32];
    EXPECT_TRUE(config.MakeInstancePattern("PCI\\VEN_10b9&DEV_5451&SUBSYS_00000000", pattern));
    EXPECT_STREQ(pattern, "DEV_1F&FUNC_00");
    EXPECT_EQ(pci.LastVendorId(), 0x10B9);
    EXPECT_EQ(pci.LastDeviceId(), 0x5451);
}

TEST_F(DriverConfigTest, PatternOfAMissingDeviceIsDevFFFF) {
    char pattern[32];
    EXPECT_TRUE(config.MakeInstancePattern(kBaseId.c_str(), pattern));
    EXPECT_STREQ(pattern, "DEV_FFFF&FUNC_00");
}

TEST_F(DriverConfigTest, PatternStaysEmptyWithoutDevicePart) {
    char pattern[32];
    std::memset(pattern, 'x', sizeof pattern);
    EXPECT_FALSE(config.MakeInstancePattern("VEN_1A2B", pattern));
    EXPECT_STREQ(pattern, "");
    EXPECT_FALSE(config.MakeInstancePattern("DEV_0930", pattern));
    EXPECT_STREQ(pattern, "");
    EXPECT_EQ(pci.Calls(), 0);
}

TEST_F(DriverConfigTest, DeviceNumberIsBitsThreeToSevenOfDeviceFunction) {
    pci.AddDevice(0x1A2B, 0x0930, 5, 0x13, 5);
    EXPECT_EQ(config.FindPciDeviceNumber(0x1A2B, 0x0930), 0x13);
    EXPECT_EQ(config.FindPciDeviceNumber(0x1A2B, 0x0931), 0xFFFF);
}

// ---- Speaker settings and manufacturer id

class DriverSettingsTest : public DriverConfigTest {
protected:
    void SetUp() override {
        SetHardwareIds();
        pci.AddDevice(0x1A2B, 0x0930, 0, 0x0A);
        AddDevice(kBaseId, {{"BUS_00&DEV_0A&FUNC_00", "MEDIA\\0003"}});
        AddClass("MEDIA\\0003", "Zolvane ZV930 PCI Audio (WDM)");
    }
    const FakeRegistry::Value* Speakers() { return registry.Find(kHklm, Config("MEDIA\\0003"), "Speakers"); }
    void SetConfigByte(const std::string& name, uint8_t value) {
        registry.SetBinary(kHklm, Config("MEDIA\\0003"), name, {value});
    }
};

TEST_F(DriverSettingsTest, ReadsTheStoredArrangement) {
    SetConfigByte("Speakers", 4);
    uint8_t value = 0;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 4);
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(DriverSettingsTest, MissingSpeakersReadsTwoAndIsCreatedAsZero) {
    uint8_t value = 9;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 2);
    ASSERT_NE(Speakers(), nullptr);
    EXPECT_EQ(Speakers()->type, kRegBinary);
    EXPECT_EQ(Speakers()->data, std::vector<uint8_t>{0});
}

TEST_F(DriverSettingsTest, FourByteSpeakersReadsTwoAndIsRewrittenAsOneByteZero) {
    registry.SetDword(kHklm, Config("MEDIA\\0003"), "Speakers", 6);
    uint8_t value = 9;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(Speakers()->type, kRegBinary);
    EXPECT_EQ(Speakers()->data, std::vector<uint8_t>{0});
}

TEST_F(DriverSettingsTest, EmptySpeakersValueCountsAsMissing) {
    registry.SetRaw(kHklm, Config("MEDIA\\0003"), "Speakers", kRegBinary, {});
    uint8_t value = 9;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(Speakers()->data, std::vector<uint8_t>{0});
}

TEST_F(DriverSettingsTest, WriteStoresOneBinaryByte) {
    registry.SetDword(kHklm, Config("MEDIA\\0003"), "Speakers", 2);
    uint8_t value = 6;
    EXPECT_TRUE(config.AccessSpeakerSettings(kWriteSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(Speakers()->type, kRegBinary);
    EXPECT_EQ(Speakers()->data, std::vector<uint8_t>{6});
}

TEST_F(DriverSettingsTest, CapabilitiesReadMaximumAndStereoX2) {
    SetConfigByte("MaxSpeakers", 6);
    SetConfigByte("StereoX2", 1);
    uint8_t value = 0;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadCapabilities, &value, kDesc.c_str()));
    EXPECT_EQ(value, 6);
    EXPECT_EQ(config.StereoX2Supported(), 1);
}

TEST_F(DriverSettingsTest, MissingCapabilitiesMeanTwoSpeakersWithoutStereoX2) {
    SetConfigByte("StereoX2", 1);
    uint8_t value = 0;
    ASSERT_TRUE(config.AccessSpeakerSettings(kReadCapabilities, &value, kDesc.c_str()));
    ASSERT_EQ(config.StereoX2Supported(), 1);

    registry.SetDword(kHklm, Config("MEDIA\\0003"), "StereoX2", 1);  // too wide to read
    value = 9;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadCapabilities, &value, kDesc.c_str()));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(config.StereoX2Supported(), 0);
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(DriverSettingsTest, FailedLookupLeavesStereoX2Alone) {
    SetConfigByte("StereoX2", 1);
    uint8_t value = 0;
    ASSERT_TRUE(config.AccessSpeakerSettings(kReadCapabilities, &value, kDesc.c_str()));
    value = 4;
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadCapabilities, &value, "Another card"));
    EXPECT_EQ(value, 4);
    EXPECT_EQ(config.StereoX2Supported(), 1);
}

TEST_F(DriverSettingsTest, UnknownOperationsReturnFalseAndTouchNothing) {
    for (int operation : {2, 4, -1, 255}) {
        uint8_t value = 6;
        EXPECT_FALSE(config.AccessSpeakerSettings(operation, &value, kDesc.c_str())) << operation;
        EXPECT_EQ(value, 6);
    }
    EXPECT_EQ(Speakers(), nullptr);
    EXPECT_EQ(registry.Writes(), 0);
}

// A driver found through an empty description is any driver: it is never written.
TEST_F(DriverSettingsTest, EmptyDescriptionWritesNothing) {
    for (const char* description : {"", static_cast<const char*>(nullptr)}) {
        uint8_t value = 6;
        EXPECT_FALSE(config.AccessSpeakerSettings(kWriteSpeakers, &value, description));
        EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, description));
        EXPECT_EQ(value, 2);
    }
    EXPECT_EQ(Speakers(), nullptr);
    EXPECT_EQ(registry.Writes(), 0);
    uint8_t value = 6;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_NE(Speakers(), nullptr) << "a named driver still gets its missing value";
}

TEST_F(DriverSettingsTest, DescriptionNotContainedMeansNotFound) {
    uint8_t value = 7;
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, &value, "zolvane zv930"));
    EXPECT_EQ(value, 7);
    EXPECT_EQ(Speakers(), nullptr);
    EXPECT_EQ(config.ReadManufactureId("ZV931"), 0);
}

TEST_F(DriverSettingsTest, MissingClassKeyOrConfigMeansNotFound) {
    registry.SetString(kHklm, kEnumPci + "\\" + kBaseId + "\\BUS_00&DEV_0A&FUNC_00", "Driver", "MEDIA\\0004");
    uint8_t value = 0;
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));

    registry.SetString(kHklm, kClass + "MEDIA\\0004", "DriverDesc", kDesc);
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(DriverSettingsTest, DriverDescLongerThanItsBufferMeansNotFound) {
    registry.SetString(kHklm, kClass + "MEDIA\\0003", "DriverDesc", kDesc + std::string(240, ' '));
    uint8_t value = 0;
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
}

TEST_F(DriverSettingsTest, EveryRequestFollowsTheCurrentRegistry) {
    SetConfigByte("Speakers", 4);
    AddClass("MEDIA\\0005", kDesc);
    registry.SetBinary(kHklm, Config("MEDIA\\0005"), "Speakers", {6});
    uint8_t value = 0;
    ASSERT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 4);
    registry.SetString(kHklm, kEnumPci + "\\" + kBaseId + "\\BUS_00&DEV_0A&FUNC_00", "Driver", "MEDIA\\0005");
    ASSERT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, kDesc.c_str()));
    EXPECT_EQ(value, 6);
}

TEST_F(DriverSettingsTest, LongDriverDescIsComparedOnWhatEachReaderKeeps) {
    // The INI text is 100 characters; the driver's own description agrees with it on the first 59 only.
    std::string text = "Zolvane ZV930 PCI Audio Accelerator with QSound 3D Positio" + std::string(42, 'n');
    ASSERT_EQ(text.size(), 100u);
    registry.SetString(kHklm, kClass + "MEDIA\\0003", "DriverDesc", text.substr(0, 59) + " (rev B)");
    registry.SetBinary(kHklm, Config("MEDIA\\0003"), "ManufactureID", {0x34, 0x12});
    profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, text);

    char mixerDesc[kDriverDescSizeMixer];
    config.ReadSoundCfg(kCfgDescription, kCfgDriverDesc, "", mixerDesc, sizeof mixerDesc);
    EXPECT_EQ(std::string(mixerDesc), text.substr(0, 59));
    EXPECT_EQ(config.ReadManufactureId(mixerDesc), 0x1234);

    char pageDesc[kDriverDescSizeGeneral];
    config.ReadSoundCfg(kCfgDescription, kCfgDriverDesc, "", pageDesc, sizeof pageDesc);
    EXPECT_EQ(std::string(pageDesc), text);
    uint8_t value = 0;
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, &value, pageDesc));
}

TEST_F(DriverSettingsTest, PageComparesTheFirst127Characters) {
    std::string text(140, 'z');
    registry.SetString(kHklm, kClass + "MEDIA\\0003", "DriverDesc", "[" + text.substr(0, 127) + "]");
    profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, text);
    char pageDesc[kDriverDescSizeGeneral];
    config.ReadSoundCfg(kCfgDescription, kCfgDriverDesc, "", pageDesc, sizeof pageDesc);
    uint8_t value = 0;
    EXPECT_TRUE(config.AccessSpeakerSettings(kReadSpeakers, &value, pageDesc));
}

TEST_F(DriverSettingsTest, ManufacturerIdIsTwoLittleEndianBytes) {
    registry.SetBinary(kHklm, Config("MEDIA\\0003"), "ManufactureID", {0x83, 0x00});
    EXPECT_EQ(config.ReadManufactureId(kDesc.c_str()), 0x0083);
    registry.SetBinary(kHklm, Config("MEDIA\\0003"), "ManufactureID", {0xFE, 0xCA});
    EXPECT_EQ(config.ReadManufactureId(kDesc.c_str()), 0xCAFE);
}

TEST_F(DriverSettingsTest, ManufacturerIdOfTheWrongSizeReadsAsZero) {
    EXPECT_EQ(config.ReadManufactureId(kDesc.c_str()), 0);
    registry.SetDword(kHklm, Config("MEDIA\\0003"), "ManufactureID", 0x83);
    EXPECT_EQ(config.ReadManufactureId(kDesc.c_str()), 0);
    registry.SetBinary(kHklm, Config("MEDIA\\0003"), "ManufactureID", {0x83});
    EXPECT_EQ(config.ReadManufactureId(kDesc.c_str()), 0);
}

TEST_F(DriverSettingsTest, NullValueIsRefused) {
    EXPECT_FALSE(config.AccessSpeakerSettings(kReadSpeakers, nullptr, kDesc.c_str()));
    EXPECT_EQ(registry.Writes(), 0);
}

}  // namespace
}  // namespace zv
