#include <windows.h>

// The A3D loader of the simulated card: it only records the preload address it is handed.

#include <cstdint>

#include "dll/sim_common.h"

extern "C" __declspec(dllexport) void __stdcall InstallA3DHook(uint32_t* preloadAddress) {
    zvsim::Log("QA3DLoad InstallA3DHook 0x%08lX", preloadAddress ? static_cast<unsigned long>(*preloadAddress) : 0ul);
}

extern "C" __declspec(dllexport) void __stdcall RemoveA3DHook() { zvsim::Log("QA3DLoad RemoveA3DHook"); }
