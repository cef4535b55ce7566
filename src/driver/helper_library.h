// The maker's driver helper library: its file name, its two exports and the command codes the program
// sends. Callers load it by name, look an export up, call it and free the library.
#pragma once

#include <cstdint>

#include "platform/library.h"
#include "platform/types.h"

namespace zv {

constexpr const char kHelperLibraryName[] = "ZVDLL32.DLL";
constexpr const char kGetVersionExport[] = "ZVGetVersion";
constexpr const char kDll32CallExport[] = "DLL32Call";

using ZVGetVersionFn = int32_t(ZV_STDCALL*)();
using Dll32CallFn = int32_t(ZV_STDCALL*)(int32_t command);

// Commands of DLL32Call.
constexpr int32_t kCmdStartRemoval = 0;     // begin removing the devices and drivers
constexpr int32_t kCmdFinishRemoval = 1;    // returns when the removal is complete
constexpr int32_t kCmdSpeakersChanged = 108;
constexpr int32_t kCmdDriverBusy = 110;     // nonzero while the driver is not ready yet
constexpr int32_t kCmdEffectsPage = 111;    // zero when the driver has no 3D effects page

// Calls DLL32Call(command) on a loaded library. found tells whether the export exists; the result is 0
// when it does not.
int32_t CallDll32(LibraryLoader& loader, LibraryHandle library, int32_t command, bool* found = nullptr);

}  // namespace zv
