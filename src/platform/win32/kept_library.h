// A system library that a machine may lack, such as DirectX's or SetupAPI's: loaded by name at its first
// use instead of imported, so that the program still starts without it, and kept for the rest of the
// process once it has every export the program calls. A library that cannot be loaded, or lacks one of
// those exports, is freed, and the next use tries again.
#pragma once

#include <windows.h>

namespace zv {

// The export name of module, as the type of function; false when the module has none.
template <class Function>
bool FindExport(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

// Loads name and keeps it when findExports(module) finds every export it needs; true when it is kept.
template <class FindExports>
bool LoadKeptLibrary(const char* name, FindExports findExports) {
    HMODULE module = LoadLibraryA(name);
    if (!module) return false;
    if (findExports(module)) return true;
    FreeLibrary(module);
    return false;
}

}  // namespace zv
