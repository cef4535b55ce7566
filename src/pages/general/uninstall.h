// Removing the card's devices and drivers from the General page: the checks and the question before, the
// helper library's two removal commands two seconds apart, then the deletion of the helper library and of
// the maker's applet from the system directory, and the end of the program.
#pragma once

#include <cstdint>
#include <string>

#include "driver/driver_config.h"
#include "platform/file.h"
#include "platform/library.h"
#include "platform/registry.h"

namespace zv {

// The soft synthesizer must be removed first; its uninstall key exists in two spellings.
constexpr const char* kSynthUninstallKeys[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YAMAHA Soft Synthesizer S-YXG50",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YAMAHA SoftSynthesizer S-YXG50",
};
constexpr uint32_t kUninstallWaitMs = 2000;

bool SynthesizerInstalled(Registry& registry);
// A name that stays in the directory it is appended to: no separator or drive, not "." or "..".
bool IsBareFileName(const char* name);
// The maker's applet named by SOUNDCFG.INI, to be deleted from the system directory; empty when the
// file names anything but a bare file name, which is then left alone.
std::string LoaderFileToDelete(DriverConfig& driver);

// What the removal asks of the windows around it.
class UninstallWindow {
public:
    virtual ~UninstallWindow() = default;
    virtual void StopSpeakerTest() = 0;
    virtual void ShowSynthesizerFirst() = 0;
    virtual bool ConfirmUninstall() = 0;
    virtual void ShowRemoved() = 0;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // "Test All" and "Uninstall" cannot be pressed while the removal runs.
    virtual void DisableButtons() = 0;
    // The wait must outlive the page and the dialog: once the removal has begun it always completes.
    virtual void StartWait() = 0;
    virtual void StopWait() = 0;
    virtual std::string SystemDirectory() = 0;
    // Closes one shell folder window, which would show the deleted applet; false when none was open.
    virtual bool CloseFolderWindow() = 0;
    virtual void StartControlPanel() = 0;
    virtual void EndProgram() = 0;
};

class DriverUninstall {
public:
    DriverUninstall(Registry& registry, LibraryLoader& libraries, DriverConfig& driver, FileSystem& files,
                    UninstallWindow& window);

    // The "Uninstall" button.
    void Start();
    // The end of the two-second wait.
    void Complete();
    // From the first removal command to the end of the program.
    bool Underway() const { return entry_ != nullptr; }

private:
    Registry& registry_;
    LibraryLoader& libraries_;
    DriverConfig& driver_;
    FileSystem& files_;
    UninstallWindow& window_;
    LibraryHandle library_ = nullptr;
    void* entry_ = nullptr;
};

}  // namespace zv
