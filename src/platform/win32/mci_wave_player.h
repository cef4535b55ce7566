// The wave player on the MCI "waveaudio" device.
#pragma once

#include "platform/wave_player.h"

namespace zv {

class MciWavePlayer final : public WavePlayer {
public:
    MciWavePlayer() = default;
    ~MciWavePlayer() override;
    MciWavePlayer(const MciWavePlayer&) = delete;
    MciWavePlayer& operator=(const MciWavePlayer&) = delete;

    uint32_t Open(const char* path, WaveDeviceId* device) override;
    uint32_t Play(WaveDeviceId device, WindowHandle notify) override;
    uint32_t Stop(WaveDeviceId device) override;
    uint32_t Close(WaveDeviceId device) override;

private:
    void* driver_ = nullptr;
    bool driverHeld_ = false;
};

}  // namespace zv
