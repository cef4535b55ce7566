#include <windows.h>

#include "app/tray_window.h"

#include <shellapi.h>

#include "app/sound_discovery.h"
#include "driver/helper_library.h"
#include "platform/win32/ui.h"
#include "res/resource.h"

namespace zv {
namespace {

// The Windows 95 layout of the notification record, which every shell accepts.
#if defined(_WIN64)
constexpr DWORD kNotifyIconV1Size = NOTIFYICONDATAA_V1_SIZE;
#else
constexpr DWORD kNotifyIconV1Size = 88;
static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconV1Size, "the first notification record layout is 88 bytes");
#endif

}  // namespace

TrayWindow::TrayWindow(LibraryLoader& libraries, SoundSystem& sound, SoundDeviceList& devices, PanelContext& panel)
    : libraries_(libraries), sound_(sound), devices_(devices), panel_(panel) {}

HWND TrayWindow::Create(HINSTANCE instance, bool openAtStart) {
    openAtStart_ = openAtStart;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassA(&windowClass);
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    return CreateWindowExA(WS_EX_TOOLWINDOW, kTrayWindowClass, kTrayWindowTitle, WS_DISABLED, 0, 0, 0, 0, nullptr,
                           nullptr, instance, this);
}

void TrayWindow::AddIcon() {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = kNotifyIconV1Size;
    icon.hWnd = window_;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayCallbackMessage;
    icon.hIcon = icon_;
    LoadStringA(ProgramModule(), IDS_CONTROL_PANEL_TITLE, icon.szTip, 64);
    Shell_NotifyIconA(NIM_ADD, &icon);
}

void TrayWindow::RemoveIcon() {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = kNotifyIconV1Size;
    icon.hWnd = window_;
    icon.uID = kTrayIconId;
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

void TrayWindow::FreeIcon() {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
}

bool TrayWindow::StartRemovalTimer(UINT periodMs, Removal& removal) {
    removal_ = &removal;
    return SetTimer(window_, kRemovalTimerId, periodMs, nullptr) != 0;
}

void TrayWindow::StopRemovalTimer() { KillTimer(window_, kRemovalTimerId); }

void TrayWindow::EndProgram() { DestroyWindow(window_); }

void TrayWindow::RunCommand(UINT command) {
    switch (command) {
    case IDM_EXIT:
        // Held back while the driver is being removed, as the close request is: the removal ends the program.
        if (!RemovalUnderway()) DestroyWindow(window_);
        break;
    case IDM_OPEN:
        if (panel_.openPanel) SetForegroundWindow(panel_.openPanel);
        else RunControlPanel(window_, panel_);
        break;
    default:
        break;
    }
}

void TrayWindow::ShowMenu() {
    HMENU menu = LoadMenuA(ProgramModule(), MAKEINTRESOURCEA(IDM_TRAY));
    if (!menu) return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window_);
    HMENU popup = GetSubMenu(menu, 0);
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    UINT command = TrackPopupMenu(popup, flags, cursor.x, cursor.y, 0, window_, nullptr);
    if (command == 0) command = TrackPopupMenu(popup, flags, cursor.x, cursor.y, 0, window_, nullptr);
    DestroyMenu(menu);
    RunCommand(command);
    PostMessageA(window_, WM_NULL, 0, 0);
}

void TrayWindow::OnCreate() {
    icon_ = static_cast<HICON>(LoadImageA(ProgramModule(), MAKEINTRESOURCEA(IDI_ZVCTRL), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                          LR_DEFAULTCOLOR));
    if (openAtStart_) {
        PostMessageA(window_, WM_COMMAND, IDM_OPEN, 0);
        return;
    }
    startupWait_.Start();
    if (SetTimer(window_, StartupWait::kTimerId, StartupWait::kPeriodMs, nullptr))
        waitLibrary_ = libraries_.Load(kHelperLibraryName);
}

void TrayWindow::OnStartupTick() {
    if (startupWait_.Ended()) return;
    int32_t busy = CallDll32(libraries_, waitLibrary_, kCmdDriverBusy);
    if (!startupWait_.Tick(busy)) return;

    DiscoverSoundDevices(sound_, window_, devices_);
    KillTimer(window_, StartupWait::kTimerId);
    if (waitLibrary_) libraries_.Free(waitLibrary_);
    waitLibrary_ = nullptr;
    if (devices_.count == 0) ShowMessage(window_, IDS_NO_DIRECTX, MB_OK);
    // The box lets Exit and the close request through: a window that went meanwhile gets no icon.
    if (IsWindow(window_)) AddIcon();
}

LRESULT CALLBACK TrayWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* tray = static_cast<TrayWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        tray->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tray));
    }
    auto* tray = reinterpret_cast<TrayWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!tray) return DefWindowProcA(window, message, wParam, lParam);
    return tray->OnMessage(message, wParam, lParam);
}

LRESULT TrayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The close request waits while the driver is being removed: the removal ends the program itself.
    if (wParam == kCloseRequest && !RemovalUnderway()) DestroyWindow(window_);

    if (message == kTrayCallbackMessage) {
        switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            // The second Open reaches the dialog's own loop once the dialog exists, and brings it forward.
            PostMessageA(window_, WM_COMMAND, IDM_OPEN, 0);
            PostMessageA(window_, WM_COMMAND, IDM_OPEN, 0);
            PostMessageA(window_, WM_NULL, 0, 0);
            break;
        case WM_RBUTTONDOWN:
            ShowMenu();
            break;
        default:
            break;
        }
        return 0;
    }
    if (message == taskbarCreatedMessage_ && message != 0) {
        AddIcon();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_COMMAND:
        RunCommand(LOWORD(wParam));
        break;
    case WM_TIMER:
        if (wParam != kRemovalTimerId) OnStartupTick();
        else if (removal_) removal_->OnTimer();
        break;
    case WM_QUERYENDSESSION:
        // The program may be ended at any moment once the session ends: a removal must not stop halfway
        // between its two commands, so it completes before the answer.
        if (removal_) removal_->OnSessionEnd();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && removal_) removal_->OnSessionEnd();
        break;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
    return 0;
}

}  // namespace zv
