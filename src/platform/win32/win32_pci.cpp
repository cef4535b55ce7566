#include <windows.h>

#include "platform/win32/win32_pci.h"

#include <setupapi.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/kept_library.h"

namespace zv {
namespace {

// SetupAPI, kept once found: the lookup runs at every access to the driver's settings, and a library
// loaded and freed each time may keep what it made for its device list each time (Wine's keeps its table
// of device nodes, 2 KiB, for every load). Without it the lookup finds no device.
struct SetupApi {
    HDEVINFO(WINAPI* getClassDevs)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
    BOOL(WINAPI* enumDeviceInfo)(HDEVINFO, DWORD, PSP_DEVINFO_DATA) = nullptr;
    BOOL(WINAPI* getDeviceRegistryProperty)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD, PDWORD) = nullptr;
    BOOL(WINAPI* destroyDeviceInfoList)(HDEVINFO) = nullptr;
};

const SetupApi* LoadSetupApi() {
    static SetupApi api;
    static bool kept = false;
    if (!kept)
        kept = LoadKeptLibrary("setupapi.dll", [](HMODULE module) {
            return FindExport(module, "SetupDiGetClassDevsA", api.getClassDevs) &&
                   FindExport(module, "SetupDiEnumDeviceInfo", api.enumDeviceInfo) &&
                   FindExport(module, "SetupDiGetDeviceRegistryPropertyA", api.getDeviceRegistryProperty) &&
                   FindExport(module, "SetupDiDestroyDeviceInfoList", api.destroyDeviceInfoList);
        });
    return kept ? &api : nullptr;
}

}  // namespace

bool Win32PciBus::FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) {
    const SetupApi* library = LoadSetupApi();
    if (!library) return false;
    const SetupApi& api = *library;
    HDEVINFO devices = api.getClassDevs(nullptr, "PCI", nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return false;
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "VEN_%04X&DEV_%04X", vendorId, deviceId);
    bool found = false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD i = 0; !found && api.enumDeviceInfo(devices, i, &device); ++i) {
        char ids[1024] = {};
        if (!api.getDeviceRegistryProperty(devices, &device, SPDRP_HARDWAREID, nullptr, reinterpret_cast<BYTE*>(ids),
                                           sizeof ids - 2, nullptr))
            continue;
        // The first hardware id is the most specific; every id of a PCI device names vendor and device.
        if (!std::strstr(ids, wanted)) continue;
        DWORD address = 0, busNumber = 0;
        if (!api.getDeviceRegistryProperty(devices, &device, SPDRP_ADDRESS, nullptr, reinterpret_cast<BYTE*>(&address),
                                           sizeof address, nullptr))
            continue;
        api.getDeviceRegistryProperty(devices, &device, SPDRP_BUSNUMBER, nullptr, reinterpret_cast<BYTE*>(&busNumber),
                                      sizeof busNumber, nullptr);
        // The address holds the device number in its high word and the function in its low word.
        *bus = static_cast<uint8_t>(busNumber);
        *deviceFunction = static_cast<uint8_t>(((address >> 16) & 0x1F) << 3 | (address & 0x7));
        found = true;
    }
    api.destroyDeviceInfoList(devices);
    return found;
}

}  // namespace zv
