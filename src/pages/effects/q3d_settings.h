// The QSound 3D-audio settings: the record, its load from the driver's property sets and its apply to them
// and to the QSound registry values, and the mapping between the record and the Effects page's controls.
#pragma once

#include <cstdint>

#include "driver/driver_config.h"
#include "platform/registry.h"
#include "platform/sound.h"

namespace zv {

struct Q3DSettings {
    int32_t qsoundEnabled = 1;
    int32_t elevation = 0;
    int32_t reverb = 0;
    int32_t bassBoost = 0;
    int32_t rateConversion = 0;
    int32_t splashEnabled = 0;
    // Adjacent and in this order: the driver takes the pair as one 8-byte value.
    int32_t environmentSet = 0;
    int32_t environmentIndex = -1;
    int32_t property2 = 0;  // carried from load to apply unchanged
    int32_t stereoExpand = 0;
    float spread = 0.0f;
    float center = 0.0f;
    int32_t maxPanEnabled = 0;
    int32_t maxPan = 1000;
};

constexpr Guid kZv930PropertySet3D = {0x7CA99CA1, 0xCD07, 0x11D0, {0xA6, 0xC0, 0x00, 0xA0, 0xC9, 0x24, 0x86, 0x33}};

// Properties of the 3D set.
constexpr uint32_t kQ3DPropQSound = 0;
constexpr uint32_t kQ3DPropMaxPan = 1;
constexpr uint32_t kQ3DPropProperty2 = 2;
constexpr uint32_t kQ3DPropStereoExpand = 3;
constexpr uint32_t kQ3DPropElevation = 4;
constexpr uint32_t kQ3DPropReverb = 5;
constexpr uint32_t kQ3DPropRateConversion = 8;
constexpr uint32_t kQ3DPropSpread = 9;
constexpr uint32_t kQ3DPropCenter = 10;
// Properties of the driver's own set.
constexpr uint32_t kZv930PropBassBoost = 5;
constexpr uint32_t kZv930PropEnvironment = 12;

namespace q3d {
constexpr const char kUserKey[] = "Software\\QSound\\Q3D";
constexpr const char kSplashTime[] = "splash time";
constexpr uint32_t kSplashTimeOn = 2000;
}  // namespace q3d

// Reads the driver's current settings into the record. A Get that fails, or answers with fewer or more bytes
// than the value has, leaves its field as it was. Returns the maximum-pan value read (0 when none).
int32_t LoadQ3DSettings(Q3DSettings& settings, SoundPropertySet& properties, Registry& registry);

// Writes the record to the driver (when there is an interface) and its copy to the QSound registry values.
// Returns the code of the last registry step, 0 on success.
long ApplyQ3DSettings(const Q3DSettings& settings, SoundPropertySet* properties, Registry& registry);

// ---- The Effects page's controls

constexpr int kEnvironmentEntries = 52;    // "- none -", 26 standard environments, 25 QSound presets
constexpr int kStandardEnvironments = 26;
constexpr int kQSoundPresets = 25;
constexpr int kCpuUsageHigh = 2;
constexpr int kSliderMax = 1000;

// The list entry of an environment, or -1 (no selection) for a pair that names no entry.
int EnvironmentListIndex(int32_t environmentSet, int32_t environmentIndex);
// The pair a list entry names. False for an index that names no entry; the pair is then left alone.
bool EnvironmentFromListIndex(int listIndex, int32_t* environmentSet, int32_t* environmentIndex);

// CPU usage: Low (0) with neither elevation nor interpolation, 1 with one of them, High (2) with both.
int CpuUsagePosition(int32_t elevation, int32_t rateConversion);
void CpuUsageFromPosition(int position, int32_t* elevation, int32_t* rateConversion);

// Spread and center as slider positions, 0 to 1000, rounded to the nearest; values the driver could hand
// back out of range (or not a number) land on the nearest end.
int SliderPosition(float value);
// The single-precision product position x 0.001f, so 500 gives exactly 0.5 and 1000 exactly 1.0.
float SliderValue(int position);

// The page's controls as values, so the record<->controls mapping needs no window.
struct EffectsControls {
    bool qsound = true;  // the "QSound" radio button; "Stereo" otherwise
    bool elevation = false;
    bool reverb = false;
    bool bassBoost = false;
    bool rateConversion = false;
    bool splash = false;
    int environment = -1;  // list selection, -1 for none
    int cpuUsage = 0;
    bool stereoExpand = false;
    int spread = 0;
    int center = 0;
};

EffectsControls ControlsFromSettings(const Q3DSettings& settings);
// The maximum-pan pair has no control on the page and stays as loaded.
void SettingsFromControls(const EffectsControls& controls, Q3DSettings& settings);

}  // namespace zv
