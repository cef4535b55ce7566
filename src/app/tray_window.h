// The hidden window of the resident program: the tray icon and its menu, the start-up wait, the Open and
// Exit commands, the close request, and the timer that completes a driver removal.
#pragma once

#include <windows.h>

#include "app/startup.h"
#include "driver/card_sound.h"
#include "pages/general/uninstall_window.h"
#include "panel/control_panel_dialog.h"
#include "platform/library.h"
#include "platform/sound.h"

namespace zv {

constexpr const char kTrayWindowClass[] = "Zolvane Control";
constexpr const char kTrayWindowTitle[] = "ZVCTRL";
constexpr UINT kTrayCallbackMessage = WM_APP;
constexpr UINT kTrayIconId = 1;
// Any message carrying this wParam asks the resident program to end.
constexpr WPARAM kCloseRequest = 8966;
// The removal's timer (the start-up wait uses another).
constexpr UINT_PTR kRemovalTimerId = 1;

class TrayWindow final : public RemovalHost {
public:
    TrayWindow(LibraryLoader& libraries, SoundSystem& sound, SoundDeviceList& devices, PanelContext& panel);

    // Registers the window class and creates the hidden window; openAtStart opens the dialog at once
    // instead of waiting for the driver.
    HWND Create(HINSTANCE instance, bool openAtStart);
    HWND Window() const { return window_; }

    void AddIcon();
    void RemoveIcon();
    // The window's icon; freed when the program ends.
    void FreeIcon();

    bool StartRemovalTimer(UINT periodMs, Removal& removal) override;
    void StopRemovalTimer() override;
    void EndProgram() override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnStartupTick();
    void RunCommand(UINT command);
    void ShowMenu();
    // From the removal's first command to its end, the program ends only through the removal.
    bool RemovalUnderway() const { return removal_ && removal_->Underway(); }

    LibraryLoader& libraries_;
    SoundSystem& sound_;
    SoundDeviceList& devices_;
    PanelContext& panel_;
    HWND window_ = nullptr;
    bool openAtStart_ = false;
    UINT taskbarCreatedMessage_ = 0;
    HICON icon_ = nullptr;
    StartupWait startupWait_;
    LibraryHandle waitLibrary_ = nullptr;  // the helper library, held while the start-up wait runs
    Removal* removal_ = nullptr;           // the removal whose timer runs or ran
};

}  // namespace zv
