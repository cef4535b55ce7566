#include <windows.h>

#include "panel/control_panel_dialog.h"

#include "app/application.h"
#include "driver/driver_config.h"
#include "panel/centering.h"
#include "platform/win32/system.h"
#include "res/resource.h"

namespace zv {
namespace {

void CenterOnDesktop(HWND dialog) {
    RECT own, desktop;
    GetWindowRect(dialog, &own);
    GetWindowRect(GetDesktopWindow(), &desktop);
    ScreenPoint origin = CenteredOrigin({own.left, own.top, own.right, own.bottom},
                                        {desktop.left, desktop.top, desktop.right, desktop.bottom});
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ShowDriverVersion(HWND dialog) {
    char version[40] = {};
    System().profile.GetString("DESCRIPTION", "DRIVERVERSION", "", version, sizeof version, kSoundCfgFile);
    SetDlgItemTextA(dialog, IDC_DRIVER_VERSION, version);
}

void Close(HWND dialog, INT_PTR result) {
    App().openPanel = nullptr;
    EndDialog(dialog, result);
}

}  // namespace

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        App().openPanel = dialog;
        CenterOnDesktop(dialog);
        ShowDriverVersion(dialog);
        SetForegroundWindow(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Close(dialog, TRUE);
            break;
        case IDCANCEL:
            Close(dialog, FALSE);
            break;
        default:
            break;
        }
        return FALSE;
    case WM_CLOSE:
        Close(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
