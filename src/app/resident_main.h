// The resident program's entry, shared by the roots of zvctrl.exe and zvctrl_sim.exe: hands an "OPEN"
// to a running instance, probes the driver helper library, creates the tray window, installs the A3D
// hook and runs the message loop.
#pragma once

#include <windows.h>

#include "app/tray_window.h"
#include "panel/page_set.h"
#include "platform/library.h"
#include "platform/registry.h"
#include "platform/sound.h"

namespace zv {

struct ResidentProgram {
    Registry& registry;
    LibraryLoader& libraries;
    SoundSystem& sound;
    SoundDeviceList& devices;
    PageList& pages;
    TrayWindow& tray;
};

int RunResidentProgram(HINSTANCE instance, const char* commandLine, const ResidentProgram& program);

}  // namespace zv
