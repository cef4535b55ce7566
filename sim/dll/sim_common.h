// What the simulated card's DLLs share: their settings, read from the simulator's registry key, and the
// call log that tests read back.
#pragma once

#include <windows.h>

namespace zvsim {

// HKEY_LOCAL_MACHINE key of the simulator's settings.
constexpr const char kSimKey[] = "Software\\ZVSim";
constexpr const char kDefaultLogFile[] = "C:\\zvsim.log";

// A DWORD setting of the simulator, or fallback when it is not set.
DWORD Setting(const char* name, DWORD fallback);
void SetSetting(const char* name, DWORD value);

// Appends "<tick> <pid> <text>" as one line to the call log named by the "LogFile" setting.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zvsim
