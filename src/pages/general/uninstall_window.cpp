#include <windows.h>

#include "pages/general/uninstall_window.h"

#include "app/application.h"
#include "app/tray_window.h"
#include "pages/general/uninstall.h"
#include "panel/control_page.h"
#include "platform/win32/system.h"
#include "res/resource.h"

namespace zv {
namespace {

constexpr char kFolderWindowClass[] = "CabinetWClass";

HWND TrayHwnd() { return static_cast<HWND>(App().trayWindow); }

class Win32UninstallWindow final : public UninstallWindow {
public:
    HWND page = nullptr;  // the General page that started the removal; it may be gone by its end

    void StopSpeakerTest() override {
        if (ControlPage* object = AttachedPage(page)) object->StopSound(page);
    }
    void ShowSynthesizerFirst() override { ShowMessage(Owner(), IDS_REMOVE_SYNTH_FIRST, MB_OK | MB_ICONEXCLAMATION); }
    bool ConfirmUninstall() override {
        return ShowMessage(Owner(), IDS_CONFIRM_UNINSTALL, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void ShowRemoved() override { ShowMessage(Owner(), IDS_REMOVED, MB_OK | MB_ICONINFORMATION); }
    void BeginWait() override { keptCursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
    void EndWait() override { SetCursor(keptCursor_); }
    void DisableButtons() override { DisableRemovalButtons(page); }
    void StartWait() override { SetTimer(TrayHwnd(), kUninstallTimerId, kUninstallWaitMs, nullptr); }
    void StopWait() override { KillTimer(TrayHwnd(), kUninstallTimerId); }
    std::string SystemDirectory() override {
        char directory[256] = {};
        GetSystemDirectoryA(directory, sizeof directory);
        return directory;
    }
    bool CloseFolderWindow() override {
        HWND folder = FindWindowA(kFolderWindowClass, nullptr);
        if (!folder) return false;
        SendMessageA(folder, WM_CLOSE, 0, 0);
        return true;
    }
    void StartControlPanel() override { WinExec("control.exe", SW_SHOWNA); }
    void EndProgram() override { DestroyWindow(TrayHwnd()); }

private:
    HWND Owner() const {
        if (page && IsWindow(page)) return page;
        return static_cast<HWND>(App().openPanel);
    }
    HCURSOR keptCursor_ = nullptr;
};

struct Removal {
    Win32UninstallWindow window;
    DriverUninstall uninstall{System().registry, System().libraries, System().driver, System().files, window};
};

Removal& TheRemoval() {
    static Removal removal;
    return removal;
}

}  // namespace

void DisableRemovalButtons(HWND page) {
    EnableWindow(GetDlgItem(page, IDC_TEST_ALL), FALSE);
    EnableWindow(GetDlgItem(page, IDC_UNINSTALL), FALSE);
}

void OnUninstallButton(HWND page) {
    Removal& removal = TheRemoval();
    removal.window.page = page;
    removal.uninstall.Start();
}

void OnUninstallTimer() { TheRemoval().uninstall.Complete(); }

bool UninstallUnderway() { return TheRemoval().uninstall.Underway(); }

}  // namespace zv
