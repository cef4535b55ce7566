#include <windows.h>

#include "app/resident_main.h"

#include <commctrl.h>

#include <cstring>

#include "app/sound_discovery.h"
#include "app/startup.h"
#include "platform/win32/ui.h"
#include "res/resource.h"

namespace zv {
namespace {

using InstallA3DHookFn = void(ZV_STDCALL*)(uint32_t* preloadAddress);
using RemoveA3DHookFn = void(ZV_STDCALL*)();

// Starting with "OPEN" while an instance runs hands the request over; any other second start does nothing.
bool HandOverToRunningInstance(bool openAtStart) {
    HWND running = FindWindowA(kTrayWindowClass, nullptr);
    if (!running) return false;
    if (openAtStart) {
        SetForegroundWindow(running);
        PostMessageA(running, WM_COMMAND, IDM_OPEN, 0);
        PostMessageA(running, WM_COMMAND, IDM_OPEN, 0);
    }
    return true;
}

}  // namespace

int RunResidentProgram(HINSTANCE instance, const char* commandLine, const ResidentProgram& program) {
    const bool openAtStart = std::strcmp(commandLine, "OPEN") == 0;
    if (HandOverToRunningInstance(openAtStart)) return 0;

    InitCommonControls();
    HWND tray = program.tray.Create(instance, openAtStart);

    HelperProbe probe = ProbeHelperLibrary(program.libraries);
    if (!probe.driverPresent) return 0;
    if (probe.effectsAvailability == 0) program.pages.UseThreePageSet();

    if (openAtStart) program.tray.AddIcon();
    Registry& registry = program.registry;
    RegKey qsoftKey = kRegNone;
    if (registry.OpenKey(kHkeyCurrentUser, kQSoftKey, &qsoftKey) != kRegOk) qsoftKey = kRegNone;
    if (openAtStart) {
        DiscoverSoundDevices(program.sound, tray, program.devices);
        if (program.devices.count == 0) ShowMessage(tray, IDS_NO_DIRECTX, MB_OK);
    }
    uint32_t a3dPreload = ReadA3DPreloadAddress(registry, qsoftKey);
    if (qsoftKey != kRegNone) registry.CloseKey(qsoftKey);

    LibraryHandle a3dLoader = program.libraries.Load(kA3DLoaderName);
    if (a3dLoader) {
        if (auto install = reinterpret_cast<InstallA3DHookFn>(program.libraries.Find(a3dLoader, kInstallHookExport)))
            install(&a3dPreload);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    program.tray.RemoveIcon();
    if (a3dLoader) {
        if (auto remove = reinterpret_cast<RemoveA3DHookFn>(program.libraries.Find(a3dLoader, kRemoveHookExport)))
            remove();
        program.libraries.Free(a3dLoader);
    }
    program.tray.FreeIcon();
    return static_cast<int>(message.wParam);
}

}  // namespace zv
