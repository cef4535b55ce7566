// Finds the installed card's driver from SOUNDCFG.INI, the chip-type key and the PCI device enumeration,
// and reads and writes the speaker values and manufacturer id kept in the driver's class key.
#pragma once

#include <cstdint>

#include "platform/pci.h"
#include "platform/profile.h"
#include "platform/registry.h"

namespace zv {

constexpr const char kSoundCfgFile[] = "SOUNDCFG.INI";
// The 3D audio driver's class key: the speaker configuration and the Effects settings are kept there.
constexpr const char kQ3DClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Q3D";

// Sections and keys of SOUNDCFG.INI, with the buffer sizes their readers use (characters incl. terminator).
constexpr const char kCfgWin95[] = "WIN95";
constexpr const char kCfgHardwareId[] = "HardwareID";
constexpr const char kCfgTamarindId[] = "TamarindID";
constexpr const char kCfgDescription[] = "DESCRIPTION";
constexpr const char kCfgDriverDesc[] = "DRIVERDESC";
constexpr const char kCfgDriverVersion[] = "DRIVERVERSION";
constexpr const char kCfgLoader[] = "LOADER";
constexpr const char kCfgLoaderDefault[] = "ZVAUDIO.CPL";
constexpr uint32_t kHardwareIdSize = 128;
constexpr uint32_t kDriverDescSizeGeneral = 128;
constexpr uint32_t kDriverDescSizeMixer = 60;
constexpr uint32_t kDriverVersionSize = 40;
constexpr uint32_t kLoaderSize = 40;

// Operations of AccessSpeakerSettings.
constexpr int kWriteSpeakers = 0;
constexpr int kReadSpeakers = 1;
constexpr int kReadCapabilities = 3;

class DriverConfig {
public:
    DriverConfig(Registry& registry, Profile& profile, PciBus& pci);

    // Reads a key of SOUNDCFG.INI into buffer (bufferSize bytes including the terminator).
    uint32_t ReadSoundCfg(const char* section, const char* key, const char* defaultText, char* buffer,
                          uint32_t bufferSize);

    // The driver's class key name (the instance's "Driver" value), at most 127 characters.
    bool FindDriverKey(char (&driverKey)[128]);
    // "DEV_%02X&FUNC_00" with the PCI device number of the card named by hardwareId; false, and an empty
    // pattern, when the id lacks "VEN_" or "DEV_". pattern holds at least 32 bytes.
    bool MakeInstancePattern(const char* hardwareId, char* pattern);
    // PCI device number (0 to 31) of the first device with these ids, or 0xFFFF.
    uint16_t FindPciDeviceNumber(uint16_t vendorId, uint16_t deviceId);

    // Reads or writes the speaker values of the driver whose "DriverDesc" contains description.
    bool AccessSpeakerSettings(int operation, uint8_t* value, const char* description);
    // The "ManufactureID" of the driver whose "DriverDesc" contains description, or 0.
    uint16_t ReadManufactureId(const char* description);

    // Whether the last capabilities read found the "Stereo X 2" arrangement supported.
    uint8_t StereoX2Supported() const { return stereoX2Supported_; }

private:
    void ReadHardwareId(char (&hardwareId)[kHardwareIdSize]);
    // Opens the driver's class key and its "Config" subkey; on success the caller closes both.
    bool OpenDriverConfig(const char* description, RegKey* classKey, RegKey* config);

    Registry& registry_;
    Profile& profile_;
    PciBus& pci_;
    uint8_t stereoX2Supported_ = 0;
};

}  // namespace zv
