#include <windows.h>

#include "dll/sim_common.h"

#include <cstdarg>
#include <cstdio>

namespace zvsim {

DWORD Setting(const char* name, DWORD fallback) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSimKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return fallback;
    DWORD value = 0, size = sizeof value, type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD ? value : fallback;
}

void SetSetting(const char* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kSimKey, &key) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

static void LogFileName(char (&path)[MAX_PATH]) {
    lstrcpynA(path, kDefaultLogFile, MAX_PATH);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSimKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD size = sizeof path - 1, type = 0;
    char value[MAX_PATH] = {};
    if (RegQueryValueExA(key, "LogFile", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        type == REG_SZ && value[0])
        lstrcpynA(path, value, MAX_PATH);
    RegCloseKey(key);
}

void Log(const char* format, ...) {
    char line[512];
    int used = std::snprintf(line, sizeof line, "%lu %lu ", GetTickCount(), GetCurrentProcessId());
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + used, sizeof line - used - 2, format, args);
    va_end(args);
    lstrcatA(line, "\r\n");

    char path[MAX_PATH];
    LogFileName(path);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    CloseHandle(file);
}

}  // namespace zvsim
