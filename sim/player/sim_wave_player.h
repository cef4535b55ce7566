// The simulated card's wave player: it looks at each file it is asked to play, records what it found in
// the call log (channels, bits and which channels carry sound), and posts the end notification after the
// "WaveMs" setting's milliseconds (default 200) instead of sounding. "WaveOpenError" and "WavePlayError"
// make those commands fail with the given MCI error code.
#pragma once

#include <windows.h>

#include <map>

#include "platform/wave_player.h"

namespace zvsim {

class SimWavePlayer final : public zv::WavePlayer {
public:
    uint32_t Open(const char* path, zv::WaveDeviceId* device) override;
    uint32_t Play(zv::WaveDeviceId device, zv::WindowHandle notify) override;
    uint32_t Stop(zv::WaveDeviceId device) override;
    uint32_t Close(zv::WaveDeviceId device) override;

private:
    static void CALLBACK OnPlayed(HWND, UINT, UINT_PTR timer, DWORD);
    // Ends a pending play without its notification; reports whether one was pending.
    bool Cancel(zv::WaveDeviceId device);

    struct Playing {
        HWND notify;
        UINT_PTR timer;
    };
    std::map<zv::WaveDeviceId, Playing> playing_;
    zv::WaveDeviceId lastDevice_ = 0;
};

}  // namespace zvsim
