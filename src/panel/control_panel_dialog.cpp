#include <windows.h>

#include "panel/control_panel_dialog.h"

#include <commctrl.h>

#include "panel/centering.h"
#include "panel/control_page.h"
#include "panel/help_table.h"
#include "panel/sound_session.h"
#include "platform/win32/ui.h"
#include "res/resource.h"

namespace zv {
namespace {

// What one opening of the dialog holds besides its controls; it lives on the stack of RunControlPanel
// and in the dialog's user data.
struct OpenPanel {
    explicit OpenPanel(PanelContext& context) : context(context) {}
    PanelContext& context;
    LPCDLGTEMPLATEA templates[4] = {};
    HWND currentPage = nullptr;
};

OpenPanel* PanelOf(HWND dialog) { return reinterpret_cast<OpenPanel*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// Every pass runs on the first of the card's devices, or on the default device when none was found.
const Guid* SessionDevice(const PanelContext& context) {
    const SoundDeviceList& list = context.devices;
    return list.count >= 1 ? &list.devices[0] : nullptr;
}

enum class Pass { kLoad, kApply };

// Opens a session for one pass over the pages; a session that cannot open skips the pass silently.
void RunPass(HWND dialog, PanelContext& context, Pass pass) {
    SoundObject* sound = nullptr;
    SoundPropertySet* properties = nullptr;
    if (Failed(OpenSoundSession(context.sound, SessionDevice(context), dialog, &sound, &properties))) return;
    PageList& pages = context.pages;
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
    HRSRC resource = FindResourceA(ProgramModule(), name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = resource ? LoadResource(ProgramModule(), resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEA>(LockResource(loaded)) : nullptr;
}

void ShowSelectedPage(HWND dialog, OpenPanel& panel) {
    if (panel.currentPage) {
        DestroyWindow(panel.currentPage);  // the page saves its controls while it goes
        panel.currentPage = nullptr;
    }
    HWND apply = GetDlgItem(dialog, IDC_APPLY);
    BOOL applyWasEnabled = IsWindowEnabled(apply);
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    int i = TabCtrl_GetCurSel(tabs);
    PageList& pages = panel.context.pages;
    if (i < 0 || i >= pages.count || !panel.templates[i]) return;
    ControlPage* page = pages.pages[i];
    panel.currentPage = CreateDialogIndirectParamA(ProgramModule(), panel.templates[i], dialog, page->GetDialogProc(),
                                                   reinterpret_cast<LPARAM>(page));
    ShowWindow(panel.currentPage, SW_SHOWNORMAL);
    SetFocus(tabs);
    EnableWindow(apply, applyWasEnabled);
}

void OnInitDialog(HWND dialog, OpenPanel& panel) {
    PanelContext& context = panel.context;
    context.openPanel = dialog;
    CenterOnDesktop(dialog);

    SoundObject* sound = nullptr;
    SoundPropertySet* properties = nullptr;
    bool sessionOpen =
        !Failed(OpenSoundSession(context.sound, SessionDevice(context), dialog, &sound, &properties));
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    PageList& pages = context.pages;
    for (int32_t i = 0; i < pages.count; ++i) {
        ControlPage* page = pages.pages[i];
        char title[50] = {};
        LoadStringA(ProgramModule(), page->GetTitleId(), title, sizeof title);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        panel.templates[i] = LockTemplate(page->GetTemplateName());
        if (sessionOpen) page->LoadSettings(sound, properties);
    }
    if (sessionOpen) CloseSoundSession(&sound, &properties);

    char version[kDriverVersionSize] = {};
    context.driver.ReadSoundCfg(kCfgDescription, kCfgDriverVersion, "", version, sizeof version);
    SetDlgItemTextA(dialog, IDC_DRIVER_VERSION, version);

    ShowSelectedPage(dialog, panel);
    SetForegroundWindow(dialog);
}

// A test sound must not go on under an apply pass or after the dialog has gone. The stop may show an
// error box, whose message loop may end the program (Exit, the close request, the end of a removal)
// and with it this dialog: false when the dialog is gone.
bool StopPageSounds(HWND dialog, OpenPanel& panel) {
    HWND window = panel.currentPage ? panel.currentPage : dialog;
    PageList& pages = panel.context.pages;
    for (int32_t i = 0; i < pages.count; ++i) pages.pages[i]->StopSound(window);
    return IsWindow(dialog) != FALSE;
}

bool SettingsHeld(PageList& pages) {
    for (int32_t i = 0; i < pages.count; ++i)
        if (pages.pages[i]->HoldsSettings()) return true;
    return false;
}

// Cancel's closing steps, which OK shares.
void ClosePanel(HWND dialog, OpenPanel& panel, INT_PTR result) {
    if (!StopPageSounds(dialog, panel)) return;
    panel.context.openPanel = nullptr;
    WinHelpA(dialog, kHelpFile, HELP_QUIT, 0);
    panel.currentPage = nullptr;  // destroyed with the dialog
    EndDialog(dialog, result);
}

void OnOkOrApply(HWND dialog, OpenPanel& panel, bool ok) {
    PageList& pages = panel.context.pages;
    int i = TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_TABS));
    if (i < 0 || i >= pages.count) i = -1;
    // Without a page window there are no controls to read, and reading none would reset the page's values.
    // They are read first, before anything can show a box.
    if (HWND current = panel.currentPage; current && i >= 0) pages.pages[i]->ReadControls(current);
    if (!StopPageSounds(dialog, panel)) return;
    // While the driver is being removed nothing reaches it, and the removal ends the program anyway.
    if (!SettingsHeld(pages)) RunPass(dialog, panel.context, Pass::kApply);
    if (!IsWindow(dialog)) return;
    if (ok) {
        ClosePanel(dialog, panel, TRUE);
        return;
    }
    RunPass(dialog, panel.context, Pass::kLoad);
    if (!IsWindow(dialog)) return;
    if (HWND current = panel.currentPage; current && i >= 0) pages.pages[i]->ShowSettings(current);
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
}

void OnNotify(HWND dialog, OpenPanel& panel, const NMHDR* header) {
    if (header->idFrom != IDC_TABS) return;
    if (header->code == TCN_SELCHANGE) {
        ShowSelectedPage(dialog, panel);
    } else if (header->code == TCN_KEYDOWN &&
               reinterpret_cast<const NMTCKEYDOWN*>(header)->wVKey == VK_TAB && panel.currentPage) {
        SetFocus(panel.currentPage);
    }
}

void OnHelp(PanelContext& context, const HELPINFO* info) {
    if (info->iContextType == HELPINFO_WINDOW && (info->iCtrlId & 0xFFFF) != 0xFFFF) {
        WinHelpA(static_cast<HWND>(info->hItemHandle), kHelpFile, HELP_WM_HELP,
                 reinterpret_cast<ULONG_PTR>(kHelpTable));
    }
    ++context.helpRequests;
}

}  // namespace

void RunControlPanel(HWND owner, PanelContext& context) {
    OpenPanel panel(context);
    DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(IDD_CONTROL_PANEL), owner, ControlPanelDialogProc,
                    reinterpret_cast<LPARAM>(&panel));
    context.openPanel = nullptr;  // also when the dialog went down with its owner
}

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* panel = reinterpret_cast<OpenPanel*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(panel));
        OnInitDialog(dialog, *panel);
        return TRUE;
    }
    OpenPanel* panel = PanelOf(dialog);
    if (!panel) return FALSE;
    switch (message) {
    case WM_NOTIFY:
        OnNotify(dialog, *panel, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOkOrApply(dialog, *panel, true);
            break;
        case IDC_APPLY:
            OnOkOrApply(dialog, *panel, false);
            break;
        case IDCANCEL:
            ClosePanel(dialog, *panel, FALSE);
            break;
        default:
            break;
        }
        return FALSE;
    case WM_HELP:
        OnHelp(panel->context, reinterpret_cast<const HELPINFO*>(lParam));
        return FALSE;
    case WM_CONTEXTMENU:
        WinHelpA(reinterpret_cast<HWND>(wParam), kHelpFile, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(kHelpTable));
        return FALSE;
    case WM_CLOSE:
        // The close box neither applies nor closes help.
        if (!StopPageSounds(dialog, *panel)) return FALSE;
        panel->context.openPanel = nullptr;
        panel->currentPage = nullptr;
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
