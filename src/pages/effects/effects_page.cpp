#include <windows.h>

#include "pages/effects/effects_page.h"

#include <commctrl.h>

#include "res/resource.h"

namespace zv {
namespace {

// Every check box and radio button of the template, the hidden ones included.
constexpr int kButtons[] = {IDC_FX_SPEAKERS, IDC_ELEVATION,      IDC_BASS_BOOST, IDC_REVERB,
                            IDC_RATE_CONVERSION, IDC_QSOUND,     IDC_STEREO,     IDC_FX_HEADPHONES,
                            IDC_FX_MONO,     IDC_STEREO_EXPAND,  IDC_SPLASH_LOGO, IDC_FX_QUAD};

void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

int TrackPosition(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }

void SetTrackPosition(HWND page, int id, int position) {
    SendDlgItemMessageA(page, id, TBM_SETPOS, TRUE, position);
}

void OnInitDialog(HWND page, EffectsPage* object) {
    AttachPage(page, object);
    PositionPage(page);
    HWND list = GetDlgItem(page, IDC_ENVIRONMENT);
    // The strings come from the module whose template made the page, the program's own.
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
    for (int id = IDS_FIRST_ENVIRONMENT; id <= IDS_LAST_ENVIRONMENT; ++id) {
        char text[256] = {};
        LoadStringA(module, id, text, sizeof text);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(page, IDC_CPU_USAGE, TBM_SETRANGE, TRUE, MAKELPARAM(0, kCpuUsageHigh));
    SendDlgItemMessageA(page, IDC_SPREAD, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderMax));
    SendDlgItemMessageA(page, IDC_CENTER, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderMax));
    object->ShowSettings(page);
}

void OnCommand(HWND page, int id, int code) {
    if (id == IDC_ENVIRONMENT) {
        if (code == CBN_SELCHANGE) EnableApply(page);
        return;
    }
    for (int button : kButtons)
        if (id == button) EnableApply(page);
}

void OnHScroll(HWND page, int code, HWND control) {
    // Only the end of a drag or step counts as a change; the positions in between are not settings yet.
    if (code != TB_ENDTRACK) return;
    const int id = GetDlgCtrlID(control);
    if (id == IDC_CPU_USAGE || id == IDC_SPREAD || id == IDC_CENTER) EnableApply(page);
}

}  // namespace

EffectsPage::EffectsPage(Registry& registry) : registry_(registry) {}

UINT EffectsPage::GetTitleId() { return IDS_EFFECTS_TITLE; }
LPCSTR EffectsPage::GetTemplateName() { return MAKEINTRESOURCEA(IDD_EFFECTS_PAGE); }
DLGPROC EffectsPage::GetDialogProc() { return EffectsPageProc; }

void EffectsPage::LoadSettings(SoundObject*, SoundPropertySet* properties) {
    if (properties) LoadQ3DSettings(settings_, *properties, registry_);
}

void EffectsPage::ApplySettings(SoundObject*, SoundPropertySet* properties) {
    ApplyQ3DSettings(settings_, properties, registry_);
}

void EffectsPage::ShowSettings(HWND page) {
    const EffectsControls c = ControlsFromSettings(settings_);
    CheckRadioButton(page, IDC_QSOUND, IDC_STEREO, c.qsound ? IDC_QSOUND : IDC_STEREO);
    Check(page, IDC_ELEVATION, c.elevation);
    Check(page, IDC_REVERB, c.reverb);
    Check(page, IDC_BASS_BOOST, c.bassBoost);
    Check(page, IDC_RATE_CONVERSION, c.rateConversion);
    Check(page, IDC_SPLASH_LOGO, c.splash);
    SendDlgItemMessageA(page, IDC_ENVIRONMENT, CB_SETCURSEL, static_cast<WPARAM>(c.environment), 0);
    SetTrackPosition(page, IDC_CPU_USAGE, c.cpuUsage);
    Check(page, IDC_STEREO_EXPAND, c.stereoExpand);
    SetTrackPosition(page, IDC_SPREAD, c.spread);
    SetTrackPosition(page, IDC_CENTER, c.center);
}

void EffectsPage::ReadControls(HWND page) {
    EffectsControls c;
    c.qsound = IsButtonChecked(page, IDC_QSOUND);
    c.elevation = IsButtonChecked(page, IDC_ELEVATION);
    c.reverb = IsButtonChecked(page, IDC_REVERB);
    c.rateConversion = IsButtonChecked(page, IDC_RATE_CONVERSION);
    c.bassBoost = IsButtonChecked(page, IDC_BASS_BOOST);
    c.splash = IsButtonChecked(page, IDC_SPLASH_LOGO);
    c.environment = static_cast<int>(SendDlgItemMessageA(page, IDC_ENVIRONMENT, CB_GETCURSEL, 0, 0));
    c.cpuUsage = TrackPosition(page, IDC_CPU_USAGE);
    c.stereoExpand = IsButtonChecked(page, IDC_STEREO_EXPAND);
    c.spread = TrackPosition(page, IDC_SPREAD);
    c.center = TrackPosition(page, IDC_CENTER);
    SettingsFromControls(c, settings_);
}

INT_PTR CALLBACK EffectsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(page, static_cast<EffectsPage*>(reinterpret_cast<ControlPage*>(lParam)));
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    case WM_HSCROLL:
        OnHScroll(page, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_DESTROY:
        if (ControlPage* object = AttachedPage(page)) object->ReadControls(page);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
