#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "pages/effects/effects_page.h"
#include "panel/sound_session.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"
#include "res/resource.h"

// The Effects page in this process, created from the program's template 123 over a frame that has what a
// page needs of the control panel: the tab strip it is placed on and the Apply button it enables.
namespace zvtest {
namespace {

constexpr const char kQ3DClass[] = "System\\CurrentControlSet\\Services\\Class\\Q3D";
constexpr const char kQ3DUser[] = "Software\\QSound\\Q3D";
constexpr const char kSimProperties[] = "Software\\ZVSim\\Properties";

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string LoadText(UINT id) {
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

std::vector<BYTE> RegistryBytes(HKEY root, const char* path, const char* name) {
    std::vector<BYTE> data;
    HKEY key;
    if (RegOpenKeyA(root, path, &key) != ERROR_SUCCESS) return data;
    BYTE buffer[64];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, buffer, &size) == ERROR_SUCCESS && type == REG_BINARY)
        data.assign(buffer, buffer + size);
    RegCloseKey(key);
    return data;
}

// The driver's property store: a key of values only.
void DeleteKey(HKEY root, const char* path) {
    HKEY key;
    if (RegOpenKeyA(root, path, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (RegDeleteValueA(key, name) != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path);
}

// The frame: a tab strip 1062 and a disabled Apply button 1049, with the page dialog over them.
class OpenPage {
public:
    explicit OpenPage(zv::ControlPage& page) {
        HINSTANCE module = GetModuleHandleA(nullptr);
        host_ = CreateWindowExA(0, "Static", "Effects host", WS_OVERLAPPED | WS_CAPTION, 0, 0, 640, 480, nullptr,
                                nullptr, module, nullptr);
        HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 8, 8, 600, 400, host_,
                                    reinterpret_cast<HMENU>(IDC_TABS), module, nullptr);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("Effects");
        SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        apply_ = CreateWindowExA(0, "Button", "Apply", WS_CHILD | WS_VISIBLE | WS_DISABLED, 8, 420, 80, 24, host_,
                                 reinterpret_cast<HMENU>(IDC_APPLY), module, nullptr);
        dialog_ = CreateDialogParamA(module, page.GetTemplateName(), host_, page.GetDialogProc(),
                                     reinterpret_cast<LPARAM>(&page));
        if (dialog_) ShowWindow(dialog_, SW_SHOW);
        Pump();
    }
    ~OpenPage() { Close(); }
    void Close() {
        if (dialog_) DestroyWindow(dialog_);
        if (host_) DestroyWindow(host_);
        dialog_ = host_ = nullptr;
        Pump();
    }

    HWND Dialog() const { return dialog_; }
    HWND Host() const { return host_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    int Position(int id) const { return static_cast<int>(SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    int RangeMin(int id) const { return static_cast<int>(SendMessageA(Item(id), TBM_GETRANGEMIN, 0, 0)); }
    int RangeMax(int id) const { return static_cast<int>(SendMessageA(Item(id), TBM_GETRANGEMAX, 0, 0)); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Selection() const { return static_cast<int>(SendMessageA(Item(IDC_ENVIRONMENT), CB_GETCURSEL, 0, 0)); }
    int Entries() const { return static_cast<int>(SendMessageA(Item(IDC_ENVIRONMENT), CB_GETCOUNT, 0, 0)); }
    std::string Entry(int i) const {
        char text[256] = {};
        if (SendMessageA(Item(IDC_ENVIRONMENT), CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(Item(IDC_ENVIRONMENT), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool ApplyEnabled() const { return IsWindowEnabled(apply_) != FALSE; }
    void DisableApply() { EnableWindow(apply_, FALSE); }

    // The user clicks a visible check box: it toggles itself and tells the page.
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    // A control's notification as the page receives it from one of its children.
    void Command(int id, int code) {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Scroll(int id, int code) {
        SendMessageA(dialog_, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(Item(id)));
    }
    // The user presses an arrow key on a track bar: one step, then the end of the move.
    void Key(int id, WPARAM key) {
        SendMessageA(Item(id), WM_KEYDOWN, key, 0);
        SendMessageA(Item(id), WM_KEYUP, key, 0);
    }
    void SetPosition(int id, int position) { SendMessageA(Item(id), TBM_SETPOS, TRUE, position); }
    void Select(int entry) { SendMessageA(Item(IDC_ENVIRONMENT), CB_SETCURSEL, entry, 0); }

private:
    HWND host_ = nullptr;
    HWND dialog_ = nullptr;
    HWND apply_ = nullptr;
};

class EffectsPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
    }

    zv::Win32Registry registry;
    zv::EffectsPage page{registry};
    zv::Q3DSettings& settings = page.Settings();
};

// ---- What a fresh page shows

TEST_F(EffectsPageTest, FirstOpeningShowsTheDefaults) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr) << "template 123 is missing from the program's resources";
    EXPECT_TRUE(open.Checked(IDC_QSOUND));
    EXPECT_FALSE(open.Checked(IDC_STEREO));
    EXPECT_EQ(open.Selection(), 0);
    EXPECT_EQ(open.Entry(0), LoadText(IDS_FIRST_ENVIRONMENT));
    EXPECT_EQ(open.Position(IDC_CPU_USAGE), 0);
    for (int id : {IDC_REVERB, IDC_BASS_BOOST, IDC_STEREO_EXPAND, IDC_ELEVATION, IDC_RATE_CONVERSION, IDC_SPLASH_LOGO})
        EXPECT_FALSE(open.Checked(id)) << id;
    EXPECT_EQ(open.Position(IDC_SPREAD), 0);
    EXPECT_EQ(open.Position(IDC_CENTER), 0);
    EXPECT_FALSE(open.ApplyEnabled());
}

TEST_F(EffectsPageTest, TrackBarRangesAreSet) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    EXPECT_EQ(open.RangeMin(IDC_CPU_USAGE), 0);
    EXPECT_EQ(open.RangeMax(IDC_CPU_USAGE), 2);
    for (int id : {IDC_SPREAD, IDC_CENTER}) {
        EXPECT_EQ(open.RangeMin(id), 0) << id;
        EXPECT_EQ(open.RangeMax(id), 1000) << id;
    }
}

TEST_F(EffectsPageTest, EnvironmentListHoldsTheFiftyTwoStringsInOrder) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    ASSERT_EQ(open.Entries(), 52);
    for (int i = 0; i < 52; ++i) {
        EXPECT_EQ(open.Entry(i), LoadText(IDS_FIRST_ENVIRONMENT + i)) << i;
        EXPECT_FALSE(open.Entry(i).empty()) << i;
    }
    // The preset names are the same in every language.
    EXPECT_EQ(open.Entry(27), "QSound 0 (Jedi Knight)");
    EXPECT_EQ(open.Entry(51), "QSound 24 (X-Wing/Tie Fighter)");
}

TEST_F(EffectsPageTest, PageIsPlacedOnTheTabDisplayArea) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    RECT area;
    HWND tabs = GetDlgItem(open.Host(), IDC_TABS);
    GetWindowRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    RECT pageRect;
    GetWindowRect(open.Dialog(), &pageRect);
    EXPECT_EQ(pageRect.left, area.left);
    EXPECT_EQ(pageRect.top, area.top);
    EXPECT_EQ(reinterpret_cast<zv::ControlPage*>(GetWindowLongPtrA(open.Dialog(), GWLP_USERDATA)),
              static_cast<zv::ControlPage*>(&page));
}

// ---- Record to controls

TEST_F(EffectsPageTest, CpuUsageSliderFollowsElevationAndInterpolation) {
    const int expected[2][2] = {{0, 1}, {1, 2}};
    for (int elevation = 0; elevation < 2; ++elevation)
        for (int rate = 0; rate < 2; ++rate) {
            settings.elevation = elevation;
            settings.rateConversion = rate;
            OpenPage open(page);
            ASSERT_NE(open.Dialog(), nullptr);
            EXPECT_EQ(open.Position(IDC_CPU_USAGE), expected[elevation][rate]) << elevation << rate;
            EXPECT_EQ(open.Checked(IDC_ELEVATION), elevation == 1);
            EXPECT_EQ(open.Checked(IDC_RATE_CONVERSION), rate == 1);
        }
}

TEST_F(EffectsPageTest, InterpolationAloneShowsMiddleAndReadsBackAsElevation) {
    settings.rateConversion = 1;
    {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        EXPECT_EQ(open.Position(IDC_CPU_USAGE), 1);
    }
    EXPECT_EQ(settings.elevation, 1);
    EXPECT_EQ(settings.rateConversion, 0);
}

TEST_F(EffectsPageTest, RecordShowsOnEveryControl) {
    settings.qsoundEnabled = 0;
    settings.reverb = 1;
    settings.bassBoost = 1;
    settings.splashEnabled = 1;
    settings.stereoExpand = 1;
    settings.environmentSet = 1;
    settings.environmentIndex = 0;
    settings.spread = 0.5f;
    settings.center = 1.0f;
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    EXPECT_FALSE(open.Checked(IDC_QSOUND));
    EXPECT_TRUE(open.Checked(IDC_STEREO));
    EXPECT_TRUE(open.Checked(IDC_REVERB));
    EXPECT_TRUE(open.Checked(IDC_BASS_BOOST));
    EXPECT_TRUE(open.Checked(IDC_SPLASH_LOGO));
    EXPECT_TRUE(open.Checked(IDC_STEREO_EXPAND));
    EXPECT_EQ(open.Selection(), 27);
    EXPECT_EQ(open.Position(IDC_SPREAD), 500);
    EXPECT_EQ(open.Position(IDC_CENTER), 1000);
    // The speaker buttons carry nothing and are left alone.
    for (int id : {IDC_FX_SPEAKERS, IDC_FX_HEADPHONES, IDC_FX_MONO, IDC_FX_QUAD}) EXPECT_FALSE(open.Checked(id)) << id;
}

TEST_F(EffectsPageTest, ShowingAgainMovesTheRadioButtonOver) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    settings.qsoundEnabled = 0;
    page.ShowSettings(open.Dialog());
    EXPECT_FALSE(open.Checked(IDC_QSOUND));
    EXPECT_TRUE(open.Checked(IDC_STEREO));
    settings.qsoundEnabled = 1;
    page.ShowSettings(open.Dialog());
    EXPECT_TRUE(open.Checked(IDC_QSOUND));
    EXPECT_FALSE(open.Checked(IDC_STEREO));
}

// ---- Apply enabling

TEST_F(EffectsPageTest, ClickingACheckBoxEnablesApply) {
    for (int id : {IDC_REVERB, IDC_BASS_BOOST, IDC_STEREO_EXPAND}) {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        ASSERT_FALSE(open.ApplyEnabled());
        open.Click(id);
        EXPECT_TRUE(open.ApplyEnabled()) << id;
    }
}

TEST_F(EffectsPageTest, AnyNotificationOfTheHiddenButtonsEnablesApply) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    for (int id : {IDC_FX_SPEAKERS, IDC_ELEVATION, IDC_RATE_CONVERSION, IDC_QSOUND, IDC_STEREO, IDC_FX_HEADPHONES,
                   IDC_FX_MONO, IDC_SPLASH_LOGO, IDC_FX_QUAD}) {
        open.DisableApply();
        open.Command(id, BN_SETFOCUS);
        EXPECT_TRUE(open.ApplyEnabled()) << id;
    }
}

TEST_F(EffectsPageTest, OnlyASelectionChangeOfTheListEnablesApply) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    for (int code : {CBN_EDITCHANGE, CBN_DROPDOWN, CBN_SETFOCUS, CBN_KILLFOCUS}) {
        open.Command(IDC_ENVIRONMENT, code);
        EXPECT_FALSE(open.ApplyEnabled()) << code;
    }
    open.Command(IDC_ENVIRONMENT, CBN_SELCHANGE);
    EXPECT_TRUE(open.ApplyEnabled());
}

TEST_F(EffectsPageTest, CommandsOfOtherControlsLeaveApplyAlone) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    open.Command(IDC_EFFECTS_ICON, STN_CLICKED);
    open.Command(IDOK, BN_CLICKED);
    EXPECT_FALSE(open.ApplyEnabled());
}

TEST_F(EffectsPageTest, ASliderMoveEnablesApplyOnlyWhenItEnds) {
    for (int id : {IDC_CPU_USAGE, IDC_SPREAD, IDC_CENTER}) {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        for (int code : {TB_THUMBTRACK, TB_THUMBPOSITION, TB_LINEDOWN, TB_PAGEDOWN}) {
            open.Scroll(id, code);
            EXPECT_FALSE(open.ApplyEnabled()) << id << " code " << code;
        }
        open.Scroll(id, TB_ENDTRACK);
        EXPECT_TRUE(open.ApplyEnabled()) << id;
    }
}

TEST_F(EffectsPageTest, AKeyStepOnATrackBarEnablesApply) {
    OpenPage open(page);
    ASSERT_NE(open.Dialog(), nullptr);
    open.Key(IDC_SPREAD, VK_RIGHT);
    EXPECT_GT(open.Position(IDC_SPREAD), 0);
    EXPECT_TRUE(open.ApplyEnabled());
}

// ---- Controls to record

TEST_F(EffectsPageTest, DestroyingThePageReadsTheControls) {
    {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        open.Click(IDC_REVERB);
        open.Click(IDC_BASS_BOOST);
        open.Click(IDC_STEREO_EXPAND);
        open.Select(30);
        open.SetPosition(IDC_CPU_USAGE, 2);
        open.SetPosition(IDC_SPREAD, 500);
        open.SetPosition(IDC_CENTER, 1000);
        CheckRadioButton(open.Dialog(), IDC_QSOUND, IDC_STEREO, IDC_STEREO);
        CheckDlgButton(open.Dialog(), IDC_SPLASH_LOGO, BST_CHECKED);
    }
    EXPECT_EQ(settings.qsoundEnabled, 0);
    EXPECT_EQ(settings.reverb, 1);
    EXPECT_EQ(settings.bassBoost, 1);
    EXPECT_EQ(settings.stereoExpand, 1);
    EXPECT_EQ(settings.splashEnabled, 1);
    EXPECT_EQ(settings.environmentSet, 1);
    EXPECT_EQ(settings.environmentIndex, 3);
    EXPECT_EQ(settings.elevation, 1);
    EXPECT_EQ(settings.rateConversion, 1);
    EXPECT_EQ(settings.spread, 0.5f);
    EXPECT_EQ(settings.center, 1.0f);

    // Coming back to the page shows what was left on it.
    OpenPage again(page);
    ASSERT_NE(again.Dialog(), nullptr);
    EXPECT_TRUE(again.Checked(IDC_STEREO));
    EXPECT_EQ(again.Selection(), 30);
    EXPECT_EQ(again.Position(IDC_CPU_USAGE), 2);
    EXPECT_EQ(again.Position(IDC_SPREAD), 500);
}

TEST_F(EffectsPageTest, EnvironmentEntriesReadAsTheirListAndIndex) {
    const struct {
        int entry;
        int32_t set;
        int32_t index;
    } cases[] = {{0, 0, -1}, {1, 0, 0}, {26, 0, 25}, {27, 1, 0}, {51, 1, 24}};
    for (const auto& c : cases) {
        {
            OpenPage open(page);
            ASSERT_NE(open.Dialog(), nullptr);
            open.Select(c.entry);
        }
        EXPECT_EQ(settings.environmentSet, c.set) << c.entry;
        EXPECT_EQ(settings.environmentIndex, c.index) << c.entry;
    }
}

TEST_F(EffectsPageTest, AListWithoutSelectionKeepsTheEnvironment) {
    settings.environmentSet = 1;
    settings.environmentIndex = 5;
    {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        open.Select(-1);
        SetDlgItemTextA(open.Dialog(), IDC_ENVIRONMENT, "typed text");
    }
    EXPECT_EQ(settings.environmentSet, 1);
    EXPECT_EQ(settings.environmentIndex, 5);
}

TEST_F(EffectsPageTest, TinySpreadShowsAtZeroAndReadsBackAsZero) {
    settings.spread = 0.0004f;
    {
        OpenPage open(page);
        ASSERT_NE(open.Dialog(), nullptr);
        EXPECT_EQ(open.Position(IDC_SPREAD), 0);
    }
    EXPECT_EQ(settings.spread, 0.0f);
}

TEST_F(EffectsPageTest, ReadingTheControlsKeepsTheMaximumPan) {
    settings.maxPanEnabled = 1;
    settings.maxPan = 640;
    { OpenPage open(page); }
    EXPECT_EQ(settings.maxPanEnabled, 1);
    EXPECT_EQ(settings.maxPan, 640);
}

TEST_F(EffectsPageTest, OperationsNameTheTitleAndTemplate) {
    EXPECT_EQ(page.GetTitleId(), 55u);
    EXPECT_EQ(page.GetTemplateName(), MAKEINTRESOURCEA(123));
    EXPECT_EQ(page.GetDialogProc(), &zv::ControlPage::PageProc) << "every page runs in the one frame";
}

// ---- Load and apply through the simulated card's DirectSound driver

class EffectsPageOnCard : public EffectsPageTest {
protected:
    void SetUp() override {
        FreshCard();
        DeleteKey(HKEY_LOCAL_MACHINE, kSimProperties);
        // Only the store's own values: the class key also holds the speaker option's.
        for (const char* name : {"QSound", "Elevation", "Ranging", "RateConversion", "Q1BassBoost", "StereoExpand",
                                 "Spread", "Center", "MaxPan"})
            DeleteRegistryValue(HKEY_LOCAL_MACHINE, kQ3DClass, name);
        DeleteRegistryValue(HKEY_CURRENT_USER, kQ3DUser, "splash time");
    }
    void TearDown() override { zv::CloseSoundSession(&sound, &properties); }

    bool Open() {
        return zv::OpenSoundSession(system, nullptr, nullptr, &sound, &properties) == zv::kOk &&
               properties != nullptr;
    }

    zv::Win32SoundSystem system;
    zv::SoundObject* sound = nullptr;
    zv::SoundPropertySet* properties = nullptr;
};

TEST_F(EffectsPageOnCard, AFreshCardLoadsTheDefaults) {
    ASSERT_TRUE(Open());
    page.LoadSettings(sound, properties);
    EXPECT_EQ(settings.qsoundEnabled, 1);
    EXPECT_EQ(settings.environmentIndex, -1);
    EXPECT_EQ(settings.maxPan, 1000);
    EXPECT_EQ(settings.maxPanEnabled, 0);
}

TEST_F(EffectsPageOnCard, AppliedSettingsReachTheDriverAndTheRegistryAndLoadBack) {
    CallLog log;
    settings.qsoundEnabled = 0;
    settings.reverb = 1;
    settings.bassBoost = 1;
    settings.environmentSet = 1;
    settings.environmentIndex = 7;
    settings.property2 = 12;
    settings.spread = 0.5f;
    settings.center = 0.25f;
    settings.splashEnabled = 1;
    settings.maxPanEnabled = 1;
    settings.maxPan = 640;
    ASSERT_TRUE(Open());
    page.ApplySettings(sound, properties);
    EXPECT_TRUE(log.Contains("dsound PropertySet 7CA99CA0-12 size 8 instance 0"));
    EXPECT_TRUE(log.Contains("dsound PropertySet 7CA99CA1-9 size 4 instance 36"));
    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, kQ3DClass, "Spread"), (std::vector<BYTE>{0, 0, 0, 0x3F}));
    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, kQ3DClass, "Ranging"), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, kQ3DClass, "MaxPan"), (std::vector<BYTE>{0x80, 2, 0, 0}));
    EXPECT_EQ(RegistryBytes(HKEY_CURRENT_USER, kQ3DUser, "splash time"), (std::vector<BYTE>{0xD0, 7, 0, 0}));

    zv::EffectsPage other(registry);
    other.LoadSettings(sound, properties);
    const zv::Q3DSettings& loaded = other.Settings();
    EXPECT_EQ(loaded.qsoundEnabled, 0);
    EXPECT_EQ(loaded.reverb, 1);
    EXPECT_EQ(loaded.bassBoost, 1);
    EXPECT_EQ(loaded.environmentSet, 1);
    EXPECT_EQ(loaded.environmentIndex, 7);
    EXPECT_EQ(loaded.property2, 12);
    EXPECT_EQ(loaded.spread, 0.5f);
    EXPECT_EQ(loaded.center, 0.25f);
    EXPECT_EQ(loaded.splashEnabled, 1);
    EXPECT_EQ(loaded.maxPanEnabled, 1);
    EXPECT_EQ(loaded.maxPan, 640);
    EXPECT_TRUE(log.Contains("dsound PropertyGet 7CA99CA0-12 size 8"));
}

TEST_F(EffectsPageOnCard, StoredPropertiesOfTheWrongSizeLeaveTheirFields) {
    const BYTE four[4] = {5, 0, 0, 0};
    const BYTE sixteen[16] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kSimProperties, "7CA99CA0-12", REG_BINARY, four, sizeof four));
    ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kSimProperties, "7CA99CA1-5", REG_BINARY, sixteen,
                                 sizeof sixteen));
    ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kSimProperties, "7CA99CA1-3", REG_BINARY, four, sizeof four));
    ASSERT_TRUE(Open());
    page.LoadSettings(sound, properties);
    EXPECT_EQ(settings.environmentSet, 0);
    EXPECT_EQ(settings.environmentIndex, -1);
    EXPECT_EQ(settings.reverb, 0);
    EXPECT_EQ(settings.stereoExpand, 5);
}

TEST_F(EffectsPageOnCard, ApplyWithoutASessionStillWritesTheRegistry) {
    settings.stereoExpand = 1;
    page.ApplySettings(nullptr, nullptr);
    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, kQ3DClass, "StereoExpand"), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(RegistryBytes(HKEY_CURRENT_USER, kQ3DUser, "splash time"), (std::vector<BYTE>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace zvtest
