#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "mixer/volume_model.h"
#include "model/card_mixer.h"
#include "pages/mixer/mixer_page_logic.h"

namespace zv {
namespace {

using sim::CardMixer;
using sim::MixerCall;
using U = std::vector<uint32_t>;

WindowHandle const kDialog = reinterpret_cast<WindowHandle>(0xD1A1);

// The page's controls as a fresh dialog from the template has them: track bars with the control's default
// range 0 to 100 at 0, boxes unchecked, everything enabled, labels with the template's texts.
class FakeView : public MixerView {
public:
    struct Slider {
        uint32_t minimum = 0;
        uint32_t maximum = 100;
        uint32_t position = 0;
        std::vector<uint32_t> ticks;
    };

    explicit FakeView(const MixerPageLayout& layout, const std::vector<std::string>& labels) {
        for (uint32_t i = 0; i < layout.columnCount; ++i) labels_[layout.columns[i].labelId] = labels.at(i);
    }

    void SetSliderRange(int id, uint32_t minimum, uint32_t maximum) override {
        sliders_[id].minimum = minimum;
        sliders_[id].maximum = maximum;
    }
    void SetSliderTick(int id, uint32_t position) override { sliders_[id].ticks.push_back(position); }
    void SetSliderPosition(int id, uint32_t position) override {
        Slider& s = sliders_[id];
        s.position = std::clamp(position, s.minimum, s.maximum);
        ++positionSets_;
    }
    uint32_t GetSliderPosition(int id) override { return sliders_[id].position; }
    void SetCheck(int id, uint32_t checked) override { checks_[id] = checked; }
    uint32_t GetCheck(int id) override { return checks_[id]; }
    void Enable(int id, bool enabled) override { disabled_[id] = !enabled; }
    void SetLabel(int id, const char* text) override { labels_[id] = text; }
    void AttachRecord(int id, MixerLineRecord* record) override { attached_[id] = record; }

    // The user moving a thumb or clicking an automatic check box.
    void Drag(int id, uint32_t position) { sliders_[id].position = position; }
    void Click(int id) { checks_[id] = checks_[id] == 1 ? 0 : 1; }

    const Slider& Track(int id) { return sliders_[id]; }
    uint32_t Position(int id) { return sliders_[id].position; }
    uint32_t Check(int id) { return checks_[id]; }
    bool Enabled(int id) { return !disabled_[id]; }
    const std::string& Label(int id) { return labels_[id]; }
    MixerLineRecord* Attached(int id) { return attached_[id]; }
    bool Touched(int id) const { return attached_.count(id) != 0; }
    int PositionSets() const { return positionSets_; }

private:
    std::map<int, Slider> sliders_;
    std::map<int, uint32_t> checks_;
    std::map<int, bool> disabled_;
    std::map<int, std::string> labels_;
    std::map<int, MixerLineRecord*> attached_;
    int positionSets_ = 0;
};

const std::vector<std::string> kPlaybackLabels = {"Volume", "Wave", "FM-Syn", "CD", "MIC", "Line-In"};
const std::vector<std::string> kRecordLabels = {"Mix", "Mic", "CD", "LineIn"};

// A page with the card, its dialog and the device's change messages queued as the window would get them.
class MixerPageTest : public ::testing::Test {
protected:
    MixerPageTest(const MixerPageLayout& layout, const std::vector<std::string>& labels,
                  const sim::CardVariant& variant)
        : layout_(layout),
          device(mixer.AddCard(sim::kCardManufacturerId, variant)),
          page(mixer, layout, device),
          view(layout, labels) {
        mixer.SetNotifier([this](WindowHandle window, uintptr_t, uint32_t) {
            if (window == kDialog) ++posted;
        });
    }

    void Open() {
        page.Initialise(view, kDialog);
        page.Refresh(view);
        Pump();
    }
    // The dialog's message loop: each change message refreshes the page.
    void Pump() {
        while (posted > 0) {
            --posted;
            page.Refresh(view);
        }
    }
    uint32_t Control(uint32_t line, uint32_t type) { return mixer.FindControl(device, line, type); }
    U Volume(uint32_t line) { return mixer.Values(device, Control(line, kMixerControlVolume)); }
    const MixerColumn& Column(int i) const { return layout_.columns[i]; }

    MixerPageLayout layout_;
    CardMixer mixer;
    uint32_t device;
    MixerPageLogic page;
    FakeView view;
    int posted = 0;
};

class PlaybackPageTest : public MixerPageTest {
protected:
    enum { kMaster, kWave, kSynth, kCd, kMic, kLineIn };
    explicit PlaybackPageTest(const sim::CardVariant& variant = {})
        : MixerPageTest(kPlaybackMixerLayout, kPlaybackLabels, variant) {}
    uint32_t MuteOf(uint32_t line) { return Control(line, kMixerControlMute); }
    void ClickMute(int column) {
        view.Click(Column(column).checkId);
        page.OnCheckClicked(view, Column(column).checkId);
        Pump();
    }
};

class RecordPageTest : public MixerPageTest {
protected:
    enum { kMix, kMic, kCd, kLineIn };
    explicit RecordPageTest(const sim::CardVariant& variant = {})
        : MixerPageTest(kRecordMixerLayout, kRecordLabels, variant) {}
    uint32_t Mux() { return Control(sim::kWaveInLine, kMixerControlMux); }
    void Select(int column) {
        view.Click(Column(column).checkId);
        page.OnCheckClicked(view, Column(column).checkId);
        Pump();
    }
    std::vector<uint32_t> Boxes() {
        std::vector<uint32_t> boxes;
        for (int i = 0; i < 4; ++i) boxes.push_back(view.Check(Column(i).checkId));
        return boxes;
    }
};

// The card with one of its variants.
template <bool sim::CardVariant::*Flag>
sim::CardVariant Only() {
    sim::CardVariant variant;
    variant.*Flag = true;
    return variant;
}

template <typename Page, bool sim::CardVariant::*Flag>
class VariantOf : public Page {
protected:
    VariantOf() : Page(Only<Flag>()) {}
};

using PlaybackWaveWithoutMute = VariantOf<PlaybackPageTest, &sim::CardVariant::waveVolumeOnly>;
using PlaybackUniformStereo = VariantOf<PlaybackPageTest, &sim::CardVariant::uniformStereo>;
using RecordUniformStereo = VariantOf<RecordPageTest, &sim::CardVariant::uniformStereo>;
using RecordMultiplexerFourth = VariantOf<RecordPageTest, &sim::CardVariant::multiplexerFourth>;
using RecordRefusingSelection = VariantOf<RecordPageTest, &sim::CardVariant::refusesSelection>;

// ---- Setting the columns up

TEST_F(PlaybackPageTest, ColumnsTakeTheirLinesNamesAndSliderRanges) {
    Open();
    const char* names[] = {"Master Volume", "Wave", "FM Synth", "CD Audio", "Microphone", "Line In"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(page.HasLine(i)) << i;
        EXPECT_EQ(view.Label(Column(i).labelId), names[i]);
        EXPECT_EQ(view.Track(Column(i).volumeId).maximum, kVolumeSliderMax);
        EXPECT_EQ(view.Track(Column(i).balanceId).maximum, kBalanceSliderMax);
        EXPECT_EQ(view.Track(Column(i).balanceId).ticks, U{16});
        EXPECT_TRUE(view.Enabled(Column(i).volumeId));
        EXPECT_TRUE(view.Enabled(Column(i).checkId));
        EXPECT_EQ(view.Enabled(Column(i).balanceId), i != kMic) << "only the mono line loses its balance";
    }
    EXPECT_EQ(page.Record(kLineIn).line.dwLineID, sim::kLineInLine);
    EXPECT_EQ(view.Position(Column(kWave).volumeId), 3u) << "the card starts at 12 steps of 15";
    EXPECT_EQ(view.Position(Column(kWave).balanceId), 16u);
}

TEST_F(PlaybackPageTest, MissingLineDisablesItsColumnAndKeepsTheTemplateLabel) {
    mixer.RemoveLine(device, sim::kLineInLine);
    Open();
    const MixerColumn& lineIn = Column(kLineIn);
    EXPECT_FALSE(page.HasLine(kLineIn));
    EXPECT_EQ(view.Label(lineIn.labelId), "Line-In");
    EXPECT_FALSE(view.Enabled(lineIn.volumeId));
    EXPECT_FALSE(view.Enabled(lineIn.balanceId));
    EXPECT_FALSE(view.Enabled(lineIn.checkId));

    view.Drag(lineIn.volumeId, 0);
    page.OnVolumeMoved(view, lineIn.volumeId);
    view.Click(lineIn.checkId);
    page.OnCheckClicked(view, lineIn.checkId);
    EXPECT_TRUE(mixer.Writes().empty());
    EXPECT_EQ(Volume(sim::kAuxLine), (U{12 * 4369, 12 * 4369})) << "the analog line before wave-out is not it";
}

TEST_F(PlaybackPageTest, UnreadableControlsDisableTheColumnButShowTheName) {
    mixer.FailCall(MixerCall::kGetLineControls, kMmSysErrError, sim::kSynthLine);
    Open();
    EXPECT_EQ(view.Label(Column(kSynth).labelId), "FM Synth");
    EXPECT_FALSE(view.Enabled(Column(kSynth).volumeId));
    EXPECT_FALSE(view.Enabled(Column(kSynth).balanceId));
    EXPECT_FALSE(view.Enabled(Column(kSynth).checkId));
    EXPECT_TRUE(view.Enabled(Column(kCd).volumeId));
}

TEST_F(PlaybackPageTest, EachControlCarriesItsColumnsRecordAndAMissingLinesCarryNone) {
    mixer.RemoveLine(device, sim::kLineInLine);
    Open();
    for (int i = 0; i < kLineIn; ++i) {
        const MixerLineRecord* record = &page.Record(i);
        EXPECT_EQ(view.Attached(Column(i).volumeId), record) << i;
        EXPECT_EQ(view.Attached(Column(i).balanceId), record) << i;
        EXPECT_EQ(view.Attached(Column(i).checkId), record) << i;
    }
    for (int id : {Column(kLineIn).volumeId, Column(kLineIn).balanceId, Column(kLineIn).checkId}) {
        EXPECT_TRUE(view.Touched(id)) << "a control of a new dialog is detached explicitly";
        EXPECT_EQ(view.Attached(id), nullptr);
    }
}

TEST_F(PlaybackPageTest, WithoutADeviceNoControlGetsARecord) {
    CardMixer none;
    MixerPageLogic lonely(none, kPlaybackMixerLayout, 0);
    FakeView empty(kPlaybackMixerLayout, kPlaybackLabels);
    lonely.Initialise(empty, kDialog);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(empty.Touched(Column(i).checkId)) << i;
}

TEST_F(PlaybackPageTest, ASecondSetUpClosesTheHandleItLeftOpen) {
    Open();
    FakeView second(kPlaybackMixerLayout, kPlaybackLabels);
    page.Initialise(second, kDialog);
    EXPECT_EQ(mixer.OpenHandles(), 1u);
    page.Close(kDialog);
    EXPECT_EQ(mixer.OpenHandles(), 0u);
}

// ---- User input

TEST_F(PlaybackPageTest, NotificationsAreTakenOnlyFromTheControlOfThatRole) {
    Open();
    mixer.ClearWrites();
    const MixerColumn& wave = Column(kWave);
    view.Drag(wave.volumeId, 0);
    view.Drag(wave.balanceId, 0);
    page.OnCheckClicked(view, wave.volumeId);
    page.OnVolumeMoved(view, wave.checkId);
    page.OnVolumeMoved(view, wave.balanceId);
    page.OnBalanceMoved(view, wave.volumeId);
    EXPECT_TRUE(mixer.Writes().empty());
    page.OnBalanceMoved(view, wave.balanceId);
    ASSERT_EQ(mixer.Writes().size(), 1u);
    EXPECT_EQ(mixer.Writes()[0].values, (U{12 * 4369, 0})) << "hard left at the current level";
}

TEST_F(PlaybackPageTest, EverySliderNotificationWrites) {
    Open();
    mixer.ClearWrites();
    const int id = Column(kWave).volumeId;
    for (uint32_t step : {4u, 5u, 5u, 6u}) {
        view.Drag(id, step);
        page.OnVolumeMoved(view, id);
    }
    ASSERT_EQ(mixer.Writes().size(), 4u);
    EXPECT_EQ(mixer.Writes()[2].values, (U{10 * 4369, 10 * 4369}));
    EXPECT_EQ(Volume(sim::kWaveOutLine), (U{9 * 4369, 9 * 4369}));
}

TEST_F(PlaybackPageTest, RefreshLeavesTheSlidersWhereTheUserPutThem) {
    Open();
    const MixerColumn& wave = Column(kWave);
    for (uint32_t b = 0; b <= kBalanceSliderMax; ++b) {
        view.Drag(wave.balanceId, b);
        page.OnBalanceMoved(view, wave.balanceId);
        Pump();
        for (uint32_t p = 0; p <= kVolumeSliderMax; ++p) {
            view.Drag(wave.volumeId, p);
            page.OnVolumeMoved(view, wave.volumeId);
            Pump();
            ASSERT_EQ(view.Position(wave.volumeId), p) << "b " << b;
            ASSERT_EQ(view.Position(wave.balanceId), b) << "p " << p;
        }
    }
}

TEST_F(PlaybackPageTest, MonoLineVolumeSetsTheLeftLevelOnly) {
    Open();
    const MixerColumn& mic = Column(kMic);
    view.Drag(mic.volumeId, 0);
    page.OnVolumeMoved(view, mic.volumeId);
    EXPECT_EQ(mixer.Writes().back().values, U{65535});
    EXPECT_EQ(Volume(sim::kPlaybackMicLine), U{65535});
}

TEST_F(PlaybackPageTest, MuteAllMutesTheMasterLineOnly) {
    Open();
    mixer.ChangeValues(device, Control(sim::kWaveOutLine, kMixerControlMute), {1});
    Pump();
    view.Click(Column(kMaster).checkId);
    page.OnCheckClicked(view, Column(kMaster).checkId);
    Pump();
    EXPECT_EQ(mixer.Values(device, Control(sim::kSpeakersLine, kMixerControlMute)), U{1});
    EXPECT_EQ(view.Check(Column(kMaster).checkId), 1u);
    EXPECT_EQ(view.Check(Column(kWave).checkId), 1u);
    EXPECT_EQ(view.Check(Column(kCd).checkId), 0u);

    view.Click(Column(kWave).checkId);
    page.OnCheckClicked(view, Column(kWave).checkId);
    EXPECT_EQ(mixer.Values(device, Control(sim::kWaveOutLine, kMixerControlMute)), U{0});
}

TEST_F(PlaybackWaveWithoutMute, LineWithoutAMuteControlHasItsBoxDisabledAndNeverChecked) {
    Open();
    const MixerColumn& wave = Column(kWave);
    EXPECT_FALSE(view.Enabled(wave.checkId));
    EXPECT_TRUE(view.Enabled(wave.volumeId));
    EXPECT_TRUE(view.Enabled(wave.balanceId));
    EXPECT_TRUE(view.Enabled(Column(kCd).checkId));
    // A click that reaches the page anyway shows nothing muted.
    mixer.ClearWrites();
    ClickMute(kWave);
    EXPECT_EQ(view.Check(wave.checkId), 0u);
    EXPECT_TRUE(mixer.Writes().empty());
    page.Refresh(view);
    EXPECT_EQ(view.Check(wave.checkId), 0u);
}

// A mute the device refuses shows what the device holds: read back, or as the box was when that fails too.
TEST_F(PlaybackPageTest, RefusedMuteWriteShowsTheValueReadBack) {
    const struct {
        uint32_t held;
        bool readFails;
    } cases[] = {{0, false}, {1, false}, {0, true}, {1, true}};
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "held " << c.held << (c.readFails ? ", unreadable" : ""));
        mixer.ClearFailures();
        mixer.ChangeValues(device, MuteOf(sim::kPlaybackCdLine), {c.held});
        Pump();
        ASSERT_EQ(view.Check(Column(kCd).checkId), c.held);
        mixer.FailCall(MixerCall::kSetControlDetails, kMmSysErrNotSupported, MuteOf(sim::kPlaybackCdLine));
        if (c.readFails) mixer.FailCall(MixerCall::kGetControlDetails, kMmSysErrError, MuteOf(sim::kPlaybackCdLine));
        ClickMute(kCd);
        EXPECT_EQ(view.Check(Column(kCd).checkId), c.held);
        EXPECT_EQ(mixer.Values(device, MuteOf(sim::kPlaybackCdLine)), U{c.held});
        EXPECT_EQ(page.Record(kCd).switchValue, c.held);
    }
}

TEST_F(PlaybackUniformStereo, StereoLineWithOneVolumeHasItsBalanceDisabledAsAMonoLine) {
    Open();
    const MixerColumn& synth = Column(kSynth);
    EXPECT_FALSE(view.Enabled(synth.balanceId));
    EXPECT_TRUE(view.Enabled(synth.volumeId));
    EXPECT_TRUE(view.Enabled(synth.checkId));
    EXPECT_TRUE(view.Enabled(Column(kCd).balanceId));
    EXPECT_FALSE(view.Enabled(Column(kMic).balanceId));

    mixer.ClearWrites();
    page.OnBalanceMoved(view, synth.balanceId);
    EXPECT_TRUE(mixer.Writes().empty()) << "a balance the line cannot hold is not written";
    EXPECT_EQ(page.Record(kSynth).balance, 16u);
    view.Drag(synth.volumeId, 1);
    page.OnVolumeMoved(view, synth.volumeId);
    Pump();
    EXPECT_EQ(Volume(sim::kSynthLine), U{14 * 4369});
    EXPECT_EQ(view.Position(synth.volumeId), 1u);
}

// ---- Following the device

TEST_F(PlaybackPageTest, ChangeByAnotherProgramRefreshesEveryColumn) {
    Open();
    view.Drag(Column(kCd).volumeId, 15);  // a column the change does not touch, shown out of date
    mixer.ChangeValues(device, Control(sim::kWaveOutLine, kMixerControlVolume), {40000, 30000});
    Pump();
    EXPECT_EQ(view.Position(Column(kWave).volumeId), 6u);
    EXPECT_EQ(view.Position(Column(kWave).balanceId), 12u);
    EXPECT_EQ(view.Position(Column(kCd).volumeId), 3u);
}

TEST_F(PlaybackPageTest, SilencedLineKeepsItsBalanceSlider) {
    Open();
    const MixerColumn& cd = Column(kCd);
    view.Drag(cd.balanceId, 8);
    page.OnBalanceMoved(view, cd.balanceId);
    Pump();
    mixer.ChangeValues(device, Control(sim::kPlaybackCdLine, kMixerControlVolume), {0, 0});
    Pump();
    EXPECT_EQ(view.Position(cd.volumeId), 15u);
    EXPECT_EQ(view.Position(cd.balanceId), 8u);
    view.Drag(cd.volumeId, 0);
    page.OnVolumeMoved(view, cd.volumeId);
    EXPECT_EQ(Volume(sim::kPlaybackCdLine), (U{65535, 32767}));
}

TEST_F(PlaybackPageTest, FailedReadKeepsTheColumnAsShown) {
    Open();
    const MixerColumn& synth = Column(kSynth);
    view.Drag(synth.volumeId, 9);
    view.Click(synth.checkId);
    mixer.FailCall(MixerCall::kGetControlDetails, kMmSysErrError, Control(sim::kSynthLine, kMixerControlVolume));
    page.Refresh(view);
    EXPECT_EQ(view.Position(synth.volumeId), 9u);
    EXPECT_EQ(view.Check(synth.checkId), 1u);
}

TEST_F(PlaybackPageTest, ReopeningReadsTheLinesAgainAndCentresTheBalance) {
    Open();
    const MixerColumn& wave = Column(kWave);
    view.Drag(wave.balanceId, 30);
    page.OnBalanceMoved(view, wave.balanceId);
    page.Close(kDialog);
    EXPECT_EQ(mixer.OpenHandles(), 0u);
    EXPECT_EQ(page.Handle(), 0u);

    mixer.ChangeValues(device, Control(sim::kWaveOutLine, kMixerControlVolume), {0, 0});
    mixer.RemoveLine(device, sim::kSynthLine);
    FakeView second(kPlaybackMixerLayout, kPlaybackLabels);
    page.Initialise(second, kDialog);
    EXPECT_EQ(page.Record(kWave).balance, 16u);
    page.Refresh(second);
    EXPECT_EQ(second.Position(wave.volumeId), 15u);
    EXPECT_EQ(second.Position(wave.balanceId), 16u);
    EXPECT_FALSE(second.Enabled(Column(kSynth).volumeId));
}

TEST_F(PlaybackPageTest, WithoutADeviceControlsStayEnabledAndInputIsIgnored) {
    CardMixer none;
    MixerPageLogic lonely(none, kPlaybackMixerLayout, 0);
    FakeView empty(kPlaybackMixerLayout, kPlaybackLabels);
    lonely.Initialise(empty, kDialog);
    lonely.Refresh(empty);
    for (int i = 0; i < 6; ++i) {
        empty.Drag(Column(i).volumeId, 2);
        lonely.OnVolumeMoved(empty, Column(i).volumeId);
        lonely.OnBalanceMoved(empty, Column(i).balanceId);
        empty.Click(Column(i).checkId);
        lonely.OnCheckClicked(empty, Column(i).checkId);
    }
    lonely.Close(kDialog);
    EXPECT_EQ(empty.PositionSets(), 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(empty.Enabled(Column(i).volumeId));
        EXPECT_TRUE(empty.Enabled(Column(i).balanceId));
        EXPECT_EQ(empty.Track(Column(i).volumeId).maximum, 100u) << "the track bar keeps its own range";
        EXPECT_EQ(empty.Label(Column(i).labelId), kPlaybackLabels[i]);
    }
    EXPECT_EQ(none.Calls(MixerCall::kGetLineInfo), 0u);
    EXPECT_EQ(none.Calls(MixerCall::kSetControlDetails), 0u);
    EXPECT_EQ(none.Calls(MixerCall::kClose), 1u);
}

TEST_F(PlaybackPageTest, DeviceThatWillNotOpenLeavesEarlierLinesDetached) {
    Open();
    page.Close(kDialog);
    mixer.FailCall(MixerCall::kOpen, kMmSysErrAllocated);
    FakeView second(kPlaybackMixerLayout, kPlaybackLabels);
    page.Initialise(second, kDialog);
    second.Drag(Column(kWave).volumeId, 0);
    page.OnVolumeMoved(second, Column(kWave).volumeId);
    EXPECT_EQ(mixer.Calls(MixerCall::kSetControlDetails), 0u);
    EXPECT_EQ(second.PositionSets(), 0);
}

// ---- Record page

TEST_F(RecordPageTest, SourcesAreFoundByTypeAndExactLineId) {
    Open();
    EXPECT_EQ(page.Record(kMix).line.dwLineID, sim::kRecordMixLine);
    EXPECT_EQ(page.Record(kLineIn).line.dwLineID, sim::kRecordLineInLine);
    EXPECT_EQ(view.Label(Column(kMix).labelId), "Stereo Mix");
    EXPECT_EQ(view.Label(Column(kLineIn).labelId), "Line In");
    EXPECT_EQ(Boxes(), (U{0, 1, 0, 0})) << "the card starts recording from the microphone";
}

TEST_F(RecordPageTest, SelectingASourceDeselectsTheOthersAtTheChangeMessage) {
    Open();
    mixer.ClearWrites();
    view.Click(Column(kCd).checkId);
    page.OnCheckClicked(view, Column(kCd).checkId);
    EXPECT_EQ(Boxes(), (U{0, 1, 1, 0})) << "the page leaves clearing to the refresh";
    Pump();
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 0, 1}));
    ASSERT_EQ(mixer.Writes().size(), 1u);
    EXPECT_EQ(Boxes(), (U{0, 0, 1, 0}));
}

TEST_F(RecordPageTest, TheSelectedSourceCannotBeUnchecked) {
    Open();
    mixer.ClearWrites();
    Select(kMic);
    EXPECT_EQ(view.Check(Column(kMic).checkId), 1u);
    EXPECT_TRUE(mixer.Writes().empty());
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(RecordPageTest, BoxesFollowASelectionByAnotherProgram) {
    Open();
    mixer.ChangeValues(device, Mux(), {0, 1, 0, 0});
    Pump();
    EXPECT_EQ(Boxes(), (U{1, 0, 0, 0}));
}

TEST_F(RecordPageTest, SourceWithoutAVolumeStillFollowsTheSelection) {
    mixer.RemoveControl(device, Control(sim::kRecordCdLine, kMixerControlVolume));
    mixer.AddControl(device, sim::kRecordCdLine, kMixerControlBass, 0, "Bass");
    Open();
    EXPECT_FALSE(view.Enabled(Column(kCd).volumeId));
    EXPECT_FALSE(view.Enabled(Column(kCd).balanceId));
    EXPECT_TRUE(view.Enabled(Column(kCd).checkId));
    mixer.ChangeValues(device, Mux(), {0, 0, 0, 1});
    Pump();
    EXPECT_EQ(Boxes(), (U{0, 0, 1, 0}));
}

TEST_F(RecordPageTest, AnalogSourcesWithOtherIdsDisableMixAndLineIn) {
    mixer.RemoveLine(device, sim::kRecordLineInLine);
    mixer.RemoveLine(device, sim::kRecordMixLine);
    mixer.AddSource(device, sim::kWaveInLine, kMixerSrcAnalog, 0x00050001, "Line In", 2);
    mixer.AddSource(device, sim::kWaveInLine, kMixerSrcAnalog, 0x00060001, "Stereo Mix", 2);
    Open();
    EXPECT_FALSE(view.Enabled(Column(kMix).volumeId));
    EXPECT_FALSE(view.Enabled(Column(kLineIn).checkId));
    EXPECT_EQ(view.Label(Column(kMix).labelId), "Mix");
    Select(kCd);
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 0, 1}));
    EXPECT_EQ(Boxes(), (U{0, 0, 1, 0}));
}

TEST_F(RecordPageTest, MonoSourceHasNoBalanceAndSetsTheLeftLevel) {
    Open();
    EXPECT_FALSE(view.Enabled(Column(kMic).balanceId));
    view.Drag(Column(kMic).volumeId, 1);
    page.OnVolumeMoved(view, Column(kMic).volumeId);
    EXPECT_EQ(Volume(sim::kRecordMicLine), U{14 * 4369});
}

TEST_F(RecordPageTest, SourceNamedByNoItemIsNeverShownSelected) {
    mixer.RenameLine(device, sim::kRecordCdLine, "Compact Disc");
    Open();
    EXPECT_EQ(view.Check(Column(kCd).checkId), 0u);
    mixer.ClearWrites();
    Select(kCd);
    EXPECT_EQ(Boxes(), (U{0, 1, 0, 0})) << "nothing was selected, so the box does not stay checked";
    EXPECT_TRUE(mixer.Writes().empty());
    page.Refresh(view);
    EXPECT_EQ(view.Check(Column(kCd).checkId), 0u);
}

TEST_F(RecordMultiplexerFourth, ClicksSelectNothingAndLeaveNoBoxChecked) {
    Open();
    EXPECT_EQ(Boxes(), (U{0, 0, 0, 0})) << "no selection can be read";
    for (int column : {kCd, kMix, kLineIn, kCd}) {
        SCOPED_TRACE(column);
        Select(column);
        EXPECT_EQ(Boxes(), (U{0, 0, 0, 0}));
    }
    EXPECT_TRUE(mixer.Writes().empty());
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(RecordRefusingSelection, RefusedSelectionReadsTheDeviceBackAtOnce) {
    Open();
    ASSERT_EQ(Boxes(), (U{0, 1, 0, 0}));
    Select(kCd);
    EXPECT_EQ(posted, 0) << "a refused write brings no change message";
    EXPECT_EQ(Boxes(), (U{0, 1, 0, 0}));
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));

    // The source changed without a message reaching the page: the read after the refusal shows it.
    mixer.SetNotifier(nullptr);
    mixer.ChangeValues(device, Mux(), {1, 0, 0, 0});
    Select(kMix);
    EXPECT_EQ(Boxes(), (U{0, 0, 0, 1}));
}

TEST_F(RecordUniformStereo, SourceWithOneVolumeForBothChannelsHasNoBalance) {
    Open();
    EXPECT_FALSE(view.Enabled(Column(kCd).balanceId));
    EXPECT_TRUE(view.Enabled(Column(kCd).volumeId));
    EXPECT_TRUE(view.Enabled(Column(kMix).balanceId));
}

}  // namespace
}  // namespace zv
