#include <windows.h>

#include "platform/win32/win32_pci.h"

#include <setupapi.h>

#include <cstdio>
#include <cstring>

namespace zv {

bool Win32PciBus::FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) {
    HDEVINFO devices = SetupDiGetClassDevsA(nullptr, "PCI", nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return false;
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "VEN_%04X&DEV_%04X", vendorId, deviceId);
    bool found = false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        char ids[1024] = {};
        if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, nullptr,
                                               reinterpret_cast<BYTE*>(ids), sizeof ids - 2, nullptr))
            continue;
        // The first hardware id is the most specific; every id of a PCI device names vendor and device.
        if (!std::strstr(ids, wanted)) continue;
        DWORD address = 0, busNumber = 0;
        if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_ADDRESS, nullptr,
                                               reinterpret_cast<BYTE*>(&address), sizeof address, nullptr))
            continue;
        SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_BUSNUMBER, nullptr,
                                          reinterpret_cast<BYTE*>(&busNumber), sizeof busNumber, nullptr);
        // The address holds the device number in its high word and the function in its low word.
        *bus = static_cast<uint8_t>(busNumber);
        *deviceFunction = static_cast<uint8_t>(((address >> 16) & 0x1F) << 3 | (address & 0x7));
        found = true;
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

}  // namespace zv
