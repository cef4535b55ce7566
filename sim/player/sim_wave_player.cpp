#include <windows.h>

#include "player/sim_wave_player.h"

#include <mmsystem.h>

#include <string>
#include <vector>

#include "dll/sim_common.h"

namespace zvsim {
namespace {

SimWavePlayer* activePlayer = nullptr;  // the timer callback finds its player here

uint32_t Get16(const std::vector<unsigned char>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Get32(const std::vector<unsigned char>& b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

// "channels=6 bits=16 frames=22050 sounding=4": the channels whose samples are not all silent.
std::string Describe(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "missing";
    std::vector<unsigned char> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    size_t data = 12;
    while (data + 8 <= bytes.size() && std::string(bytes.begin() + data, bytes.begin() + data + 4) != "data") {
        uint32_t length = Get32(bytes, data + 4);
        if (length > bytes.size()) break;
        data += 8 + length;
    }
    if (bytes.size() < 44 || data + 8 > bytes.size()) return "unreadable size=" + std::to_string(bytes.size());
    uint32_t channels = Get16(bytes, 22), bits = Get16(bytes, 34), size = Get32(bytes, data + 4);
    uint32_t sampleBytes = bits / 8 ? bits / 8 : 1;
    uint32_t frameBytes = channels * sampleBytes;
    if (frameBytes == 0) return "unreadable channels=0";
    const unsigned char silence = bits == 8 ? 0x80 : 0;
    std::vector<bool> sounding(channels, false);
    size_t end = std::min<size_t>(bytes.size(), data + 8 + size);
    for (size_t at = data + 8; at + frameBytes <= end; at += frameBytes)
        for (uint32_t c = 0; c < channels; ++c)
            for (uint32_t k = 0; k < sampleBytes; ++k)
                if (bytes[at + c * sampleBytes + k] != silence) sounding[c] = true;
    std::string text = "channels=" + std::to_string(channels) + " bits=" + std::to_string(bits) +
                       " frames=" + std::to_string(size / frameBytes) + " sounding=";
    std::string list;
    for (uint32_t c = 0; c < channels; ++c)
        if (sounding[c]) list += (list.empty() ? "" : ",") + std::to_string(c);
    return text + (list.empty() ? "none" : list);
}

}  // namespace

uint32_t SimWavePlayer::Open(const char* path, zv::WaveDeviceId* device) {
    DWORD error = Setting("WaveOpenError", 0);
    Log("wave open %s -> %lu %s", path, error, Describe(path).c_str());
    if (error) return error;
    *device = ++lastDevice_;
    return 0;
}

uint32_t SimWavePlayer::Play(zv::WaveDeviceId device, zv::WindowHandle notify) {
    DWORD error = Setting("WavePlayError", 0);
    Log("wave play %u -> %lu", device, error);
    if (error) return error;
    activePlayer = this;
    UINT_PTR timer = SetTimer(nullptr, 0, Setting("WaveMs", 200), OnPlayed);
    playing_[device] = {static_cast<HWND>(notify), timer};
    return 0;
}

void CALLBACK SimWavePlayer::OnPlayed(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!activePlayer) return;
    for (auto it = activePlayer->playing_.begin(); it != activePlayer->playing_.end(); ++it) {
        if (it->second.timer != timer) continue;
        Log("wave end %u", it->first);
        PostMessageA(it->second.notify, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, it->first);
        activePlayer->playing_.erase(it);
        return;
    }
}

bool SimWavePlayer::Cancel(zv::WaveDeviceId device) {
    auto it = playing_.find(device);
    if (it == playing_.end()) return false;
    KillTimer(nullptr, it->second.timer);
    HWND notify = it->second.notify;
    playing_.erase(it);
    // As the system's device does, an interrupted play notifies its window that it was aborted.
    PostMessageA(notify, MM_MCINOTIFY, MCI_NOTIFY_ABORTED, device);
    return true;
}

uint32_t SimWavePlayer::Stop(zv::WaveDeviceId device) {
    bool interrupted = Cancel(device);
    DWORD error = Setting("WaveStopError", 0);
    Log("wave stop %u%s -> %lu", device, interrupted ? " interrupted" : "", error);
    return error;
}

uint32_t SimWavePlayer::Close(zv::WaveDeviceId device) {
    Cancel(device);
    Log("wave close %u", device);
    return 0;
}

}  // namespace zvsim
