// Linux's view of a Wine process, read through Wine's Z: drive, for the benchmark and the soak: a Windows
// figure such as PrivateUsage would be Wine's emulation of it, while Linux knows what the process costs.
#pragma once

#include <string>
#include <vector>

namespace zvtest {

// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Z:\proc\PID\ENTRY.
std::string ProcPath(unsigned long pid, const char* entry);
// The numbers of the entries of a /proc folder that are numbers: processes, or a process's threads.
std::vector<unsigned long> NumberedEntries(const std::string& folder);
// The Linux process of the Windows program exe in this session's prefix, or 0 when there is not exactly one.
unsigned long LinuxPidOf(const std::string& exe);
// Private_Dirty of the process in KiB: the pages it wrote, which no other process holds; -1 when it cannot
// be read.
double PrivateDirtyKiB(unsigned long pid);

}  // namespace zvtest
