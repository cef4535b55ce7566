// The interface every tab of the control panel implements, the one frame of every page's window
// procedure, and the helpers the pages share. The dialog learns a page's tab text, template and
// procedure through it, and tells the page when to read the system, write it, and move values between
// the page object and its controls.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/sound.h"

namespace zv {

class ControlPage {
public:
    virtual UINT GetTitleId() = 0;
    virtual LPCSTR GetTemplateName() = 0;
    // Every page window runs in the same frame, PageProc.
    virtual DLGPROC GetDialogProc() { return PageProc; }
    // The session's interfaces are lent for the call only: a page neither keeps nor releases them. A page
    // whose values live in the device (the mixer pages) has nothing to load or apply.
    virtual void LoadSettings(SoundObject* /*sound*/, SoundPropertySet* /*properties*/) {}
    virtual void ApplySettings(SoundObject* /*sound*/, SoundPropertySet* /*properties*/) {}
    virtual void ShowSettings(HWND /*page*/) {}
    virtual void ReadControls(HWND /*page*/) {}
    // A page that plays a sound stops it before the dialog applies the settings or closes. window is the
    // page's window while it has one, else the dialog.
    virtual void StopSound(HWND /*window*/) {}
    // A page that is removing the driver holds every page's settings: nothing is applied meanwhile.
    virtual bool HoldsSettings() { return false; }

    // The frame: attaches the page object (WM_INITDIALOG's lParam) to its window and positions it, passes
    // help requests up to the dialog, lets the page read its controls when the window goes, and hands
    // every other message to the page.
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    ~ControlPage() = default;  // the page objects are static and never deleted through the interface

    // The window is attached and positioned: fill and show the controls.
    virtual void OnInitDialog(HWND page) { ShowSettings(page); }
    // The window goes: its controls still exist.
    virtual void OnDestroy(HWND page) { ReadControls(page); }
    // Any other message; true when the page handled it, with result the procedure's answer.
    virtual bool OnMessage(HWND /*page*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           INT_PTR& /*result*/) {
        return false;
    }
};

// Moves a page window to the top-left corner of the dialog's tab display area.
void PositionPage(HWND page);
bool IsButtonChecked(HWND page, int controlId);
// A page window keeps its page object in its user data from WM_INITDIALOG on.
void AttachPage(HWND page, ControlPage* object);
ControlPage* AttachedPage(HWND page);
// Pages enable the dialog's Apply button when the user changes a setting that Apply writes.
void EnableApply(HWND page);

// Controls that only carry a value between a page's record and its window: a table of (control, kind,
// field) moves them both ways.
enum class ControlKind {
    kCheckBox,   // a flag
    kRadioPair,  // a flag: the control checked when it is set, the pair's other button when it is not
    kTrackBar,   // a number: the position
    kComboBox,   // a number: the selection, -1 for none
};

template <typename Values>
struct ControlField {
    int id;
    ControlKind kind;
    bool Values::*flag;
    int Values::*number;
    int otherId;  // a radio pair's other button
};

template <typename Values>
constexpr ControlField<Values> CheckBoxField(int id, bool Values::*flag) {
    return {id, ControlKind::kCheckBox, flag, nullptr, 0};
}
template <typename Values>
constexpr ControlField<Values> RadioPairField(int id, int otherId, bool Values::*flag) {
    return {id, ControlKind::kRadioPair, flag, nullptr, otherId};
}
template <typename Values>
constexpr ControlField<Values> TrackBarField(int id, int Values::*number) {
    return {id, ControlKind::kTrackBar, nullptr, number, 0};
}
template <typename Values>
constexpr ControlField<Values> ComboBoxField(int id, int Values::*number) {
    return {id, ControlKind::kComboBox, nullptr, number, 0};
}

void ShowControlValue(HWND page, ControlKind kind, int id, int otherId, int value);
int ReadControlValue(HWND page, ControlKind kind, int id);

template <typename Values, size_t N>
void ShowFields(HWND page, const ControlField<Values> (&fields)[N], const Values& values) {
    for (const ControlField<Values>& f : fields)
        ShowControlValue(page, f.kind, f.id, f.otherId, f.flag ? (values.*f.flag ? 1 : 0) : values.*f.number);
}

template <typename Values, size_t N>
void ReadFields(HWND page, const ControlField<Values> (&fields)[N], Values& values) {
    for (const ControlField<Values>& f : fields) {
        const int value = ReadControlValue(page, f.kind, f.id);
        if (f.flag) values.*f.flag = value != 0;
        else values.*f.number = value;
    }
}

}  // namespace zv
