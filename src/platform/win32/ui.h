// What every window of the program shares: the module its resources come from, the message box with the
// program's caption, and the wait cursor around work that blocks the thread.
#pragma once

#include <windows.h>

namespace zv {

// The program's own module: every string, template, menu, icon, bitmap and cursor is loaded from it.
HINSTANCE ProgramModule();

// A message box with the program's caption (string 51) and a text from the string table; returns the
// button pressed.
int ShowMessage(HWND owner, UINT stringId, UINT style);
// The same box with a text of the system's own, such as an MCI error's.
int ShowMessageText(HWND owner, const char* text, UINT style);

// The wait cursor, and the cursor it replaced back afterwards.
class WaitCursor {
public:
    void Begin() { kept_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
    void End() { SetCursor(kept_); }

private:
    HCURSOR kept_ = nullptr;
};

}  // namespace zv
