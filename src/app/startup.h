// The decisions of start-up: whether the driver helper library answers, which page set the driver wants,
// the A3D preload address, and the start-up wait that polls the driver once a second until it is ready.
#pragma once

#include <cstdint>

#include "platform/library.h"
#include "platform/registry.h"

namespace zv {

constexpr uint32_t kDefaultA3DPreload = 0x13790000;
constexpr const char kQSoftKey[] = "Software\\QSound\\QSoft3d";
constexpr const char kA3DPreloadValue[] = "A3D preload";
constexpr const char kA3DLoaderName[] = "QA3DLoad";
constexpr const char kInstallHookExport[] = "InstallA3DHook";
constexpr const char kRemoveHookExport[] = "RemoveA3DHook";

struct HelperProbe {
    bool driverPresent = false;       // the library loaded and ZVGetVersion answered nonzero
    int32_t effectsAvailability = 1;  // the answer to command 111; stays 1 without the export
};

// Loads the helper library, asks ZVGetVersion and command 111, and frees the library again.
HelperProbe ProbeHelperLibrary(LibraryLoader& loader);

// Reads "A3D preload" from an open key (kRegNone when the key could not be opened) and keeps it only
// inside the range the loader accepts.
uint32_t ReadA3DPreloadAddress(Registry& registry, RegKey qsoftKey);

// strtoul with base 16 as a 32-bit C library does it: leading blanks, a sign and a 0x prefix accepted,
// reading stops at the first non-digit, and an overflow gives 0xFFFFFFFF.
uint32_t ParseHex32(const char* text);

// The start-up wait: one tick a second, at most 16, until command 110 answers 0.
class StartupWait {
public:
    static constexpr int32_t kTimerId = 2;
    static constexpr uint32_t kPeriodMs = 1000;
    static constexpr int32_t kMaxWaitingTicks = 15;

    void Start() { ticks_ = 0; ended_ = false; }
    // busy is the answer to command 110 (0 when the library or export is missing). Returns true on the
    // one tick that ends the wait; the caller then discovers the devices and adds the tray icon.
    bool Tick(int32_t busy);
    bool Ended() const { return ended_; }
    int32_t Ticks() const { return ticks_; }

private:
    int32_t ticks_ = 0;
    bool ended_ = false;
};

}  // namespace zv
