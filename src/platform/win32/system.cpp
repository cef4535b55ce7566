#include <windows.h>

#include "platform/win32/system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"

namespace zv {

SystemServices& System() {
    static Win32Registry registry;
    static Win32Profile profile;
    static Win32LibraryLoader libraries;
    static Win32SoundSystem sound;
    static SystemServices services{registry, profile, libraries, sound};
    return services;
}

}  // namespace zv
