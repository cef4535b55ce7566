// The hidden window of the resident program: the tray icon and its menu, the start-up wait, the Open and
// Exit commands and the close request.
#pragma once

#include <windows.h>

namespace zv {

constexpr const char kTrayWindowClass[] = "Zolvane Control";
constexpr const char kTrayWindowTitle[] = "ZVCTRL";
constexpr UINT kTrayCallbackMessage = WM_APP;
constexpr UINT kTrayIconId = 1;
// Any message carrying this wParam asks the resident program to end.
constexpr WPARAM kCloseRequest = 8966;

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void AddTrayIcon();
void RemoveTrayIcon();

// A message box with the program's caption and a text from the string table.
int ShowMessage(HWND owner, UINT stringId, UINT style);

}  // namespace zv
