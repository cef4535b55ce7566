#include <windows.h>

// The driver helper library of the simulated card. Its answers come from the simulator's settings:
// "Version" for ZVGetVersion, "EffectsPage" for command 111, and "BusyTicks", the number of times
// command 110 reports the driver not ready yet (0xFFFFFFFF: never ready).

#include <cstdint>

#include "dll/sim_common.h"

namespace {
DWORD busyAnswers = 0;  // per load, as a real driver counts from its own start
}

extern "C" __declspec(dllexport) int32_t __stdcall ZVGetVersion() {
    DWORD version = zvsim::Setting("Version", 0x0930);
    zvsim::Log("ZVDLL32 ZVGetVersion -> %lu", version);
    return static_cast<int32_t>(version);
}

extern "C" __declspec(dllexport) int32_t __stdcall DLL32Call(int32_t command) {
    int32_t answer = 1;
    switch (command) {
    case 110: {
        DWORD busyTicks = zvsim::Setting("BusyTicks", 0);
        answer = busyTicks == 0xFFFFFFFFu || busyAnswers < busyTicks ? 1 : 0;
        if (answer) ++busyAnswers;
        break;
    }
    case 111:
        answer = static_cast<int32_t>(zvsim::Setting("EffectsPage", 1));
        break;
    default:
        break;
    }
    zvsim::Log("ZVDLL32 DLL32Call %ld -> %ld", static_cast<long>(command), static_cast<long>(answer));
    return answer;
}
