// Playing a wave file on the wave device, as the MCI "waveaudio" commands do. Results are MCI error codes,
// 0 for success.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace zv {

using WaveDeviceId = uint32_t;

// The first parameter of the end notification (MM_MCINOTIFY) for a sound that played to its end.
constexpr uint32_t kWaveNotifySuccessful = 1;

class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual uint32_t Open(const char* path, WaveDeviceId* device) = 0;
    // Starts playing; notify gets the end notification when the sound has played to its end.
    virtual uint32_t Play(WaveDeviceId device, WindowHandle notify) = 0;
    virtual uint32_t Stop(WaveDeviceId device) = 0;
    virtual uint32_t Close(WaveDeviceId device) = 0;
};

}  // namespace zv
