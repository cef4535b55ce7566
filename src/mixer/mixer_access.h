// Mixer access for the mixer pages: choosing the card's mixer device, opening it, finding a line by its
// component type, and reading and writing a line's volume, mute and recording-source selection.
#pragma once

#include <cstdint>
#include <vector>

#include "driver/driver_config.h"
#include "platform/mixer.h"

namespace zv {

constexpr uint32_t kRecordControls = 3;
constexpr uint32_t kVolumeSlot = 0;
constexpr uint32_t kMuteSlot = 1;

// The working record of one mixer-page column.
struct MixerLineRecord {
    uint32_t balance = 0;  // stored balance position, 0 to 32
    MixerLine line{};
    MixerControl controls[kRecordControls]{};
    uint32_t left = 0;
    uint32_t right = 0;
    uint32_t switchValue = 0;  // mute on the playback page, select on the record page
    // The volume of a line's channels after the second, as last read, so that writing the first two
    // leaves the others as they were.
    std::vector<uint32_t> otherLevels;
};

// The device whose manufacturer id matches the installed card's driver, else 0.
uint32_t ChooseMixerDevice(Mixer& mixer, DriverConfig& config);

// Opens the device with change notifications posted to window; 0 on failure.
MixerHandle OpenMixer(Mixer& mixer, WindowHandle window, uint32_t device);
// Closes the handle, even a null one, and hands back the mixer's result.
uint32_t CloseMixer(Mixer& mixer, WindowHandle window, MixerHandle handle);

// Fills record.line with the line of componentType on a destination of destinationType. lineId 0 takes any
// line; on the recording destination any other id takes only the source with that id.
bool FindMixerLine(Mixer& mixer, MixerHandle handle, MixerLineRecord& record, uint32_t componentType,
                   uint32_t destinationType, uint32_t lineId);
// Reads the line's controls and keeps the first three.
bool GetLineControls(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);

// Whether the line's slot holds the control it is used as: slot 0 a volume fader (the volume type or the
// generic fader; bass, treble and equalizer set one band, not the line's level), slot 1 a mute switch (the
// other switches turn on loudness, mono or the like). Another maker's mixer may list its controls in any
// order; a slot holding something else counts as no control at all, and nothing is read from it or
// written to it.
bool HasVolumeControl(const MixerLineRecord& record);
bool HasMuteControl(const MixerLineRecord& record);
// Through control slot 0, with the record's left and right levels; false without a volume control.
bool GetLineVolume(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);
bool SetLineVolume(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);
// Through control slot 1, with the record's switch value; false without a mute control.
bool GetLineMute(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);
bool SetLineMute(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);
// Through the recording destination's multiplexer, for a record describing one of its sources. Setting
// writes the whole multiplexer, so selecting one source deselects every other; false when the device
// refuses the write.
bool GetRecordSelect(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);
bool SetRecordSelect(Mixer& mixer, MixerHandle handle, MixerLineRecord& record);

}  // namespace zv
