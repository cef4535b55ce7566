// The driver removal on the Win32 side: the "Uninstall" button of the General page starts it, and a timer
// of the tray window, which lives until the end, completes it.
#pragma once

#include <windows.h>

namespace zv {

// Timer of the tray window (the start-up wait uses another).
constexpr UINT_PTR kUninstallTimerId = 1;

void OnUninstallButton(HWND page);
// The removal's timer; nothing when no removal waits.
void OnUninstallTimer();
// The session ends: a removal that waits completes at once.
void OnSessionEnd();
bool UninstallUnderway();
// "Test All" and "Uninstall" while the removal runs.
void DisableRemovalButtons(HWND page);

}  // namespace zv
