#include "pages/general/uninstall.h"

#include <cstring>

#include "driver/helper_library.h"

namespace zv {

bool SynthesizerInstalled(Registry& registry) {
    for (const char* path : kSynthUninstallKeys) {
        RegKey key = kRegNone;
        if (registry.OpenKey(kHkeyLocalMachine, path, &key) == kRegOk) {
            registry.CloseKey(key);
            return true;
        }
    }
    return false;
}

bool IsBareFileName(const char* name) {
    if (!name || !*name || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
    return std::strpbrk(name, "\\/:") == nullptr;
}

std::string LoaderFileToDelete(DriverConfig& driver) {
    char loader[kLoaderSize] = {};
    driver.ReadSoundCfg(kCfgDescription, kCfgLoader, kCfgLoaderDefault, loader, sizeof loader);
    // A name that fills the buffer may be the start of a longer one, which names another file.
    if (std::strlen(loader) >= sizeof loader - 1) return "";
    return IsBareFileName(loader) ? loader : "";
}

DriverUninstall::DriverUninstall(Registry& registry, LibraryLoader& libraries, DriverConfig& driver,
                                 FileSystem& files, UninstallWindow& window)
    : registry_(registry), libraries_(libraries), driver_(driver), files_(files), window_(window) {}

void DriverUninstall::Start() {
    if (underway_) return;  // the buttons are disabled; a posted command must not start a second removal
    window_.StopSpeakerTest();
    if (SynthesizerInstalled(registry_)) {
        window_.ShowSynthesizerFirst();
        return;
    }
    if (!window_.ConfirmUninstall()) return;
    if (library_) libraries_.Free(library_);
    library_ = libraries_.Load(kHelperLibraryName);
    window_.BeginWait();
    if (!library_) {
        window_.EndWait();  // nothing will happen, so nothing is waited for
        return;
    }
    entry_ = libraries_.Find(library_, kDll32CallExport);
    if (entry_) {
        underway_ = true;
        window_.DisableButtons();
        reinterpret_cast<Dll32CallFn>(entry_)(kCmdStartRemoval);
    }
    waiting_ = true;
    if (!window_.StartWait()) Complete();
}

void DriverUninstall::Complete() { Finish(false); }

void DriverUninstall::CompleteForSessionEnd() { Finish(true); }

void DriverUninstall::Finish(bool sessionEnding) {
    if (!waiting_) return;
    waiting_ = false;
    window_.EndWait();
    window_.StopWait();
    if (auto finish = reinterpret_cast<Dll32CallFn>(entry_)) {
        entry_ = nullptr;
        finish(kCmdFinishRemoval);
        libraries_.Free(library_);
        library_ = nullptr;
        if (!sessionEnding) window_.ShowRemoved();
        const std::string system = window_.SystemDirectory() + "\\";
        files_.Delete((system + kHelperLibraryName).c_str());
        // Nobody will see the folder or the control panel of a session that is ending.
        bool folderClosed = !sessionEnding && window_.CloseFolderWindow();
        std::string applet = LoaderFileToDelete(driver_);
        if (!applet.empty()) files_.Delete((system + applet).c_str());
        if (folderClosed) window_.StartControlPanel();
    }
    window_.EndProgram();
}

}  // namespace zv
