#include "mixer/volume_model.h"

#include <algorithm>

namespace zv {
namespace {

bool IsMono(const MixerLineRecord& record) { return record.line.cChannels == 1; }

// The products below stay within 32 bits only for levels up to the assumed maximum; a driver reporting
// more is shown as full.
uint32_t Level(uint32_t value) { return std::min(value, kMaxLevel); }

void SplitLevel(MixerLineRecord& record, uint32_t level, uint32_t balance) {
    if (balance < kBalanceCentre) {
        record.left = level;
        record.right = (balance * level) / kBalanceCentre;
    } else if (balance > kBalanceCentre) {
        record.right = level;
        record.left = ((kBalanceSliderMax - balance) * level) / kBalanceCentre;
    } else {
        record.left = level;
        record.right = level;
    }
}

}  // namespace

bool HasBalance(const MixerLineRecord& record) {
    return !IsMono(record) && (record.controls[kVolumeSlot].fdwControl & kMixerControlUniform) == 0;
}

uint32_t LineLevel(const MixerLineRecord& record) {
    if (IsMono(record)) return record.left;
    return record.left > record.right ? record.left : record.right;
}

void ApplySliderPosition(MixerLineRecord& record, uint32_t position, bool isBalance) {
    if (isBalance) {
        if (!HasBalance(record)) return;
        record.balance = std::min(position, kBalanceSliderMax);
        SplitLevel(record, Level(LineLevel(record)), record.balance);
        return;
    }
    position = std::min(position, kVolumeSliderMax);
    const uint32_t level = (kVolumeSliderMax * kMaxLevel - position * kMaxLevel) / kVolumeSliderMax;
    if (IsMono(record)) {
        record.left = level;
        return;
    }
    SplitLevel(record, level, std::min(record.balance, kBalanceSliderMax));
}

uint32_t VolumeSliderPosition(const MixerLineRecord& record) {
    return kVolumeSliderMax - (kVolumeSliderMax * Level(LineLevel(record))) / kMaxLevel;
}

bool BalanceFromLevels(MixerLineRecord& record) {
    if (!HasBalance(record)) return false;
    const uint32_t left = Level(record.left);
    const uint32_t right = Level(record.right);
    if (left > right) {
        record.balance = kBalanceCentre - (kBalanceCentre * (left - right)) / left;
    } else if (left < right) {
        record.balance = kBalanceCentre + (kBalanceCentre * (right - left)) / right;
    } else if (left != 0) {
        record.balance = kBalanceCentre;
    } else {
        return false;
    }
    return true;
}

}  // namespace zv
