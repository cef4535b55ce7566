#include "model/card_mixer.h"

#include <algorithm>
#include <cstring>

namespace zv::sim {
namespace {

constexpr uint16_t kCardProductId = 0x0930;
constexpr uint32_t kDriverVersion = 0x0400;
constexpr uint32_t kLevelMax = 65535;
constexpr uint32_t kVolumeSteps = 16;
constexpr uint32_t kControlClassMask = 0xF0000000;

void CopyName(char* out, size_t size, const std::string& name) {
    std::memset(out, 0, size);
    std::memcpy(out, name.data(), std::min(name.size(), size - 1));
}

bool IsMultiple(uint32_t flags) { return (flags & kMixerControlMultiple) != 0; }
// Volume, bass and the like: unsigned levels up to kLevelMax.
bool IsFader(uint32_t type) { return (type & kControlClassMask) == (kMixerControlFader & kControlClassMask); }
bool IsUniform(uint32_t flags) { return (flags & kMixerControlUniform) != 0; }

uint32_t TargetType(uint32_t componentType) {
    switch (componentType) {
    case kMixerDstSpeakers:
    case kMixerSrcWaveOut:
        return kMixerTargetWaveOut;
    case kMixerDstWaveIn:
        return kMixerTargetWaveIn;
    default:
        return kMixerTargetUndefined;
    }
}

}  // namespace

uint32_t CardMixer::AddCard(uint16_t manufacturerId, const CardVariant& variant) {
    const uint32_t device = AddDevice(manufacturerId, "ZV930 Mixer");
    devices_[device].refusesSelection = variant.refusesSelection;

    AddDestination(device, kMixerDstSpeakers, kSpeakersLine, "Master Volume", 2);
    AddSource(device, kSpeakersLine, kMixerSrcAnalog, kAuxLine, "Aux", 2);
    AddSource(device, kSpeakersLine, kMixerSrcWaveOut, kWaveOutLine, "Wave", 2);
    AddSource(device, kSpeakersLine, kMixerSrcSynthesizer, kSynthLine, "FM Synth", 2);
    AddSource(device, kSpeakersLine, kMixerSrcCompactDisc, kPlaybackCdLine, "CD Audio", 2);
    AddSource(device, kSpeakersLine, kMixerSrcMicrophone, kPlaybackMicLine, "Microphone", 1);
    AddSource(device, kSpeakersLine, kMixerSrcAnalog, kLineInLine, "Line In", 2);
    for (uint32_t line : {kSpeakersLine, kAuxLine, kWaveOutLine, kSynthLine, kPlaybackCdLine, kPlaybackMicLine,
                          kLineInLine}) {
        const bool uniform = variant.uniformStereo && line == kSynthLine;
        const bool muteFirst = variant.foreignControlOrder && line == kWaveOutLine;
        if (muteFirst) AddControl(device, line, kMixerControlMute, kMixerControlUniform, "Mute");
        const uint32_t volume =
            AddControl(device, line, kMixerControlVolume, uniform ? kMixerControlUniform : 0, "Volume");
        if (variant.foreignControlOrder && line == kPlaybackCdLine) {
            AddControl(device, line, kMixerControlBass, 0, "Bass");
        } else if (!muteFirst && !(variant.waveVolumeOnly && line == kWaveOutLine)) {
            AddControl(device, line, kMixerControlMute, kMixerControlUniform, "Mute");
        }
        const uint32_t channels = uniform || line == kPlaybackMicLine ? 1 : 2;
        ChangeValues(device, volume, std::vector<uint32_t>(channels, 12 * 4369));
    }

    AddDestination(device, kMixerDstWaveIn, kWaveInLine, "Recording Control", 2);
    AddSource(device, kWaveInLine, kMixerSrcAnalog, kRecordLineInLine, "Line In", 2);
    AddSource(device, kWaveInLine, kMixerSrcAnalog, kRecordMixLine, "Stereo Mix", 2);
    AddSource(device, kWaveInLine, kMixerSrcMicrophone, kRecordMicLine, "Microphone", 1);
    AddSource(device, kWaveInLine, kMixerSrcCompactDisc, kRecordCdLine, "CD Audio", 2);
    const uint32_t master = AddControl(device, kWaveInLine, kMixerControlVolume, 0, "Recording Volume");
    ChangeValues(device, master, {kLevelMax, kLevelMax});
    if (variant.multiplexerFourth) {
        AddControl(device, kWaveInLine, kMixerControlMute, kMixerControlUniform, "Recording Mute");
        const uint32_t monitor = AddControl(device, kWaveInLine, kMixerControlVolume, 0, "Monitor Volume");
        ChangeValues(device, monitor, {kLevelMax, kLevelMax});
    }
    const uint32_t mux = AddControl(device, kWaveInLine, kMixerControlMux, kMixerControlUniform | kMixerControlMultiple,
                                    "Recording Source", {"Line In", "Mix", "Mic", "CD"});
    ChangeValues(device, mux, {0, 0, 1, 0});
    for (uint32_t line : {kRecordLineInLine, kRecordMixLine, kRecordMicLine, kRecordCdLine}) {
        const bool uniform = variant.uniformStereo && line == kRecordCdLine;
        const uint32_t volume =
            AddControl(device, line, kMixerControlVolume, uniform ? kMixerControlUniform : 0, "Recording Level");
        const uint32_t channels = uniform || line == kRecordMicLine ? 1 : 2;
        ChangeValues(device, volume, std::vector<uint32_t>(channels, 11 * 4369));
    }
    return device;
}

uint32_t CardMixer::AddDevice(uint16_t manufacturerId, const std::string& name) {
    devices_.push_back(Device{manufacturerId, name, {}, 0});
    return static_cast<uint32_t>(devices_.size() - 1);
}

void CardMixer::AddDestination(uint32_t device, uint32_t componentType, uint32_t lineId, const std::string& name,
                               uint32_t channels) {
    devices_.at(device).destinations.push_back(Line{lineId, componentType, channels, name, {}, {}});
}

void CardMixer::AddSource(uint32_t device, uint32_t destinationLineId, uint32_t componentType, uint32_t lineId,
                          const std::string& name, uint32_t channels) {
    for (Line& destination : devices_.at(device).destinations) {
        if (destination.id == destinationLineId) {
            destination.sources.push_back(Line{lineId, componentType, channels, name, {}, {}});
            return;
        }
    }
}

bool CardMixer::RemoveLine(uint32_t device, uint32_t lineId) {
    std::vector<Line>& destinations = devices_.at(device).destinations;
    for (auto d = destinations.begin(); d != destinations.end(); ++d) {
        if (d->id == lineId) {
            destinations.erase(d);
            return true;
        }
        for (auto s = d->sources.begin(); s != d->sources.end(); ++s) {
            if (s->id == lineId) {
                d->sources.erase(s);
                return true;
            }
        }
    }
    return false;
}

bool CardMixer::SetChannels(uint32_t device, uint32_t lineId, uint32_t channels) {
    Line* line = FindLine(device, lineId);
    if (line == nullptr) return false;
    line->channels = channels;
    for (Control& control : line->controls) Resize(control, channels);
    return true;
}

bool CardMixer::RenameLine(uint32_t device, uint32_t lineId, const std::string& name) {
    Line* line = FindLine(device, lineId);
    if (line == nullptr) return false;
    line->name = name;
    return true;
}

uint32_t CardMixer::AddControl(uint32_t device, uint32_t lineId, uint32_t type, uint32_t flags,
                               const std::string& name, const std::vector<std::string>& items) {
    Line* line = FindLine(device, lineId);
    if (line == nullptr) return kNoControl;
    Control control{devices_[device].nextControlId++, type, flags, name, items, {}};
    Resize(control, line->channels);
    line->controls.push_back(control);
    return control.id;
}

bool CardMixer::RemoveControl(uint32_t device, uint32_t controlId) {
    Found found = FindControlOf(device, controlId);
    if (found.control == nullptr) return false;
    found.line->controls.erase(found.line->controls.begin() + (found.control - found.line->controls.data()));
    return true;
}

uint32_t CardMixer::FindControl(uint32_t device, uint32_t lineId, uint32_t type) const {
    const Line* line = FindLine(device, lineId);
    if (line == nullptr) return kNoControl;
    for (const Control& control : line->controls) {
        if (control.type == type) return control.id;
    }
    return kNoControl;
}

std::vector<uint32_t> CardMixer::Values(uint32_t device, uint32_t controlId) const {
    Found found = const_cast<CardMixer*>(this)->FindControlOf(device, controlId);
    return found.control != nullptr ? found.control->values : std::vector<uint32_t>{};
}

bool CardMixer::ChangeValues(uint32_t device, uint32_t controlId, const std::vector<uint32_t>& values) {
    Found found = FindControlOf(device, controlId);
    if (found.control == nullptr || values.size() != found.control->values.size()) return false;
    found.control->values = values;
    Notify(device, controlId);
    return true;
}

void CardMixer::FailCall(MixerCall call, uint32_t result, uint32_t id, uint32_t skip) {
    failures_.push_back(Failure{call, result, id, skip});
}

uint32_t CardMixer::GetNumDevs() {
    ++calls_[static_cast<int>(MixerCall::kGetNumDevs)];
    if (Count(MixerCall::kGetNumDevs) != kMmSysErrNoError) return 0;
    return static_cast<uint32_t>(devices_.size());
}

uint32_t CardMixer::GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) {
    ++calls_[static_cast<int>(MixerCall::kGetDevCaps)];
    if (uint32_t result = Count(MixerCall::kGetDevCaps, deviceId)) return result;
    if (deviceId >= devices_.size()) return kMmSysErrBadDeviceId;
    if (caps == nullptr) return kMmSysErrInvalParam;
    const Device& device = devices_[deviceId];
    MixerCaps full{};
    full.wMid = device.manufacturerId;
    full.wPid = kCardProductId;
    full.vDriverVersion = kDriverVersion;
    CopyName(full.szPname, sizeof(full.szPname), device.name);
    full.cDestinations = static_cast<uint32_t>(device.destinations.size());
    std::memcpy(caps, &full, std::min<size_t>(capsSize, sizeof(full)));
    return kMmSysErrNoError;
}

uint32_t CardMixer::Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle window, uintptr_t /*instance*/,
                         uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kOpen)];
    if (uint32_t result = Count(MixerCall::kOpen, deviceId)) return result;
    if (mixer == nullptr) return kMmSysErrInvalParam;
    if ((flags & ~kCallbackWindow) != 0) return kMmSysErrInvalFlag;
    if (deviceId >= devices_.size()) return kMmSysErrBadDeviceId;
    const MixerHandle handle = nextHandle_++;
    handles_.push_back(Handle{handle, deviceId, (flags & kCallbackWindow) != 0 ? window : nullptr});
    *mixer = handle;
    return kMmSysErrNoError;
}

uint32_t CardMixer::Close(MixerHandle mixer) {
    ++calls_[static_cast<int>(MixerCall::kClose)];
    if (uint32_t result = Count(MixerCall::kClose)) return result;
    for (auto h = handles_.begin(); h != handles_.end(); ++h) {
        if (h->handle == mixer) {
            handles_.erase(h);
            return kMmSysErrNoError;
        }
    }
    return kMmSysErrInvalHandle;
}

uint32_t CardMixer::GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kGetId)];
    if (uint32_t result = Count(MixerCall::kGetId)) return result;
    if (deviceId == nullptr) return kMmSysErrInvalParam;
    uint32_t device = 0;
    if (!Resolve(object, flags, &device)) return kMmSysErrInvalHandle;
    *deviceId = device;
    return kMmSysErrNoError;
}

uint32_t CardMixer::GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kGetLineInfo)];
    uint32_t device = 0;
    if (!Resolve(object, flags, &device)) return kMmSysErrInvalHandle;
    if (line == nullptr || line->cbStruct != sizeof(MixerLine)) return kMmSysErrInvalParam;
    const uint32_t query = flags & kMixerGetLineInfoQueryMask;
    if (query != kMixerGetLineInfoDestination && query != kMixerGetLineInfoSource) return kMmSysErrNotSupported;

    const std::vector<Line>& destinations = devices_[device].destinations;
    if (line->dwDestination >= destinations.size()) return kMixerErrInvalLine;
    const uint32_t d = line->dwDestination;
    const Line* found = &destinations[d];
    uint32_t s = 0;
    if (query == kMixerGetLineInfoSource) {
        s = line->dwSource;
        if (s >= found->sources.size()) return kMixerErrInvalLine;
        found = &found->sources[s];
    }
    if (uint32_t result = Count(MixerCall::kGetLineInfo, found->id)) return result;
    FillLine(devices_[device], *found, d, s, query == kMixerGetLineInfoSource, line);
    return kMmSysErrNoError;
}

uint32_t CardMixer::GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kGetLineControls)];
    uint32_t device = 0;
    if (!Resolve(object, flags, &device)) return kMmSysErrInvalHandle;
    if (controls == nullptr || controls->cbStruct != sizeof(MixerLineControls)) return kMmSysErrInvalParam;
    if ((flags & kMixerGetLineControlsQueryMask) != kMixerGetLineControlsAll) return kMmSysErrNotSupported;
    if (uint32_t result = Count(MixerCall::kGetLineControls, controls->dwLineID)) return result;
    const Line* line = FindLine(device, controls->dwLineID);
    if (line == nullptr) return kMixerErrInvalLine;
    // As the system does: the caller must ask for exactly the line's controls.
    if (controls->cControls != line->controls.size() || controls->cControls == 0 ||
        controls->cbmxctrl != sizeof(MixerControl) || controls->pamxctrl == nullptr) {
        return kMmSysErrInvalParam;
    }
    for (size_t i = 0; i < line->controls.size(); ++i) {
        const Control& source = line->controls[i];
        MixerControl out{};
        out.cbStruct = sizeof(MixerControl);
        out.dwControlID = source.id;
        out.dwControlType = source.type;
        out.fdwControl = source.flags;
        out.cMultipleItems = IsMultiple(source.flags) ? static_cast<uint32_t>(source.items.size()) : 0;
        CopyName(out.szShortName, sizeof(out.szShortName), source.name);
        CopyName(out.szName, sizeof(out.szName), source.name);
        out.Bounds.dwMinimum = 0;
        out.Bounds.dwMaximum = IsFader(source.type) ? kLevelMax : 1;
        out.Metrics.cSteps = IsFader(source.type) ? kVolumeSteps : 0;
        controls->pamxctrl[i] = out;
    }
    return kMmSysErrNoError;
}

uint32_t CardMixer::GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kGetControlDetails)];
    uint32_t device = 0;
    if (!Resolve(object, flags, &device)) return kMmSysErrInvalHandle;
    if (details == nullptr || details->cbStruct != sizeof(MixerControlDetails) || details->paDetails == nullptr) {
        return kMmSysErrInvalParam;
    }
    const uint32_t query = flags & kMixerControlDetailsQueryMask;
    if (query != kMixerGetControlDetailsValue && query != kMixerGetControlDetailsListText) {
        return kMmSysErrNotSupported;
    }
    if (uint32_t result = Count(MixerCall::kGetControlDetails, details->dwControlID)) return result;
    Found found = FindControlOf(device, details->dwControlID);
    if (found.control == nullptr) return kMixerErrInvalControl;
    const Control& control = *found.control;
    const uint32_t items = IsMultiple(control.flags) ? static_cast<uint32_t>(control.items.size()) : 0;
    const uint32_t channels = details->cChannels;
    if (channels == 0 || (channels != 1 && (IsUniform(control.flags) || channels != found.line->channels)) ||
        details->cMultipleItems != items) {
        return kMmSysErrInvalParam;
    }
    const uint32_t perChannel = std::max<uint32_t>(items, 1);
    const uint32_t stored = IsUniform(control.flags) ? 1 : std::max<uint32_t>(found.line->channels, 1);

    if (query == kMixerGetControlDetailsListText) {
        if (!IsMultiple(control.flags) || details->cbDetails != sizeof(MixerListText)) return kMmSysErrInvalParam;
        auto* out = static_cast<MixerListText*>(details->paDetails);
        for (uint32_t c = 0; c < channels; ++c) {
            for (uint32_t i = 0; i < items; ++i) {
                MixerListText& entry = out[c * items + i];
                entry.dwParam1 = i;
                entry.dwParam2 = 0;
                CopyName(entry.szName, sizeof(entry.szName), control.items[i]);
            }
        }
        return kMmSysErrNoError;
    }
    if (details->cbDetails != kMixerDetailValueSize) return kMmSysErrInvalParam;
    auto* out = static_cast<uint32_t*>(details->paDetails);
    for (uint32_t c = 0; c < channels; ++c) {
        const uint32_t from = std::min(c, stored - 1);
        for (uint32_t i = 0; i < perChannel; ++i) out[c * perChannel + i] = control.values[from * perChannel + i];
    }
    return kMmSysErrNoError;
}

uint32_t CardMixer::SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) {
    ++calls_[static_cast<int>(MixerCall::kSetControlDetails)];
    uint32_t device = 0;
    if (!Resolve(object, flags, &device)) return kMmSysErrInvalHandle;
    if (details == nullptr || details->cbStruct != sizeof(MixerControlDetails) || details->paDetails == nullptr ||
        details->cbDetails != kMixerDetailValueSize) {
        return kMmSysErrInvalParam;
    }
    if ((flags & kMixerControlDetailsQueryMask) != kMixerSetControlDetailsValue) return kMmSysErrNotSupported;
    if (uint32_t result = Count(MixerCall::kSetControlDetails, details->dwControlID)) return result;
    Found found = FindControlOf(device, details->dwControlID);
    if (found.control == nullptr) return kMixerErrInvalControl;
    Control& control = *found.control;
    if (control.type == kMixerControlMux && devices_[device].refusesSelection) return kMmSysErrNotSupported;
    const uint32_t items = IsMultiple(control.flags) ? static_cast<uint32_t>(control.items.size()) : 0;
    const uint32_t channels = details->cChannels;
    if (channels == 0 || (channels != 1 && (IsUniform(control.flags) || channels != found.line->channels)) ||
        details->cMultipleItems != items) {
        return kMmSysErrInvalParam;
    }
    const uint32_t perChannel = std::max<uint32_t>(items, 1);
    const auto* in = static_cast<const uint32_t*>(details->paDetails);
    std::vector<uint32_t> written(in, in + channels * perChannel);

    std::vector<uint32_t> next = control.values;
    const uint32_t stored = IsUniform(control.flags) ? 1 : std::max<uint32_t>(found.line->channels, 1);
    for (uint32_t c = 0; c < stored; ++c) {
        const uint32_t from = channels == 1 ? 0 : c;
        for (uint32_t i = 0; i < perChannel; ++i) {
            uint32_t value = written[from * perChannel + i];
            if (control.type == kMixerControlMute || control.type == kMixerControlMux) value = value != 0 ? 1 : 0;
            if (IsFader(control.type) && value > kLevelMax) return kMixerErrInvalValue;
            next[c * perChannel + i] = value;
        }
        // A multiplexer selects exactly one source.
        if (control.type == kMixerControlMux &&
            std::count(next.begin() + c * perChannel, next.begin() + (c + 1) * perChannel, 1u) != 1) {
            return kMixerErrInvalValue;
        }
    }
    control.values = next;
    writes_.push_back(Write{device, control.id, written});
    Notify(device, control.id);
    return kMmSysErrNoError;
}

uint32_t CardMixer::Count(MixerCall call, uint32_t id) {
    for (Failure& failure : failures_) {
        if (failure.call != call || (failure.id != kAnyId && failure.id != id)) continue;
        if (failure.skip > 0) {
            --failure.skip;
            continue;
        }
        return failure.result;
    }
    return kMmSysErrNoError;
}

// An open handle, or with the plain mixer flag also a device index, as the system accepts either there.
bool CardMixer::Resolve(MixerHandle object, uint32_t flags, uint32_t* device) const {
    const uint32_t type = flags & kMixerObjectTypeMask;
    if (type != kMixerObjectHMixer && type != kMixerObjectMixer) return false;
    for (const Handle& handle : handles_) {
        if (handle.handle == object) {
            *device = handle.device;
            return true;
        }
    }
    if (type == kMixerObjectMixer && object < devices_.size()) {
        *device = static_cast<uint32_t>(object);
        return true;
    }
    return false;
}

CardMixer::Line* CardMixer::FindLine(uint32_t device, uint32_t lineId) {
    return const_cast<Line*>(static_cast<const CardMixer*>(this)->FindLine(device, lineId));
}

const CardMixer::Line* CardMixer::FindLine(uint32_t device, uint32_t lineId) const {
    if (device >= devices_.size()) return nullptr;
    for (const Line& destination : devices_[device].destinations) {
        if (destination.id == lineId) return &destination;
        for (const Line& source : destination.sources) {
            if (source.id == lineId) return &source;
        }
    }
    return nullptr;
}

CardMixer::Found CardMixer::FindControlOf(uint32_t device, uint32_t controlId) {
    if (device >= devices_.size()) return {};
    auto search = [controlId](Line& line) -> Found {
        for (Control& control : line.controls) {
            if (control.id == controlId) return Found{&line, &control};
        }
        return {};
    };
    for (Line& destination : devices_[device].destinations) {
        if (Found found = search(destination); found.control != nullptr) return found;
        for (Line& source : destination.sources) {
            if (Found found = search(source); found.control != nullptr) return found;
        }
    }
    return {};
}

void CardMixer::Notify(uint32_t device, uint32_t controlId) {
    if (!notifier_) return;
    const std::vector<Handle> open = handles_;
    for (const Handle& handle : open) {
        if (handle.device == device && handle.window != nullptr) notifier_(handle.window, handle.handle, controlId);
    }
}

uint32_t CardMixer::ValueCount(const Control& control, uint32_t channels) {
    const uint32_t perChannel = IsMultiple(control.flags) ? static_cast<uint32_t>(control.items.size()) : 1;
    return (IsUniform(control.flags) ? 1 : std::max<uint32_t>(channels, 1)) * std::max<uint32_t>(perChannel, 1);
}

// New channels take the first channel's values.
void CardMixer::Resize(Control& control, uint32_t channels) {
    const uint32_t count = ValueCount(control, channels);
    const uint32_t perChannel =
        std::max<uint32_t>(IsMultiple(control.flags) ? static_cast<uint32_t>(control.items.size()) : 1, 1);
    std::vector<uint32_t> values(count, 0);
    for (uint32_t i = 0; i < count; ++i) {
        if (i < control.values.size()) {
            values[i] = control.values[i];
        } else if (!control.values.empty()) {
            values[i] = control.values[i % perChannel];
        }
    }
    control.values = values;
}

void CardMixer::FillLine(const Device& device, const Line& line, uint32_t destination, uint32_t source, bool isSource,
                         MixerLine* out) {
    MixerLine filled{};
    filled.cbStruct = sizeof(MixerLine);
    filled.dwDestination = destination;
    filled.dwSource = isSource ? source : 0;
    filled.dwLineID = line.id;
    filled.fdwLine = kMixerLineActive | (isSource ? kMixerLineSource : 0);
    filled.dwComponentType = line.componentType;
    filled.cChannels = line.channels;
    filled.cConnections = isSource ? 0 : static_cast<uint32_t>(line.sources.size());
    filled.cControls = static_cast<uint32_t>(line.controls.size());
    CopyName(filled.szShortName, sizeof(filled.szShortName), line.name);
    CopyName(filled.szName, sizeof(filled.szName), line.name);
    filled.Target.dwType = TargetType(line.componentType);
    filled.Target.dwDeviceID = 0;
    filled.Target.wMid = device.manufacturerId;
    filled.Target.wPid = kCardProductId;
    filled.Target.vDriverVersion = kDriverVersion;
    CopyName(filled.Target.szPname, sizeof(filled.Target.szPname), device.name);
    *out = filled;
}

}  // namespace zv::sim
