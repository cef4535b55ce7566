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
// file names anything but a bare file name, or a name that fills the whole buffer and so may have been
// cut short: either is left alone.
std::string LoaderFileToDelete(DriverConfig& driver);

// What the removal asks of the windows around it.
class UninstallWindow {
public:
    virtual ~UninstallWindow() = default;
    virtual void StopSpeakerTest() = 0;
    virtual void ShowSynthesizerFirst() = 0;
    virtual bool ConfirmUninstall() = 0;
    // Shown in front even when the page and the dialog that started the removal are gone.
    virtual void ShowRemoved() = 0;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // "Test All" and "Uninstall" cannot be pressed while the removal runs.
    virtual void DisableButtons() = 0;
    // The wait must outlive the page and the dialog: once the removal has begun it always completes.
    // False when no timer could be set, and the removal then completes at once.
    virtual bool StartWait() = 0;
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
    // The end of the two-second wait. A timer that comes when nothing waits, or while the completion runs
    // (its message box lets timers through), does nothing: the completion runs once.
    void Complete();
    // The session ends during the wait: the second command and the deletions run at once, without the
    // message or the control panel, before the system ends the program between the two commands.
    void CompleteForSessionEnd();
    // From the first removal command to the end of the program: nothing else may reach the driver, and
    // the program ends only through the removal.
    bool Underway() const { return underway_; }

private:
    void Finish(bool sessionEnding);

    Registry& registry_;
    LibraryLoader& libraries_;
    DriverConfig& driver_;
    FileSystem& files_;
    UninstallWindow& window_;
    LibraryHandle library_ = nullptr;
    void* entry_ = nullptr;     // cleared before the library goes, so nothing calls into a freed library
    bool waiting_ = false;      // the timer runs; the completion has not begun
    bool underway_ = false;
};

}  // namespace zv
