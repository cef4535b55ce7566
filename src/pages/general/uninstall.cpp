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
    return IsBareFileName(loader) ? loader : "";
}

DriverUninstall::DriverUninstall(Registry& registry, LibraryLoader& libraries, DriverConfig& driver,
                                 FileSystem& files, UninstallWindow& window)
    : registry_(registry), libraries_(libraries), driver_(driver), files_(files), window_(window) {}

void DriverUninstall::Start() {
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
        window_.DisableButtons();
        reinterpret_cast<Dll32CallFn>(entry_)(kCmdStartRemoval);
    }
    window_.StartWait();
}

void DriverUninstall::Complete() {
    window_.EndWait();
    window_.StopWait();
    if (entry_) {
        reinterpret_cast<Dll32CallFn>(entry_)(kCmdFinishRemoval);
        libraries_.Free(library_);
        library_ = nullptr;
        window_.ShowRemoved();
        const std::string system = window_.SystemDirectory() + "\\";
        files_.Delete((system + kHelperLibraryName).c_str());
        bool folderClosed = window_.CloseFolderWindow();
        std::string applet = LoaderFileToDelete(driver_);
        if (!applet.empty()) files_.Delete((system + applet).c_str());
        if (folderClosed) window_.StartControlPanel();
    }
    window_.EndProgram();
}

}  // namespace zv
