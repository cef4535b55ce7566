// Installs the simulated card into a Windows installation (a Wine prefix): SOUNDCFG.INI in the Windows
// directory, the chip-type key, the PCI device enumeration and the driver's class key.
#pragma once

#include <cstdint>

namespace zvsim {

struct CardFixture {
    const char* hardwareId = "VEN_5A56&DEV_0930";
    const char* driverDesc = "ZV930 PCI Audio";
    const char* driverVersion = "4.05.0930";
    uint8_t speakers = 2;
    uint8_t maxSpeakers = 6;
    uint8_t stereoX2 = 1;
    uint16_t manufactureId = 0x5A56;
};

constexpr const char kDriverKey[] = "MEDIA\\0001";
constexpr const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0001";
constexpr const char kConfigKey[] = "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0001\\Config";

bool InstallCardFixture(const CardFixture& card);

}  // namespace zvsim
