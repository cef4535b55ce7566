// Helpers of the black-box tests: start zvctrl.exe as a user would, find its windows, wait for what it
// does, and read the simulated card's call log.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zvtest {

constexpr const char kPanelCaption[] = "Zolvane Control Panel";

// The folder of the test executable, where zvctrl.exe and the simulated card's DLLs are built.
std::string BuildDir();

class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();  // a program still running when the test ends is terminated

    // Starts exe (default: zvctrl.exe of the build) with the given argument tail, in folder dir.
    bool Start(const std::string& arguments, const std::string& dir = BuildDir(), const std::string& exe = "");
    // The exit code, or STILL_ACTIVE when it has not ended within timeoutMs (times the slack).
    DWORD WaitExit(DWORD timeoutMs);
    DWORD Pid() const { return info_.dwProcessId; }
    DWORD StartTick() const { return startTick_; }

private:
    PROCESS_INFORMATION info_ = {};
    DWORD startTick_ = 0;
};

// While it lives, zvctrl.exe runs as if Windows had no library of that name ("dsound", "setupapi"): Wine's
// load order for it in that program is empty, both under its bare name and as the file beside the
// program, so neither the simulated card's DLL nor Wine's own is loaded. Wine reads WINEDLLOVERRIDES from
// the Unix environment that a started program inherits, out of reach from here, so this uses the
// per-program overrides of Wine's registry; the file's own path is looked up before any bare name.
class WithoutLibrary {
public:
    explicit WithoutLibrary(const char* name);
    WithoutLibrary(const WithoutLibrary&) = delete;
    WithoutLibrary& operator=(const WithoutLibrary&) = delete;
    ~WithoutLibrary();

private:
    std::string name_;
};

// Every wait for something to happen is given this many times the time it takes on an idle machine: the
// suites run side by side on a loaded one, and a wait that ends in success costs nothing more. No test
// waits this way for something not to happen.
constexpr DWORD kLoadSlack = 4;

// Polls until done() holds or timeoutMs (times the slack) pass, sleeping between looks. Returns done()'s
// last answer.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);

HWND FindTrayWindow();
// Top-level dialogs of other processes with the given caption: the control panel and any message box.
std::vector<HWND> FindWindowsWithCaption(const char* caption, const char* className = "#32770");
std::vector<HWND> FindPanels();
// The program's message boxes: its caption, no tab strip.
std::vector<HWND> FindMessageBoxes();
// The open pop-up menu of any thread, or null.
HWND FindPopupMenu();

// The simulated card's call log.
class CallLog {
public:
    CallLog();  // starts an empty log and points the simulator at it
    std::vector<std::string> Lines() const;
    // The first line containing text, or an empty string.
    std::string Find(const std::string& text) const;
    bool Contains(const std::string& text) const { return !Find(text).empty(); }
    int Count(const std::string& text) const;
    // The tick count at which the first line containing text was written, or 0.
    DWORD TickOf(const std::string& text) const;

private:
    std::string path_;
};

// Simulator settings (HKLM\Software\ZVSim) and registry helpers.
void SetSimSetting(const char* name, DWORD value);
void ClearSimSettings();
bool SetRegistryValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size);
// A value of the card's driver key (or of key) as raw bytes, empty when it is not there; and a one-byte
// binary value written there.
std::vector<BYTE> ConfigValue(const char* name, const char* key = nullptr);
void SetConfigByte(const char* name, BYTE value);
void DeleteRegistryValue(HKEY root, const char* path, const char* name);

// Installs the card with its default settings and clears every setting of the simulator.
void FreshCard();

}  // namespace zvtest
