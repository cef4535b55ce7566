#include <windows.h>

#include "pages/mixer/mixer_page.h"

#include <commctrl.h>

#include "res/resource.h"

namespace zv {
namespace {

// The page's real controls, found by id in the page's dialog each time.
class DialogControls final : public MixerView {
public:
    explicit DialogControls(HWND dialog) : dialog_(dialog) {}

    void SetSliderRange(int id, uint32_t minimum, uint32_t maximum) override {
        SendDlgItemMessageA(dialog_, id, TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
    }
    void SetSliderTick(int id, uint32_t position) override {
        SendDlgItemMessageA(dialog_, id, TBM_SETTIC, 0, static_cast<LPARAM>(position));
    }
    void SetSliderPosition(int id, uint32_t position) override {
        SendDlgItemMessageA(dialog_, id, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
    }
    uint32_t GetSliderPosition(int id) override {
        const LRESULT position = SendDlgItemMessageA(dialog_, id, TBM_GETPOS, 0, 0);
        return position < 0 ? 0 : static_cast<uint32_t>(position);
    }
    // A driver may report any non-zero word for "on"; the box only knows checked and unchecked.
    void SetCheck(int id, uint32_t checked) override {
        CheckDlgButton(dialog_, id, checked != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    uint32_t GetCheck(int id) override { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0; }
    void Enable(int id, bool enabled) override { EnableWindow(GetDlgItem(dialog_, id), enabled ? TRUE : FALSE); }
    void SetLabel(int id, const char* text) override { SetDlgItemTextA(dialog_, id, text); }
    void AttachRecord(int id, MixerLineRecord* record) override {
        SetWindowLongPtrA(GetDlgItem(dialog_, id), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }

private:
    HWND dialog_;
};

// A bitmap static of a dialog template loads the bitmap it names for every window it is made in, and does
// not delete it when it goes: each page window would keep its rules' bitmaps for good. The page takes them
// back from its statics and deletes them as it is destroyed; a static left with none has nothing to delete
// even where it would delete its own.
void DeleteRuleBitmaps(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0) continue;
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown != nullptr) DeleteObject(shown);
    }
}

MixerLineRecord* AttachedRecord(HWND control) {
    if (control == nullptr) return nullptr;
    return reinterpret_cast<MixerLineRecord*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

}  // namespace

MixerPage::MixerPage(Mixer& mixer, DriverConfig& driver, const MixerPageLayout& layout, UINT titleId,
                     int templateId)
    : logic_(mixer, layout, ChooseMixerDevice(mixer, driver)), titleId_(titleId), templateId_(templateId) {}

void MixerPage::ShowSettings(HWND dialog) {
    DialogControls controls(dialog);
    logic_.Refresh(controls);
}

UINT MixerPage::GetTitleId() { return titleId_; }
LPCSTR MixerPage::GetTemplateName() { return MAKEINTRESOURCEA(templateId_); }

void MixerPage::OnInitDialog(HWND dialog) {
    DialogControls controls(dialog);
    logic_.Initialise(controls, dialog);
    ShowSettings(dialog);
}

bool MixerPage::OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, wParam, lParam);
        return true;
    case WM_VSCROLL:
        OnScroll(dialog, lParam, false);
        return true;
    case WM_HSCROLL:
        OnScroll(dialog, lParam, true);
        return true;
    case kMmMixmControlChange:
        // Whoever changed the device, and whichever control it was, every column is read again.
        ShowSettings(dialog);
        return true;
    default:
        return false;
    }
}

void MixerPage::OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED || AttachedRecord(reinterpret_cast<HWND>(lParam)) == nullptr) return;
    DialogControls controls(dialog);
    logic_.OnCheckClicked(controls, LOWORD(wParam));
}

// Every notification writes, whatever its scroll code, so a dragged thumb is heard at each step.
void MixerPage::OnScroll(HWND dialog, LPARAM lParam, bool isBalance) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (AttachedRecord(control) == nullptr) return;
    DialogControls controls(dialog);
    if (isBalance) {
        logic_.OnBalanceMoved(controls, GetDlgCtrlID(control));
    } else {
        logic_.OnVolumeMoved(controls, GetDlgCtrlID(control));
    }
}

// The device keeps the page's values, so there is nothing to read back when the window goes.
void MixerPage::OnDestroy(HWND dialog) {
    DeleteRuleBitmaps(dialog);
    logic_.Close(dialog);
}

// ---- The two pages: their tables, titles and templates.

PlaybackMixerPage::PlaybackMixerPage(Mixer& mixer, DriverConfig& driver)
    : MixerPage(mixer, driver, kPlaybackMixerLayout, IDS_PLAYBACK_MIXER_TITLE, IDD_PLAYBACK_MIXER_PAGE) {}

RecordMixerPage::RecordMixerPage(Mixer& mixer, DriverConfig& driver)
    : MixerPage(mixer, driver, kRecordMixerLayout, IDS_RECORD_MIXER_TITLE, IDD_RECORD_MIXER_PAGE) {}

}  // namespace zv
