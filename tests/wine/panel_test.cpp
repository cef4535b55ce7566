#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "install/card_fixture.h"
#include "platform/win32/win32_pci.h"

namespace zvtest {
namespace {

constexpr int kTabs = 1062;
constexpr int kApply = 1049;
constexpr int kVersion = 1052;
constexpr int kTwo = 1078, kStereoX2 = 1083, kFour = 1079, kSix = 1080;

std::vector<std::string> TabTitles(HWND panel) {
    HWND tabs = GetDlgItem(panel, kTabs);
    std::vector<std::string> titles;
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    // The tab strip belongs to another process: ask for each title through a buffer in that process.
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return titles;
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = remote + 1024;
        item.cchTextMax = 256;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote));
        char text[256] = {};
        ReadProcessMemory(process, remote + 1024, text, sizeof text - 1, nullptr);
        titles.push_back(text);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return titles;
}

HWND CurrentPage(HWND panel) { return FindWindowExA(panel, nullptr, "#32770", nullptr); }

bool Checked(HWND page, int id) { return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

constexpr const char kQ3DKey[] = "System\\CurrentControlSet\\Services\\Class\\Q3D";

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        FreshCard();
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kQ3DKey, "SpeakerConfig");
    }

    HWND Open() {
        EXPECT_TRUE(program.Start("OPEN"));
        WaitFor([] { return FindPanels().size() == 1 && CurrentPage(FindPanels()[0]); }, 10000);
        auto panels = FindPanels();
        panel = panels.size() == 1 ? panels[0] : nullptr;
        return panel;
    }
    HWND Page() { return CurrentPage(panel); }
    // Clicks a button of the current page or of the dialog and lets the program handle it.
    void Click(HWND window, int id) {
        PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
        Settle();
    }
    // Waits until the program has handled everything posted to it so far.
    void Settle() { SendMessageA(panel, WM_NULL, 0, 0); Sleep(50); SendMessageA(panel, WM_NULL, 0, 0); }
    void SelectNextTab() {
        HWND before = Page();
        HWND tabs = GetDlgItem(panel, kTabs);
        SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
        WaitFor([&] { return Page() && Page() != before; }, 5000);
    }
    void SelectPreviousTab() {
        HWND before = Page();
        SendMessageA(GetDlgItem(panel, kTabs), WM_KEYDOWN, VK_LEFT, 0);
        WaitFor([&] { return Page() && Page() != before; }, 5000);
    }
    bool CloseWith(int id) {
        PostMessageA(panel, WM_COMMAND, id, 0);
        return WaitFor([] { return FindPanels().empty(); }, 5000);
    }
    // Ends the program and reports whether the simulated DirectSound saw every object released.
    bool EndsWithNothingLeft() {
        PostMessageA(FindTrayWindow(), WM_COMMAND, 40002, 0);
        if (program.WaitExit(10000) != 0) return false;
        return log.Contains("dsound live 0");
    }

    CallLog log;
    Program program;
    HWND panel = nullptr;
};

TEST_F(Panel, ShowsTheDriverVersionAndTheGeneralPageFirst) {
    ASSERT_NE(nullptr, Open());
    char version[64] = {};
    GetDlgItemTextA(panel, kVersion, version, sizeof version);
    EXPECT_STREQ("4.05.0930", version);
    auto titles = TabTitles(panel);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ("General", titles[0]);
    EXPECT_NE(nullptr, GetDlgItem(Page(), kTwo));
    EXPECT_FALSE(Enabled(panel, kApply));
    EXPECT_TRUE(Checked(Page(), kTwo));
}

TEST_F(Panel, FourTabsInOrder) {
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ((std::vector<std::string>{"General", "Effects", "Playback Mixer", "Record Mixer"}), TabTitles(panel));
    // The Effects page loads its settings from the driver's property sets.
    EXPECT_TRUE(log.Contains("dsound PropertyGet"));
}

TEST_F(Panel, ThreeTabsWhenTheDriverHasNoEffectsAndTheEffectsPageNeverRuns) {
    SetSimSetting("EffectsPage", 0);
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ((std::vector<std::string>{"General", "Playback Mixer", "Record Mixer"}), TabTitles(panel));
    SelectNextTab();
    Click(panel, kApply);
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_FALSE(log.Contains("dsound PropertyGet"));
    EXPECT_FALSE(log.Contains("dsound PropertySet"));
}

TEST_F(Panel, TabKeyOnTheTabStripMovesTheFocusIntoThePage) {
    ASSERT_NE(nullptr, Open());
    HWND tabs = GetDlgItem(panel, kTabs);
    DWORD thread = GetWindowThreadProcessId(panel, nullptr);
    auto focus = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    };
    SelectNextTab();  // a page switch leaves the focus on the tab strip
    EXPECT_EQ(tabs, focus());
    SendMessageA(tabs, WM_KEYDOWN, VK_TAB, 0);
    Settle();
    HWND focused = focus();
    EXPECT_TRUE(focused == Page() || IsChild(Page(), focused));
}

TEST_F(Panel, OffersOnlyWhatTheDriverSupports) {
    SetConfigByte("MaxSpeakers", 2);
    SetConfigByte("StereoX2", 0);
    ASSERT_NE(nullptr, Open());
    EXPECT_TRUE(Enabled(Page(), kTwo));
    EXPECT_FALSE(Enabled(Page(), kStereoX2));
    EXPECT_FALSE(Enabled(Page(), kFour));
    EXPECT_FALSE(Enabled(Page(), kSix));
    EXPECT_TRUE(Checked(Page(), kTwo));
}

TEST_F(Panel, ChecksTheStoredStereoX2EvenWhenItIsNotOffered) {
    SetConfigByte("Speakers", 3);
    SetConfigByte("StereoX2", 0);
    SetConfigByte("MaxSpeakers", 4);
    ASSERT_NE(nullptr, Open());
    EXPECT_FALSE(Enabled(Page(), kStereoX2));
    EXPECT_TRUE(Checked(Page(), kStereoX2));
    EXPECT_TRUE(Enabled(Page(), kFour));
    EXPECT_FALSE(Enabled(Page(), kSix));
}

TEST_F(Panel, OkWritesFourSpeakersEverywhere) {
    ASSERT_NE(nullptr, Open());
    Click(Page(), kFour);
    EXPECT_TRUE(Enabled(panel, kApply));
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_EQ(std::vector<BYTE>{4}, ConfigValue("Speakers"));
    EXPECT_EQ((std::vector<BYTE>{3, 0, 0, 0}), ConfigValue("SpeakerConfig", kQ3DKey));
    EXPECT_TRUE(log.Contains("dsound SetSpeakerConfig 3"));
    EXPECT_TRUE(log.Contains("ZVDLL32 DLL32Call 108"));
    EXPECT_TRUE(EndsWithNothingLeft());
}

TEST_F(Panel, StereoX2WritesThreeAndStereo) {
    ASSERT_NE(nullptr, Open());
    Click(Page(), kStereoX2);
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_EQ(std::vector<BYTE>{3}, ConfigValue("Speakers"));
    EXPECT_EQ((std::vector<BYTE>{4, 0, 0, 0}), ConfigValue("SpeakerConfig", kQ3DKey));
    EXPECT_TRUE(log.Contains("dsound SetSpeakerConfig 4"));
}

TEST_F(Panel, CancelWritesNothing) {
    ASSERT_NE(nullptr, Open());
    Click(Page(), kSix);
    ASSERT_TRUE(CloseWith(IDCANCEL));
    EXPECT_EQ(std::vector<BYTE>{2}, ConfigValue("Speakers"));
    EXPECT_TRUE(ConfigValue("SpeakerConfig", kQ3DKey).empty());
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
    EXPECT_FALSE(log.Contains("SetSpeakerConfig"));
}

TEST_F(Panel, ExitWhileTheDialogIsOpenEndsTheProgramAndAppliesNothing) {
    ASSERT_NE(nullptr, Open());
    Click(Page(), kSix);
    PostMessageA(FindTrayWindow(), WM_COMMAND, 40002, 0);
    EXPECT_EQ(0u, program.WaitExit(10000));
    EXPECT_EQ(std::vector<BYTE>{2}, ConfigValue("Speakers"));
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
    EXPECT_TRUE(log.Contains("QA3DLoad RemoveA3DHook"));
    EXPECT_TRUE(log.Contains("dsound live 0"));
}

TEST_F(Panel, ApplyWritesDisablesApplyAndShowsTheValueReadBack) {
    ASSERT_NE(nullptr, Open());
    Click(Page(), kSix);
    ASSERT_TRUE(Enabled(panel, kApply));
    Click(panel, kApply);
    EXPECT_FALSE(Enabled(panel, kApply));
    EXPECT_EQ(std::vector<BYTE>{6}, ConfigValue("Speakers"));
    EXPECT_TRUE(Checked(Page(), kSix));
    // The driver changes its mind behind the page's back; Apply shows what it holds.
    SetConfigByte("Speakers", 2);
    Click(Page(), kFour);
    SetConfigByte("Speakers", 2);
    ASSERT_EQ(1u, FindPanels().size());
}

TEST_F(Panel, AChoiceSurvivesATabSwitchAndIsAppliedFromAnotherTab) {
    ASSERT_NE(nullptr, Open());
    if (TabTitles(panel).size() < 2) GTEST_SKIP() << "only one page";
    Click(Page(), kFour);
    HWND general = Page();
    SelectNextTab();
    ASSERT_NE(general, Page());
    EXPECT_TRUE(Enabled(panel, kApply));  // a tab switch keeps Apply as it was
    Click(panel, kApply);
    EXPECT_FALSE(Enabled(panel, kApply));
    EXPECT_EQ(std::vector<BYTE>{4}, ConfigValue("Speakers"));
}

TEST_F(Panel, SwitchingBackToGeneralDiscardsAnUnappliedChoice) {
    ASSERT_NE(nullptr, Open());
    if (TabTitles(panel).size() < 2) GTEST_SKIP() << "only one page";
    Click(Page(), kSix);
    SelectNextTab();
    SelectPreviousTab();
    EXPECT_TRUE(Checked(Page(), kTwo));  // shown afresh from the driver
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_EQ(std::vector<BYTE>{2}, ConfigValue("Speakers"));
}

TEST_F(Panel, WithoutASessionNothingLoadsOrAppliesAndOkStillCloses) {
    SetSimSetting("FailBuffer", 1);
    SetConfigByte("Speakers", 4);
    ASSERT_NE(nullptr, Open());
    // The General page reads the registry itself when it is shown, so it still shows the driver's choice.
    EXPECT_TRUE(Checked(Page(), kFour));
    Click(Page(), kSix);
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_EQ(std::vector<BYTE>{4}, ConfigValue("Speakers"));
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
    EXPECT_TRUE(EndsWithNothingLeft());
}

// A machine without DirectX: the program starts all the same, says so once, keeps its tray icon and opens
// every tab; with no session, Apply and OK apply nothing and show no error.
TEST_F(Panel, WithoutDirectSoundWarnsOpensEveryTabAndAppliesNothing) {
    WithoutLibrary noDirectSound("dsound");
    ASSERT_NE(nullptr, Open());
    std::vector<HWND> boxes = FindMessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    char text[128] = {};
    GetDlgItemTextA(boxes[0], 0xFFFF, text, sizeof text);
    EXPECT_STREQ("No DirectX (5 or above) was installed.", text);
    EXPECT_NE(nullptr, GetDlgItem(boxes[0], IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(boxes[0], IDCANCEL));
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([] { return FindMessageBoxes().empty(); }, 5000));

    EXPECT_EQ((std::vector<std::string>{"General", "Effects", "Playback Mixer", "Record Mixer"}), TabTitles(panel));
    Click(Page(), kSix);
    Click(panel, kApply);
    Click(Page(), kFour);
    ASSERT_TRUE(CloseWith(IDOK));
    Sleep(300);
    EXPECT_TRUE(FindMessageBoxes().empty());
    EXPECT_EQ(std::vector<BYTE>{2}, ConfigValue("Speakers"));
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
    EXPECT_FALSE(log.Contains("dsound"));
    EXPECT_NE(nullptr, FindTrayWindow());
    EXPECT_EQ(STILL_ACTIVE, program.WaitExit(0));
}

// Without SetupAPI the PCI lookup finds no device: no instance carries the pattern DEV_FFFF&FUNC_00, so the
// last instance of the card's device key is taken, and the dialog shows the card's driver settings.
TEST_F(Panel, WithoutSetupApiTheLookupFallsBackAndTheDialogOpens) {
    WithoutLibrary noSetupApi("setupapi");
    SetConfigByte("Speakers", 4);
    ASSERT_NE(nullptr, Open());
    EXPECT_TRUE(Checked(Page(), kFour));
    Click(Page(), kSix);
    ASSERT_TRUE(CloseWith(IDOK));
    EXPECT_EQ(std::vector<BYTE>{6}, ConfigValue("Speakers"));
}

// The lookup runs at every access to the driver's settings, several times each time the dialog opens: a run
// of lookups leaves the heap as it found it. (Loaded and freed for each lookup, Wine's SetupAPI left its
// device-node table behind every time: 2 KiB a lookup.)
TEST(PciLookup, RepeatedLookupsLeaveTheHeapAsTheyFoundIt) {
    auto busyBytes = [] {
        long long busy = 0;
        PROCESS_HEAP_ENTRY entry = {};
        HeapLock(GetProcessHeap());
        while (HeapWalk(GetProcessHeap(), &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        HeapUnlock(GetProcessHeap());
        return busy;
    };
    zv::Win32PciBus pci;
    uint8_t bus = 0, deviceFunction = 0;
    pci.FindFirstDevice(0x5A56, 0x0930, &bus, &deviceFunction);
    const long long before = busyBytes();
    for (int i = 0; i < 20; ++i) pci.FindFirstDevice(0x5A56, 0x0930, &bus, &deviceFunction);
    EXPECT_LT(busyBytes() - before, 2048);
}

// Another PCI device listed before the card, with a driver of its own: where no description names the card's
// driver, the lookup may land on this one.
class PanelWithoutDescription : public Panel {
protected:
    static constexpr const char* kIdeInstance = "Enum\\PCI\\VEN_1000&DEV_0001\\BUS_00&DEV_01&FUNC_00";
    static constexpr const char* kIdeConfig = "System\\CurrentControlSet\\Services\\Class\\HDC\\0000\\Config";

    void SetUp() override {
        Panel::SetUp();
        const char driver[] = "HDC\\0000";
        const char description[] = "Standard IDE controller";
        SetRegistryValue(HKEY_LOCAL_MACHINE, kIdeInstance, "Driver", REG_SZ, driver, sizeof driver);
        SetRegistryValue(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\HDC\\0000", "DriverDesc",
                         REG_SZ, description, sizeof description);
        BYTE other = 1;
        SetRegistryValue(HKEY_LOCAL_MACHINE, kIdeConfig, "Other", REG_BINARY, &other, 1);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, zvsim::kConfigKey, "Speakers");
    }
    void TearDown() override {
        for (const char* key : {kIdeInstance, "Enum\\PCI\\VEN_1000&DEV_0001", kIdeConfig,
                                "System\\CurrentControlSet\\Services\\Class\\HDC\\0000",
                                "System\\CurrentControlSet\\Services\\Class\\HDC"})
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    }
    static std::string SoundCfg() {
        char path[MAX_PATH];
        GetWindowsDirectoryA(path, MAX_PATH - 16);
        return std::string(path) + "\\SOUNDCFG.INI";
    }
    // Opens the panel, which shows what it would without a driver, applies the choice with OK, and checks that
    // no driver key got a "Speakers" value.
    void OpenChooseAndApply() {
        ASSERT_NE(nullptr, Open());
        EXPECT_TRUE(Checked(Page(), kTwo));
        EXPECT_FALSE(Enabled(Page(), kFour)) << "the current arrangement stands in for the driver's maximum";
        Click(Page(), kTwo);
        ASSERT_TRUE(CloseWith(IDOK));
        EXPECT_TRUE(ConfigValue("Speakers").empty()) << "the card's driver key";
        EXPECT_TRUE(ConfigValue("Speakers", kIdeConfig).empty()) << "the other device's driver key";
        EXPECT_EQ(std::vector<BYTE>{1}, ConfigValue("Other", kIdeConfig));
        EXPECT_TRUE(log.Contains("dsound SetSpeakerConfig 4")) << "DirectSound still takes the choice";
    }
};

TEST_F(PanelWithoutDescription, WithoutSoundCfgNoDriverKeyIsWritten) {
    ASSERT_TRUE(DeleteFileA(SoundCfg().c_str()));
    OpenChooseAndApply();
}

TEST_F(PanelWithoutDescription, WithoutDriverDescNoDriverKeyIsWritten) {
    ASSERT_TRUE(WritePrivateProfileStringA("DESCRIPTION", "DRIVERDESC", nullptr, SoundCfg().c_str()));
    OpenChooseAndApply();
}

}  // namespace
}  // namespace zvtest
