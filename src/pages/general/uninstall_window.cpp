#include <windows.h>

#include "pages/general/uninstall_window.h"

#include "app/application.h"
#include "app/tray_window.h"
#include "pages/general/uninstall.h"
#include "panel/control_page.h"
#include "platform/win32/system.h"
#include "platform/win32/system_paths.h"
#include "res/resource.h"

namespace zv {
namespace {

constexpr char kFolderWindowClass[] = "CabinetWClass";
constexpr char kControlPanelProgram[] = "control.exe";
constexpr UINT kFolderCloseTimeoutMs = 5000;

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
    void ShowRemoved() override {
        HWND owner = Owner();
        // Without an owner the box would open behind whatever the user is looking at.
        ShowMessage(owner, IDS_REMOVED, MB_OK | MB_ICONINFORMATION | (owner ? 0 : MB_SETFOREGROUND));
    }
    void BeginWait() override { keptCursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
    void EndWait() override { SetCursor(keptCursor_); }
    void DisableButtons() override { DisableRemovalButtons(page); }
    bool StartWait() override { return SetTimer(TrayHwnd(), kUninstallTimerId, kUninstallWaitMs, nullptr) != 0; }
    void StopWait() override { KillTimer(TrayHwnd(), kUninstallTimerId); }
    std::string SystemDirectory() override { return zv::SystemDirectory(); }
    bool CloseFolderWindow() override {
        HWND folder = FindWindowA(kFolderWindowClass, nullptr);
        if (!folder) return false;
        // A folder window that does not answer must not hold the program.
        DWORD_PTR result = 0;
        SendMessageTimeoutA(folder, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kFolderCloseTimeoutMs, &result);
        return true;
    }
    void StartControlPanel() override {
        // By full path: the program's own directory, searched first, is writable.
        std::string path = SystemFilePath(kControlPanelProgram);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            char windows[256] = {};
            GetWindowsDirectoryA(windows, sizeof windows);  // where the 9x family keeps it
            path = std::string(windows) + "\\" + kControlPanelProgram;
        }
        WinExec(path.c_str(), SW_SHOWNA);
    }
    void EndProgram() override { DestroyWindow(TrayHwnd()); }

private:
    HWND Owner() const {
        if (page && IsWindow(page)) return page;
        HWND panel = static_cast<HWND>(App().openPanel);
        return panel && IsWindow(panel) ? panel : nullptr;
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

void OnSessionEnd() { TheRemoval().uninstall.CompleteForSessionEnd(); }

bool UninstallUnderway() { return TheRemoval().uninstall.Underway(); }

}  // namespace zv
