#include "driver/driver_config.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zv {

namespace {

constexpr const char kChipTypeKey[] = "SOFTWARE\\Zolvane\\ChipType";
constexpr const char kEnumPciKey[] = "Enum\\PCI";
constexpr const char kClassKeyPrefix[] = "System\\CurrentControlSet\\Services\\Class\\";

constexpr uint32_t kDeviceKeyNameSize = 256;
constexpr uint32_t kInstanceKeyNameSize = 128;
constexpr uint32_t kPatternSize = 32;
constexpr uint32_t kRegStringSize = 256;

// Values are read with a buffer of exactly their size. A longer value fails in the registry itself; a
// shorter one would leave part of the buffer unwritten, so it counts as missing too.
bool QueryExact(Registry& registry, RegKey key, const char* name, void* data, uint32_t size) {
    uint32_t got = size;
    return registry.QueryValue(key, name, nullptr, data, &got) == kRegOk && got == size;
}

bool QueryByte(Registry& registry, RegKey key, const char* name, uint8_t* value) {
    uint8_t byte = 0;
    if (!QueryExact(registry, key, name, &byte, 1)) return false;
    *value = byte;
    return true;
}

// A string value of up to 255 characters. The stored type is not checked, so the extra byte keeps a value
// stored without its terminator terminated.
bool QueryString(Registry& registry, RegKey key, const char* name, char (&text)[kRegStringSize + 1]) {
    std::memset(text, 0, sizeof text);
    uint32_t size = kRegStringSize;
    return registry.QueryValue(key, name, nullptr, text, &size) == kRegOk;
}

}  // namespace

DriverConfig::DriverConfig(Registry& registry, Profile& profile, PciBus& pci)
    : registry_(registry), profile_(profile), pci_(pci) {}

uint32_t DriverConfig::ReadSoundCfg(const char* section, const char* key, const char* defaultText, char* buffer,
                                    uint32_t bufferSize) {
    if (!buffer || bufferSize == 0) return 0;
    buffer[0] = '\0';
    return profile_.GetString(section, key, defaultText, buffer, bufferSize, kSoundCfgFile);
}

void DriverConfig::ReadHardwareId(char (&hardwareId)[kHardwareIdSize]) {
    hardwareId[0] = '\0';
    RegKey chipType = kRegNone;
    if (registry_.OpenKey(kHkeyLocalMachine, kChipTypeKey, &chipType) != kRegOk) {
        ReadSoundCfg(kCfgWin95, kCfgHardwareId, "", hardwareId, kHardwareIdSize);
        return;
    }
    uint8_t device = 0;
    if (QueryByte(registry_, chipType, "device", &device)) {
        ReadSoundCfg(kCfgWin95, device ? kCfgTamarindId : kCfgHardwareId, "", hardwareId, kHardwareIdSize);
    } else {
        // A chip-type key without a readable byte says nothing about the variant. The base chip is what a
        // missing key means too, and an empty id would match whichever PCI device comes first.
        ReadSoundCfg(kCfgWin95, kCfgHardwareId, "", hardwareId, kHardwareIdSize);
    }
    registry_.CloseKey(chipType);
}

bool DriverConfig::FindDriverKey(char (&driverKey)[128]) {
    driverKey[0] = '\0';
    char hardwareId[kHardwareIdSize];
    ReadHardwareId(hardwareId);

    RegKey enumPci = kRegNone;
    if (registry_.OpenKey(kHkeyLocalMachine, kEnumPciKey, &enumPci) != kRegOk) return false;

    // The first device key that names the card and opens is the card's; later ones are not looked at.
    char pattern[kPatternSize] = "";
    RegKey deviceKey = kRegNone;
    bool deviceOpen = false;
    char name[kDeviceKeyNameSize];
    for (uint32_t index = 0; registry_.EnumKey(enumPci, index, name, sizeof name) == kRegOk; ++index) {
        if (!std::strstr(name, hardwareId)) continue;
        MakeInstancePattern(hardwareId, pattern);
        if (registry_.OpenKey(enumPci, name, &deviceKey) == kRegOk) {
            deviceOpen = true;
            break;
        }
    }
    if (!deviceOpen) {
        registry_.CloseKey(enumPci);
        return false;
    }

    // The instance at the card's PCI slot, or else the last one there is.
    char instance[kInstanceKeyNameSize] = "";
    bool haveInstance = false;
    char candidate[kInstanceKeyNameSize];
    for (uint32_t index = 0; registry_.EnumKey(deviceKey, index, candidate, sizeof candidate) == kRegOk; ++index) {
        std::memcpy(instance, candidate, std::strlen(candidate) + 1);
        haveInstance = true;
        if (std::strstr(candidate, pattern)) break;
    }

    bool found = false;
    RegKey instanceKey = kRegNone;
    if (haveInstance && registry_.OpenKey(deviceKey, instance, &instanceKey) == kRegOk) {
        char driver[kRegStringSize + 1];
        // A name too long for the callers' buffer could only be cut to the name of some other key.
        if (QueryString(registry_, instanceKey, "Driver", driver) && std::strlen(driver) < sizeof driverKey) {
            std::memcpy(driverKey, driver, std::strlen(driver) + 1);
            found = true;
        }
        registry_.CloseKey(instanceKey);
    }
    registry_.CloseKey(deviceKey);
    registry_.CloseKey(enumPci);
    return found;
}

bool DriverConfig::MakeInstancePattern(const char* hardwareId, char* pattern) {
    if (!pattern) return false;
    pattern[0] = '\0';
    if (!hardwareId) return false;
    const char* vendor = std::strstr(hardwareId, "VEN_");
    if (!vendor) return false;
    auto vendorId = static_cast<uint16_t>(std::strtol(vendor + 4, nullptr, 16));
    const char* device = std::strstr(hardwareId, "DEV_");
    if (!device) return false;
    auto deviceId = static_cast<uint16_t>(std::strtol(device + 4, nullptr, 16));
    unsigned number = FindPciDeviceNumber(vendorId, deviceId);
    std::snprintf(pattern, kPatternSize, "DEV_%02X&FUNC_00", number);
    return true;
}

uint16_t DriverConfig::FindPciDeviceNumber(uint16_t vendorId, uint16_t deviceId) {
    uint8_t bus = 0;
    uint8_t deviceFunction = 0;
    if (!pci_.FindFirstDevice(vendorId, deviceId, &bus, &deviceFunction)) return 0xFFFF;
    return static_cast<uint16_t>(deviceFunction >> 3);
}

bool DriverConfig::OpenDriverConfig(const char* description, RegKey* classKey, RegKey* config) {
    char driverKey[128];
    if (!FindDriverKey(driverKey)) return false;

    char path[kRegStringSize];
    std::snprintf(path, sizeof path, "%s%s", kClassKeyPrefix, driverKey);
    if (registry_.OpenKey(kHkeyLocalMachine, path, classKey) != kRegOk) return false;

    char driverDesc[kRegStringSize + 1];
    if (QueryString(registry_, *classKey, "DriverDesc", driverDesc) &&
        std::strstr(driverDesc, description ? description : "") &&
        registry_.OpenKey(*classKey, "Config", config) == kRegOk) {
        return true;
    }
    registry_.CloseKey(*classKey);
    return false;
}

bool DriverConfig::AccessSpeakerSettings(int operation, uint8_t* value, const char* description) {
    if (!value) return false;
    if (operation != kWriteSpeakers && operation != kReadSpeakers && operation != kReadCapabilities) return false;

    // An empty description is contained in every "DriverDesc": the key found through it may be any device's
    // (the first PCI device's without SOUNDCFG.INI), so it is read but never written.
    const bool named = description != nullptr && description[0] != '\0';
    if (operation == kWriteSpeakers && !named) return false;

    RegKey classKey = kRegNone;
    RegKey config = kRegNone;
    if (!OpenDriverConfig(description, &classKey, &config)) return false;

    switch (operation) {
        case kWriteSpeakers:
            registry_.SetValue(config, "Speakers", kRegBinary, value, 1);
            break;
        case kReadSpeakers:
            if (!QueryByte(registry_, config, "Speakers", value)) {
                // Not configured yet: the page shows two speakers, and the driver gets a value of the
                // proper one-byte form in place of a missing or malformed one.
                *value = 2;
                const uint8_t notConfigured = 0;
                if (named) registry_.SetValue(config, "Speakers", kRegBinary, &notConfigured, 1);
            }
            break;
        case kReadCapabilities:
            if (!QueryByte(registry_, config, "MaxSpeakers", value)) *value = 2;
            stereoX2Supported_ = 0;
            QueryByte(registry_, config, "StereoX2", &stereoX2Supported_);
            break;
    }
    registry_.CloseKey(config);
    registry_.CloseKey(classKey);
    return true;
}

uint16_t DriverConfig::ReadManufactureId(const char* description) {
    RegKey classKey = kRegNone;
    RegKey config = kRegNone;
    if (!OpenDriverConfig(description, &classKey, &config)) return 0;

    uint8_t bytes[2] = {0, 0};
    uint16_t id = 0;
    if (QueryExact(registry_, config, "ManufactureID", bytes, sizeof bytes))
        id = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    registry_.CloseKey(config);
    registry_.CloseKey(classKey);
    return id;
}

}  // namespace zv
