#include <windows.h>

#include "panel/control_panel_dialog.h"

#include <commctrl.h>

#include "app/application.h"
#include "panel/centering.h"
#include "panel/control_page.h"
#include "panel/help_table.h"
#include "panel/page_set.h"
#include "panel/sound_session.h"
#include "platform/win32/system.h"
#include "res/resource.h"

namespace zv {
namespace {

// What the open dialog holds besides its controls.
struct PanelState {
    LPCDLGTEMPLATEA templates[4] = {};
    HWND currentPage = nullptr;
};

PanelState& Panel() {
    static PanelState state;
    return state;
}

HINSTANCE Module() { return static_cast<HINSTANCE>(App().module); }

// Every pass runs on the first of the card's devices, or on the default device when none was found.
const Guid* SessionDevice() {
    const SoundDeviceList& list = App().soundDevices;
    return list.count >= 1 ? &list.devices[0] : nullptr;
}

enum class Pass { kLoad, kApply };

// Opens a session for one pass over the pages; a session that cannot open skips the pass silently.
void RunPass(HWND dialog, Pass pass) {
    SoundObject* sound = nullptr;
    SoundPropertySet* properties = nullptr;
    if (Failed(OpenSoundSession(System().sound, SessionDevice(), dialog, &sound, &properties))) return;
    PageList& pages = Pages();
    for (int32_t i = 0; i < pages.count; ++i) {
        if (pass == Pass::kLoad) pages.pages[i]->LoadSettings(sound, properties);
        else pages.pages[i]->ApplySettings(sound, properties);
    }
    CloseSoundSession(&sound, &properties);
}

void CenterOnDesktop(HWND dialog) {
    RECT own, desktop;
    GetWindowRect(dialog, &own);
    GetWindowRect(GetDesktopWindow(), &desktop);
    ScreenPoint origin = CenteredOrigin({own.left, own.top, own.right, own.bottom},
                                        {desktop.left, desktop.top, desktop.right, desktop.bottom});
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LPCDLGTEMPLATEA LockTemplate(LPCSTR name) {
    HRSRC resource = FindResourceA(Module(), name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = resource ? LoadResource(Module(), resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEA>(LockResource(loaded)) : nullptr;
}

void ShowSelectedPage(HWND dialog) {
    PanelState& panel = Panel();
    if (panel.currentPage) {
        DestroyWindow(panel.currentPage);  // the page saves its controls while it goes
        panel.currentPage = nullptr;
    }
    HWND apply = GetDlgItem(dialog, IDC_APPLY);
    BOOL applyWasEnabled = IsWindowEnabled(apply);
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    int i = TabCtrl_GetCurSel(tabs);
    PageList& pages = Pages();
    if (i < 0 || i >= pages.count || !panel.templates[i]) return;
    ControlPage* page = pages.pages[i];
    panel.currentPage = CreateDialogIndirectParamA(Module(), panel.templates[i], dialog, page->GetDialogProc(),
                                                   reinterpret_cast<LPARAM>(page));
    ShowWindow(panel.currentPage, SW_SHOWNORMAL);
    SetFocus(tabs);
    EnableWindow(apply, applyWasEnabled);
}

void OnInitDialog(HWND dialog) {
    App().openPanel = dialog;
    CenterOnDesktop(dialog);

    SoundObject* sound = nullptr;
    SoundPropertySet* properties = nullptr;
    bool sessionOpen = !Failed(OpenSoundSession(System().sound, SessionDevice(), dialog, &sound, &properties));
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    PageList& pages = Pages();
    for (int32_t i = 0; i < pages.count; ++i) {
        ControlPage* page = pages.pages[i];
        char title[50] = {};
        LoadStringA(Module(), page->GetTitleId(), title, sizeof title);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        Panel().templates[i] = LockTemplate(page->GetTemplateName());
        if (sessionOpen) page->LoadSettings(sound, properties);
    }
    if (sessionOpen) CloseSoundSession(&sound, &properties);

    char version[kDriverVersionSize] = {};
    System().driver.ReadSoundCfg(kCfgDescription, kCfgDriverVersion, "", version, sizeof version);
    SetDlgItemTextA(dialog, IDC_DRIVER_VERSION, version);

    ShowSelectedPage(dialog);
    SetForegroundWindow(dialog);
}

// A test sound must not go on under an apply pass or after the dialog has gone. The stop may show an
// error box, whose message loop may end the program (Exit, the close request, the end of a removal)
// and with it this dialog: false when the dialog is gone.
bool StopPageSounds(HWND dialog) {
    HWND window = Panel().currentPage ? Panel().currentPage : dialog;
    PageList& pages = Pages();
    for (int32_t i = 0; i < pages.count; ++i) pages.pages[i]->StopSound(window);
    return IsWindow(dialog) != FALSE;
}

bool SettingsHeld() {
    PageList& pages = Pages();
    for (int32_t i = 0; i < pages.count; ++i)
        if (pages.pages[i]->HoldsSettings()) return true;
    return false;
}

// Cancel's closing steps, which OK shares.
void ClosePanel(HWND dialog, INT_PTR result) {
    if (!StopPageSounds(dialog)) return;
    App().openPanel = nullptr;
    WinHelpA(dialog, kHelpFile, HELP_QUIT, 0);
    Panel().currentPage = nullptr;  // destroyed with the dialog
    EndDialog(dialog, result);
}

void OnOkOrApply(HWND dialog, bool ok) {
    PageList& pages = Pages();
    int i = TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_TABS));
    if (i < 0 || i >= pages.count) i = -1;
    // Without a page window there are no controls to read, and reading none would reset the page's values.
    // They are read first, before anything can show a box.
    if (HWND current = Panel().currentPage; current && i >= 0) pages.pages[i]->ReadControls(current);
    if (!StopPageSounds(dialog)) return;
    // While the driver is being removed nothing reaches it, and the removal ends the program anyway.
    if (!SettingsHeld()) RunPass(dialog, Pass::kApply);
    if (!IsWindow(dialog)) return;
    if (ok) {
        ClosePanel(dialog, TRUE);
        return;
    }
    RunPass(dialog, Pass::kLoad);
    if (!IsWindow(dialog)) return;
    if (HWND current = Panel().currentPage; current && i >= 0) pages.pages[i]->ShowSettings(current);
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
}

void OnNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != IDC_TABS) return;
    if (header->code == TCN_SELCHANGE) {
        ShowSelectedPage(dialog);
    } else if (header->code == TCN_KEYDOWN &&
               reinterpret_cast<const NMTCKEYDOWN*>(header)->wVKey == VK_TAB && Panel().currentPage) {
        SetFocus(Panel().currentPage);
    }
}

void OnHelp(const HELPINFO* info) {
    if (info->iContextType == HELPINFO_WINDOW && (info->iCtrlId & 0xFFFF) != 0xFFFF) {
        WinHelpA(static_cast<HWND>(info->hItemHandle), kHelpFile, HELP_WM_HELP,
                 reinterpret_cast<ULONG_PTR>(kHelpTable));
    }
    ++HelpRequestCount();
}

}  // namespace

int32_t& HelpRequestCount() {
    static int32_t count = 0;
    return count;
}

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_NOTIFY:
        OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOkOrApply(dialog, true);
            break;
        case IDC_APPLY:
            OnOkOrApply(dialog, false);
            break;
        case IDCANCEL:
            ClosePanel(dialog, FALSE);
            break;
        default:
            break;
        }
        return FALSE;
    case WM_HELP:
        OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
        return FALSE;
    case WM_CONTEXTMENU:
        WinHelpA(reinterpret_cast<HWND>(wParam), kHelpFile, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(kHelpTable));
        return FALSE;
    case WM_CLOSE:
        // The close box neither applies nor closes help.
        if (!StopPageSounds(dialog)) return FALSE;
        App().openPanel = nullptr;
        Panel().currentPage = nullptr;
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
