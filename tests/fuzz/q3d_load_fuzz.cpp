// Fuzzes the 3D settings store: Load against property sets that answer every Get with any result, any
// number of bytes up to the buffer and any reported size, and a "splash time" value of any type and size;
// then the record's round trip through the Effects page's controls and its Apply. A field changes only on
// an answer of exactly its size, and the controls always show values they can hold.
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "driver/card_sound.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "pages/effects/q3d_settings.h"

namespace {

using zv::fuzz::FuzzInput;
using namespace zv;

const HResult kFailures[] = {kFail, kNotImplemented, kOutOfMemory, static_cast<HResult>(0x80070057u) /* E_INVALIDARG */,
                             1 /* S_FALSE */};

class FuzzPropertySet : public SoundPropertySet {
public:
    struct Answer {
        HResult hr;
        uint32_t size;      // the buffer the program offered
        uint32_t returned;  // what the driver said it returned
        std::vector<uint8_t> bytes;
    };
    struct SetCall {
        Guid set;
        uint32_t id;
        uint32_t instanceSize;
        uint32_t size;
    };

    explicit FuzzPropertySet(FuzzInput& in) : in_(in) {}

    uint32_t Release() override { return 1; }
    HResult QuerySupport(const Guid&, uint32_t, uint32_t* support) override {
        if (support) *support = 3;
        return kOk;
    }

    HResult Get(const Guid& set, uint32_t id, void* data, uint32_t size, uint32_t* returned) override {
        ZV_FUZZ_CHECK(data != nullptr && returned != nullptr);
        ZV_FUZZ_CHECK(size == 4 || size == 8);
        Answer answer{kOk, size, 0, {}};
        const uint8_t result = in_.U8();
        if (result >= 0xE0) answer.hr = kFailures[result % (sizeof kFailures / sizeof kFailures[0])];
        const uint8_t mode = in_.U8();
        if (mode < 0xC0) {
            // A well-behaved driver: it reports what it wrote, the value's own size or less.
            answer.bytes = in_.Take(mode % (size + 1));
            answer.bytes.resize(mode % (size + 1));
            answer.returned = static_cast<uint32_t>(answer.bytes.size());
        } else {
            // A driver with more to say than fits: it fills the buffer and reports any size.
            answer.bytes = in_.Take(size);
            answer.bytes.resize(size);
            answer.returned = mode == 0xFF ? in_.U32() : size + mode % 8;
        }
        if (!answer.bytes.empty()) std::memcpy(data, answer.bytes.data(), answer.bytes.size());
        *returned = answer.returned;
        answers_[Key(set, id)] = answer;
        return answer.hr;
    }

    HResult Set(const Guid& set, uint32_t id, const void* instance, uint32_t instanceSize, const void* data,
                uint32_t size) override {
        ZV_FUZZ_CHECK((instance == nullptr) == (instanceSize == 0));
        ZV_FUZZ_CHECK(data != nullptr);
        // Read every byte described, so a description longer than its buffer shows.
        std::vector<uint8_t> copy(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        if (instance) {
            std::vector<uint8_t> block(static_cast<const uint8_t*>(instance),
                                       static_cast<const uint8_t*>(instance) + instanceSize);
        }
        sets_.push_back(SetCall{set, id, instanceSize, size});
        return in_.U8() >= 0xF0 ? kFail : kOk;
    }

    // The value Load may take from the property, when the answer was of exactly size bytes.
    bool Took(const Guid& set, uint32_t id, void* value, uint32_t size) const {
        auto it = answers_.find(Key(set, id));
        if (it == answers_.end()) return false;
        const Answer& answer = it->second;
        if (Failed(answer.hr) || answer.returned != size || answer.size != size) return false;
        std::memcpy(value, answer.bytes.data(), size);
        return true;
    }
    size_t Gets() const { return answers_.size(); }
    const std::vector<SetCall>& Sets() const { return sets_; }

private:
    static std::pair<uint32_t, uint32_t> Key(const Guid& set, uint32_t id) {
        return {set == kZv930PropertySet3D ? 1u : set == kZv930PropertySet ? 2u : 0u, id};
    }

    FuzzInput& in_;
    std::map<std::pair<uint32_t, uint32_t>, Answer> answers_;
    std::vector<SetCall> sets_;
};

template <typename T>
bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Bitwise, so a NaN the driver handed over counts as kept.
template <typename T>
void ExpectField(const FuzzPropertySet& properties, const Guid& set, uint32_t id, const T& before, const T& after) {
    T taken;
    ZV_FUZZ_CHECK(Same(after, properties.Took(set, id, &taken, sizeof taken) ? taken : before));
}

// The hidden elevation and interpolation boxes follow the CPU usage slider, so only the slider is compared.
bool SameControls(const EffectsControls& a, const EffectsControls& b) {
    return a.qsound == b.qsound && a.reverb == b.reverb && a.bassBoost == b.bassBoost &&
           a.splash == b.splash && a.environment == b.environment &&
           a.cpuUsage == b.cpuUsage && a.stereoExpand == b.stereoExpand && a.spread == b.spread && a.center == b.center;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t flags = in.U8();

    fuzz::ScribblingRegistry registry;
    const bool splashStored = (flags & 1) != 0;
    const bool keyDenied = (flags & 2) != 0;
    const uint8_t typeChoice = in.U8();
    const uint32_t splashType = typeChoice < 0xF0 ? typeChoice % 5 : in.U32();
    const std::vector<uint8_t> splash = in.Bytes(16);
    if (splashStored) registry.SetRaw(kHkeyCurrentUser, q3d::kUserKey, q3d::kSplashTime, splashType, splash);
    if (keyDenied) registry.DenyOpen(kHkeyCurrentUser, q3d::kUserKey);
    if (flags & 4) registry.DenyOpen(kHkeyLocalMachine, kQ3DClassKey);

    // The record as an earlier load or the page could have left it, or as it starts.
    Q3DSettings settings;
    if (flags & 8) in.Fill(&settings, sizeof settings);
    const Q3DSettings before = settings;

    FuzzPropertySet properties(in);
    const int32_t maxPan = LoadQ3DSettings(settings, properties, registry);
    ZV_FUZZ_CHECK(properties.Gets() == 11);
    ZV_FUZZ_CHECK(registry.OpenHandles() == 0);
    ZV_FUZZ_CHECK(registry.Writes() == 0);

    const Guid& k3D = kZv930PropertySet3D;
    const Guid& kZv = kZv930PropertySet;
    ExpectField(properties, k3D, kQ3DPropQSound, before.qsoundEnabled, settings.qsoundEnabled);
    ExpectField(properties, k3D, kQ3DPropElevation, before.elevation, settings.elevation);
    ExpectField(properties, k3D, kQ3DPropReverb, before.reverb, settings.reverb);
    ExpectField(properties, kZv, kZv930PropBassBoost, before.bassBoost, settings.bassBoost);
    ExpectField(properties, k3D, kQ3DPropRateConversion, before.rateConversion, settings.rateConversion);
    ExpectField(properties, k3D, kQ3DPropProperty2, before.property2, settings.property2);
    ExpectField(properties, k3D, kQ3DPropStereoExpand, before.stereoExpand, settings.stereoExpand);
    ExpectField(properties, k3D, kQ3DPropSpread, before.spread, settings.spread);
    ExpectField(properties, k3D, kQ3DPropCenter, before.center, settings.center);
    int32_t environment[2];
    if (properties.Took(kZv, kZv930PropEnvironment, environment, sizeof environment)) {
        ZV_FUZZ_CHECK(settings.environmentSet == environment[0] && settings.environmentIndex == environment[1]);
    } else {
        ZV_FUZZ_CHECK(settings.environmentSet == before.environmentSet &&
                      settings.environmentIndex == before.environmentIndex);
    }
    int32_t pan = 0;
    properties.Took(k3D, kQ3DPropMaxPan, &pan, sizeof pan);
    ZV_FUZZ_CHECK(maxPan == pan);
    ZV_FUZZ_CHECK(settings.maxPanEnabled == (pan != 0 ? 1 : 0));
    ZV_FUZZ_CHECK(settings.maxPan == (pan != 0 ? pan : before.maxPan));

    bool splashOn = false;
    if (splashStored && !keyDenied && splash.size() <= 4)
        for (uint8_t b : splash) splashOn = splashOn || b != 0;
    ZV_FUZZ_CHECK(settings.splashEnabled == (splashOn ? 1 : 0));

    // The page shows what the controls can hold, and reading them back changes nothing it shows.
    const EffectsControls shown = ControlsFromSettings(settings);
    ZV_FUZZ_CHECK(shown.environment >= -1 && shown.environment < kEnvironmentEntries);
    ZV_FUZZ_CHECK(shown.cpuUsage >= 0 && shown.cpuUsage <= kCpuUsageHigh);
    ZV_FUZZ_CHECK(shown.spread >= 0 && shown.spread <= kSliderMax);
    ZV_FUZZ_CHECK(shown.center >= 0 && shown.center <= kSliderMax);
    Q3DSettings readBack = settings;
    SettingsFromControls(shown, readBack);
    ZV_FUZZ_CHECK(SameControls(ControlsFromSettings(readBack), shown));
    ZV_FUZZ_CHECK(readBack.maxPan == settings.maxPan && readBack.maxPanEnabled == settings.maxPanEnabled);
    ZV_FUZZ_CHECK(readBack.property2 == settings.property2);

    // The user's own settings of the controls, whatever they are, stay within the lists and ranges.
    EffectsControls chosen = shown;
    chosen.environment = static_cast<int>(in.U32());
    chosen.cpuUsage = static_cast<int>(in.U32());
    chosen.spread = static_cast<int>(in.U32());
    chosen.center = static_cast<int>(in.U32());
    Q3DSettings applied = readBack;
    SettingsFromControls(chosen, applied);
    const EffectsControls again = ControlsFromSettings(applied);
    ZV_FUZZ_CHECK(again.environment >= -1 && again.environment < kEnvironmentEntries);
    ZV_FUZZ_CHECK(again.spread >= 0 && again.spread <= kSliderMax && again.center >= 0 && again.center <= kSliderMax);

    // Apply with and without an interface: each value travels with its own size and instance block.
    ApplyQ3DSettings(applied, in.Bool() ? &properties : nullptr, registry);
    for (const FuzzPropertySet::SetCall& call : properties.Sets()) {
        const bool isEnvironment = call.set == kZv && call.id == kZv930PropEnvironment;
        ZV_FUZZ_CHECK(call.size == (isEnvironment ? 8u : 4u));
        ZV_FUZZ_CHECK(call.instanceSize == (call.set == k3D ? 36u : 0u));
    }
    ZV_FUZZ_CHECK(properties.Sets().empty() || properties.Sets().size() == 11);
    ZV_FUZZ_CHECK(registry.OpenHandles() == 0);
    return 0;
}
