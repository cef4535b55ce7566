#include <windows.h>

#include "pages/general/general_page.h"

#include <mmsystem.h>

#include "res/resource.h"

namespace zv {
namespace {

// The speaker arrangement's radio buttons, as the page reads them.
constexpr ControlField<SpeakerChecks> kSpeakerButtons[] = {
    CheckBoxField(IDC_SPEAKERS_2, &SpeakerChecks::two),
    CheckBoxField(IDC_SPEAKERS_STEREO_X2, &SpeakerChecks::stereoX2),
    CheckBoxField(IDC_SPEAKERS_4, &SpeakerChecks::four),
    CheckBoxField(IDC_SPEAKERS_6, &SpeakerChecks::six),
};

// The hidden Headphone button sits in the speaker buttons' group. Some dialog managers walk a group with a
// hidden member forever when an automatic radio button is clicked, so it is given a group of its own.
void SeparateHiddenHeadphoneButton(HWND page) {
    HWND headphone = GetDlgItem(page, IDC_HEADPHONE);
    if (headphone) SetWindowLongA(headphone, GWL_STYLE, GetWindowLongA(headphone, GWL_STYLE) | WS_GROUP);
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

void GeneralPage::LoadSettings(SoundObject*, SoundPropertySet*) { speakers_.LoadSettings(); }

void GeneralPage::ApplySettings(SoundObject*, SoundPropertySet*) {
    speakers_.ApplySettings(GetActiveWindow());
}

void GeneralPage::ShowSettings(HWND page) {
    for (const auto& button : kSpeakerButtons) CheckDlgButton(page, button.id, BST_UNCHECKED);
    SpeakerButtons buttons = speakers_.ShowSettings();
    for (const auto& button : kSpeakerButtons)
        if (!buttons.Enabled(button.id)) EnableWindow(GetDlgItem(page, button.id), FALSE);
    CheckDlgButton(page, buttons.checkedId, BST_CHECKED);
    test_.Reset();  // the arrangement, and so the speakers, may have changed
}

void GeneralPage::ReadControls(HWND page) {
    SpeakerChecks checks;
    ReadFields(page, kSpeakerButtons, checks);
    speakers_.ReadControls(checks);
    // The speaker pictures follow the choice once it is read.
    RECT box = ControlArea(page, IDC_SPEAKER_TEST_BOX);
    InvalidateRect(page, &box, TRUE);
}

bool GeneralPage::HoldsSettings() { return removal_.Underway(); }

void GeneralPage::StopSound(HWND window) {
    if (test_.Playing()) test_.Toggle(window);
}

void GeneralPage::OnInitDialog(HWND page) {
    SeparateHiddenHeadphoneButton(page);
    ShowSettings(page);
    // A page shown again while the driver is being removed cannot start a test or a second removal.
    if (removal_.Underway()) DisableRemovalButtons(page);
}

void GeneralPage::OnDestroy(HWND page) {
    // The controls are read before the stop, whose error box may outlast them.
    ReadControls(page);
    StopSound(page);
}

void GeneralPage::OnCommand(HWND page, int id) {
    for (const auto& button : kSpeakerButtons)
        if (id == button.id) EnableApply(page);
    // Nothing sounds while the driver is being removed.
    if (((id >= IDC_SPEAKER_FRONT_LEFT && id <= IDC_SPEAKER_SUBWOOFER) || id == IDC_TEST_ALL) &&
        !removal_.Underway())
        test_.OnCommand(id, page);
    if (id == IDC_UNINSTALL) removal_.Start(page);
}

bool GeneralPage::OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam));
        return true;
    case WM_PAINT:
        PaintSpeakerTest(page, test_);
        return true;
    case WM_SETCURSOR:
        if (!SetSpeakerCursor(page, test_)) return false;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    case WM_LBUTTONDOWN:
        helpRequests_ = 0;
        return true;
    case WM_LBUTTONUP:
        ClickSpeaker(page, test_, helpRequests_);
        return true;
    case MM_MCINOTIFY:
        test_.OnSoundEnd(static_cast<uint32_t>(wParam), page);
        return true;
    default:
        return false;
    }
}

}  // namespace zv
