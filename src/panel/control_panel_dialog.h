// The modal "Zolvane Control Panel" dialog that the tray's Open command runs: one tab per page, OK,
// Cancel and Apply, the driver version and context help.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zv {

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Raised by every help request to the dialog; the General page clears it when a click starts, so that a
// click that picked a control for help does not act on that control.
int32_t& HelpRequestCount();

}  // namespace zv
