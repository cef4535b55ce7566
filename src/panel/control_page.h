// The interface every tab of the control panel implements, and the helpers every page's dialog procedure
// uses. The dialog learns a page's tab text, template and procedure through it, and tells the page when
// to read the system, write it, and move values between the page object and its controls.
#pragma once

#include <windows.h>

#include "platform/sound.h"

namespace zv {

class ControlPage {
public:
    virtual UINT GetTitleId() = 0;
    virtual LPCSTR GetTemplateName() = 0;
    virtual DLGPROC GetDialogProc() = 0;
    // The session's interfaces are lent for the call only: a page neither keeps nor releases them.
    virtual void LoadSettings(SoundObject* sound, SoundPropertySet* properties) = 0;
    virtual void ApplySettings(SoundObject* sound, SoundPropertySet* properties) = 0;
    virtual void ShowSettings(HWND page) = 0;
    virtual void ReadControls(HWND page) = 0;
    // A page that plays a sound stops it before the dialog applies the settings or closes. window is the
    // page's window while it has one, else the dialog.
    virtual void StopSound(HWND /*window*/) {}
    // A page that is removing the driver holds every page's settings: nothing is applied meanwhile.
    virtual bool HoldsSettings() { return false; }

protected:
    ~ControlPage() = default;  // the page objects are static and never deleted through the interface
};

// Moves a page window to the top-left corner of the dialog's tab display area.
void PositionPage(HWND page);
bool IsButtonChecked(HWND page, int controlId);
// A page window keeps its page object in its user data from WM_INITDIALOG on.
void AttachPage(HWND page, ControlPage* object);
ControlPage* AttachedPage(HWND page);
// Pages enable the dialog's Apply button when the user changes a setting that Apply writes.
void EnableApply(HWND page);

}  // namespace zv
