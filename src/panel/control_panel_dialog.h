// The modal "Zolvane Control Panel" dialog that the tray's Open command runs.
#pragma once

#include <windows.h>

namespace zv {

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zv
