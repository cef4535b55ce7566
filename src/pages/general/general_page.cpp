#include <windows.h>

#include "pages/general/general_page.h"

#include <mmsystem.h>

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

GeneralPage* PageOf(HWND page) { return static_cast<GeneralPage*>(AttachedPage(page)); }

void OnCommand(HWND page, int id) {
    for (int button : kSpeakerButtons)
        if (id == button) EnableApply(page);
    GeneralPage* object = PageOf(page);
    if (!object) return;
    // Nothing sounds while the driver is being removed.
    if (((id >= IDC_SPEAKER_FRONT_LEFT && id <= IDC_SPEAKER_SUBWOOFER) || id == IDC_TEST_ALL) &&
        !object->Uninstall().Underway())
        object->Test().OnCommand(id, page);
    if (id == IDC_UNINSTALL) object->Uninstall().Start(page);
}

}  // namespace

void Win32DebugOutput::Write(const char* text) { OutputDebugStringA(text); }

GeneralPage::GeneralPage(Registry& registry, DriverConfig& driver, LibraryLoader& libraries, SoundSystem& sound,
                         DebugOutput& debug, FileSystem& files, WavePlayer& player, int32_t& helpRequests,
                         Removal& removal)
    : speakers_(registry, driver, libraries, sound, debug),
      test_(player, files, testWindow_, speakers_.ShownSpeakerType),
      helpRequests_(helpRequests),
      removal_(removal) {}

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
    test_.Reset();  // the arrangement, and so the speakers, may have changed
}

void GeneralPage::ReadControls(HWND page) {
    SpeakerChecks checks;
    checks.two = IsButtonChecked(page, IDC_SPEAKERS_2);
    checks.stereoX2 = IsButtonChecked(page, IDC_SPEAKERS_STEREO_X2);
    checks.four = IsButtonChecked(page, IDC_SPEAKERS_4);
    checks.six = IsButtonChecked(page, IDC_SPEAKERS_6);
    speakers_.ReadControls(checks);
    // The speaker pictures follow the choice once it is read.
    RECT box = ControlArea(page, IDC_SPEAKER_TEST_BOX);
    InvalidateRect(page, &box, TRUE);
}

bool GeneralPage::HoldsSettings() { return removal_.Underway(); }

void GeneralPage::StopSound(HWND window) {
    if (test_.Playing()) test_.Toggle(window);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* object = static_cast<GeneralPage*>(reinterpret_cast<ControlPage*>(lParam));
        AttachPage(page, object);
        PositionPage(page);
        SeparateHiddenHeadphoneButton(page);
        object->ShowSettings(page);
        // A page shown again while the driver is being removed cannot start a test or a second removal.
        if (object->Uninstall().Underway()) DisableRemovalButtons(page);
        return TRUE;
    }
    case WM_DESTROY:
        // The controls are read before the stop, whose error box may outlast them.
        if (GeneralPage* object = PageOf(page)) {
            object->ReadControls(page);
            object->StopSound(page);
        }
        return FALSE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam));
        return FALSE;
    case WM_PAINT:
        if (GeneralPage* object = PageOf(page)) PaintSpeakerTest(page, object->Test());
        return FALSE;
    case WM_SETCURSOR: {
        GeneralPage* object = PageOf(page);
        if (!object || !SetSpeakerCursor(page, object->Test())) return FALSE;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        if (GeneralPage* object = PageOf(page)) object->HelpRequests() = 0;
        return FALSE;
    case WM_LBUTTONUP:
        if (GeneralPage* object = PageOf(page)) ClickSpeaker(page, object->Test(), object->HelpRequests());
        return FALSE;
    case MM_MCINOTIFY:
        if (GeneralPage* object = PageOf(page)) object->Test().OnSoundEnd(static_cast<uint32_t>(wParam), page);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zv
