#include <windows.h>

#include "linux_view.h"

#include <cstdlib>
#include <cstring>

namespace zvtest {

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return text;
}

std::string ProcPath(unsigned long pid, const char* entry) {
    return "Z:\\proc\\" + std::to_string(pid) + "\\" + entry;
}

std::vector<unsigned long> NumberedEntries(const std::string& folder) {
    std::vector<unsigned long> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        char* end = nullptr;
        unsigned long n = std::strtoul(entry.cFileName, &end, 10);
        if (entry.cFileName[0] >= '0' && entry.cFileName[0] <= '9' && *end == '\0') found.push_back(n);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

// Wine names its Linux process by the Windows path of the program; the prefix tells this session's apart.
unsigned long LinuxPidOf(const std::string& exe) {
    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    const std::string wantedPrefix = std::string("WINEPREFIX=") + prefix;
    unsigned long match = 0;
    int matches = 0;
    for (unsigned long pid : NumberedEntries("Z:\\proc")) {
        std::string command = ReadWholeFile(ProcPath(pid, "cmdline"));
        if (_stricmp(command.c_str(), exe.c_str()) != 0) continue;  // the first argument ends at its NUL
        if (prefix[0]) {
            std::string environment = ReadWholeFile(ProcPath(pid, "environ"));
            bool same = false;
            for (size_t pos = 0; pos < environment.size(); pos += std::strlen(environment.c_str() + pos) + 1)
                if (environment.c_str() + pos == wantedPrefix) same = true;
            if (!same) continue;
        }
        match = pid;
        ++matches;
    }
    return matches == 1 ? match : 0;
}

double PrivateDirtyKiB(unsigned long pid) {
    if (!pid) return -1;
    std::string rollup = "\n" + ReadWholeFile(ProcPath(pid, "smaps_rollup"));
    size_t pos = rollup.find("\nPrivate_Dirty:");
    if (pos == std::string::npos) return -1;
    return std::strtod(rollup.c_str() + pos + 15, nullptr);
}

}  // namespace zvtest
