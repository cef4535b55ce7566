#include <windows.h>

#include "install/card_fixture.h"

#include <cstdio>
#include <cstring>

namespace zvsim {
namespace {

bool SetValue(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool SetText(const char* path, const char* name, const char* text) {
    return SetValue(path, name, REG_SZ, text, lstrlenA(text) + 1);
}

}  // namespace

bool InstallCardFixture(const CardFixture& card) {
    char ini[MAX_PATH];
    GetWindowsDirectoryA(ini, MAX_PATH - 16);
    lstrcatA(ini, "\\SOUNDCFG.INI");
    // SOUNDCFG.INI names the card by the part of its hardware id that the device key's name contains.
    const char* id = card.hardwareId;
    bool ok = WritePrivateProfileStringA("WIN95", "HardwareID", id, ini) &&
              WritePrivateProfileStringA("DESCRIPTION", "DRIVERDESC", card.driverDesc, ini) &&
              WritePrivateProfileStringA("DESCRIPTION", "DRIVERVERSION", card.driverVersion, ini) &&
              WritePrivateProfileStringA("DESCRIPTION", "LOADER", "ZVAUDIO.CPL", ini);

    BYTE chip = 0;
    ok = SetValue("SOFTWARE\\Zolvane\\ChipType", "device", REG_BINARY, &chip, 1) && ok;

    // Enum\PCI\<device key>\<instance>: the device key name carries the hardware id and subsystem.
    char instance[256];
    std::snprintf(instance, sizeof instance, "Enum\\PCI\\%s&SUBSYS_00015A56&REV_01\\BUS_00&DEV_0C&FUNC_00", id);
    ok = SetText(instance, "Driver", kDriverKey) && ok;
    ok = SetText(instance, "DeviceDesc", card.driverDesc) && ok;

    char desc[160];
    std::snprintf(desc, sizeof desc, "%s Device", card.driverDesc);
    ok = SetText(kClassKey, "DriverDesc", desc) && ok;
    ok = SetValue(kConfigKey, "Speakers", REG_BINARY, &card.speakers, 1) && ok;
    ok = SetValue(kConfigKey, "MaxSpeakers", REG_BINARY, &card.maxSpeakers, 1) && ok;
    ok = SetValue(kConfigKey, "StereoX2", REG_BINARY, &card.stereoX2, 1) && ok;
    BYTE mid[2] = {static_cast<BYTE>(card.manufactureId), static_cast<BYTE>(card.manufactureId >> 8)};
    ok = SetValue(kConfigKey, "ManufactureID", REG_BINARY, mid, 2) && ok;
    return ok;
}

}  // namespace zvsim
