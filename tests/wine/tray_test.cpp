#include <windows.h>

#include <gtest/gtest.h>

#include "harness.h"

namespace zvtest {
namespace {

constexpr WPARAM kCloseRequest = 8966;
constexpr UINT kOpenCommand = 40008;

class TrayProgram : public ::testing::Test {
protected:
    void SetUp() override { FreshCard(); }

    // Starts "OPEN" and waits for its dialog.
    HWND StartWithPanel(Program& program) {
        EXPECT_TRUE(program.Start("OPEN"));
        WaitFor([] { return FindPanels().size() == 1; }, 10000);
        auto panels = FindPanels();
        return panels.size() == 1 ? panels[0] : nullptr;
    }

    // Starts plainly and waits until the start-up wait has run the device discovery.
    void StartResident(Program& program) {
        ASSERT_TRUE(program.Start(""));
        ASSERT_TRUE(WaitFor([&] { return log.Contains("dsound DirectSoundEnumerateA"); }, 20000));
    }

    CallLog log;
};

TEST_F(TrayProgram, EndsSilentlyWithoutTheHelperLibrary) {
    // A folder holding the program but not the driver helper library.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "zvctrl-nohelper";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((BuildDir() + "\\zvctrl.exe").c_str(), (dir + "\\zvctrl.exe").c_str(), FALSE));

    Program program;
    ASSERT_TRUE(program.Start("OPEN", dir));
    bool sawMessage = false;
    DWORD code = STILL_ACTIVE;
    WaitFor([&] {
        if (!FindWindowsWithCaption(kPanelCaption).empty()) sawMessage = true;
        code = program.WaitExit(0);
        return code != STILL_ACTIVE;
    }, 10000);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(sawMessage);
    EXPECT_FALSE(log.Contains("InstallA3DHook"));
}

TEST_F(TrayProgram, EndsSilentlyWhenTheDriverReportsNoVersion) {
    SetSimSetting("Version", 0);
    Program program;
    ASSERT_TRUE(program.Start("OPEN"));
    EXPECT_EQ(0u, program.WaitExit(10000));
    EXPECT_TRUE(FindPanels().empty());
    EXPECT_TRUE(log.Contains("ZVGetVersion -> 0"));
}

TEST_F(TrayProgram, OpenStartsWithOneDialogAndASecondOpenOnlyRaisesIt) {
    Program first;
    HWND panel = StartWithPanel(first);
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(panel, GetForegroundWindow());

    // Another window takes the foreground; a second "OPEN" start brings the panel back instead of
    // opening a second one.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    Program second;
    ASSERT_TRUE(second.Start("OPEN"));
    EXPECT_EQ(0u, second.WaitExit(10000));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == panel; }, 5000));
    Sleep(300);
    EXPECT_EQ(1u, FindPanels().size());
    DestroyWindow(other);
    EXPECT_EQ(STILL_ACTIVE, first.WaitExit(0));
}

TEST_F(TrayProgram, OnlyTheExactOpenArgumentHandsOver) {
    Program resident;
    StartResident(resident);
    for (const char* arguments : {"", "open", "OPEN ", "/OPEN"}) {
        SCOPED_TRACE(arguments);
        Program again;
        ASSERT_TRUE(again.Start(arguments));
        EXPECT_EQ(0u, again.WaitExit(10000));
        Sleep(200);
        EXPECT_TRUE(FindPanels().empty());
        EXPECT_EQ(STILL_ACTIVE, resident.WaitExit(0));
    }
}

TEST_F(TrayProgram, DialogEndsWithCancelOkAndCloseBoxAndOpensAgain) {
    Program program;
    HWND panel = StartWithPanel(program);
    ASSERT_NE(nullptr, panel);
    HWND tray = FindTrayWindow();
    ASSERT_NE(nullptr, tray);
    const std::pair<UINT, WPARAM> closers[] = {{WM_COMMAND, IDCANCEL}, {WM_COMMAND, IDOK}, {WM_CLOSE, 0}};
    for (auto [message, wParam] : closers) {
        PostMessageA(panel, message, wParam, 0);
        ASSERT_TRUE(WaitFor([] { return FindPanels().empty(); }, 5000));
        // The open-panel handle was cleared: Open opens the dialog again.
        PostMessageA(tray, WM_COMMAND, kOpenCommand, 0);
        ASSERT_TRUE(WaitFor([] { return FindPanels().size() == 1; }, 5000));
        panel = FindPanels()[0];
    }
    EXPECT_EQ(STILL_ACTIVE, program.WaitExit(0));
}

TEST_F(TrayProgram, DoubleClickOpensOneDialog) {
    Program program;
    StartResident(program);
    HWND tray = FindTrayWindow();
    ASSERT_NE(nullptr, tray);
    PostMessageA(tray, WM_APP, 1, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([] { return FindPanels().size() == 1; }, 5000));
    PostMessageA(tray, WM_APP, 1, WM_RBUTTONDBLCLK);
    Sleep(500);
    EXPECT_EQ(1u, FindPanels().size());
    // A single click does nothing.
    PostMessageA(FindPanels()[0], WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([] { return FindPanels().empty(); }, 5000));
    PostMessageA(tray, WM_APP, 1, WM_LBUTTONUP);
    Sleep(500);
    EXPECT_TRUE(FindPanels().empty());
}

TEST_F(TrayProgram, CloseRequestEndsTheProgramAndRemovesTheHook) {
    Program program;
    HWND panel = StartWithPanel(program);
    ASSERT_NE(nullptr, panel);
    ASSERT_TRUE(log.Contains("InstallA3DHook"));
    // The request counts whatever the message: here it comes as a plain WM_USER.
    PostMessageA(FindTrayWindow(), WM_USER + 7, kCloseRequest, 0);
    EXPECT_EQ(0u, program.WaitExit(10000));
    EXPECT_TRUE(log.Contains("QA3DLoad RemoveA3DHook"));
    EXPECT_TRUE(log.Contains("dsound live 0"));
}

TEST_F(TrayProgram, ExitFromTheTrayMenuEndsTheProgram) {
    Program program;
    StartResident(program);
    HWND tray = FindTrayWindow();
    ASSERT_NE(nullptr, tray);
    PostMessageA(tray, WM_APP, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitFor([] { return FindPopupMenu() != nullptr; }, 5000));
    PostMessageA(FindPopupMenu(), WM_CHAR, 'e', 0);
    EXPECT_EQ(0u, program.WaitExit(10000));
    EXPECT_TRUE(log.Contains("QA3DLoad RemoveA3DHook"));
}

TEST_F(TrayProgram, DismissedMenuIsShownOnceMoreThenNothingHappens) {
    Program program;
    StartResident(program);
    HWND tray = FindTrayWindow();
    PostMessageA(tray, WM_APP, 1, WM_RBUTTONDOWN);
    for (int shown = 0; shown < 2; ++shown) {
        ASSERT_TRUE(WaitFor([] { return FindPopupMenu() != nullptr; }, 5000)) << "showing " << shown;
        HWND menu = FindPopupMenu();
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitFor([&] { return FindPopupMenu() != menu || !IsWindowVisible(menu); }, 5000));
        Sleep(200);
    }
    Sleep(300);
    EXPECT_EQ(nullptr, FindPopupMenu());
    EXPECT_TRUE(FindPanels().empty());
    EXPECT_EQ(STILL_ACTIVE, program.WaitExit(0));
}

TEST_F(TrayProgram, OpenFromTheTrayMenu) {
    Program program;
    StartResident(program);
    PostMessageA(FindTrayWindow(), WM_APP, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitFor([] { return FindPopupMenu() != nullptr; }, 5000));
    PostMessageA(FindPopupMenu(), WM_CHAR, 'o', 0);
    EXPECT_TRUE(WaitFor([] { return FindPanels().size() == 1; }, 5000));
}

// The A3D loader is handed the preload address from the registry, kept inside its accepted range.
TEST_F(TrayProgram, A3DPreloadAddressReachesTheLoader) {
    struct Case {
        DWORD type;
        std::string data;
        const char* expected;
    };
    auto dword = [](DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const Case cases[] = {
        {REG_SZ, std::string("5a0000", 7), "0x005A0000"},
        {REG_DWORD, dword(0x00400000), "0x13790000"},
        {REG_DWORD, dword(0x5FFFFFFF), "0x5FFFFFFF"},
        {REG_BINARY, std::string("\x00\x00\x50\x00", 4), "0x00500000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        CallLog caseLog;
        ASSERT_TRUE(SetRegistryValue(HKEY_CURRENT_USER, "Software\\QSound\\QSoft3d", "A3D preload", c.type,
                                     c.data.data(), static_cast<DWORD>(c.data.size())));
        Program program;
        ASSERT_TRUE(program.Start(""));
        ASSERT_TRUE(WaitFor([&] { return caseLog.Contains("InstallA3DHook"); }, 10000));
        EXPECT_TRUE(caseLog.Contains(std::string("InstallA3DHook ") + c.expected)) << caseLog.Find("InstallA3DHook");
    }
}

// Discovery comes at the first tick when the driver is ready at once, and after three more when it
// reports not ready three times.
TEST_F(TrayProgram, StartupWaitTiming) {
    for (DWORD busy : {0ul, 3ul}) {
        SCOPED_TRACE(busy);
        CallLog caseLog;
        SetSimSetting("BusyTicks", busy);
        Program program;
        ASSERT_TRUE(program.Start(""));
        ASSERT_TRUE(WaitFor([&] { return caseLog.Contains("DirectSoundEnumerateA"); }, 15000));
        // The timer starts with the window, just before the driver's version is asked; starting a Wine
        // process adds a varying second or so before that.
        DWORD enumerated = caseLog.TickOf("DirectSoundEnumerateA");
        DWORD sinceWindow = enumerated - caseLog.TickOf("ZVGetVersion");
        DWORD sinceStart = enumerated - program.StartTick();
        DWORD expected = 1000 * (busy + 1);
        EXPECT_GE(sinceWindow, expected - 200);
        EXPECT_LE(sinceWindow, expected + 600);
        // Wine's share of that is the process start, which a loaded machine stretches: the program's own
        // timing is the bound above, this one only catches a wait that does not start with the program.
        EXPECT_LE(sinceStart, expected + 2500 * kLoadSlack);
        EXPECT_EQ(static_cast<int>(busy + 1), caseLog.Count("DLL32Call 110"));
        // The wait ends once: later ticks do not ask the driver again.
        Sleep(1500);
        EXPECT_EQ(static_cast<int>(busy + 1), caseLog.Count("DLL32Call 110"));
    }
}

TEST_F(TrayProgram, DiscoveryProbesEveryCardDeviceAndReleasesAll) {
    SetSimSetting("Devices", 3);
    SetSimSetting("CardDevices", 0x5);  // devices 0 and 2 are the card's
    Program program;
    StartResident(program);
    // The probes follow the enumeration; the icon comes after the last.
    EXPECT_TRUE(WaitFor([&] { return log.Count("QuerySupport 7CA99CA0-8 -> 3") >= 2; }, 5000));
    EXPECT_EQ(3, log.Count("dsound DirectSoundCreate device"));
    EXPECT_EQ(2, log.Count("QuerySupport 7CA99CA0-8 -> 3"));
    PostMessageA(FindTrayWindow(), WM_COMMAND, 40002, 0);
    EXPECT_EQ(0u, program.WaitExit(10000));
    EXPECT_TRUE(log.Contains("dsound live 0"));
}

TEST_F(TrayProgram, NoCardDeviceShowsTheDirectXMessageAndKeepsRunning) {
    SetSimSetting("CardDevices", 0);
    Program program;
    ASSERT_TRUE(program.Start("OPEN"));
    // The message box's own loop also runs the posted Open, so the dialog comes up beside it.
    ASSERT_TRUE(WaitFor([] { return !FindMessageBoxes().empty(); }, 10000));
    std::vector<HWND> boxes = FindMessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    char text[128] = {};
    GetDlgItemTextA(boxes[0], 0xFFFF, text, sizeof text);
    EXPECT_STREQ("No DirectX (5 or above) was installed.", text);
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    // The dialog still opens, on the default device.
    EXPECT_TRUE(WaitFor([] { return FindPanels().size() == 1; }, 5000));
    EXPECT_EQ(STILL_ACTIVE, program.WaitExit(0));
}

}  // namespace
}  // namespace zvtest
