#include <windows.h>

#include "panel/control_page.h"

#include <commctrl.h>

#include "res/resource.h"

namespace zv {

void PositionPage(HWND page) {
    HWND dialog = GetParent(page);
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    RECT area;
    GetWindowRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    POINT corner = {area.left, area.top};
    ScreenToClient(dialog, &corner);
    SetWindowPos(page, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE);
}

bool IsButtonChecked(HWND page, int controlId) {
    return SendDlgItemMessageA(page, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void AttachPage(HWND page, ControlPage* object) {
    SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

ControlPage* AttachedPage(HWND page) {
    return reinterpret_cast<ControlPage*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

void EnableApply(HWND page) { EnableWindow(GetDlgItem(GetParent(page), IDC_APPLY), TRUE); }

}  // namespace zv
