// The resident program's state: one object for the whole process, created by the entry and read by the
// tray window, the control panel dialog and the pages.
#pragma once

#include <cstdint>

#include "app/sound_discovery.h"
#include "app/startup.h"
#include "platform/library.h"
#include "platform/types.h"

namespace zv {

struct Application {
    void* module = nullptr;                // the program's own module: every resource comes from it
    bool openAtStart = false;              // the command line was exactly "OPEN"
    WindowHandle trayWindow = nullptr;
    uint32_t taskbarCreatedMessage = 0;
    int32_t effectsAvailability = 1;       // the driver's answer to command 111
    SoundDeviceList soundDevices;
    uint32_t a3dPreload = 0;
    WindowHandle openPanel = nullptr;      // the control panel dialog while it is open
    char messageCaption[80] = {};
    void* trayIcon = nullptr;
    StartupWait startupWait;
    LibraryHandle waitLibrary = nullptr;   // the helper library, held while the start-up wait runs
};

Application& App();

}  // namespace zv
