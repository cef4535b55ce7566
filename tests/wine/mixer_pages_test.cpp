#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "install/card_fixture.h"
#include "model/card_mixer.h"
#include "pages/mixer/mixer_page.h"
#include "platform/win32/win32_pci.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_mixer.h"
#include "res/resource.h"

// The mixer pages in this process, created from the program's own templates over the control panel's
// dialog frame, on the simulated card's mixer or on Wine's, driven through their real track bars and
// check boxes.
namespace zvtest {
namespace {

using zv::sim::CardMixer;
using zv::sim::MixerCall;
using U = std::vector<uint32_t>;

constexpr uint32_t kStep = 4369;  // one volume track bar step of level

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string Text(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The control panel's frame from template 112, shared by every page of these tests: a visible top-level
// window takes Wine seconds to destroy, and the pages only need its tab strip.
HWND Host() {
    static HWND host = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROL_PANEL), nullptr,
                                          HostProc, 0);
    return host;
}

// One open page, created as the control panel creates it: over the frame's tab strip, with the page
// object as the creation parameter.
class OpenPage {
public:
    explicit OpenPage(zv::ControlPage& page) {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), page.GetTemplateName(), Host(),
                                     page.GetDialogProc(), reinterpret_cast<LPARAM>(&page));
        if (dialog_) ShowWindow(dialog_, SW_SHOW);
        Pump();
    }
    ~OpenPage() { Close(); }
    void Close() {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = nullptr;
        Pump();
    }

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    uint32_t Position(int id) const { return static_cast<uint32_t>(SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    uint32_t RangeMax(int id) const { return static_cast<uint32_t>(SendMessageA(Item(id), TBM_GETRANGEMAX, 0, 0)); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::string Label(int id) const { return Text(Item(id)); }
    const void* AttachedRecord(int id) const {
        return reinterpret_cast<const void*>(GetWindowLongPtrA(Item(id), GWLP_USERDATA));
    }

    // The user clicks a check box: the button toggles itself and tells the page.
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    // The user presses an arrow key on a track bar: one line's step, one notification.
    void Key(int id, WPARAM key) {
        SendMessageA(Item(id), WM_KEYDOWN, key, 0);
        SendMessageA(Item(id), WM_KEYUP, key, 0);
    }

private:
    HWND dialog_ = nullptr;
};

// The simulated card after a device of another maker, so the page must choose it through the driver's
// manufacturer id; its change notices are posted to the window that opened it, as winmm does.
class MixerPageFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void SetUp() override {
        FreshCard();
        // The driver's hardware id as SOUNDCFG.INI holds it, without the bus prefix, so the driver lookup
        // finds the card's "ManufactureID".
        zvsim::CardFixture card;
        card.hardwareId = "VEN_5A56&DEV_0930";
        zvsim::InstallCardFixture(card);
        mixer.AddDevice(0x0001, "Other Mixer");
        device = mixer.AddCard(zvsim::CardFixture{}.manufactureId, Variant());
        mixer.SetNotifier(zv::PostControlChange);
    }

    // The card's layout; a variant's fixture names its own.
    virtual zv::sim::CardVariant Variant() const { return {}; }
    uint32_t Control(uint32_t line, uint32_t type) { return mixer.FindControl(device, line, type); }
    U Volume(uint32_t line) { return mixer.Values(device, Control(line, zv::kMixerControlVolume)); }
    U Mute(uint32_t line) { return mixer.Values(device, Control(line, zv::kMixerControlMute)); }
    size_t Writes() const { return mixer.Writes().size(); }

    CardMixer mixer;
    uint32_t device = 0;
    zv::Win32Registry registry;
    zv::Win32Profile profile;
    zv::Win32PciBus pci;
    zv::DriverConfig driver{registry, profile, pci};
};

class MixerPlaybackPage : public MixerPageFixture {
protected:
    enum { kMaster, kWave, kSynth, kCd, kMic, kLineIn };
    static const zv::MixerColumn& Column(int i) { return zv::kPlaybackColumns[i]; }
};

class MixerRecordPage : public MixerPageFixture {
protected:
    enum { kMix, kMic, kCd, kLineIn };
    static const zv::MixerColumn& Column(int i) { return zv::kRecordColumns[i]; }
    uint32_t Mux() { return Control(zv::sim::kWaveInLine, zv::kMixerControlMux); }
    std::vector<bool> Boxes(const OpenPage& open) {
        std::vector<bool> boxes;
        for (int i = 0; i < 4; ++i) boxes.push_back(open.Checked(Column(i).checkId));
        return boxes;
    }
};

// The card as one of its variants.
template <typename Page, bool zv::sim::CardVariant::*Flag>
class VariantOf : public Page {
protected:
    zv::sim::CardVariant Variant() const override {
        zv::sim::CardVariant variant;
        variant.*Flag = true;
        return variant;
    }
};

using PlaybackWaveWithoutMute = VariantOf<MixerPlaybackPage, &zv::sim::CardVariant::waveVolumeOnly>;
using PlaybackUniformStereo = VariantOf<MixerPlaybackPage, &zv::sim::CardVariant::uniformStereo>;
using RecordUniformStereo = VariantOf<MixerRecordPage, &zv::sim::CardVariant::uniformStereo>;
using RecordMultiplexerFourth = VariantOf<MixerRecordPage, &zv::sim::CardVariant::multiplexerFourth>;
using RecordRefusingSelection = VariantOf<MixerRecordPage, &zv::sim::CardVariant::refusesSelection>;
using PlaybackForeignControlOrder = VariantOf<MixerPlaybackPage, &zv::sim::CardVariant::foreignControlOrder>;

// ---- The page objects

TEST_F(MixerPlaybackPage, PagesNameTheirTitlesAndTemplatesAndChooseTheCardsDevice) {
    zv::PlaybackMixerPage playback(mixer, driver);
    zv::RecordMixerPage record(mixer, driver);
    EXPECT_EQ(playback.GetTitleId(), 56u);
    EXPECT_EQ(record.GetTitleId(), 57u);
    EXPECT_EQ(playback.GetTemplateName(), MAKEINTRESOURCEA(139));
    EXPECT_EQ(record.GetTemplateName(), MAKEINTRESOURCEA(140));
    EXPECT_EQ(playback.GetDialogProc(), record.GetDialogProc()) << "one dialog procedure serves both";
    EXPECT_EQ(playback.Device(), device);
    EXPECT_EQ(record.Device(), device);
    EXPECT_EQ(playback.Handle(), 0u);
}

// ---- Playback page on the simulated card

TEST_F(MixerPlaybackPage, LabelsShowTheDriversLineNamesAndTheControlsTheirLines) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    EXPECT_EQ(reinterpret_cast<zv::ControlPage*>(GetWindowLongPtrA(open.Dialog(), GWLP_USERDATA)),
              static_cast<zv::ControlPage*>(&page));
    EXPECT_NE(page.Handle(), 0u);
    const char* names[] = {"Master Volume", "Wave", "FM Synth", "CD Audio", "Microphone", "Line In"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const zv::MixerColumn& column = Column(i);
        EXPECT_EQ(open.Label(column.labelId), names[i]);
        EXPECT_EQ(open.RangeMax(column.volumeId), 15u);
        EXPECT_EQ(open.RangeMax(column.balanceId), 32u);
        EXPECT_EQ(open.Position(column.volumeId), 3u) << "the card starts at 12 steps of 15";
        EXPECT_EQ(open.Position(column.balanceId), 16u);
        EXPECT_FALSE(open.Checked(column.checkId));
        const void* record = &page.Logic().Record(i);
        EXPECT_EQ(open.AttachedRecord(column.volumeId), record);
        EXPECT_EQ(open.AttachedRecord(column.balanceId), record);
        EXPECT_EQ(open.AttachedRecord(column.checkId), record);
    }
    open.Close();
    EXPECT_EQ(page.Handle(), 0u);
    EXPECT_EQ(mixer.OpenHandles(), 0u) << "the page's destruction closes the mixer";
}

TEST_F(MixerPlaybackPage, MissingLineInKeepsItsTemplateTextAndIsDisabled) {
    mixer.RemoveLine(device, zv::sim::kLineInLine);
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& lineIn = Column(kLineIn);
    EXPECT_EQ(open.Label(lineIn.labelId), "Line-In");
    EXPECT_FALSE(open.Enabled(lineIn.volumeId));
    EXPECT_FALSE(open.Enabled(lineIn.balanceId));
    EXPECT_FALSE(open.Enabled(lineIn.checkId));
    EXPECT_EQ(open.AttachedRecord(lineIn.volumeId), nullptr);
    EXPECT_TRUE(open.Enabled(Column(kCd).volumeId));
    // Messages a disabled control could still be sent reach no line.
    mixer.ClearWrites();
    SendMessageA(open.Dialog(), WM_VSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(open.Item(lineIn.volumeId)));
    SendMessageA(open.Dialog(), WM_COMMAND, MAKEWPARAM(lineIn.checkId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(open.Item(lineIn.checkId)));
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(Volume(zv::sim::kAuxLine), (U{12 * kStep, 12 * kStep})) << "the analog line before wave-out is not it";
}

TEST_F(MixerPlaybackPage, MonoLineHasNoBalanceAndItsVolumeSetsTheLeftLevelOnly) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& mic = Column(kMic);
    EXPECT_FALSE(open.Enabled(mic.balanceId));
    EXPECT_TRUE(open.Enabled(mic.volumeId));
    EXPECT_TRUE(open.Enabled(mic.checkId));
    mixer.ClearWrites();
    open.Key(mic.volumeId, VK_UP);
    Pump();
    EXPECT_EQ(open.Position(mic.volumeId), 2u);
    ASSERT_GE(Writes(), 1u);
    EXPECT_EQ(mixer.Writes().back().values, U{13 * kStep}) << "one channel written";
    EXPECT_EQ(Volume(zv::sim::kPlaybackMicLine), U{13 * kStep});
}

TEST_F(MixerPlaybackPage, DraggingAVolumeBarWritesAtEveryStepAndTheBarStaysWhereItIs) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    HWND bar = open.Item(Column(kWave).volumeId);
    RECT thumb = {};
    SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2;
    int y = (thumb.top + thumb.bottom) / 2;
    RECT client = {};
    GetClientRect(bar, &client);
    mixer.ClearWrites();

    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    uint32_t last = open.Position(Column(kWave).volumeId);
    std::vector<uint32_t> steps;
    while (++y < client.bottom && last < 15) {
        const size_t writes = Writes();
        SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        const uint32_t now = open.Position(Column(kWave).volumeId);
        if (now == last) continue;
        SCOPED_TRACE(now);
        steps.push_back(now);
        EXPECT_GT(Writes(), writes) << "the step reached the mixer before the button was let go";
        EXPECT_EQ(Volume(zv::sim::kWaveOutLine), (U{(15 - now) * kStep, (15 - now) * kStep}));
        Pump();  // the change notice of that write refreshes the page
        EXPECT_EQ(open.Position(Column(kWave).volumeId), now);
        EXPECT_EQ(open.Position(Column(kWave).balanceId), 16u);
        last = now;
    }
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
    EXPECT_GE(steps.size(), 5u) << "the drag went over several steps";
    EXPECT_EQ(open.Position(Column(kWave).volumeId), last);
}

TEST_F(MixerPlaybackPage, BalanceMoveSplitsTheLevelAndSurvivesTheRefresh) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& cd = Column(kCd);
    for (int i = 0; i < 8; ++i) open.Key(cd.balanceId, VK_LEFT);
    Pump();
    EXPECT_EQ(open.Position(cd.balanceId), 8u);
    EXPECT_EQ(open.Position(cd.volumeId), 3u);
    EXPECT_EQ(Volume(zv::sim::kPlaybackCdLine), (U{12 * kStep, 12 * kStep / 2}));
    // A volume move keeps the balance the user set.
    open.Key(cd.volumeId, VK_UP);
    Pump();
    EXPECT_EQ(Volume(zv::sim::kPlaybackCdLine), (U{13 * kStep, 13 * kStep / 2}));
    EXPECT_EQ(open.Position(cd.balanceId), 8u);
}

TEST_F(MixerPlaybackPage, ChangesByAnotherProgramMoveTheBarsAndBoxes) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ChangeValues(device, Control(zv::sim::kWaveOutLine, zv::kMixerControlVolume), {40000, 30000});
    mixer.ChangeValues(device, Control(zv::sim::kSynthLine, zv::kMixerControlMute), {1});
    MSG queued;
    EXPECT_TRUE(PeekMessageA(&queued, open.Dialog(), zv::kMmMixmControlChange, zv::kMmMixmControlChange,
                             PM_NOREMOVE))
        << "the change notice goes to the page that opened the mixer";
    EXPECT_EQ(open.Position(Column(kWave).volumeId), 3u) << "nothing moves before the notice";
    Pump();
    EXPECT_EQ(open.Position(Column(kWave).volumeId), 6u);
    EXPECT_EQ(open.Position(Column(kWave).balanceId), 12u);
    EXPECT_TRUE(open.Checked(Column(kSynth).checkId));
    EXPECT_FALSE(open.Checked(Column(kCd).checkId));
}

TEST_F(MixerPlaybackPage, MuteAllMutesOnlyTheSpeakersLine) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ClearWrites();
    open.Click(Column(kMaster).checkId);
    Pump();
    ASSERT_EQ(Writes(), 1u);
    EXPECT_EQ(mixer.Writes()[0].controlId, Control(zv::sim::kSpeakersLine, zv::kMixerControlMute));
    EXPECT_EQ(Mute(zv::sim::kSpeakersLine), U{1});
    EXPECT_TRUE(open.Checked(Column(kMaster).checkId));
    for (int i = kWave; i <= kLineIn; ++i) EXPECT_FALSE(open.Checked(Column(i).checkId)) << i;
    for (uint32_t line : {zv::sim::kWaveOutLine, zv::sim::kSynthLine, zv::sim::kPlaybackCdLine,
                          zv::sim::kPlaybackMicLine, zv::sim::kLineInLine})
        EXPECT_EQ(Mute(line), U{0}) << line;
    open.Click(Column(kMaster).checkId);
    Pump();
    EXPECT_EQ(Mute(zv::sim::kSpeakersLine), U{0});
    EXPECT_FALSE(open.Checked(Column(kMaster).checkId));
}

TEST_F(PlaybackWaveWithoutMute, ALineWithOneControlHasItsMuteBoxDisabledAndNeverChecked) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& wave = Column(kWave);
    EXPECT_FALSE(open.Enabled(wave.checkId));
    EXPECT_TRUE(open.Enabled(wave.volumeId));
    EXPECT_TRUE(open.Enabled(wave.balanceId));
    EXPECT_TRUE(open.Enabled(Column(kCd).checkId));
    // A click that reaches the page all the same: the box toggled itself, the page takes it back.
    mixer.ClearWrites();
    SendMessageA(open.Item(wave.checkId), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(open.Dialog(), WM_COMMAND, MAKEWPARAM(wave.checkId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(open.Item(wave.checkId)));
    Pump();
    EXPECT_FALSE(open.Checked(wave.checkId));
    EXPECT_EQ(Writes(), 0u);
    page.ShowSettings(open.Dialog());
    EXPECT_FALSE(open.Checked(wave.checkId));
}

// Wave-out lists its mute before its volume; CD has a bass where its mute would be.
TEST_F(PlaybackForeignControlOrder, ControlsOfAnotherKindInASlotAreDisabledAndNothingIsWrittenToThem) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& wave = Column(kWave);
    const zv::MixerColumn& cd = Column(kCd);
    EXPECT_EQ(open.Label(wave.labelId), "Wave");
    EXPECT_FALSE(open.Enabled(wave.volumeId));
    EXPECT_FALSE(open.Enabled(wave.balanceId));
    EXPECT_FALSE(open.Enabled(wave.checkId));
    EXPECT_TRUE(open.Enabled(cd.volumeId));
    EXPECT_FALSE(open.Enabled(cd.checkId));
    const uint32_t bass = Control(zv::sim::kPlaybackCdLine, zv::kMixerControlBass);
    const U bassBefore = mixer.Values(device, bass);
    // Input that reaches the page all the same.
    mixer.ClearWrites();
    SendMessageA(open.Dialog(), WM_VSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(open.Item(wave.volumeId)));
    SendMessageA(open.Dialog(), WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(open.Item(wave.balanceId)));
    for (int id : {wave.checkId, cd.checkId}) {
        SendMessageA(open.Item(id), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(open.Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(open.Item(id)));
    }
    Pump();
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(Mute(zv::sim::kWaveOutLine), U{0});
    EXPECT_EQ(Volume(zv::sim::kWaveOutLine), (U{12 * kStep, 12 * kStep}));
    EXPECT_EQ(mixer.Values(device, bass), bassBefore);
    EXPECT_FALSE(open.Checked(wave.checkId));
    EXPECT_FALSE(open.Checked(cd.checkId));
}

TEST_F(MixerPlaybackPage, MuteTheDeviceRefusesShowsTheValueReadBack) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& cd = Column(kCd);
    const uint32_t mute = Control(zv::sim::kPlaybackCdLine, zv::kMixerControlMute);
    mixer.FailCall(MixerCall::kSetControlDetails, zv::kMmSysErrNotSupported, mute);
    open.Click(cd.checkId);
    EXPECT_FALSE(open.Checked(cd.checkId)) << "shown at once: no change notice follows a refused write";
    Pump();
    EXPECT_FALSE(open.Checked(cd.checkId));
    // Muted by another program, then refused the other way.
    mixer.ChangeValues(device, mute, {1});
    Pump();
    ASSERT_TRUE(open.Checked(cd.checkId));
    open.Click(cd.checkId);
    Pump();
    EXPECT_TRUE(open.Checked(cd.checkId));
    EXPECT_EQ(Mute(zv::sim::kPlaybackCdLine), U{1});
}

TEST_F(PlaybackUniformStereo, AStereoLineWithOneVolumeHasItsBalanceDisabled) {
    zv::PlaybackMixerPage page(mixer, driver);
    OpenPage open(page);
    const zv::MixerColumn& synth = Column(kSynth);
    EXPECT_FALSE(open.Enabled(synth.balanceId));
    EXPECT_TRUE(open.Enabled(synth.volumeId));
    EXPECT_TRUE(open.Enabled(Column(kCd).balanceId));
    mixer.ClearWrites();
    SendMessageA(open.Dialog(), WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(open.Item(synth.balanceId)));
    EXPECT_EQ(Writes(), 0u) << "a balance the line cannot hold is not written";
    open.Key(synth.volumeId, VK_UP);
    Pump();
    EXPECT_EQ(Volume(zv::sim::kSynthLine), U{13 * kStep});
    EXPECT_EQ(open.Position(synth.volumeId), 2u);
    EXPECT_EQ(open.Position(synth.balanceId), 16u);
}

TEST_F(MixerPlaybackPage, SwitchingTabsBackReadsTheDeviceAgain) {
    zv::PlaybackMixerPage page(mixer, driver);
    {
        OpenPage open(page);
        for (int i = 0; i < 4; ++i) open.Key(Column(kWave).balanceId, VK_RIGHT);
        Pump();
    }
    mixer.ChangeValues(device, Control(zv::sim::kWaveOutLine, zv::kMixerControlVolume), {0, 65535});
    Pump();  // the notice to the closed page goes nowhere
    OpenPage again(page);
    EXPECT_EQ(again.Position(Column(kWave).volumeId), 0u);
    EXPECT_EQ(again.Position(Column(kWave).balanceId), 32u);
    EXPECT_EQ(mixer.OpenHandles(), 1u);
}

// Each page window shows its rules as bitmap statics; a window that is gone keeps none of their bitmaps, so
// switching tabs and opening the panel again and again piles none up.
TEST_F(MixerPlaybackPage, APageWindowThatIsGoneLeavesNoBitmapBehind) {
    zv::PlaybackMixerPage playback(mixer, driver);
    zv::RecordMixerPage record(mixer, driver);
    const struct {
        zv::ControlPage* page;
        size_t rules;
    } pages[] = {{&playback, 12}, {&record, 8}};
    for (const auto& p : pages) {
        SCOPED_TRACE(p.rules);
        std::vector<HGDIOBJ> shown;
        OpenPage open(*p.page);
        for (HWND child = GetWindow(open.Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0)))
                shown.push_back(bitmap);
        }
        EXPECT_EQ(shown.size(), p.rules);
        open.Close();
        for (HGDIOBJ bitmap : shown) EXPECT_EQ(GetObjectType(bitmap), 0u) << "bitmap " << bitmap << " lives on";
    }
}

TEST_F(MixerPlaybackPage, WithoutAnyMixerTheControlsStayEnabledAndInputIsIgnored) {
    CardMixer none;
    zv::PlaybackMixerPage page(none, driver);
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    EXPECT_EQ(page.Handle(), 0u);
    const char* labels[] = {"Volume", "Wave", "FM-Syn", "CD", "MIC", "Line-In"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const zv::MixerColumn& column = Column(i);
        EXPECT_TRUE(open.Enabled(column.volumeId));
        EXPECT_TRUE(open.Enabled(column.balanceId));
        EXPECT_TRUE(open.Enabled(column.checkId));
        EXPECT_EQ(open.Label(column.labelId), labels[i]);
        open.Key(column.volumeId, VK_DOWN);
        open.Key(column.balanceId, VK_RIGHT);
        open.Click(column.checkId);
        Pump();
    }
    EXPECT_EQ(none.Calls(MixerCall::kGetLineInfo), 0u);
    EXPECT_EQ(none.Calls(MixerCall::kSetControlDetails), 0u);
    EXPECT_EQ(none.Calls(MixerCall::kGetControlDetails), 0u);
}

// ---- Record page on the simulated card

TEST_F(MixerRecordPage, SourcesAreFoundByTypeAndLineIdWithTheDriversNames) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    const char* names[] = {"Stereo Mix", "Microphone", "CD Audio", "Line In"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(open.Label(Column(i).labelId), names[i]) << i;
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, true, false, false})) << "the card records the microphone";
    EXPECT_FALSE(open.Enabled(Column(kMic).balanceId)) << "the microphone is mono";
    EXPECT_EQ(open.Position(Column(kCd).volumeId), 4u);
}

TEST_F(MixerRecordPage, SelectingCdWhileMicIsSelectedLeavesOnlyCdCheckedAfterTheNotice) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ClearWrites();
    open.Click(Column(kCd).checkId);
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, true, true, false})) << "the refresh clears the old source";
    ASSERT_EQ(Writes(), 1u);
    EXPECT_EQ(mixer.Writes()[0].values, (U{0, 0, 0, 1}));
    Pump();
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 0, 1}));
}

TEST_F(MixerRecordPage, ClickingTheSelectedBoxLeavesItCheckedAndWritesNothing) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ClearWrites();
    open.Click(Column(kMic).checkId);
    Pump();
    EXPECT_TRUE(open.Checked(Column(kMic).checkId));
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(MixerRecordPage, BoxesFollowTheRecordingSourceChosenElsewhere) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ChangeValues(device, Mux(), {1, 0, 0, 0});
    Pump();
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, false, false, true}));
}

TEST_F(MixerRecordPage, MonoSourcesVolumeSetsTheLeftLevelOnly) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    mixer.ClearWrites();
    open.Key(Column(kMic).volumeId, VK_DOWN);
    Pump();
    EXPECT_EQ(Volume(zv::sim::kRecordMicLine), U{10 * kStep});
    EXPECT_EQ(open.Position(Column(kMic).volumeId), 5u);
}

TEST_F(RecordMultiplexerFourth, WithoutAMultiplexerClicksLeaveNoBoxChecked) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, false, false, false}));
    mixer.ClearWrites();
    for (int column : {kCd, kMix, kLineIn}) {
        open.Click(Column(column).checkId);
        Pump();
        EXPECT_EQ(Boxes(open), (std::vector<bool>{false, false, false, false})) << column;
    }
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(RecordRefusingSelection, ARefusedSelectionShowsTheSourceTheDeviceKept) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    ASSERT_EQ(Boxes(open), (std::vector<bool>{false, true, false, false}));
    open.Click(Column(kCd).checkId);
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, true, false, false})) << "read back at once";
    Pump();
    EXPECT_EQ(Boxes(open), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(mixer.Values(device, Mux()), (U{0, 0, 1, 0}));
}

TEST_F(RecordUniformStereo, ASourceWithOneVolumeHasItsBalanceDisabled) {
    zv::RecordMixerPage page(mixer, driver);
    OpenPage open(page);
    EXPECT_FALSE(open.Enabled(Column(kCd).balanceId));
    EXPECT_TRUE(open.Enabled(Column(kCd).volumeId));
    EXPECT_TRUE(open.Enabled(Column(kMix).balanceId));
}

TEST_F(MixerRecordPage, WithoutAnyMixerTheControlsStayEnabledAndInputIsIgnored) {
    CardMixer none;
    zv::RecordMixerPage page(none, driver);
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(open.Enabled(Column(i).volumeId));
        EXPECT_TRUE(open.Enabled(Column(i).balanceId));
        EXPECT_TRUE(open.Enabled(Column(i).checkId));
        open.Click(Column(i).checkId);
        open.Key(Column(i).volumeId, VK_UP);
        Pump();
    }
    EXPECT_EQ(none.Calls(MixerCall::kSetControlDetails), 0u);
}

// ---- zvctrl_sim.exe: the program built with the simulated card's mixer

HWND CurrentPage(HWND panel) { return FindWindowExA(panel, nullptr, "#32770", nullptr); }

// Walks the panel's tab strip from its first tab, as the arrow keys do, until the page holding control
// id shows.
HWND SelectPageWith(HWND panel, int id) {
    HWND tabs = GetDlgItem(panel, IDC_TABS);
    auto press = [&](WPARAM key) {
        HWND page = CurrentPage(panel);
        SendMessageA(tabs, WM_KEYDOWN, key, 0);
        WaitFor([&] { return CurrentPage(panel) && CurrentPage(panel) != page; }, 3000);
    };
    while (SendMessageA(tabs, TCM_GETCURSEL, 0, 0) > 0) press(VK_LEFT);
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HWND page = CurrentPage(panel);
        if (page && GetDlgItem(page, id)) return page;
        if (i + 1 < count) press(VK_RIGHT);
    }
    return nullptr;
}

TEST(MixerSimulatedProgram, BothMixerTabsShowTheCardAndKeepWhatTheUserSet) {
    FreshCard();
    Program program;
    ASSERT_TRUE(program.Start("OPEN", BuildDir(), BuildDir() + "\\zvctrl_sim.exe"));
    ASSERT_TRUE(WaitFor([] { return FindPanels().size() == 1 && CurrentPage(FindPanels()[0]); }, 10000));
    HWND panel = FindPanels()[0];

    HWND playback = SelectPageWith(panel, IDC_PLAY_MASTER_LABEL);
    ASSERT_NE(playback, nullptr) << "the panel has a Playback Mixer tab";
    EXPECT_EQ(Text(GetDlgItem(playback, IDC_PLAY_MASTER_LABEL)), "Master Volume");
    EXPECT_EQ(Text(GetDlgItem(playback, IDC_PLAY_LINE_LABEL)), "Line In");
    EXPECT_EQ(SendDlgItemMessageA(playback, IDC_PLAY_WAVE_VOLUME, TBM_GETPOS, 0, 0), 3);
    SendDlgItemMessageA(playback, IDC_PLAY_WAVE_MUTE, BM_CLICK, 0, 0);
    SendDlgItemMessageA(playback, IDC_PLAY_CD_VOLUME, WM_KEYDOWN, VK_UP, 0);

    HWND record = SelectPageWith(panel, IDC_REC_MIX_LABEL);
    ASSERT_NE(record, nullptr) << "the panel has a Record Mixer tab";
    EXPECT_EQ(Text(GetDlgItem(record, IDC_REC_MIX_LABEL)), "Stereo Mix");
    EXPECT_EQ(SendDlgItemMessageA(record, IDC_REC_MIC_SELECT, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendDlgItemMessageA(record, IDC_REC_CD_SELECT, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return SendDlgItemMessageA(record, IDC_REC_MIC_SELECT, BM_GETCHECK, 0, 0) == 0; },
                        3000))
        << "the card's change notice cleared the old source";
    EXPECT_EQ(SendDlgItemMessageA(record, IDC_REC_CD_SELECT, BM_GETCHECK, 0, 0), BST_CHECKED);

    // A page made anew reads the card again: what the user set stayed on the card.
    playback = SelectPageWith(panel, IDC_PLAY_MASTER_LABEL);
    ASSERT_NE(playback, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(playback, IDC_PLAY_WAVE_MUTE, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(playback, IDC_PLAY_CD_VOLUME, TBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessageA(playback, IDC_PLAY_MASTER_MUTE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostMessageA(FindTrayWindow(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}

// ---- Both pages on Wine's own mixer

// The lines of the device the page chose, read straight from winmm.
struct WineLine {
    DWORD componentType;
    std::string name;
    bool destination;
};

std::vector<WineLine> WineLines(UINT device) {
    std::vector<WineLine> lines;
    MIXERCAPSA caps = {};
    if (mixerGetDevCapsA(device, &caps, sizeof caps) != MMSYSERR_NOERROR) return lines;
    for (DWORD d = 0; d < caps.cDestinations; ++d) {
        MIXERLINEA line = {};
        line.cbStruct = sizeof line;
        line.dwDestination = d;
        if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(device)), &line,
                              MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR)
            break;
        lines.push_back({line.dwComponentType, line.szName, true});
        const DWORD sources = line.cConnections;
        for (DWORD s = 0; s < sources; ++s) {
            MIXERLINEA source = {};
            source.cbStruct = sizeof source;
            source.dwDestination = d;
            source.dwSource = s;
            if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(device)), &source,
                                  MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR)
                lines.push_back({source.dwComponentType, source.szName, false});
        }
    }
    return lines;
}

template <typename Page>
void CheckOnWinesMixer(const zv::MixerPageLayout& layout) {
    zv::Win32Registry registry;
    zv::Win32Profile profile;
    zv::Win32PciBus pci;
    zv::DriverConfig driver{registry, profile, pci};
    zv::Win32Mixer wine;
    Page page(wine, driver);
    const std::vector<WineLine> lines = WineLines(page.Device());
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    const bool opened = page.Handle() != 0;
    EXPECT_EQ(opened, mixerGetNumDevs() > 0) << "the page opens a device whenever there is one";
    for (uint32_t i = 0; i < layout.columnCount; ++i) {
        const zv::MixerColumn& column = layout.columns[i];
        SCOPED_TRACE(open.Label(column.labelId));
        const bool found = open.AttachedRecord(column.volumeId) != nullptr;
        if (!opened) {
            EXPECT_TRUE(open.Enabled(column.volumeId));
            EXPECT_TRUE(open.Enabled(column.checkId));
            continue;
        }
        bool exists = false;
        for (const WineLine& line : lines) exists |= line.componentType == column.componentType;
        if (!exists) {
            EXPECT_FALSE(found) << "no line of that type on the device";
        }
        if (!found) {
            EXPECT_FALSE(open.Enabled(column.volumeId));
            continue;
        }
        bool named = false;
        for (const WineLine& line : lines)
            named |= line.componentType == column.componentType && line.name == open.Label(column.labelId);
        EXPECT_TRUE(named) << "the label shows the name of a line of that type";
        if (open.Enabled(column.volumeId)) {
            EXPECT_LE(open.Position(column.volumeId), 15u);
            // Wine posts no change notices: the refresh comes from the page's own ShowSettings.
            open.Key(column.volumeId, VK_DOWN);
            open.Click(column.checkId);
            page.ShowSettings(open.Dialog());
            open.Click(column.checkId);
            page.ShowSettings(open.Dialog());
            Pump();
            EXPECT_LE(open.Position(column.volumeId), 15u);
        }
    }
    if (opened) {
        bool speakers = false;
        for (const WineLine& line : lines)
            speakers |= line.destination && line.componentType == zv::kMixerDstSpeakers;
        if (layout.destinationType == zv::kMixerDstSpeakers) {
            EXPECT_EQ(open.AttachedRecord(layout.columns[0].volumeId) != nullptr, speakers)
                << "the master column is the speakers destination itself";
        }
    }
    int found = 0;
    for (uint32_t i = 0; i < layout.columnCount; ++i)
        found += open.AttachedRecord(layout.columns[i].volumeId) != nullptr;
    std::printf("Wine's mixer: %u devices, device %u %s, %d of %u columns with a line\n", mixerGetNumDevs(),
                page.Device(), opened ? "opened" : "not opened", found, layout.columnCount);
    open.Close();
    EXPECT_EQ(page.Handle(), 0u);
}

TEST(MixerPagesOnWine, PlaybackPageOpensFindsWhatExistsAndSurvivesInput) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CheckOnWinesMixer<zv::PlaybackMixerPage>(zv::kPlaybackMixerLayout);
}

TEST(MixerPagesOnWine, RecordPageOpensFindsWhatExistsAndSurvivesInput) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CheckOnWinesMixer<zv::RecordMixerPage>(zv::kRecordMixerLayout);
}

}  // namespace
}  // namespace zvtest
