#include <windows.h>

#include "platform/win32/system.h"
#include "platform/win32/win32_pci.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"

namespace zv {

SystemServices& System() {
    static Win32Registry registry;
    static Win32Profile profile;
    static Win32LibraryLoader libraries;
    static Win32SoundSystem sound;
    static Win32PciBus pci;
    static DriverConfig driver(registry, profile, pci);
    static SystemServices services{registry, profile, libraries, sound, pci, driver};
    return services;
}

}  // namespace zv
