#include <windows.h>

#include "pages/general/general_page.h"

#include "res/resource.h"

namespace zv {
namespace {

constexpr int kSpeakerButtons[] = {IDC_SPEAKERS_2, IDC_SPEAKERS_STEREO_X2, IDC_SPEAKERS_4, IDC_SPEAKERS_6};

// The hidden Headphone button sits in the speaker buttons' group. Some dialog managers walk a group with a
// hidden member forever when an automatic radio button is clicked, so it is given a group of its own.
void SeparateHiddenHeadphoneButton(HWND page) {
    HWND headphone = GetDlgItem(page, IDC_HEADPHONE);
    if (headphone) SetWindowLongA(headphone, GWL_STYLE, GetWindowLongA(headphone, GWL_STYLE) | WS_GROUP);
}

void OnCommand(HWND page, int id) {
    for (int button : kSpeakerButtons)
        if (id == button) EnableApply(page);
}

}  // namespace

void Win32DebugOutput::Write(const char* text) { OutputDebugStringA(text); }

GeneralPage::GeneralPage(Registry& registry, DriverConfig& driver, LibraryLoader& libraries, SoundSystem& sound,
                         DebugOutput& debug)
    : speakers_(registry, driver, libraries, sound, debug) {}

UINT GeneralPage::GetTitleId() { return IDS_GENERAL_TITLE; }
LPCSTR GeneralPage::GetTemplateName() { return MAKEINTRESOURCEA(IDD_GENERAL_PAGE); }
DLGPROC GeneralPage::GetDialogProc() { return GeneralPageProc; }

void GeneralPage::LoadSettings(SoundObject*, SoundPropertySet*) { speakers_.LoadSettings(); }

void GeneralPage::ApplySettings(SoundObject*, SoundPropertySet*) {
    speakers_.ApplySettings(GetActiveWindow());
}

void GeneralPage::ShowSettings(HWND page) {
    for (int button : kSpeakerButtons) CheckDlgButton(page, button, BST_UNCHECKED);
    SpeakerButtons buttons = speakers_.ShowSettings();
    for (int button : kSpeakerButtons)
        if (!buttons.Enabled(button)) EnableWindow(GetDlgItem(page, button), FALSE);
    CheckDlgButton(page, buttons.checkedId, BST_CHECKED);
}

void GeneralPage::ReadControls(HWND page) {
    SpeakerChecks checks;
    checks.two = IsButtonChecked(page, IDC_SPEAKERS_2);
    checks.stereoX2 = IsButtonChecked(page, IDC_SPEAKERS_STEREO_X2);
    checks.four = IsButtonChecked(page, IDC_SPEAKERS_4);
    checks.six = IsButtonChecked(page, IDC_SPEAKERS_6);
    speakers_.ReadControls(checks);
    // The speaker pictures follow the choice once it is read.
    RECT box;
    GetWindowRect(GetDlgItem(page, IDC_SPEAKER_TEST_BOX), &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
    InvalidateRect(page, &box, TRUE);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* object = static_cast<GeneralPage*>(reinterpret_cast<ControlPage*>(lParam));
        AttachPage(page, object);
        PositionPage(page);
        SeparateHiddenHeadphoneButton(page);
        object->ShowSettings(page);
        return TRUE;
    }
    case WM_DESTROY:
        if (ControlPage* object = AttachedPage(page)) object->ReadControls(page);
        return FALSE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam));
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
