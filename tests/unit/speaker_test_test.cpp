#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "pages/general/speaker_test.h"
#include "res/resource.h"

namespace zv {
namespace {

using Events = std::vector<std::string>;

const std::string kDir = "C:\\ZV\\";
WindowHandle const kPage = reinterpret_cast<WindowHandle>(0x1234);

// The wave device: records every command in the shared event list and fails the ones it is told to.
struct FakePlayer : WavePlayer {
    explicit FakePlayer(Events& events) : events(events) {}
    uint32_t Open(const char* path, WaveDeviceId* device) override {
        events.push_back("mci open " + std::string(path));
        if (openError) return openError;
        *device = ++lastDevice;
        return 0;
    }
    uint32_t Play(WaveDeviceId device, WindowHandle notify) override {
        events.push_back("mci play " + std::to_string(device) + (notify == kPage ? " page" : " other"));
        return playError;
    }
    uint32_t Stop(WaveDeviceId device) override {
        events.push_back("mci stop " + std::to_string(device));
        return stopError;
    }
    uint32_t Close(WaveDeviceId device) override {
        events.push_back("mci close " + std::to_string(device));
        return 0;
    }
    Events& events;
    uint32_t openError = 0, playError = 0, stopError = 0;
    WaveDeviceId lastDevice = 0;
};

struct FakeWindow : SpeakerTestWindow {
    explicit FakeWindow(Events& events) : events(events) {}
    std::string ProgramFileName() override { return kDir + "ZVCTRL.EXE"; }
    void BeginWait() override { events.push_back("wait cursor"); }
    void EndWait() override { events.push_back("cursor back"); }
    void RedrawTestBox(WindowHandle) override { events.push_back("redraw"); }
    void ShowMciError(WindowHandle, uint32_t code) override {
        events.push_back("error " + std::to_string(code));
        // The box's message loop runs what comes meanwhile, once.
        auto during = std::move(duringError);
        duringError = nullptr;
        if (during) during();
    }
    void WaitSeconds(uint32_t seconds) override { events.push_back("sleep " + std::to_string(seconds)); }
    Events& events;
    std::function<void()> duringError;
};

class SpeakerTestRun : public ::testing::Test {
protected:
    SpeakerTestRun() {
        for (const char* name : {"left", "right", "fleft", "fright", "rleft", "rright", "center", "subw"})
            files.files[kDir + name + ".wav"] = std::vector<uint8_t>(36, 0);  // rejected, but opened
    }
    // The sources the run opened, in order, from the recorded events.
    std::vector<std::string> Sources() const {
        std::vector<std::string> sources;
        for (const std::string& e : events)
            if (e.rfind("open " + kDir, 0) == 0) sources.push_back(e.substr(5 + kDir.size()));
        return sources;
    }
    void Finish() { test.OnSoundEnd(kWaveNotifySuccessful, kPage); }

    Events events;
    test::FakeFileSystem files{&events};
    FakePlayer player{events};
    FakeWindow window{events};
    int32_t shown = 2;
    SpeakerTest test{player, files, window, shown};
};

TEST_F(SpeakerTestRun, OneSpeakerBuildsPlaysAndAfterItsEndDeletesWaitsAndStops) {
    test.OnCommand(IDC_SPEAKER_FRONT_RIGHT, kPage);
    EXPECT_TRUE(test.Playing());
    Finish();
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(test.SpeakerIndex(), 0);
    const std::string target = kDir + "zvspker.wav";
    EXPECT_EQ(events, (Events{"wait cursor", "open " + kDir + "right.wav", "create " + target, "cursor back",
                              "mci open " + target, "mci play 1 page", "redraw", "mci stop 1", "mci close 1",
                              "delete " + target, "sleep 1", "redraw"}));
}

TEST_F(SpeakerTestRun, TestAllPlaysEverySpeakerOfTheArrangementInOrder) {
    const struct { int32_t type; std::vector<std::string> sources; } cases[] = {
        {2, {"left.wav", "right.wav"}},
        {3, {"left.wav", "right.wav"}},
        {4, {"fleft.wav", "fright.wav", "rleft.wav", "rright.wav"}},
        {6, {"fleft.wav", "fright.wav", "rleft.wav", "rright.wav", "center.wav", "subw.wav"}},
        {0, {"left.wav", "right.wav"}},
    };
    for (const auto& c : cases) {
        events.clear();
        shown = c.type;
        test.OnCommand(IDC_TEST_ALL, kPage);
        for (size_t i = 0; i < c.sources.size(); ++i) {
            ASSERT_TRUE(test.Playing()) << c.type << " speaker " << i;
            Finish();
        }
        EXPECT_FALSE(test.Playing()) << c.type;
        EXPECT_EQ(Sources(), c.sources) << c.type;
        EXPECT_EQ(std::count(events.begin(), events.end(), "sleep 1"), long(c.sources.size())) << c.type;
    }
}

TEST_F(SpeakerTestRun, PicturesPlayTheirOwnChannelAndStereoX2RearsPlayTheirSidesFront) {
    const struct { int32_t type; int command; int32_t index; const char* source; } cases[] = {
        {3, IDC_SPEAKER_REAR_LEFT, 0, "left.wav"},    {3, IDC_SPEAKER_REAR_RIGHT, 1, "right.wav"},
        {4, IDC_SPEAKER_REAR_LEFT, 2, "rleft.wav"},   {4, IDC_SPEAKER_REAR_RIGHT, 3, "rright.wav"},
        {6, IDC_SPEAKER_CENTER, 4, "center.wav"},     {6, IDC_SPEAKER_SUBWOOFER, 5, "subw.wav"},
        {2, IDC_SPEAKER_FRONT_LEFT, 0, "left.wav"},   {6, IDC_SPEAKER_FRONT_RIGHT, 1, "fright.wav"},
    };
    for (const auto& c : cases) {
        events.clear();
        shown = c.type;
        test.OnCommand(c.command, kPage);
        EXPECT_EQ(test.SpeakerIndex(), c.index) << c.command;
        EXPECT_EQ(Sources(), std::vector<std::string>{c.source}) << c.command;
        Finish();
        EXPECT_FALSE(test.Playing()) << c.command;
    }
}

TEST_F(SpeakerTestRun, ACommandDuringARunOnlyStopsItAndLaterNoticesAreIgnored) {
    shown = 6;
    test.OnCommand(IDC_TEST_ALL, kPage);
    Finish();
    events.clear();
    test.OnCommand(IDC_SPEAKER_CENTER, kPage);
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(events, (Events{"mci stop 2", "mci close 2", "redraw"}));
    events.clear();
    test.OnSoundEnd(4, kPage);  // aborted
    test.OnSoundEnd(2, kPage);  // superseded
    test.OnSoundEnd(8, kPage);  // failed
    EXPECT_TRUE(events.empty());
    test.OnCommand(IDC_SPEAKER_CENTER, kPage);  // the next click starts again
    EXPECT_TRUE(test.Playing());
}

TEST_F(SpeakerTestRun, SpeakersWithoutAChannelPlayNothing) {
    for (auto [type, command] : {std::pair{2, IDC_SPEAKER_CENTER}, {2, IDC_SPEAKER_REAR_LEFT},
                                 {3, IDC_SPEAKER_SUBWOOFER}, {4, IDC_SPEAKER_CENTER}}) {
        shown = type;
        test.OnCommand(command, kPage);
        EXPECT_FALSE(test.Playing()) << command;
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(SpeakerTestRun, DeviceErrorsAreShownAndLeaveTheTestIdle) {
    player.openError = 275;
    test.OnCommand(IDC_SPEAKER_FRONT_LEFT, kPage);
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
              (Events{"mci open " + kDir + "zvspker.wav", "error 275"}));

    events.clear();
    player.openError = 0;
    player.playError = 296;
    test.OnCommand(IDC_SPEAKER_FRONT_LEFT, kPage);
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(std::vector<std::string>(events.end() - 4, events.end()),
              (Events{"mci play 1 page", "mci stop 1", "mci close 1", "error 296"}));
}

TEST_F(SpeakerTestRun, AClickDuringAnErrorBoxLeavesNoDeviceOpenAndPlaysItsOwnSound) {
    auto closedOnce = [this](WaveDeviceId from) {
        for (WaveDeviceId d = from; d <= player.lastDevice; ++d)
            if (std::count(events.begin(), events.end(), "mci close " + std::to_string(d)) != 1) return false;
        return true;
    };
    shown = 6;
    test.OnCommand(IDC_TEST_ALL, kPage);
    player.stopError = 263;
    // A stop that fails: the click queued behind its box starts the center speaker's sound.
    window.duringError = [this] { test.OnCommand(IDC_SPEAKER_CENTER, kPage); };
    test.OnCommand(IDC_SPEAKER_SUBWOOFER, kPage);
    player.stopError = 0;
    EXPECT_TRUE(test.Playing());
    EXPECT_EQ(Sources().back(), "center.wav");
    test.Toggle(kPage);
    EXPECT_TRUE(closedOnce(1));

    // The end of a run's sound: the click behind the box stops the run, and nothing more is played.
    events.clear();
    test.OnCommand(IDC_TEST_ALL, kPage);
    player.stopError = 263;
    window.duringError = [this] { test.OnCommand(IDC_SPEAKER_CENTER, kPage); };
    Finish();
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(Sources().size(), 1u);
    EXPECT_TRUE(closedOnce(player.lastDevice));
}

TEST_F(SpeakerTestRun, ATestSoundThatCannotBeWrittenPlaysNothingAndAFailedNextSpeakerEndsTheRun) {
    const std::string target = kDir + "zvspker.wav";
    files.files[target] = std::vector<uint8_t>(3, 9);  // another speaker's sound, held open elsewhere
    files.readOnly.insert(target);
    test.OnCommand(IDC_SPEAKER_FRONT_LEFT, kPage);
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("mci", 0) == 0; }),
              0);

    files.readOnly.clear();
    test.OnCommand(IDC_TEST_ALL, kPage);
    player.openError = 296;
    events.clear();
    Finish();
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(events.back(), "redraw") << "the first speaker's indicator goes";
}

TEST_F(SpeakerTestRun, StoppingFromAnotherWindowAndResetting) {
    test.OnCommand(IDC_TEST_ALL, kPage);
    test.Toggle(nullptr);  // the dialog stops it before applying or closing
    EXPECT_FALSE(test.Playing());
    test.OnCommand(IDC_TEST_ALL, kPage);
    Finish();
    test.Reset();
    EXPECT_FALSE(test.Playing());
    EXPECT_EQ(test.SpeakerIndex(), 0);
    EXPECT_EQ(test.SpeakerEnd(), 0);
}

TEST(SpeakerTestGeometry, HitsAndIndicatorPlaces) {
    const ScreenRect speakers[] = {{100, 10, 136, 46}, {240, 10, 276, 46}, {100, 90, 136, 126}};
    EXPECT_EQ(SpeakerAt(speakers, 3, {100, 10}), 0);
    EXPECT_EQ(SpeakerAt(speakers, 3, {135, 45}), 0);
    EXPECT_EQ(SpeakerAt(speakers, 3, {136, 45}), -1);
    EXPECT_EQ(SpeakerAt(speakers, 3, {250, 46}), -1);
    EXPECT_EQ(SpeakerAt(speakers, 3, {120, 100}), 2);
    EXPECT_EQ(SpeakerAt(speakers, 2, {120, 100}), -1);  // not shown

    const ScreenRect page = {50, 5, 500, 400};
    const struct { int32_t index; ScreenPoint origin; } cases[] = {
        {0, {136 - 50, 23}}, {1, {100 - 29 - 50, 23}}, {2, {86, 23}}, {3, {21, 23}}, {4, {86, 23}}, {5, {86, 23}},
    };
    for (const auto& c : cases) {
        ScreenPoint p = IndicatorOrigin(c.index, speakers[0], page, 29);
        EXPECT_EQ(p.x, c.origin.x) << c.index;
        EXPECT_EQ(p.y, c.origin.y) << c.index;
    }
    // The middle truncates toward zero above the page's top.
    EXPECT_EQ(IndicatorOrigin(0, {0, -10, 10, -5}, {0, 0, 10, 10}, 29).y, -7);
}

TEST_F(SpeakerTestRun, TheIndicatorIsBesideBothSpeakersOfASideInStereoX2) {
    int32_t indexes[2];
    shown = 3;
    test.OnCommand(IDC_SPEAKER_REAR_RIGHT, kPage);
    ASSERT_EQ(test.IndicatedSpeakers(indexes), 2);
    EXPECT_EQ(indexes[0], 1);
    EXPECT_EQ(indexes[1], 3);
    shown = 4;
    ASSERT_EQ(test.IndicatedSpeakers(indexes), 1);
}

}  // namespace
}  // namespace zv
