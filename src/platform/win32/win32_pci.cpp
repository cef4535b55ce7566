#include <windows.h>

#include "platform/win32/win32_pci.h"

#include <setupapi.h>

#include <cstdio>
#include <cstring>

namespace zv {
namespace {

// SetupAPI is not on every Windows of the family, so it is loaded by name; without the library or one of
// its exports the lookup finds no device. Once found it stays loaded for the rest of the process: the
// lookup runs at every access to the driver's settings, and a library that is loaded and freed each time
// may keep what it made for its device list each time (Wine's keeps its table of device nodes, 2 KiB,
// for every load). A failed load is tried again at the next lookup.
struct SetupApi {
    HDEVINFO(WINAPI* getClassDevs)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
    BOOL(WINAPI* enumDeviceInfo)(HDEVINFO, DWORD, PSP_DEVINFO_DATA) = nullptr;
    BOOL(WINAPI* getDeviceRegistryProperty)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD, PDWORD) = nullptr;
    BOOL(WINAPI* destroyDeviceInfoList)(HDEVINFO) = nullptr;
};

template <class Function>
bool Find(HMODULE module, Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

const SetupApi* LoadSetupApi() {
    static SetupApi api;
    static bool loaded = false;
    if (loaded) return &api;
    HMODULE module = LoadLibraryA("setupapi.dll");
    if (!module) return nullptr;
    SetupApi found;
    if (!Find(module, found.getClassDevs, "SetupDiGetClassDevsA") ||
        !Find(module, found.enumDeviceInfo, "SetupDiEnumDeviceInfo") ||
        !Find(module, found.getDeviceRegistryProperty, "SetupDiGetDeviceRegistryPropertyA") ||
        !Find(module, found.destroyDeviceInfoList, "SetupDiDestroyDeviceInfoList")) {
        FreeLibrary(module);
        return nullptr;
    }
    api = found;
    loaded = true;
    return &api;
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
