// The arithmetic between a mixer column's two track bars and its line's left and right levels, with the
// stored balance that lets a line brought to silence keep its balance.
#pragma once

#include <cstdint>

#include "mixer/mixer_access.h"

namespace zv {

constexpr uint32_t kVolumeSliderMax = 15;   // bottom of the volume track bar: silent
constexpr uint32_t kBalanceSliderMax = 32;  // right end of the balance track bar
constexpr uint32_t kBalanceCentre = 16;
constexpr uint32_t kMaxLevel = 65535;

// Whether the line's two levels can differ: not on a mono line, nor where one volume value serves every
// channel. Only then does a balance move or a balance position mean anything.
bool HasBalance(const MixerLineRecord& record);
// The left level of a mono line, else the larger of the two.
uint32_t LineLevel(const MixerLineRecord& record);
// Sets the levels from a volume or balance track bar position; a balance move also stores the balance, and
// does nothing on a line without balance.
void ApplySliderPosition(MixerLineRecord& record, uint32_t position, bool isBalance);
// The volume track bar position that shows the record's levels.
uint32_t VolumeSliderPosition(const MixerLineRecord& record);
// Stores the balance the levels define and returns true; false, storing nothing, for a line without balance
// or silence.
bool BalanceFromLevels(MixerLineRecord& record);

}  // namespace zv
