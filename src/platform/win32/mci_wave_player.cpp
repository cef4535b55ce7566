#include <windows.h>

#include "platform/win32/mci_wave_player.h"

#include <mmsystem.h>

#include "platform/win32/system_paths.h"

namespace zv {

MciWavePlayer::~MciWavePlayer() {
    if (driver_) FreeLibrary(static_cast<HMODULE>(driver_));
}

uint32_t MciWavePlayer::Open(const char* path, WaveDeviceId* device) {
    // Some wave drivers post the end notification before their play thread has left the driver, so
    // closing the last device at once could unload the driver under that thread. The program holds the
    // driver from its first sound to its end; where no such file exists this does nothing. It is the
    // system's: a file of that name beside the program is not loaded.
    if (!driverHeld_) {
        driver_ = LoadLibraryA(SystemFilePath("mciwave.dll").c_str());
        driverHeld_ = true;
    }
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = path;
    MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                                     reinterpret_cast<DWORD_PTR>(&open));
    *device = error ? 0 : open.wDeviceID;
    return error;
}

uint32_t MciWavePlayer::Play(WaveDeviceId device, WindowHandle notify) {
    if (device == 0) return 0;
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notify);
    return mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

uint32_t MciWavePlayer::Stop(WaveDeviceId device) {
    if (device == 0) return 0;
    return mciSendCommandA(device, MCI_STOP, MCI_WAIT, 0);
}

uint32_t MciWavePlayer::Close(WaveDeviceId device) {
    if (device == 0) return 0;
    MCI_GENERIC_PARMS close = {};
    return mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
}

}  // namespace zv
