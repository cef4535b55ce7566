#include <windows.h>

#include "platform/win32/ui.h"

#include "res/resource.h"

namespace zv {

HINSTANCE ProgramModule() { return GetModuleHandleA(nullptr); }

int ShowMessageText(HWND owner, const char* text, UINT style) {
    char caption[80] = {};
    LoadStringA(ProgramModule(), IDS_CONTROL_PANEL_TITLE, caption, sizeof caption);
    return MessageBoxA(owner, text, caption, style);
}

int ShowMessage(HWND owner, UINT stringId, UINT style) {
    char text[256] = {};
    LoadStringA(ProgramModule(), stringId, text, sizeof text);
    return ShowMessageText(owner, text, style);
}

}  // namespace zv
