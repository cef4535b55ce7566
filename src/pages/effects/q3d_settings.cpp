#include "pages/effects/q3d_settings.h"

#include <cmath>
#include <cstring>

#include "driver/card_sound.h"

namespace zv {
namespace {

// A short or long answer would leave part of a field stale or mix two values, so only an answer of the
// value's exact size is taken.
template <typename T>
void GetProperty(SoundPropertySet& properties, const Guid& set, uint32_t id, T* field) {
    T value;
    uint32_t returned = 0;
    HResult hr = properties.Get(set, id, &value, sizeof value, &returned);
    if (!Failed(hr) && returned == sizeof value) *field = value;
}

// The driver's 3D set takes each value with an instance block whose first word is 1; its own set takes
// none.
template <typename T>
void SetProperty(SoundPropertySet* properties, const Guid& set, uint32_t id, const T& value) {
    uint32_t instance[9] = {1};
    static_assert(sizeof instance == 36, "the 3D instance block is 36 bytes");
    if (set == kZv930PropertySet3D) properties->Set(set, id, instance, sizeof instance, &value, sizeof value);
    else properties->Set(set, id, nullptr, 0, &value, sizeof value);
}

// The driver takes the environment pair as one value, set first.
struct EnvironmentValue {
    int32_t set;
    int32_t index;
};
static_assert(sizeof(EnvironmentValue) == 8, "the environment travels as 8 bytes");

uint32_t Bits(int32_t value) { return static_cast<uint32_t>(value); }
uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Every QSound registry value is 4 bytes of REG_BINARY, least significant byte first.
template <typename T>
long WriteValue(Registry& registry, RegKey key, const char* name, T value) {
    uint32_t bits = Bits(value);
    uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
    return registry.SetValue(key, name, kRegBinary, bytes, sizeof bytes);
}

bool ReadSplashTime(Registry& registry) {
    RegKey key = kRegNone;
    if (registry.OpenKey(kHkeyCurrentUser, q3d::kUserKey, &key) != kRegOk) return false;
    // Any type is taken as it is stored; a value that does not fit in 4 bytes reads as none.
    uint8_t bytes[4] = {};
    uint32_t size = sizeof bytes;
    long rc = registry.QueryValue(key, q3d::kSplashTime, nullptr, bytes, &size);
    registry.CloseKey(key);
    if (rc != kRegOk) return false;
    for (uint32_t i = 0; i < size && i < sizeof bytes; ++i)
        if (bytes[i]) return true;
    return false;
}

}  // namespace

int32_t LoadQ3DSettings(Q3DSettings& settings, SoundPropertySet& properties, Registry& registry) {
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropQSound, &settings.qsoundEnabled);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropElevation, &settings.elevation);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropReverb, &settings.reverb);
    GetProperty(properties, kZv930PropertySet, kZv930PropBassBoost, &settings.bassBoost);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropRateConversion, &settings.rateConversion);
    EnvironmentValue environment{settings.environmentSet, settings.environmentIndex};
    GetProperty(properties, kZv930PropertySet, kZv930PropEnvironment, &environment);
    settings.environmentSet = environment.set;
    settings.environmentIndex = environment.index;

    settings.splashEnabled = ReadSplashTime(registry) ? 1 : 0;

    GetProperty(properties, kZv930PropertySet3D, kQ3DPropProperty2, &settings.property2);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropStereoExpand, &settings.stereoExpand);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropSpread, &settings.spread);
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropCenter, &settings.center);

    // The driver answers 0 when no maximum pan is in force; the last value is kept for a later enabling.
    int32_t maxPan = 0;
    GetProperty(properties, kZv930PropertySet3D, kQ3DPropMaxPan, &maxPan);
    if (maxPan != 0) {
        settings.maxPanEnabled = 1;
        settings.maxPan = maxPan;
    } else {
        settings.maxPanEnabled = 0;
    }
    return maxPan;
}

long ApplyQ3DSettings(const Q3DSettings& settings, SoundPropertySet* properties, Registry& registry) {
    if (properties) {
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropQSound, settings.qsoundEnabled);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropElevation, settings.elevation);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropReverb, settings.reverb);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropRateConversion, settings.rateConversion);
        SetProperty(properties, kZv930PropertySet, kZv930PropBassBoost, settings.bassBoost);
        SetProperty(properties, kZv930PropertySet, kZv930PropEnvironment,
                    EnvironmentValue{settings.environmentSet, settings.environmentIndex});
    }

    long rc = kRegOk;
    RegKey key = kRegNone;
    rc = registry.CreateKey(kHkeyLocalMachine, kQ3DClassKey, &key);
    if (rc == kRegOk) {
        WriteValue(registry, key, "QSound", settings.qsoundEnabled);
        WriteValue(registry, key, "Elevation", settings.elevation);
        WriteValue(registry, key, "Ranging", settings.reverb);
        WriteValue(registry, key, "RateConversion", settings.rateConversion);
        rc = WriteValue(registry, key, "Q1BassBoost", settings.bassBoost);
        registry.CloseKey(key);
    }

    rc = registry.CreateKey(kHkeyCurrentUser, q3d::kUserKey, &key);
    if (rc == kRegOk) {
        rc = WriteValue(registry, key, q3d::kSplashTime,
                        static_cast<int32_t>(settings.splashEnabled ? q3d::kSplashTimeOn : 0));
        registry.CloseKey(key);
    }

    const int32_t maxPan = settings.maxPanEnabled ? settings.maxPan : 0;

    if (properties) {
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropProperty2, settings.property2);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropStereoExpand, settings.stereoExpand);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropSpread, settings.spread);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropCenter, settings.center);
        SetProperty(properties, kZv930PropertySet3D, kQ3DPropMaxPan, maxPan);
    }

    rc = registry.CreateKey(kHkeyLocalMachine, kQ3DClassKey, &key);
    if (rc == kRegOk) {
        WriteValue(registry, key, "StereoExpand", settings.stereoExpand);
        WriteValue(registry, key, "Spread", settings.spread);
        WriteValue(registry, key, "Center", settings.center);
        rc = WriteValue(registry, key, "MaxPan", maxPan);
        registry.CloseKey(key);
    }
    return rc;
}

// ---- Controls

int EnvironmentListIndex(int32_t environmentSet, int32_t environmentIndex) {
    // A pair outside the lists selects nothing, so reading the controls back leaves it as the driver had it.
    if (environmentSet == 0) {
        if (environmentIndex >= -1 && environmentIndex < kStandardEnvironments) return environmentIndex + 1;
        return -1;
    }
    if (environmentIndex >= 0 && environmentIndex < kQSoundPresets)
        return environmentIndex + 1 + kStandardEnvironments;
    return -1;
}

bool EnvironmentFromListIndex(int listIndex, int32_t* environmentSet, int32_t* environmentIndex) {
    if (listIndex < 0 || listIndex >= kEnvironmentEntries) return false;
    if (listIndex - 1 < kStandardEnvironments) {
        *environmentSet = 0;
        *environmentIndex = listIndex - 1;
    } else {
        *environmentSet = 1;
        *environmentIndex = listIndex - 1 - kStandardEnvironments;
    }
    return true;
}

int CpuUsagePosition(int32_t elevation, int32_t rateConversion) {
    return (elevation != 0 ? 1 : 0) + (rateConversion != 0 ? 1 : 0);
}

void CpuUsageFromPosition(int position, int32_t* elevation, int32_t* rateConversion) {
    *elevation = position >= 1 ? 1 : 0;
    *rateConversion = position >= kCpuUsageHigh ? 1 : 0;
}

int SliderPosition(float value) {
    // Compared before converting: a float beyond int's range would not convert at all.
    const double scaled = static_cast<double>(value) * 1000.0 + 0.5;
    if (!(scaled > 0.0)) return 0;  // also not a number
    if (scaled >= kSliderMax) return kSliderMax;
    return static_cast<int>(scaled);
}

float SliderValue(int position) {
    // The double product of a 10-bit integer and a 24-bit float is exact, so one rounding to float gives the
    // single-precision product whatever precision the compiler keeps intermediates in.
    return static_cast<float>(static_cast<double>(position) * static_cast<double>(0.001f));
}

EffectsControls ControlsFromSettings(const Q3DSettings& settings) {
    EffectsControls c;
    c.qsound = settings.qsoundEnabled != 0;
    c.elevation = settings.elevation != 0;
    c.reverb = settings.reverb != 0;
    c.bassBoost = settings.bassBoost != 0;
    c.rateConversion = settings.rateConversion != 0;
    c.splash = settings.splashEnabled != 0;
    c.environment = EnvironmentListIndex(settings.environmentSet, settings.environmentIndex);
    c.cpuUsage = CpuUsagePosition(settings.elevation, settings.rateConversion);
    c.stereoExpand = settings.stereoExpand != 0;
    c.spread = SliderPosition(settings.spread);
    c.center = SliderPosition(settings.center);
    return c;
}

void SettingsFromControls(const EffectsControls& c, Q3DSettings& settings) {
    settings.qsoundEnabled = c.qsound ? 1 : 0;
    settings.reverb = c.reverb ? 1 : 0;
    settings.bassBoost = c.bassBoost ? 1 : 0;
    settings.splashEnabled = c.splash ? 1 : 0;
    // The hidden elevation and interpolation boxes only follow the slider, which decides both.
    CpuUsageFromPosition(c.cpuUsage, &settings.elevation, &settings.rateConversion);
    EnvironmentFromListIndex(c.environment, &settings.environmentSet, &settings.environmentIndex);
    settings.stereoExpand = c.stereoExpand ? 1 : 0;
    settings.spread = SliderValue(c.spread);
    settings.center = SliderValue(c.center);
}

}  // namespace zv
