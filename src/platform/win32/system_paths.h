// Where the system keeps its own programs and drivers. The program loads and starts them from there by
// full path, never by bare name: its own directory, which a bare name searches first, is writable.
#pragma once

#include <string>

namespace zv {

std::string SystemDirectory();
// name in the system directory, e.g. "C:\WINDOWS\SYSTEM\mciwave.dll".
std::string SystemFilePath(const char* name);

}  // namespace zv
