#include <windows.h>

#include "app/tray_window.h"

#include <shellapi.h>

#include "app/application.h"
#include "app/sound_discovery.h"
#include "driver/helper_library.h"
#include "pages/general/uninstall_window.h"
#include "panel/control_panel_dialog.h"
#include "platform/win32/system.h"
#include "res/resource.h"

namespace zv {
namespace {

HINSTANCE Module() { return static_cast<HINSTANCE>(App().module); }
HWND TrayHwnd() { return static_cast<HWND>(App().trayWindow); }

// The Windows 95 layout of the notification record, which every shell accepts.
#if defined(_WIN64)
constexpr DWORD kNotifyIconV1Size = NOTIFYICONDATAA_V1_SIZE;
#else
constexpr DWORD kNotifyIconV1Size = 88;
static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconV1Size, "the first notification record layout is 88 bytes");
#endif

void RunCommand(HWND window, UINT command) {
    Application& app = App();
    switch (command) {
    case IDM_EXIT:
        // Held back while the driver is being removed, as the close request is: the removal ends the program.
        if (!UninstallUnderway()) DestroyWindow(window);
        break;
    case IDM_OPEN:
        if (app.openPanel) {
            SetForegroundWindow(static_cast<HWND>(app.openPanel));
        } else {
            DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_CONTROL_PANEL), window, ControlPanelDialogProc, 0);
            app.openPanel = nullptr;  // also when the dialog went down with its owner
        }
        break;
    default:
        break;
    }
}

void ShowTrayMenu(HWND window) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_TRAY));
    if (!menu) return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    HMENU popup = GetSubMenu(menu, 0);
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    UINT command = TrackPopupMenu(popup, flags, cursor.x, cursor.y, 0, window, nullptr);
    if (command == 0) command = TrackPopupMenu(popup, flags, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
    RunCommand(window, command);
    PostMessageA(window, WM_NULL, 0, 0);
}

void OnCreate(HWND window) {
    Application& app = App();
    app.trayWindow = window;
    LoadStringA(Module(), IDS_CONTROL_PANEL_TITLE, app.messageCaption, sizeof app.messageCaption);
    app.trayIcon = LoadImageA(Module(), MAKEINTRESOURCEA(IDI_ZVCTRL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
    if (app.openAtStart) {
        PostMessageA(window, WM_COMMAND, IDM_OPEN, 0);
        return;
    }
    app.startupWait.Start();
    if (SetTimer(window, StartupWait::kTimerId, StartupWait::kPeriodMs, nullptr))
        app.waitLibrary = System().libraries.Load(kHelperLibraryName);
}

void OnStartupTick(HWND window) {
    Application& app = App();
    if (app.startupWait.Ended()) return;
    int32_t busy = CallDll32(System().libraries, app.waitLibrary, kCmdDriverBusy);
    if (!app.startupWait.Tick(busy)) return;

    DiscoverSoundDevices(System().sound, window, app.soundDevices);
    KillTimer(window, StartupWait::kTimerId);
    if (app.waitLibrary) System().libraries.Free(app.waitLibrary);
    app.waitLibrary = nullptr;
    if (app.soundDevices.count == 0) ShowMessage(window, IDS_NO_DIRECTX, MB_OK);
    AddTrayIcon();
}

}  // namespace

void AddTrayIcon() {
    Application& app = App();
    NOTIFYICONDATAA icon = {};
    icon.cbSize = kNotifyIconV1Size;
    icon.hWnd = TrayHwnd();
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayCallbackMessage;
    icon.hIcon = static_cast<HICON>(app.trayIcon);
    LoadStringA(Module(), IDS_CONTROL_PANEL_TITLE, icon.szTip, 64);
    Shell_NotifyIconA(NIM_ADD, &icon);
}

void RemoveTrayIcon() {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = kNotifyIconV1Size;
    icon.hWnd = TrayHwnd();
    icon.uID = kTrayIconId;
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

int ShowMessage(HWND owner, UINT stringId, UINT style) {
    char text[256] = {};
    LoadStringA(Module(), stringId, text, sizeof text);
    return MessageBoxA(owner, text, App().messageCaption, style);
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = App();
    // The close request waits while the driver is being removed: the removal ends the program itself.
    if (wParam == kCloseRequest && !UninstallUnderway()) DestroyWindow(window);

    if (message == kTrayCallbackMessage) {
        switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            // The second Open reaches the dialog's own loop once the dialog exists, and brings it forward.
            PostMessageA(window, WM_COMMAND, IDM_OPEN, 0);
            PostMessageA(window, WM_COMMAND, IDM_OPEN, 0);
            PostMessageA(window, WM_NULL, 0, 0);
            break;
        case WM_RBUTTONDOWN:
            ShowTrayMenu(window);
            break;
        default:
            break;
        }
        return 0;
    }
    if (message == app.taskbarCreatedMessage && message != 0) {
        AddTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_COMMAND:
        RunCommand(window, LOWORD(wParam));
        break;
    case WM_TIMER:
        if (wParam == kUninstallTimerId) OnUninstallTimer();
        else OnStartupTick(window);
        break;
    case WM_QUERYENDSESSION:
        // The program may be ended at any moment once the session ends: a removal must not stop halfway
        // between its two commands, so it completes before the answer.
        OnSessionEnd();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) OnSessionEnd();
        break;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return 0;
}

}  // namespace zv
