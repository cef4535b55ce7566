#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "app/application.h"
#include "app/sound_discovery.h"
#include "app/startup.h"
#include "app/tray_window.h"
#include "panel/page_set.h"
#include "platform/win32/system.h"
#include "res/resource.h"

using namespace zv;

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    Application& app = App();
    SystemServices& system = System();
    app.module = instance;
    app.openAtStart = std::strcmp(commandLine, "OPEN") == 0;

    if (HandOverToRunningInstance(app.openAtStart)) return 0;

    InitCommonControls();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TrayWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassA(&windowClass);
    app.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    CreateWindowExA(WS_EX_TOOLWINDOW, kTrayWindowClass, kTrayWindowTitle, WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                    instance, nullptr);

    HelperProbe probe = ProbeHelperLibrary(system.libraries);
    if (!probe.driverPresent) return 0;
    app.effectsAvailability = probe.effectsAvailability;
    if (app.effectsAvailability == 0) Pages().UseThreePageSet();

    if (app.openAtStart) AddTrayIcon();
    RegKey qsoftKey = kRegNone;
    if (system.registry.OpenKey(kHkeyCurrentUser, kQSoftKey, &qsoftKey) != kRegOk) qsoftKey = kRegNone;
    if (app.openAtStart) {
        HWND tray = static_cast<HWND>(app.trayWindow);
        DiscoverSoundDevices(system.sound, tray, app.soundDevices);
        if (app.soundDevices.count == 0) ShowMessage(tray, IDS_NO_DIRECTX, MB_OK);
        app.openAtStart = false;
    }
    app.a3dPreload = ReadA3DPreloadAddress(system.registry, qsoftKey);
    if (qsoftKey != kRegNone) system.registry.CloseKey(qsoftKey);

    LibraryHandle a3dLoader = system.libraries.Load(kA3DLoaderName);
    if (a3dLoader) {
        if (auto install = reinterpret_cast<InstallA3DHookFn>(system.libraries.Find(a3dLoader, kInstallHookExport)))
            install(&app.a3dPreload);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    RemoveTrayIcon();
    if (a3dLoader) {
        if (auto remove = reinterpret_cast<RemoveA3DHookFn>(system.libraries.Find(a3dLoader, kRemoveHookExport)))
            remove();
        system.libraries.Free(a3dLoader);
    }
    if (app.trayIcon) DestroyIcon(static_cast<HICON>(app.trayIcon));
    return static_cast<int>(message.wParam);
}
