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

INT_PTR CALLBACK ControlPage::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* object = reinterpret_cast<ControlPage*>(lParam);
        AttachPage(page, object);
        PositionPage(page);
        if (object) object->OnInitDialog(page);
        return TRUE;
    }
    ControlPage* object = AttachedPage(page);
    if (!object) return FALSE;
    switch (message) {
    case WM_HELP:
    case WM_CONTEXTMENU:
        // The dialog answers help for its pages' controls as for its own.
        SendMessageA(GetParent(page), message, wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        object->OnDestroy(page);
        AttachPage(page, nullptr);
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        return object->OnMessage(page, message, wParam, lParam, result) ? result : FALSE;
    }
    }
}

void ShowControlValue(HWND page, ControlKind kind, int id, int otherId, int value) {
    switch (kind) {
    case ControlKind::kCheckBox:
        CheckDlgButton(page, id, value ? BST_CHECKED : BST_UNCHECKED);
        break;
    case ControlKind::kRadioPair:
        CheckRadioButton(page, id < otherId ? id : otherId, id < otherId ? otherId : id, value ? id : otherId);
        break;
    case ControlKind::kTrackBar:
        SendDlgItemMessageA(page, id, TBM_SETPOS, TRUE, value);
        break;
    case ControlKind::kComboBox:
        SendDlgItemMessageA(page, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        break;
    }
}

int ReadControlValue(HWND page, ControlKind kind, int id) {
    switch (kind) {
    case ControlKind::kCheckBox:
    case ControlKind::kRadioPair:
        return IsButtonChecked(page, id) ? 1 : 0;
    case ControlKind::kTrackBar:
        return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0));
    case ControlKind::kComboBox:
        return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
    }
    return 0;
}

}  // namespace zv
