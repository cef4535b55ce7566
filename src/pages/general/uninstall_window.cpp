#include <windows.h>

#include "pages/general/uninstall_window.h"

#include "panel/control_page.h"
#include "platform/win32/system_paths.h"
#include "res/resource.h"

namespace zv {
namespace {

constexpr char kFolderWindowClass[] = "CabinetWClass";
constexpr char kControlPanelProgram[] = "control.exe";
constexpr UINT kFolderCloseTimeoutMs = 5000;

}  // namespace

Removal::Removal(Registry& registry, LibraryLoader& libraries, DriverConfig& driver, FileSystem& files,
                 const PanelContext& panel, RemovalHost& host)
    : panel_(panel), host_(host), uninstall_(registry, libraries, driver, files, *this) {}

void Removal::Start(HWND page) {
    page_ = page;
    uninstall_.Start();
}

void Removal::StopSpeakerTest() {
    if (ControlPage* object = AttachedPage(page_)) object->StopSound(page_);
}

void Removal::ShowSynthesizerFirst() { ShowMessage(Owner(), IDS_REMOVE_SYNTH_FIRST, MB_OK | MB_ICONEXCLAMATION); }

bool Removal::ConfirmUninstall() {
    return ShowMessage(Owner(), IDS_CONFIRM_UNINSTALL, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Removal::ShowRemoved() {
    HWND owner = Owner();
    // Without an owner the box would open behind whatever the user is looking at.
    ShowMessage(owner, IDS_REMOVED, MB_OK | MB_ICONINFORMATION | (owner ? 0 : MB_SETFOREGROUND));
}

void Removal::DisableButtons() { DisableRemovalButtons(page_); }

std::string Removal::SystemDirectory() { return zv::SystemDirectory(); }

bool Removal::CloseFolderWindow() {
    HWND folder = FindWindowA(kFolderWindowClass, nullptr);
    if (!folder) return false;
    // A folder window that does not answer must not hold the program.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(folder, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kFolderCloseTimeoutMs, &result);
    return true;
}

void Removal::StartControlPanel() {
    // By full path: the program's own directory, searched first, is writable.
    std::string path = SystemFilePath(kControlPanelProgram);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        char windows[256] = {};
        GetWindowsDirectoryA(windows, sizeof windows);  // where the 9x family keeps it
        path = std::string(windows) + "\\" + kControlPanelProgram;
    }
    WinExec(path.c_str(), SW_SHOWNA);
}

HWND Removal::Owner() const {
    if (page_ && IsWindow(page_)) return page_;
    HWND panel = panel_.openPanel;
    return panel && IsWindow(panel) ? panel : nullptr;
}

void DisableRemovalButtons(HWND page) {
    EnableWindow(GetDlgItem(page, IDC_TEST_ALL), FALSE);
    EnableWindow(GetDlgItem(page, IDC_UNINSTALL), FALSE);
}

}  // namespace zv
