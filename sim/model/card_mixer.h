// The simulated card's mixer: devices with destinations, source lines and their controls, reached through
// the mixer interface, reporting every control change to the windows that opened the device.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace zv::sim {

// The card's multimedia manufacturer id, as its driver reports it.
constexpr uint16_t kCardManufacturerId = 0x00A7;

// Line ids of the card's standard layout: destination index in the low word, source number above it.
constexpr uint32_t kSpeakersLine = 0x00000000;
constexpr uint32_t kAuxLine = 0x00010000;          // analog, listed before wave-out
constexpr uint32_t kWaveOutLine = 0x00020000;
constexpr uint32_t kSynthLine = 0x00030000;
constexpr uint32_t kPlaybackCdLine = 0x00040000;
constexpr uint32_t kPlaybackMicLine = 0x00050000;  // mono
constexpr uint32_t kLineInLine = 0x00060000;       // analog, listed after wave-out
constexpr uint32_t kWaveInLine = 0x00000001;
constexpr uint32_t kRecordLineInLine = 0x00010001;
constexpr uint32_t kRecordMixLine = 0x00020001;
constexpr uint32_t kRecordMicLine = 0x00030001;  // mono
constexpr uint32_t kRecordCdLine = 0x00040001;

// The multiplexer's items, in order, each a part of one recording source's name.
constexpr uint32_t kMuxLineIn = 0;
constexpr uint32_t kMuxMix = 1;
constexpr uint32_t kMuxMic = 2;
constexpr uint32_t kMuxCd = 3;

// Calls of the mixer interface, for counting and for making them fail.
enum class MixerCall {
    kGetNumDevs,
    kGetDevCaps,
    kOpen,
    kClose,
    kGetId,
    kGetLineInfo,
    kGetLineControls,
    kGetControlDetails,
    kSetControlDetails,
};
constexpr int kMixerCallKinds = 9;

// Ways some drivers lay the card out differently, each one a case the pages must show truthfully.
struct CardVariant {
    bool waveVolumeOnly = false;     // the wave-out source has a volume and no mute
    bool multiplexerFourth = false;  // the recording destination lists its multiplexer after three other controls
    bool refusesSelection = false;   // the multiplexer rejects every write of the recording source
    bool uniformStereo = false;      // the synthesizer and the recording CD source: one volume for both channels
    // As another maker's mixer may list them: the wave-out source has its mute before its volume, and the
    // playback CD source a bass after its volume instead of a mute.
    bool foreignControlOrder = false;
};

class CardMixer : public Mixer {
public:
    // Receives each change: the window that opened the handle, the handle and the control. The Win32
    // side posts MM_MIXM_CONTROL_CHANGE from it.
    using Notifier = std::function<void(WindowHandle window, uintptr_t mixerHandle, uint32_t controlId)>;

    static constexpr uint32_t kAnyId = 0xFFFFFFFFu;
    static constexpr uint32_t kNoControl = 0xFFFFFFFFu;

    struct Write {
        uint32_t device;
        uint32_t controlId;
        std::vector<uint32_t> values;
    };

    // A device laid out like the card: a speakers destination with an analog source, wave-out,
    // synthesizer, CD, microphone and a second analog source; a wave-in destination with a multiplexer and
    // four recording sources. Returns the device index.
    uint32_t AddCard(uint16_t manufacturerId = kCardManufacturerId, const CardVariant& variant = {});
    // An empty device.
    uint32_t AddDevice(uint16_t manufacturerId, const std::string& name);

    // Lines. Every line id must be unique on its device.
    void AddDestination(uint32_t device, uint32_t componentType, uint32_t lineId, const std::string& name,
                        uint32_t channels);
    void AddSource(uint32_t device, uint32_t destinationLineId, uint32_t componentType, uint32_t lineId,
                   const std::string& name, uint32_t channels);
    bool RemoveLine(uint32_t device, uint32_t lineId);
    bool SetChannels(uint32_t device, uint32_t lineId, uint32_t channels);
    bool RenameLine(uint32_t device, uint32_t lineId, const std::string& name);

    // Controls. A multiplexer takes its item names; other controls start at 0 on every channel.
    uint32_t AddControl(uint32_t device, uint32_t lineId, uint32_t type, uint32_t flags, const std::string& name,
                        const std::vector<std::string>& items = {});
    bool RemoveControl(uint32_t device, uint32_t controlId);
    // The line's first control of that type, or kNoControl.
    uint32_t FindControl(uint32_t device, uint32_t lineId, uint32_t type) const;
    // Per channel, or per item for a multiplexer (per channel then item when it is not uniform).
    std::vector<uint32_t> Values(uint32_t device, uint32_t controlId) const;
    // A change made by another program; notifies like any other change.
    bool ChangeValues(uint32_t device, uint32_t controlId, const std::vector<uint32_t>& values);

    // Makes calls of that kind fail with result after skip successful ones; id narrows it to a line id
    // (line info, controls) or control id (details).
    void FailCall(MixerCall call, uint32_t result, uint32_t id = kAnyId, uint32_t skip = 0);
    void ClearFailures() { failures_.clear(); }

    void SetNotifier(Notifier notifier) { notifier_ = std::move(notifier); }

    uint32_t Calls(MixerCall call) const { return calls_[static_cast<int>(call)]; }
    // Every accepted write of control values, in order.
    const std::vector<Write>& Writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }
    size_t OpenHandles() const { return handles_.size(); }

    uint32_t GetNumDevs() override;
    uint32_t GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) override;
    uint32_t Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle window, uintptr_t instance,
                  uint32_t flags) override;
    uint32_t Close(MixerHandle mixer) override;
    uint32_t GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) override;
    uint32_t GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) override;
    uint32_t GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) override;
    uint32_t GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override;
    uint32_t SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override;

private:
    struct Control {
        uint32_t id;
        uint32_t type;
        uint32_t flags;
        std::string name;
        std::vector<std::string> items;
        std::vector<uint32_t> values;
    };
    struct Line {
        uint32_t id;
        uint32_t componentType;
        uint32_t channels;
        std::string name;
        std::vector<Control> controls;
        std::vector<Line> sources;  // destinations only
    };
    struct Device {
        uint16_t manufacturerId;
        std::string name;
        std::vector<Line> destinations;
        uint32_t nextControlId = 0;
        bool refusesSelection = false;
    };
    struct Handle {
        MixerHandle handle;
        uint32_t device;
        WindowHandle window;
    };
    struct Failure {
        MixerCall call;
        uint32_t result;
        uint32_t id;
        uint32_t skip;
    };
    struct Found {
        Line* line = nullptr;
        Control* control = nullptr;
    };

    uint32_t Count(MixerCall call, uint32_t id = kAnyId);
    bool Resolve(MixerHandle object, uint32_t flags, uint32_t* device) const;
    Line* FindLine(uint32_t device, uint32_t lineId);
    const Line* FindLine(uint32_t device, uint32_t lineId) const;
    Found FindControlOf(uint32_t device, uint32_t controlId);
    void Notify(uint32_t device, uint32_t controlId);
    static uint32_t ValueCount(const Control& control, uint32_t channels);
    static void Resize(Control& control, uint32_t channels);
    static void FillLine(const Device& device, const Line& line, uint32_t destination, uint32_t source,
                         bool isSource, MixerLine* out);

    std::vector<Device> devices_;
    std::vector<Handle> handles_;
    std::vector<Failure> failures_;
    std::vector<Write> writes_;
    Notifier notifier_;
    uint32_t calls_[kMixerCallKinds] = {};
    MixerHandle nextHandle_ = 0x4D00;
};

}  // namespace zv::sim
