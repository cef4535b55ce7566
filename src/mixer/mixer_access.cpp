#include "mixer/mixer_access.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace zv {
namespace {

constexpr uint32_t kAnyLine = 0;
constexpr uint32_t kNoWaveOutLine = 0xFFFFFFFFu;

// A mixer never has this much to report; a count that asks for more is a broken driver, and is refused as
// an allocation failure rather than handed to the allocator.
constexpr uint64_t kMaxBufferBytes = 1u << 20;

template <typename T>
struct Buffer {
    std::unique_ptr<T[]> data;
    uint32_t count = 0;
    explicit operator bool() const { return data != nullptr; }
    T& operator[](uint32_t i) { return data[i]; }
};

// Zero-filled, with at least one element so a call told to write nothing still gets a valid pointer.
template <typename T>
Buffer<T> Allocate(uint64_t count) {
    Buffer<T> buffer;
    count = std::max<uint64_t>(count, 1);
    if (count > kMaxBufferBytes / sizeof(T)) return buffer;
    buffer.data.reset(new (std::nothrow) T[count]());
    if (buffer.data) buffer.count = static_cast<uint32_t>(count);
    return buffer;
}

uint32_t LineFlags(uint32_t query) { return query | kMixerObjectHMixer; }

bool IsUniform(const MixerControl& control) { return (control.fdwControl & kMixerControlUniform) != 0; }

// Slots past the line's own control count describe no control of this line.
bool HasSlot(const MixerLineRecord& record, uint32_t slot) {
    return slot < std::min(record.line.cControls, kRecordControls);
}

// A value request for one of the record's control slots, with room for every value the driver returns
// for the line, however many channels it has.
struct ValueRequest {
    MixerControlDetails details{};
    Buffer<uint32_t> values;
    uint32_t channels = 0;
};

bool PrepareValues(const MixerLineRecord& record, uint32_t slot, ValueRequest* request) {
    const MixerControl& control = record.controls[slot];
    request->channels = IsUniform(control) ? 1 : record.line.cChannels;
    request->values =
        Allocate<uint32_t>(uint64_t{request->channels} * std::max<uint32_t>(control.cMultipleItems, 1));
    if (!request->values) return false;
    MixerControlDetails& details = request->details;
    details.cbStruct = sizeof(MixerControlDetails);
    details.dwControlID = control.dwControlID;
    details.cChannels = request->channels;
    details.cMultipleItems = control.cMultipleItems;
    details.cbDetails = kMixerDetailValueSize;
    details.paDetails = request->values.data.get();
    return true;
}

uint32_t ReadValues(Mixer& mixer, MixerHandle handle, ValueRequest* request) {
    return mixer.GetControlDetails(handle, &request->details, LineFlags(kMixerGetControlDetailsValue));
}

uint32_t WriteValues(Mixer& mixer, MixerHandle handle, ValueRequest* request) {
    return mixer.SetControlDetails(handle, &request->details, LineFlags(kMixerSetControlDetailsValue));
}

void KeepLevels(MixerLineRecord& record, ValueRequest& request) {
    if (request.channels == 1) {
        record.left = request.values[0];
        // A uniform control moves every channel of the line together: both levels are that one value,
        // so the balance shows centred rather than hard left.
        if (record.line.cChannels > 1) record.right = request.values[0];
        return;
    }
    if (request.channels == 0) return;
    record.left = request.values[0];
    record.right = request.values[1];
    record.otherLevels.assign(request.values.data.get() + 2, request.values.data.get() + request.channels);
}

// The recording destination's multiplexer, as the record-selection operations need it.
struct Multiplexer {
    MixerControl control{};
    uint32_t channels = 0;
    uint32_t items = 0;
    uint32_t itemIndex = 0;
};

bool FindSourceItem(Mixer& mixer, MixerHandle handle, const MixerLineRecord& source, Multiplexer* mux) {
    MixerLineRecord destination{};
    if (!FindMixerLine(mixer, handle, destination, kMixerDstWaveIn, kMixerDstWaveIn, kAnyLine)) return false;
    if (!GetLineControls(mixer, handle, destination)) return false;

    const MixerControl* found = nullptr;
    for (uint32_t slot = 0; HasSlot(destination, slot); ++slot) {
        if (destination.controls[slot].dwControlType == kMixerControlMux) {
            found = &destination.controls[slot];
            break;
        }
    }
    if (found == nullptr) return false;
    mux->control = *found;
    mux->channels = IsUniform(*found) ? 1 : destination.line.cChannels;
    mux->items = (found->fdwControl & kMixerControlMultiple) != 0 ? found->cMultipleItems : 1;

    // The request asks for one channel's items; a driver that lists them per channel fills one set per
    // channel, and a destination reported without channels still gets its one set.
    Buffer<MixerListText> list =
        Allocate<MixerListText>(uint64_t{std::max<uint32_t>(mux->channels, 1)} * mux->items);
    if (!list) return false;
    MixerControlDetails details{};
    details.cbStruct = sizeof(MixerControlDetails);
    details.dwControlID = found->dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = mux->items;
    details.cbDetails = sizeof(MixerListText);
    details.paDetails = list.data.get();
    if (mixer.GetControlDetails(handle, &details, LineFlags(kMixerGetControlDetailsListText)) != kMmSysErrNoError) {
        return false;
    }

    // Names are compared within their fields, so an unterminated name from the driver cannot run on.
    char sourceName[kMixerLongNameChars + 1] = {};
    std::memcpy(sourceName, source.line.szName, kMixerLongNameChars);
    const uint32_t searched = std::min(mux->items, list.count);
    for (uint32_t i = 0; i < searched; ++i) {
        char itemName[kMixerLongNameChars + 1] = {};
        std::memcpy(itemName, list[i].szName, kMixerLongNameChars);
        if (std::strstr(sourceName, itemName) != nullptr) {
            mux->itemIndex = i;
            return true;
        }
    }
    return false;
}

// The value request covers the multiplexer's own item count even when it lacks the multiple flag, since
// that count is what the driver fills.
bool PrepareSelectValues(const Multiplexer& mux, ValueRequest* request) {
    request->values = Allocate<uint32_t>(
        std::max<uint64_t>(uint64_t{mux.channels} * mux.items, mux.control.cMultipleItems));
    if (!request->values || mux.itemIndex >= request->values.count) return false;
    MixerControlDetails& details = request->details;
    details.cbStruct = sizeof(MixerControlDetails);
    details.dwControlID = mux.control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = mux.control.cMultipleItems;
    details.cbDetails = kMixerDetailValueSize;
    details.paDetails = request->values.data.get();
    return true;
}

}  // namespace

uint32_t ChooseMixerDevice(Mixer& mixer, DriverConfig& config) {
    const uint32_t count = mixer.GetNumDevs();
    char description[kDriverDescSizeMixer] = {};
    config.ReadSoundCfg(kCfgDescription, kCfgDriverDesc, "", description, sizeof(description));
    const uint16_t manufacturer = config.ReadManufactureId(description);
    for (uint32_t device = 0; device < count; ++device) {
        MixerCaps caps{};
        if (mixer.GetDevCaps(device, &caps, sizeof(caps)) == kMmSysErrNoError && caps.wMid == manufacturer) {
            return device;
        }
    }
    return 0;
}

MixerHandle OpenMixer(Mixer& mixer, WindowHandle window, uint32_t device) {
    MixerCaps caps{};
    if (mixer.GetDevCaps(device, &caps, sizeof(caps)) != kMmSysErrNoError) return 0;
    MixerHandle handle = 0;
    if (mixer.Open(&handle, device, window, 0, kCallbackWindow) != kMmSysErrNoError) return 0;
    return handle;
}

uint32_t CloseMixer(Mixer& mixer, WindowHandle /*window*/, MixerHandle handle) { return mixer.Close(handle); }

bool FindMixerLine(Mixer& mixer, MixerHandle handle, MixerLineRecord& record, uint32_t componentType,
                   uint32_t destinationType, uint32_t lineId) {
    uint32_t device = 0;
    if (mixer.GetId(handle, &device, kMixerObjectHMixer) != kMmSysErrNoError) device = 0;
    MixerCaps caps{};
    if (mixer.GetDevCaps(device, &caps, sizeof(caps)) != kMmSysErrNoError) return false;

    MixerLine& line = record.line;
    for (uint32_t d = 0; d < caps.cDestinations; ++d) {
        line.cbStruct = sizeof(MixerLine);
        line.dwDestination = d;
        if (mixer.GetLineInfo(handle, &line, LineFlags(kMixerGetLineInfoDestination)) != kMmSysErrNoError) {
            return false;
        }
        if (line.dwComponentType != destinationType) continue;
        if (line.dwComponentType == componentType) return true;

        const uint32_t connections = line.cConnections;
        // An analog source is only the line input when it follows the wave-out source; one listed before
        // it is some other analog input of the card.
        uint32_t waveOutLine = kNoWaveOutLine;
        for (uint32_t s = 0; s < connections; ++s) {
            line.cbStruct = sizeof(MixerLine);
            line.dwDestination = d;
            line.dwSource = s;
            if (mixer.GetLineInfo(handle, &line, LineFlags(kMixerGetLineInfoSource)) != kMmSysErrNoError) {
                return false;
            }
            if (line.dwComponentType == kMixerSrcWaveOut) waveOutLine = line.dwLineID;
            if (line.dwComponentType != componentType) continue;
            if (destinationType == kMixerDstWaveIn) {
                if (lineId == kAnyLine || lineId == line.dwLineID) return true;
            } else if (componentType != kMixerSrcAnalog || line.dwLineID > waveOutLine) {
                return true;
            }
        }
    }
    return false;
}

bool GetLineControls(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    // The driver fills one description per control of the line, however many that is.
    Buffer<MixerControl> controls = Allocate<MixerControl>(record.line.cControls);
    if (!controls) return false;
    MixerLineControls request{};
    request.cbStruct = sizeof(MixerLineControls);
    request.dwLineID = record.line.dwLineID;
    request.cControls = record.line.cControls;
    request.cbmxctrl = sizeof(MixerControl);
    request.pamxctrl = controls.data.get();
    if (mixer.GetLineControls(handle, &request, LineFlags(kMixerGetLineControlsAll)) != kMmSysErrNoError) {
        return false;
    }
    const uint32_t kept = std::min(record.line.cControls, kRecordControls);
    for (uint32_t slot = 0; slot < kRecordControls; ++slot) {
        record.controls[slot] = slot < kept ? controls[slot] : MixerControl{};
    }
    return true;
}

bool HasVolumeControl(const MixerLineRecord& record) {
    if (!HasSlot(record, kVolumeSlot)) return false;
    const uint32_t type = record.controls[kVolumeSlot].dwControlType;
    return type == kMixerControlVolume || type == kMixerControlFader;
}

bool HasMuteControl(const MixerLineRecord& record) {
    return HasSlot(record, kMuteSlot) && record.controls[kMuteSlot].dwControlType == kMixerControlMute;
}

bool GetLineVolume(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    if (!HasVolumeControl(record)) return false;
    ValueRequest request;
    if (!PrepareValues(record, kVolumeSlot, &request)) return false;
    if (ReadValues(mixer, handle, &request) != kMmSysErrNoError) return false;
    KeepLevels(record, request);
    return true;
}

bool SetLineVolume(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    if (!HasVolumeControl(record)) return false;
    ValueRequest request;
    if (!PrepareValues(record, kVolumeSlot, &request)) return false;
    if (request.channels == 1) {
        // One value for every channel: the louder of the two, so a balance move cannot turn the line down.
        request.values[0] = record.line.cChannels > 1 ? std::max(record.left, record.right) : record.left;
    } else if (request.channels >= 2) {
        const uint32_t others = request.channels - 2;
        if (others > 0) {
            if (record.otherLevels.size() != others) {
                // The further channels were never read at this channel count: take them from the device.
                if (ReadValues(mixer, handle, &request) != kMmSysErrNoError) return false;
                record.otherLevels.assign(request.values.data.get() + 2,
                                          request.values.data.get() + request.channels);
            }
            std::copy(record.otherLevels.begin(), record.otherLevels.end(), request.values.data.get() + 2);
        }
        request.values[0] = record.left;
        request.values[1] = record.right;
    }
    return WriteValues(mixer, handle, &request) == kMmSysErrNoError;
}

bool GetLineMute(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    if (!HasMuteControl(record)) return false;
    ValueRequest request;
    if (!PrepareValues(record, kMuteSlot, &request)) return false;
    if (ReadValues(mixer, handle, &request) != kMmSysErrNoError) return false;
    record.switchValue = request.values[0];
    return true;
}

bool SetLineMute(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    if (!HasMuteControl(record)) return false;
    ValueRequest request;
    if (!PrepareValues(record, kMuteSlot, &request)) return false;
    // The check box stands for the whole line: a per-channel mute is set on every channel.
    std::fill(request.values.data.get(), request.values.data.get() + request.values.count, record.switchValue);
    return WriteValues(mixer, handle, &request) == kMmSysErrNoError;
}

bool GetRecordSelect(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    Multiplexer mux;
    if (!FindSourceItem(mixer, handle, record, &mux)) return false;
    ValueRequest request;
    if (!PrepareSelectValues(mux, &request)) return false;
    if (ReadValues(mixer, handle, &request) != kMmSysErrNoError) return false;
    record.switchValue = request.values[mux.itemIndex];
    return true;
}

bool SetRecordSelect(Mixer& mixer, MixerHandle handle, MixerLineRecord& record) {
    Multiplexer mux;
    if (!FindSourceItem(mixer, handle, record, &mux)) return false;
    ValueRequest request;
    if (!PrepareSelectValues(mux, &request)) return false;
    request.values[mux.itemIndex] = record.switchValue;
    return WriteValues(mixer, handle, &request) == kMmSysErrNoError;
}

}  // namespace zv
