// Fuzzes the mixer access and both mixer pages against a mixer built from the input: any number of devices,
// lines, controls, channels and items, any names (terminated or not), counts that disagree with what the
// driver then returns, a layout that changes between calls, and calls that fail anywhere. The driver side
// keeps to the API's contract: it fills exactly the buffers the program describes, so a description larger
// than its buffer shows as an overrun. The pages must show only what their controls can take, hand out only
// their own records, and leave no mixer handle open or closed twice.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fuzz_input.h"
#include "mixer/mixer_access.h"
#include "mixer/volume_model.h"
#include "pages/mixer/mixer_page_logic.h"

namespace {

using zv::fuzz::FuzzInput;
using namespace zv;

// Names that the pages compare: line names and the multiplexer's items, each a part of some line's name.
const char* const kNames[] = {"Master Volume", "Wave", "FM Synth", "CD Audio", "Microphone", "Line In",
                              "Stereo Mix", "Mix", "Mic", "CD", "Recording Control", ""};
const uint32_t kComponentTypes[] = {kMixerDstSpeakers,    kMixerDstWaveIn,   kMixerSrcMicrophone, kMixerSrcSynthesizer,
                                    kMixerSrcCompactDisc, kMixerSrcWaveOut,  kMixerSrcAnalog};
const uint32_t kLineIds[] = {0x00000000, 0x00010000, 0x00020000, 0x00030000, 0x00040000, 0x00050000, 0x00060000,
                             0x00000001, kRecordLineInLineId, kRecordMixLineId, 0x00030001, 0x00040001};
const uint32_t kControlTypes[] = {kMixerControlVolume, kMixerControlMute, kMixerControlMux};
const uint32_t kErrors[] = {kMmSysErrError,     kMmSysErrBadDeviceId, kMmSysErrInvalHandle, kMmSysErrNoDriver,
                            kMmSysErrNoMem,     kMmSysErrNotSupported, kMmSysErrInvalParam, kMixerErrInvalLine,
                            kMixerErrInvalControl, kMixerErrInvalValue};

template <typename T, size_t N>
T Pick(FuzzInput& in, const T (&table)[N]) {
    const uint8_t choice = in.U8();
    return choice < 0xF0 ? table[choice % N] : static_cast<T>(in.U32());
}

// A name field as a driver could fill it: a known name, or raw bytes with or without a terminator.
template <size_t N>
void FillName(FuzzInput& in, char (&field)[N]) {
    std::memset(field, 0, N);
    const uint8_t choice = in.U8();
    if (choice < 0xF0) {
        const char* name = kNames[choice % (sizeof kNames / sizeof kNames[0])];
        std::memcpy(field, name, std::min(std::strlen(name), N - 1));
    } else {
        in.Fill(field, N);
    }
}

class FuzzMixer : public Mixer {
public:
    enum Call { kGetNumDevs, kGetDevCaps, kOpen, kClose, kGetId, kGetLineInfo, kGetLineControls, kGetDetails,
                kSetDetails, kCallKinds };

    struct Control {
        uint32_t id;
        uint32_t type;
        uint32_t flags;
        uint32_t items;  // what the driver reports as cMultipleItems
        std::vector<std::array<char, kMixerLongNameChars>> itemNames;
        char name[kMixerLongNameChars];
        std::vector<uint32_t> values;
    };
    struct Line {
        uint32_t id;
        uint32_t componentType;
        uint32_t channels;
        char name[kMixerLongNameChars];
        std::vector<Control> controls;
        std::vector<Line> sources;
        bool lieConnections = false;
        uint32_t connections = 0;
        bool lieControls = false;
        uint32_t reportedControls = 0;
    };
    struct Device {
        uint16_t mid;
        char name[kMaxProductNameChars];
        bool lieDestinations = false;
        uint32_t destinations = 0;
        std::vector<Line> lines;  // the destinations
    };
    struct Failure {
        int call;
        uint32_t skip;
        uint32_t result;
        bool once;
    };

    void Build(FuzzInput& in) {
        const uint32_t devices = in.U8() % 4;
        for (uint32_t d = 0; d < devices; ++d) {
            Device device{};
            device.mid = in.U16();
            FillName(in, device.name);
            const uint32_t destinations = in.U8() % 4;
            for (uint32_t i = 0; i < destinations; ++i) {
                Line destination = MakeLine(in);
                const uint32_t sources = in.U8() % 9;
                for (uint32_t s = 0; s < sources; ++s) destination.sources.push_back(MakeLine(in));
                device.lines.push_back(std::move(destination));
            }
            if (in.U8() == 0xEE) {
                device.lieDestinations = true;
                device.destinations = in.U32();
            }
            devices_.push_back(std::move(device));
        }
    }

    Line MakeLine(FuzzInput& in) {
        Line line{};
        line.id = Pick(in, kLineIds);
        line.componentType = Pick(in, kComponentTypes);
        line.channels = in.Count(6);
        FillName(in, line.name);
        const uint32_t controls = in.U8() % 5;
        for (uint32_t c = 0; c < controls; ++c) {
            Control control{};
            control.id = nextControlId_++;
            control.type = Pick(in, kControlTypes);
            const uint8_t flags = in.U8();
            control.flags = flags < 0xF0 ? flags & 3 : in.U32();
            control.items = in.Count(6);
            const uint32_t names = std::min<uint32_t>(control.items, 8);
            for (uint32_t i = 0; i < names; ++i) {
                control.itemNames.emplace_back();
                char name[kMixerLongNameChars];
                FillName(in, name);
                std::memcpy(control.itemNames.back().data(), name, sizeof name);
            }
            FillName(in, control.name);
            control.values = {in.U32(), in.U32()};
            line.controls.push_back(std::move(control));
        }
        const uint8_t lie = in.U8();
        if (lie == 0xEE) {
            line.lieConnections = true;
            line.connections = in.U32();
        } else if (lie == 0xEF) {
            line.lieControls = true;
            line.reportedControls = in.Count(8);
        }
        return line;
    }

    void AddFailure(FuzzInput& in) {
        Failure failure;
        failure.call = static_cast<int>(in.U8() % kCallKinds);
        failure.skip = in.U8();
        failure.result = Pick(in, kErrors);
        failure.once = in.Bool();
        failures_.push_back(failure);
    }

    // Every line of every device, for the script's changes.
    std::vector<Line*> AllLines() {
        std::vector<Line*> lines;
        for (Device& device : devices_) {
            for (Line& destination : device.lines) {
                lines.push_back(&destination);
                for (Line& source : destination.sources) lines.push_back(&source);
            }
        }
        return lines;
    }
    std::vector<Control*> AllControls() {
        std::vector<Control*> controls;
        for (Line* line : AllLines())
            for (Control& control : line->controls) controls.push_back(&control);
        return controls;
    }

    // A change of the driver's layout between two calls, as a device reconfiguration could make it.
    void Change(FuzzInput& in) {
        const uint8_t what = in.U8();
        if (what % 2 == 0) {
            std::vector<Line*> lines = AllLines();
            if (lines.empty()) return;
            Line& line = *lines[in.U8() % lines.size()];
            switch (what / 2 % 4) {
                case 0: line.channels = in.Count(6); break;
                case 1: FillName(in, line.name); break;
                case 2: if (!line.controls.empty()) line.controls.erase(line.controls.begin() + in.U8() % line.controls.size()); break;
                default: line.lieControls = true; line.reportedControls = in.Count(8); break;
            }
        } else {
            std::vector<Control*> controls = AllControls();
            if (controls.empty()) return;
            Control& control = *controls[in.U8() % controls.size()];
            switch (what / 2 % 3) {
                case 0: control.flags = in.U8() & 3; break;
                case 1: control.items = in.Count(6); break;
                default: control.type = Pick(in, kControlTypes); break;
            }
        }
    }

    size_t OpenHandles() const { return open_.size(); }
    int Misuses() const { return misuses_; }

    // The system's count: a failing driver is simply not counted.
    uint32_t GetNumDevs() override { return Fail(kGetNumDevs) ? 0 : static_cast<uint32_t>(devices_.size()); }

    uint32_t GetDevCaps(uint32_t deviceId, MixerCaps* caps, uint32_t capsSize) override {
        if (uint32_t rc = Fail(kGetDevCaps)) return rc;
        if (!caps) return kMmSysErrInvalParam;
        if (deviceId >= devices_.size()) return kMmSysErrBadDeviceId;
        const Device& device = devices_[deviceId];
        MixerCaps out{};
        out.wMid = device.mid;
        out.wPid = 0x0930;
        std::memcpy(out.szPname, device.name, sizeof out.szPname);
        out.cDestinations = device.lieDestinations ? device.destinations : static_cast<uint32_t>(device.lines.size());
        std::memcpy(caps, &out, std::min<uint32_t>(capsSize, sizeof out));
        return kMmSysErrNoError;
    }

    uint32_t Open(MixerHandle* mixer, uint32_t deviceId, WindowHandle, uintptr_t, uint32_t) override {
        if (uint32_t rc = Fail(kOpen)) return rc;
        if (!mixer) return kMmSysErrInvalParam;
        if (deviceId >= devices_.size()) return kMmSysErrBadDeviceId;
        const MixerHandle handle = nextHandle_;
        nextHandle_ += 0x10;
        open_[handle] = deviceId;
        *mixer = handle;
        return kMmSysErrNoError;
    }

    uint32_t Close(MixerHandle mixer) override {
        auto it = open_.find(mixer);
        if (it == open_.end()) {
            // Closing no handle is harmless; closing one twice could close a handle given out since.
            if (mixer != 0) ++misuses_;
            return kMmSysErrInvalHandle;
        }
        open_.erase(it);
        if (uint32_t rc = Fail(kClose)) return rc;
        return kMmSysErrNoError;
    }

    uint32_t GetId(MixerHandle object, uint32_t* deviceId, uint32_t flags) override {
        if (uint32_t rc = Fail(kGetId)) return rc;
        const Device* device = Resolve(object, flags);
        if (!device) return kMmSysErrInvalHandle;
        if (deviceId) *deviceId = static_cast<uint32_t>(device - devices_.data());
        return kMmSysErrNoError;
    }

    uint32_t GetLineInfo(MixerHandle object, MixerLine* line, uint32_t flags) override {
        Device* device = Resolve(object, flags);
        if (!device) return kMmSysErrInvalHandle;
        if (uint32_t rc = Fail(kGetLineInfo)) return rc;
        ZV_FUZZ_CHECK(line && line->cbStruct == sizeof(MixerLine));
        const uint32_t query = flags & kMixerGetLineInfoQueryMask;
        if (query != kMixerGetLineInfoDestination && query != kMixerGetLineInfoSource) return kMmSysErrNotSupported;
        if (line->dwDestination >= device->lines.size()) return kMixerErrInvalLine;
        const Line& destination = device->lines[line->dwDestination];
        const bool isSource = query == kMixerGetLineInfoSource;
        if (isSource && line->dwSource >= destination.sources.size()) return kMixerErrInvalLine;
        const Line& found = isSource ? destination.sources[line->dwSource] : destination;

        MixerLine out{};
        out.cbStruct = sizeof(MixerLine);
        out.dwDestination = line->dwDestination;
        out.dwSource = isSource ? line->dwSource : 0;
        out.dwLineID = found.id;
        out.fdwLine = kMixerLineActive | (isSource ? kMixerLineSource : 0);
        out.dwComponentType = found.componentType;
        out.cChannels = found.channels;
        out.cConnections = found.lieConnections ? found.connections
                           : isSource          ? 0
                                               : static_cast<uint32_t>(found.sources.size());
        out.cControls = found.lieControls ? found.reportedControls : static_cast<uint32_t>(found.controls.size());
        std::memcpy(out.szShortName, found.name, sizeof out.szShortName);
        std::memcpy(out.szName, found.name, sizeof out.szName);
        std::memcpy(out.Target.szPname, device->name, sizeof out.Target.szPname);
        *line = out;
        return kMmSysErrNoError;
    }

    uint32_t GetLineControls(MixerHandle object, MixerLineControls* controls, uint32_t flags) override {
        Device* device = Resolve(object, flags);
        if (!device) return kMmSysErrInvalHandle;
        if (uint32_t rc = Fail(kGetLineControls)) return rc;
        ZV_FUZZ_CHECK(controls && controls->cbStruct == sizeof(MixerLineControls));
        if ((flags & kMixerGetLineControlsQueryMask) != kMixerGetLineControlsAll) return kMmSysErrNotSupported;
        if (controls->cControls == 0 || controls->cbmxctrl != sizeof(MixerControl) || !controls->pamxctrl)
            return kMmSysErrInvalParam;
        const Line* line = FindLine(*device, controls->dwLineID);
        if (!line) return kMixerErrInvalLine;
        // The whole described array is written; past the line's own controls with what a driver that
        // counted differently would leave there.
        for (uint32_t i = 0; i < controls->cControls; ++i) {
            MixerControl out{};
            if (i < line->controls.size()) {
                const Control& control = line->controls[i];
                out.cbStruct = sizeof(MixerControl);
                out.dwControlID = control.id;
                out.dwControlType = control.type;
                out.fdwControl = control.flags;
                out.cMultipleItems = control.items;
                std::memcpy(out.szShortName, control.name, sizeof out.szShortName);
                std::memcpy(out.szName, control.name, sizeof out.szName);
                out.Bounds.dwMaximum = 65535;
            } else {
                std::memset(&out, 0xA5, sizeof out);
            }
            controls->pamxctrl[i] = out;
        }
        return kMmSysErrNoError;
    }

    uint32_t GetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override {
        Device* device = Resolve(object, flags);
        if (!device) return kMmSysErrInvalHandle;
        if (uint32_t rc = Fail(kGetDetails)) return rc;
        ZV_FUZZ_CHECK(details && details->cbStruct == sizeof(MixerControlDetails));
        if (!details->paDetails) return kMmSysErrInvalParam;
        Control* control = FindControl(*device, details->dwControlID);
        if (!control) return kMixerErrInvalControl;
        const uint64_t count = Described(*details);
        const uint32_t query = flags & kMixerControlDetailsQueryMask;
        if (query == kMixerGetControlDetailsListText) {
            if (details->cbDetails != sizeof(MixerListText)) return kMmSysErrInvalParam;
            auto* out = static_cast<MixerListText*>(details->paDetails);
            for (uint64_t i = 0; i < count; ++i) {
                MixerListText entry{};
                entry.dwParam1 = static_cast<uint32_t>(i);
                if (!control->itemNames.empty())
                    std::memcpy(entry.szName, control->itemNames[i % control->itemNames.size()].data(),
                                sizeof entry.szName);
                out[i] = entry;
            }
            return kMmSysErrNoError;
        }
        if (query != kMixerGetControlDetailsValue) return kMmSysErrNotSupported;
        if (details->cbDetails != kMixerDetailValueSize) return kMmSysErrInvalParam;
        auto* out = static_cast<uint32_t*>(details->paDetails);
        for (uint64_t i = 0; i < count; ++i) out[i] = control->values[i % control->values.size()];
        return kMmSysErrNoError;
    }

    uint32_t SetControlDetails(MixerHandle object, MixerControlDetails* details, uint32_t flags) override {
        Device* device = Resolve(object, flags);
        if (!device) return kMmSysErrInvalHandle;
        if (uint32_t rc = Fail(kSetDetails)) return rc;
        ZV_FUZZ_CHECK(details && details->cbStruct == sizeof(MixerControlDetails));
        if (!details->paDetails || details->cbDetails != kMixerDetailValueSize) return kMmSysErrInvalParam;
        if ((flags & kMixerControlDetailsQueryMask) != kMixerSetControlDetailsValue) return kMmSysErrNotSupported;
        Control* control = FindControl(*device, details->dwControlID);
        if (!control) return kMixerErrInvalControl;
        const uint64_t count = Described(*details);
        const auto* in = static_cast<const uint32_t*>(details->paDetails);
        if (count > 0) control->values.assign(in, in + count);
        if (control->values.empty()) control->values.push_back(0);
        return kMmSysErrNoError;
    }

private:
    // The values a details structure describes: one per channel, times the items of a multiple control.
    static uint64_t Described(const MixerControlDetails& details) {
        return uint64_t{details.cChannels} * std::max<uint32_t>(details.cMultipleItems, 1);
    }

    uint32_t Fail(int call) {
        for (auto it = failures_.begin(); it != failures_.end(); ++it) {
            if (it->call != call) continue;
            if (it->skip > 0) {
                --it->skip;
                continue;
            }
            const uint32_t result = it->result;
            if (it->once) failures_.erase(it);
            return result;
        }
        return kMmSysErrNoError;
    }

    // Only open handles (or, with the plain mixer flag, device numbers) name a device; anything else the
    // program passes is a handle it never had or already closed.
    Device* Resolve(MixerHandle object, uint32_t flags) {
        auto it = open_.find(object);
        if (it != open_.end()) return &devices_[it->second];
        if ((flags & kMixerObjectTypeMask) == kMixerObjectMixer && object < devices_.size()) return &devices_[object];
        ++misuses_;
        return nullptr;
    }

    static const Line* FindLine(const Device& device, uint32_t id) {
        for (const Line& destination : device.lines) {
            if (destination.id == id) return &destination;
            for (const Line& source : destination.sources)
                if (source.id == id) return &source;
        }
        return nullptr;
    }
    static Control* FindControl(Device& device, uint32_t id) {
        for (Line& destination : device.lines) {
            for (Control& control : destination.controls)
                if (control.id == id) return &control;
            for (Line& source : destination.sources)
                for (Control& control : source.controls)
                    if (control.id == id) return &control;
        }
        return nullptr;
    }

    std::vector<Device> devices_;
    std::map<MixerHandle, uint32_t> open_;
    std::vector<Failure> failures_;
    MixerHandle nextHandle_ = 0x4D00;
    uint32_t nextControlId_ = 1;
    int misuses_ = 0;
};

// A page's controls: what the user set them to comes from the script; what the page shows is checked.
class FuzzView : public MixerView {
public:
    FuzzView(const MixerPageLayout& layout) : layout_(layout) {
        for (uint32_t i = 0; i < layout.columnCount; ++i) {
            const MixerColumn& c = layout.columns[i];
            volumes_.insert(c.volumeId);
            balances_.insert(c.balanceId);
            checks_.insert(c.checkId);
            labels_.insert(c.labelId);
        }
    }
    void SetPage(const MixerPageLogic* page) { page_ = page; }

    void SetSliderRange(int id, uint32_t minimum, uint32_t maximum) override {
        ZV_FUZZ_CHECK(IsSlider(id) && minimum <= maximum);
    }
    void SetSliderTick(int id, uint32_t) override { ZV_FUZZ_CHECK(balances_.count(id)); }
    void SetSliderPosition(int id, uint32_t position) override {
        ZV_FUZZ_CHECK(IsSlider(id));
        ZV_FUZZ_CHECK(position <= (volumes_.count(id) ? kVolumeSliderMax : kBalanceSliderMax));
        positions_[id] = position;
    }
    uint32_t GetSliderPosition(int id) override { return positions_[id]; }
    void SetCheck(int id, uint32_t checked) override {
        ZV_FUZZ_CHECK(checks_.count(id));
        checked_[id] = checked;
    }
    uint32_t GetCheck(int id) override { return checked_[id]; }
    void Enable(int id, bool) override { ZV_FUZZ_CHECK(IsSlider(id) || checks_.count(id)); }
    void SetLabel(int id, const char* text) override {
        ZV_FUZZ_CHECK(labels_.count(id));
        ZV_FUZZ_CHECK(std::strlen(text) <= kMixerLongNameChars);
    }
    void AttachRecord(int id, MixerLineRecord* record) override {
        ZV_FUZZ_CHECK(IsSlider(id) || checks_.count(id));
        if (record == nullptr) return;
        const MixerLineRecord* first = &page_->Record(0);
        ZV_FUZZ_CHECK(record >= first && record < first + page_->ColumnCount());
    }

    // The user's side.
    void Drag(int id, uint32_t position) { positions_[id] = position; }
    void Click(int id, uint32_t state) { checked_[id] = state; }

    int PickControl(FuzzInput& in, int role) {
        const uint8_t choice = in.U8();
        if (choice >= 0xF0) return static_cast<int>(in.U32());
        const MixerColumn& column = layout_.columns[choice % layout_.columnCount];
        const int ids[] = {column.volumeId, column.balanceId, column.checkId};
        // Now and then a control of another role in the same column.
        return ids[choice & 0x80 ? (role + 1) % 3 : role];
    }

private:
    bool IsSlider(int id) const { return volumes_.count(id) || balances_.count(id); }

    const MixerPageLayout& layout_;
    const MixerPageLogic* page_ = nullptr;
    std::set<int> volumes_, balances_, checks_, labels_;
    std::map<int, uint32_t> positions_;
    std::map<int, uint32_t> checked_;
};

// The device choice through a driver lookup that finds the given manufacturer id.
uint32_t ChooseDevice(Mixer& mixer, uint16_t manufacturer) {
    const std::string cls = "System\\CurrentControlSet\\Services\\Class\\MEDIA\\0002";
    test::FakeRegistry registry;
    test::FakeProfile profile;
    test::FakePci pci;
    profile.Set(kSoundCfgFile, kCfgWin95, kCfgHardwareId, "VEN_1A2B&DEV_0930");
    profile.Set(kSoundCfgFile, kCfgDescription, kCfgDriverDesc, "ZV930");
    registry.SetString(kHkeyLocalMachine, "Enum\\PCI\\VEN_1A2B&DEV_0930\\BUS_00&DEV_05&FUNC_00", "Driver",
                       "MEDIA\\0002");
    registry.SetString(kHkeyLocalMachine, cls, "DriverDesc", "ZV930");
    registry.SetBinary(kHkeyLocalMachine, cls + "\\Config", "ManufactureID",
                       {uint8_t(manufacturer), uint8_t(manufacturer >> 8)});
    DriverConfig config(registry, profile, pci);
    return ChooseMixerDevice(mixer, config);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzMixer mixer;
    mixer.Build(in);
    const uint8_t failures = in.U8() % 4;
    for (uint8_t i = 0; i < failures; ++i) mixer.AddFailure(in);

    const uint8_t choice = in.U8();
    const uint32_t device = choice < 0x80 ? ChooseDevice(mixer, in.U16()) : choice % 8;

    MixerPageLogic playback(mixer, kPlaybackMixerLayout, device);
    MixerPageLogic record(mixer, kRecordMixerLayout, device);
    FuzzView playbackView(kPlaybackMixerLayout);
    FuzzView recordView(kRecordMixerLayout);
    playbackView.SetPage(&playback);
    recordView.SetPage(&record);
    WindowHandle const playbackDialog = reinterpret_cast<WindowHandle>(0xD1A1);
    WindowHandle const recordDialog = reinterpret_cast<WindowHandle>(0xD1A2);

    for (int step = 0; step < 64 && !in.Empty(); ++step) {
        const uint8_t op = in.U8();
        const bool second = (op & 0x80) != 0;
        MixerPageLogic& page = second ? record : playback;
        FuzzView& view = second ? recordView : playbackView;
        WindowHandle dialog = second ? recordDialog : playbackDialog;
        switch ((op & 0x7F) % 10) {
            case 0: page.Initialise(view, dialog); break;
            case 1: page.Refresh(view); break;
            case 2: {
                const int id = view.PickControl(in, 0);
                view.Drag(id, in.Count(40));
                page.OnVolumeMoved(view, id);
                break;
            }
            case 3: {
                const int id = view.PickControl(in, 1);
                view.Drag(id, in.Count(40));
                page.OnBalanceMoved(view, id);
                break;
            }
            case 4: {
                const int id = view.PickControl(in, 2);
                view.Click(id, in.Count(2));
                page.OnCheckClicked(view, id);
                break;
            }
            case 5: page.Close(dialog); break;
            case 6: mixer.Change(in); break;
            case 7: mixer.AddFailure(in); break;
            default: {
                // The volume arithmetic on its own, with any levels a driver could report.
                MixerLineRecord line{};
                line.line.cChannels = in.Count(3);
                line.controls[kVolumeSlot].fdwControl = in.U8() & kMixerControlUniform;
                line.left = in.U32();
                line.right = in.U32();
                line.balance = in.Count(40);
                const bool mono = line.line.cChannels == 1;
                const bool isBalance = in.Bool();
                const bool moves = !isBalance || HasBalance(line);
                ApplySliderPosition(line, in.Count(40), isBalance);
                if (moves) ZV_FUZZ_CHECK(line.left <= kMaxLevel && (mono || line.right <= kMaxLevel));
                if (isBalance && moves) ZV_FUZZ_CHECK(line.balance <= kBalanceSliderMax);
                line.left = in.U32();
                line.right = in.U32();
                ZV_FUZZ_CHECK(VolumeSliderPosition(line) <= kVolumeSliderMax);
                if (BalanceFromLevels(line)) ZV_FUZZ_CHECK(line.balance <= kBalanceSliderMax);
                break;
            }
        }
        for (const MixerPageLogic* p : {&playback, &record})
            for (uint32_t i = 0; i < p->ColumnCount(); ++i)
                ZV_FUZZ_CHECK(p->Record(i).balance <= kBalanceSliderMax);
    }
    playback.Close(playbackDialog);
    record.Close(recordDialog);
    ZV_FUZZ_CHECK(mixer.OpenHandles() == 0);
    ZV_FUZZ_CHECK(mixer.Misuses() == 0);
    return 0;
}
