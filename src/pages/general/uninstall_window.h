// The driver removal on the Win32 side: the "Uninstall" button of the General page starts it, and a timer
// of the resident program, which lives until the end, completes it.
#pragma once

#include <windows.h>

#include "pages/general/uninstall.h"
#include "panel/control_panel_dialog.h"
#include "platform/win32/ui.h"

namespace zv {

class Removal;

// What the removal asks of the resident program: a timer that outlives the page and the dialog, whose
// ticks go to the removal, as does the end of the session; and the end of the program, which from the
// removal's first command on nothing else may bring about (the host asks the removal).
class RemovalHost {
public:
    virtual bool StartRemovalTimer(UINT periodMs, Removal& removal) = 0;
    virtual void StopRemovalTimer() = 0;
    virtual void EndProgram() = 0;

protected:
    ~RemovalHost() = default;
};

class Removal final : private UninstallWindow {
public:
    Removal(Registry& registry, LibraryLoader& libraries, DriverConfig& driver, FileSystem& files,
            const PanelContext& panel, RemovalHost& host);

    // The "Uninstall" button of the General page window page.
    void Start(HWND page);
    // The host's timer, and the end of the session.
    void OnTimer() { uninstall_.Complete(); }
    void OnSessionEnd() { uninstall_.CompleteForSessionEnd(); }
    bool Underway() const { return uninstall_.Underway(); }

private:
    void StopSpeakerTest() override;
    void ShowSynthesizerFirst() override;
    bool ConfirmUninstall() override;
    void ShowRemoved() override;
    void BeginWait() override { cursor_.Begin(); }
    void EndWait() override { cursor_.End(); }
    void DisableButtons() override;
    bool StartWait() override { return host_.StartRemovalTimer(kUninstallWaitMs, *this); }
    void StopWait() override { host_.StopRemovalTimer(); }
    std::string SystemDirectory() override;
    bool CloseFolderWindow() override;
    void StartControlPanel() override;
    void EndProgram() override { host_.EndProgram(); }
    HWND Owner() const;

    const PanelContext& panel_;
    RemovalHost& host_;
    WaitCursor cursor_;
    HWND page_ = nullptr;  // the General page that started the removal; it may be gone by its end
    DriverUninstall uninstall_;
};

// "Test All" and "Uninstall" while the removal runs.
void DisableRemovalButtons(HWND page);

}  // namespace zv
