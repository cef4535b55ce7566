#include <windows.h>

#include "platform/win32/win32_pci.h"

#include <setupapi.h>

#include <cstdio>
#include <cstring>

namespace zv {
namespace {

// SetupAPI is not on every Windows of the family, so it is loaded by name for each lookup and freed after
// it; without the library or one of its exports the lookup finds no device.
class SetupApi {
public:
    SetupApi() : module_(LoadLibraryA("setupapi.dll")) {
        if (!module_) return;
        Find(getClassDevs, "SetupDiGetClassDevsA");
        Find(enumDeviceInfo, "SetupDiEnumDeviceInfo");
        Find(getDeviceRegistryProperty, "SetupDiGetDeviceRegistryPropertyA");
        Find(destroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
    }
    ~SetupApi() {
        if (module_) FreeLibrary(module_);
    }
    SetupApi(const SetupApi&) = delete;
    SetupApi& operator=(const SetupApi&) = delete;

    bool Usable() const { return getClassDevs && enumDeviceInfo && getDeviceRegistryProperty && destroyDeviceInfoList; }

    HDEVINFO(WINAPI* getClassDevs)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
    BOOL(WINAPI* enumDeviceInfo)(HDEVINFO, DWORD, PSP_DEVINFO_DATA) = nullptr;
    BOOL(WINAPI* getDeviceRegistryProperty)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD, PDWORD) = nullptr;
    BOOL(WINAPI* destroyDeviceInfoList)(HDEVINFO) = nullptr;

private:
    template <class Function>
    void Find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    HMODULE module_;
};

}  // namespace

bool Win32PciBus::FindFirstDevice(uint16_t vendorId, uint16_t deviceId, uint8_t* bus, uint8_t* deviceFunction) {
    SetupApi api;
    if (!api.Usable()) return false;
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
