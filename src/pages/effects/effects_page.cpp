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

// The controls that only carry a value of the record, in the order they are shown and read.
constexpr ControlField<EffectsControls> kFields[] = {
    RadioPairField(IDC_QSOUND, IDC_STEREO, &EffectsControls::qsound),
    CheckBoxField(IDC_ELEVATION, &EffectsControls::elevation),
    CheckBoxField(IDC_REVERB, &EffectsControls::reverb),
    CheckBoxField(IDC_BASS_BOOST, &EffectsControls::bassBoost),
    CheckBoxField(IDC_RATE_CONVERSION, &EffectsControls::rateConversion),
    CheckBoxField(IDC_SPLASH_LOGO, &EffectsControls::splash),
    ComboBoxField(IDC_ENVIRONMENT, &EffectsControls::environment),
    TrackBarField(IDC_CPU_USAGE, &EffectsControls::cpuUsage),
    CheckBoxField(IDC_STEREO_EXPAND, &EffectsControls::stereoExpand),
    TrackBarField(IDC_SPREAD, &EffectsControls::spread),
    TrackBarField(IDC_CENTER, &EffectsControls::center),
};

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

void EffectsPage::LoadSettings(SoundObject*, SoundPropertySet* properties) {
    if (properties) LoadQ3DSettings(settings_, *properties, registry_);
}

void EffectsPage::ApplySettings(SoundObject*, SoundPropertySet* properties) {
    ApplyQ3DSettings(settings_, properties, registry_);
}

void EffectsPage::ShowSettings(HWND page) { ShowFields(page, kFields, ControlsFromSettings(settings_)); }

void EffectsPage::ReadControls(HWND page) {
    EffectsControls controls;
    ReadFields(page, kFields, controls);
    SettingsFromControls(controls, settings_);
}

void EffectsPage::OnInitDialog(HWND page) {
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
    ShowSettings(page);
}

bool EffectsPage::OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return true;
    case WM_HSCROLL:
        OnHScroll(page, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    default:
        return false;
    }
}

}  // namespace zv
