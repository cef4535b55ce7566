#include "app/startup.h"

#include <cstring>

#include "driver/helper_library.h"

namespace zv {

HelperProbe ProbeHelperLibrary(LibraryLoader& loader) {
    HelperProbe probe;
    LibraryHandle library = loader.Load(kHelperLibraryName);
    if (!library) return probe;
    auto getVersion = reinterpret_cast<ZVGetVersionFn>(loader.Find(library, kGetVersionExport));
    if (getVersion && getVersion() != 0) {
        probe.driverPresent = true;
        bool found = false;
        int32_t answer = CallDll32(loader, library, kCmdEffectsPage, &found);
        if (found) probe.effectsAvailability = answer;
    }
    loader.Free(library);
    return probe;
}

uint32_t ParseHex32(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        auto isHex = [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        };
        if (isHex(p[2])) p += 2;
    }
    uint64_t value = 0;
    bool overflow = false;
    for (;; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9') digit = *p - '0';
        else if (*p >= 'a' && *p <= 'f') digit = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F') digit = *p - 'A' + 10;
        else break;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull;
        }
    }
    if (overflow) return 0xFFFFFFFFu;
    uint32_t result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

uint32_t ReadA3DPreloadAddress(Registry& registry, RegKey qsoftKey) {
    uint32_t address = 0;
    if (qsoftKey != kRegNone) {
        // One byte more than the query may fill, so a text stored without its terminator still ends.
        uint8_t data[33] = {};
        uint32_t size = 32;
        uint32_t type = kRegNoType;
        if (registry.QueryValue(qsoftKey, kA3DPreloadValue, &type, data, &size) == kRegOk) {
            if (type == kRegSz) {
                data[size < 32 ? size : 32] = 0;
                address = ParseHex32(reinterpret_cast<const char*>(data));
            } else if ((type == kRegDword || type == kRegBinary) && size >= 4) {
                address = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                          uint32_t(data[3]) << 24;
            }
        }
    }
    if (address < 0x00500000u || address >= 0x60000000u) address = kDefaultA3DPreload;
    return address;
}

bool StartupWait::Tick(int32_t busy) {
    if (ended_) return false;
    if (busy != 0) {
        int32_t before = ticks_++;
        if (before < kMaxWaitingTicks) return false;
    }
    ended_ = true;
    return true;
}

}  // namespace zv
