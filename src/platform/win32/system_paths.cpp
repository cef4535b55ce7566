#include <windows.h>

#include "platform/win32/system_paths.h"

namespace zv {

std::string SystemDirectory() {
    char directory[256] = {};
    GetSystemDirectoryA(directory, sizeof directory);
    return directory;
}

std::string SystemFilePath(const char* name) { return SystemDirectory() + "\\" + name; }

}  // namespace zv
