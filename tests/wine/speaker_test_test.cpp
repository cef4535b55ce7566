#include <windows.h>

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "harness.h"
#include "install/card_fixture.h"
#include "res/resource.h"

// The General page's speaker test, run as a user would in zvctrl_sim.exe with the simulated card's wave
// player, which records each file it is asked to play in the call log ("channels=N ... sounding=C") and
// ends it after "WaveMs"; and once through the system's own MCI wave device in zvctrl.exe.

namespace zvtest {
namespace {

constexpr int kFrames[] = {IDC_SPEAKER_FRONT_LEFT, IDC_SPEAKER_FRONT_RIGHT, IDC_SPEAKER_REAR_LEFT,
                           IDC_SPEAKER_REAR_RIGHT, IDC_SPEAKER_CENTER,      IDC_SPEAKER_SUBWOOFER};
constexpr int kPictures[] = {IDB_SPEAKER_FRONT_LEFT, IDB_SPEAKER_FRONT_RIGHT, IDB_SPEAKER_REAR_LEFT,
                             IDB_SPEAKER_REAR_RIGHT, IDB_SPEAKER_CENTER,      IDB_SPEAKER_SUBWOOFER};

HWND CurrentPage(HWND panel) { return FindWindowExA(panel, nullptr, "#32770", nullptr); }

RECT ScreenRectOf(HWND page, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(page, id), &r);
    return r;
}

// Whether the screen shows bitmap `id` of the program's resources with its top-left corner at (x, y): a
// grid of its pixels, at least one of them not the dialog's face colour, matches the screen.
bool ShowsBitmap(int id, int x, int y) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (!bitmap) return false;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int matches = 0, samples = 0, distinct = 0;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int sy = 2; sy < info.bmHeight; sy += 5) {
        for (int sx = 2; sx < info.bmWidth; sx += 5) {
            COLORREF want = GetPixel(memory, sx, sy);
            ++samples;
            if (want != face) ++distinct;
            if (GetPixel(screen, x + sx, y + sy) == want) ++matches;
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return distinct > 0 && matches * 10 >= samples * 9;
}

int PicturesShown(HWND page) {
    int shown = 0;
    for (int i = 0; i < 6; ++i) {
        RECT r = ScreenRectOf(page, kFrames[i]);
        if (ShowsBitmap(kPictures[i], r.left, r.top)) ++shown;
    }
    return shown;
}

// The indicator beside speaker i: left of the right-hand speakers, right of the others, from the middle down.
bool IndicatorBeside(HWND page, int i) {
    RECT r = ScreenRectOf(page, kFrames[i]);
    int x = (i == 1 || i == 3) ? r.left - 29 : r.right;
    return ShowsBitmap(IDB_SPEAKER_PLAYING, x, (r.top + r.bottom) / 2);
}

// Places the mouse over a speaker's picture.
void PointAt(HWND page, int frame) {
    RECT r = ScreenRectOf(page, frame);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class SpeakerTestPanel : public ::testing::Test {
protected:
    void SetUp() override {
        FreshCard();
        SetSimSetting("SimulatedPlayer", 1);
        SetSimSetting("WaveMs", 150);
        DeleteFileA((BuildDir() + "\\zvspker.wav").c_str());
    }
    void TearDown() override { ClearSimSettings(); }

    void Speakers(BYTE arrangement) {
        SetRegistryValue(HKEY_LOCAL_MACHINE, zvsim::kConfigKey, "Speakers", REG_BINARY, &arrangement, 1);
    }
    // Opens the panel of the simulated card's program (or of zvctrl.exe) on the General page, drawn.
    HWND Open(const char* exe = "zvctrl_sim.exe") {
        EXPECT_TRUE(program.Start("OPEN", BuildDir(), BuildDir() + "\\" + exe));
        WaitFor([] { return FindPanels().size() == 1 && CurrentPage(FindPanels()[0]); }, 10000);
        auto panels = FindPanels();
        panel = panels.size() == 1 ? panels[0] : nullptr;
        page = panel ? CurrentPage(panel) : nullptr;
        Settle();
        Sleep(200);
        return page;
    }
    void Settle() {
        SendMessageA(panel, WM_NULL, 0, 0);
        Sleep(50);
        SendMessageA(panel, WM_NULL, 0, 0);
    }
    void Command(int id) { PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Click(int frame) {
        PointAt(page, frame);
        PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessageA(page, WM_LBUTTONUP, 0, 0);
    }
    // The call log's lines that name the wave player, without their tick and process id.
    std::vector<std::string> WaveLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : log.Lines()) {
            size_t at = line.find("wave ");
            if (at != std::string::npos) lines.push_back(line.substr(at));
        }
        return lines;
    }
    // The "sounding=" parts of the played files, in order.
    std::vector<std::string> Played() const {
        std::vector<std::string> played;
        for (const std::string& line : WaveLines())
            if (line.rfind("wave open", 0) == 0) played.push_back(line.substr(line.find("channels=")));
        return played;
    }
    bool RunEnds(int ends, DWORD timeoutMs) {
        return WaitFor([&] { return log.Count("wave end") >= ends; }, timeoutMs) &&
               WaitFor([&] { return !IndicatorShown(); }, 3000);
    }
    // The program's message box beside the panel, or null when none comes.
    HWND WaitForBox() {
        HWND box = nullptr;
        WaitFor([&] {
            std::vector<HWND> boxes = FindMessageBoxes();
            box = boxes.empty() ? nullptr : boxes.back();
            return box != nullptr;
        }, 5000);
        return box;
    }
    bool IndicatorShown() {
        for (int i = 0; i < 6; ++i)
            if (IndicatorBeside(page, i)) return true;
        return false;
    }

    CallLog log;
    Program program;
    HWND panel = nullptr;
    HWND page = nullptr;
};

std::string Sound(int channels, int channel) {
    return "channels=" + std::to_string(channels) + " bits=16 frames=22050 sounding=" + std::to_string(channel);
}

TEST_F(SpeakerTestPanel, TwoSpeakersShowTwoPicturesAndTestAllPlaysBothWithASecondBetween) {
    Speakers(2);
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(PicturesShown(page), 2);
    RECT fl = ScreenRectOf(page, IDC_SPEAKER_FRONT_LEFT);
    EXPECT_TRUE(ShowsBitmap(IDB_SPEAKER_FRONT_LEFT, fl.left, fl.top));

    SetSimSetting("WaveMs", 600);
    Command(IDC_TEST_ALL);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return IndicatorBeside(page, 0); }, 2000));
    ASSERT_TRUE(RunEnds(2, 10000));
    EXPECT_EQ(Played(), (std::vector<std::string>{Sound(2, 0), Sound(2, 1)}));
    DWORD gap = log.TickOf("wave play 2") - log.TickOf("wave end 1");
    EXPECT_GE(gap, 980u);
    EXPECT_LT(gap, 1800u);
    EXPECT_EQ(GetFileAttributesA((BuildDir() + "\\zvspker.wav").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the played sound is deleted";
    EXPECT_EQ(PicturesShown(page), 2);
}

TEST_F(SpeakerTestPanel, StereoX2ShowsFourSpeakersAndARearSpeakerPlaysTheFrontChannelOfItsSide) {
    Speakers(3);
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(PicturesShown(page), 4);
    SetSimSetting("WaveMs", 1500);
    Click(IDC_SPEAKER_REAR_LEFT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return IndicatorBeside(page, 0) && IndicatorBeside(page, 2); }, 1500));
    EXPECT_FALSE(IndicatorBeside(page, 1));
    ASSERT_TRUE(RunEnds(1, 5000));
    EXPECT_EQ(Played(), std::vector<std::string>{Sound(2, 0)});

    // "Test All" in "Stereo X 2" plays the two channels only.
    Command(IDC_TEST_ALL);
    ASSERT_TRUE(RunEnds(3, 12000));
    Sleep(1300);
    EXPECT_EQ(Played(), (std::vector<std::string>{Sound(2, 0), Sound(2, 0), Sound(2, 1)}));
}

TEST_F(SpeakerTestPanel, SixSpeakersPlayInTheTablesOrder) {
    Speakers(6);
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(PicturesShown(page), 6);

    SetSimSetting("WaveMs", 50);
    Command(IDC_TEST_ALL);
    ASSERT_TRUE(RunEnds(6, 15000));
    std::vector<std::string> expected;
    for (int c = 0; c < 6; ++c) expected.push_back(Sound(6, c));
    EXPECT_EQ(Played(), expected);
}

TEST_F(SpeakerTestPanel, AClickDuringARunStopsItAndErasesTheIndicator) {
    Speakers(4);
    ASSERT_NE(nullptr, Open());
    SetSimSetting("WaveMs", 5000);
    Command(IDC_TEST_ALL);
    ASSERT_TRUE(WaitFor([&] { return IndicatorBeside(page, 0); }, 5000));
    Click(IDC_SPEAKER_REAR_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave close 1"); }, 3000));
    EXPECT_TRUE(log.Contains("wave stop 1 interrupted"));
    EXPECT_TRUE(WaitFor([&] { return !IndicatorShown(); }, 3000));
    Sleep(300);
    EXPECT_EQ(log.Count("wave open"), 1) << "the click only stopped the run";
    EXPECT_EQ(PicturesShown(page), 4);
}

TEST_F(SpeakerTestPanel, AReleaseThatEndsAHelpClickDoesNotPlay) {
    Speakers(2);
    ASSERT_NE(nullptr, Open());
    // A help request, as the system sends it for a control without a help topic; the record is carried
    // across to the program with the message.
    HELPINFO help = {};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = -1;
    SendMessageA(panel, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));

    PointAt(page, IDC_SPEAKER_FRONT_RIGHT);
    PostMessageA(page, WM_LBUTTONUP, 0, 0);
    Settle();
    Sleep(300);
    EXPECT_FALSE(log.Contains("wave open"));
    Click(IDC_SPEAKER_FRONT_RIGHT);  // a press in the page ends the help mode
    EXPECT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 3000));
    EXPECT_EQ(Played(), std::vector<std::string>{Sound(2, 1)});
}

TEST_F(SpeakerTestPanel, ATabSwitchApplyAndCancelStopTheSound) {
    Speakers(2);
    ASSERT_NE(nullptr, Open());
    SetSimSetting("WaveMs", 10000);
    Command(IDC_SPEAKER_FRONT_LEFT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 3000));
    SendMessageA(GetDlgItem(panel, IDC_TABS), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(WaitFor([&] { return log.Contains("wave stop 1 interrupted"); }, 3000));
    SendMessageA(GetDlgItem(panel, IDC_TABS), WM_KEYDOWN, VK_LEFT, 0);
    ASSERT_TRUE(WaitFor([&] { return (page = CurrentPage(panel)) && GetDlgItem(page, IDC_TEST_ALL); }, 3000));

    Command(IDC_SPEAKER_FRONT_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 2") && IndicatorBeside(page, 1); }, 3000));
    PostMessageA(panel, WM_COMMAND, IDC_APPLY, 0);
    EXPECT_TRUE(WaitFor([&] { return log.Contains("wave stop 2 interrupted"); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return !IndicatorShown(); }, 3000)) << "Apply erased the indicator";

    Command(IDC_SPEAKER_FRONT_LEFT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 3"); }, 3000));
    PostMessageA(panel, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return log.Contains("wave stop 3 interrupted"); }, 3000));
    EXPECT_EQ(log.Count("wave end"), 0);
}

TEST_F(SpeakerTestPanel, AnMciErrorShowsTheSystemsTextWithTheProgramsCaption) {
    Speakers(2);
    SetSimSetting("WaveOpenError", MCIERR_FILE_NOT_FOUND);
    ASSERT_NE(nullptr, Open());
    Command(IDC_SPEAKER_FRONT_LEFT);
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr);
    char expected[256] = {};
    mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, expected, sizeof expected);
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, expected);
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDNO), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
    EXPECT_FALSE(log.Contains("wave play"));
}

TEST_F(SpeakerTestPanel, AClickBehindAStopErrorLeavesNoDeviceOpenAndPlaysItsOwnSpeaker) {
    Speakers(2);
    ASSERT_NE(nullptr, Open());
    SetSimSetting("WaveMs", 20000);
    Command(IDC_SPEAKER_FRONT_LEFT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 3000));
    SetSimSetting("WaveStopError", MCIERR_HARDWARE);
    Command(IDC_SPEAKER_FRONT_LEFT);  // stops, and the stop fails
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr);
    SetSimSetting("WaveStopError", 0);
    Command(IDC_SPEAKER_FRONT_RIGHT);  // handled by the box's message loop
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 2"); }, 3000));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
    Settle();
    EXPECT_TRUE(log.Contains("wave close 1"));
    EXPECT_FALSE(log.Contains("wave close 2")) << "the sound started behind the box plays on";
    EXPECT_EQ(Played(), (std::vector<std::string>{Sound(2, 0), Sound(2, 1)}));
    Command(IDC_SPEAKER_FRONT_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return log.Contains("wave close 2"); }, 3000));
}

TEST_F(SpeakerTestPanel, OkWhoseStopErrorBoxOutlivesTheProgramAppliesNothing) {
    Speakers(4);
    ASSERT_NE(nullptr, Open());
    SetSimSetting("WaveMs", 20000);
    Command(IDC_SPEAKER_FRONT_LEFT);
    ASSERT_TRUE(WaitFor([&] { return log.Contains("wave play 1"); }, 3000));
    SetSimSetting("WaveStopError", MCIERR_HARDWARE);
    PostMessageA(panel, WM_COMMAND, IDOK, 0);
    ASSERT_NE(WaitForBox(), nullptr);
    PostMessageA(FindTrayWindow(), WM_COMMAND, IDM_EXIT, 0);  // the program ends inside the box
    EXPECT_EQ(program.WaitExit(10000), 0u);
    EXPECT_EQ(ConfigValue("Speakers"), std::vector<BYTE>{4}) << "no page of a dead dialog was read or applied";
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
}

TEST_F(SpeakerTestPanel, ATestSoundThatCannotBeWrittenPlaysNothing) {
    Speakers(2);
    const std::string sound = BuildDir() + "\\zvspker.wav";
    // What another speaker's run left, held open by another program.
    HANDLE old = CreateFileA(sound.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(old, "RIFF", 4, &written, nullptr);
    ASSERT_NE(nullptr, Open());
    Command(IDC_SPEAKER_FRONT_LEFT);
    Settle();
    Sleep(500);
    CloseHandle(old);
    DeleteFileA(sound.c_str());
    EXPECT_FALSE(log.Contains("wave open"));
    EXPECT_EQ(FindWindowsWithCaption(kPanelCaption).size(), 1u) << "no error box";
}

// The system's own MCI wave device, on the audio server that the check starts: every speaker of a six-
// speaker run plays to its end, each built file is deleted, and the program lives on.
TEST_F(SpeakerTestPanel, TheSystemsWaveDevicePlaysEverySpeakerToItsEnd) {
    Speakers(6);
    ASSERT_NE(nullptr, Open("zvctrl.exe"));
    const std::string sound = BuildDir() + "\\zvspker.wav";
    Command(IDC_TEST_ALL);
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(sound.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000))
        << "the first speaker's sound was built";
    EXPECT_TRUE(WaitFor([&] { return IndicatorBeside(page, 0); }, 3000));
    // Six sounds of a second each, a second apart.
    EXPECT_TRUE(WaitFor([&] { return IndicatorBeside(page, 5); }, 20000)) << "the run reached the subwoofer";
    EXPECT_TRUE(WaitFor([&] { return !IndicatorShown(); }, 8000)) << "the run ended";
    EXPECT_EQ(GetFileAttributesA(sound.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(program.WaitExit(0), DWORD(STILL_ACTIVE));
    EXPECT_TRUE(FindWindowsWithCaption(kPanelCaption).size() == 1) << "no error box";
}

}  // namespace
}  // namespace zvtest
