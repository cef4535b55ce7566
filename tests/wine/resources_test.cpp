// Consistency of the built program's resources: every interface language carries the same dialog templates
// (controls, ids, classes, styles), the tray menu and every string; the English texts are the program's own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "harness.h"
#include "res/resource.h"

namespace zvtest {
namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The fifteen interface languages.
const std::set<LANGID> kLanguages = {
    MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
    MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
    MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN),
    kEnglish,
    MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH),
    MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN),
    MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN),
    MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH),
    MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN),
    MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
    MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN),
    MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH),
    MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN),
    MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE),
    MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT),
};

const int kDialogs[] = {IDD_CONTROL_PANEL, IDD_EFFECTS_PAGE, IDD_GENERAL_PAGE, IDD_PLAYBACK_MIXER_PAGE,
                        IDD_RECORD_MIXER_PAGE};
const int kPages[] = {IDD_EFFECTS_PAGE, IDD_GENERAL_PAGE, IDD_PLAYBACK_MIXER_PAGE, IDD_RECORD_MIXER_PAGE};

// String blocks hold sixteen ids each: 48 to 63 and 96 to 159 cover the table.
const int kStringBlocks[] = {IDS_REMOVED / 16 + 1, IDS_FIRST_ENVIRONMENT / 16 + 1, IDS_FIRST_ENVIRONMENT / 16 + 2,
                             IDS_FIRST_ENVIRONMENT / 16 + 3, IDS_LAST_ENVIRONMENT / 16 + 1};

HMODULE Module() {
    static HMODULE module =
        LoadLibraryExA((BuildDir() + "\\zvctrl.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string LangName(LANGID lang) {
    char text[16];
    wsprintfA(text, "0x%04X", lang);
    return text;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR param) {
    reinterpret_cast<std::set<LANGID>*>(param)->insert(lang);
    return TRUE;
}

std::set<LANGID> LanguagesOf(LPCSTR type, int name) {
    std::set<LANGID> found;
    EnumResourceLanguagesA(Module(), type, MAKEINTRESOURCEA(name), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&found));
    return found;
}

// The raw bytes of one resource in one language; empty when it is missing.
std::vector<uint8_t> Raw(LPCSTR type, int name, LANGID lang) {
    HRSRC info = FindResourceExA(Module(), type, MAKEINTRESOURCEA(name), lang);
    if (!info) return {};
    HGLOBAL handle = LoadResource(Module(), info);
    const uint8_t* data = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    if (!data) return {};
    return std::vector<uint8_t>(data, data + SizeofResource(Module(), info));
}

// Reads a resource's little-endian words and strings, refusing to run past its end.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& data) : data_(data) {}
    bool ok() const { return ok_; }
    size_t pos() const { return pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }
    void Align4() { pos_ = (pos_ + 3) & ~size_t(3); }
    uint16_t Word() {
        if (pos_ + 2 > data_.size()) { ok_ = false; return 0; }
        uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | (uint32_t(Word()) << 16);
    }
    std::wstring String() {  // zero-terminated
        std::wstring s;
        for (uint16_t c = Word(); ok_ && c != 0; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    std::wstring Counted(size_t n) {
        std::wstring s;
        for (size_t i = 0; i < n && ok_; ++i) s += static_cast<wchar_t>(Word());
        return s;
    }
    // A name that is either an ordinal (shown as "#n") or a string; a lone zero is empty.
    std::wstring NameOrOrdinal() {
        if (pos_ + 2 <= data_.size() && data_[pos_] == 0xFF && data_[pos_ + 1] == 0xFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void Skip(size_t n) {
        if (pos_ + n > data_.size()) ok_ = false;
        else pos_ += n;
    }

private:
    const std::vector<uint8_t>& data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

struct Control {
    uint16_t id = 0;
    std::wstring cls;  // upper case, predefined classes by name
    uint32_t style = 0;
    uint32_t exStyle = 0;
    RECT rect = {};  // x, y, width, height in dialog units
    std::wstring text;
};

struct Dialog {
    bool parsed = false;
    bool extended = false;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int width = 0;
    int height = 0;
    std::wstring caption;
    int pointSize = 0;
    std::wstring face;
    std::vector<Control> controls;

    const Control* Find(int id) const {
        for (const auto& c : controls)
            if (c.id == static_cast<uint16_t>(id)) return &c;
        return nullptr;
    }
    std::vector<const Control*> WithText(const std::wstring& text) const {
        std::vector<const Control*> found;
        for (const auto& c : controls)
            if (c.text == text) found.push_back(&c);
        return found;
    }
};

std::wstring ClassName(std::wstring cls) {
    static const std::map<std::wstring, std::wstring> predefined = {
        {L"#128", L"BUTTON"}, {L"#129", L"EDIT"}, {L"#130", L"STATIC"},
        {L"#131", L"LISTBOX"}, {L"#132", L"SCROLLBAR"}, {L"#133", L"COMBOBOX"}};
    auto it = predefined.find(cls);
    if (it != predefined.end()) return it->second;
    for (auto& c : cls) c = static_cast<wchar_t>(towupper(c));
    return cls;
}

// Parses DLGTEMPLATE and DLGTEMPLATEEX alike.
Dialog ParseDialog(const std::vector<uint8_t>& data) {
    Dialog d;
    Reader r(data);
    uint16_t version = r.Word(), signature = r.Word();
    d.extended = version == 1 && signature == 0xFFFF;
    uint16_t count;
    if (d.extended) {
        r.Dword();  // help id
        d.exStyle = r.Dword();
        d.style = r.Dword();
    } else {
        d.style = version | (uint32_t(signature) << 16);
        d.exStyle = r.Dword();
    }
    count = r.Word();
    r.Word();  // x
    r.Word();  // y
    d.width = static_cast<int16_t>(r.Word());
    d.height = static_cast<int16_t>(r.Word());
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    d.caption = r.String();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        if (d.extended) {
            r.Word();  // weight
            r.Word();  // italic and charset
        }
        d.face = r.String();
    }
    for (int i = 0; i < count && r.ok(); ++i) {
        r.Align4();
        Control c;
        if (d.extended) {
            r.Dword();  // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.rect.left = static_cast<int16_t>(r.Word());
        c.rect.top = static_cast<int16_t>(r.Word());
        c.rect.right = static_cast<int16_t>(r.Word());
        c.rect.bottom = static_cast<int16_t>(r.Word());
        c.id = d.extended ? static_cast<uint16_t>(r.Dword()) : r.Word();
        c.cls = ClassName(r.NameOrOrdinal());
        c.text = r.NameOrOrdinal();
        r.Skip(r.Word());  // creation data
        d.controls.push_back(c);
    }
    d.parsed = r.ok() && d.controls.size() == count;
    return d;
}

Dialog LoadDialog(int id, LANGID lang) { return ParseDialog(Raw(RT_DIALOG, id, lang)); }

// The sixteen strings of a string block; missing ones are empty.
std::vector<std::wstring> ParseStringBlock(const std::vector<uint8_t>& data) {
    std::vector<std::wstring> strings;
    Reader r(data);
    for (int i = 0; i < 16 && r.ok(); ++i) strings.push_back(r.Counted(r.Word()));
    if (!r.ok()) strings.clear();
    return strings;
}

std::wstring LoadText(int id, LANGID lang) {
    auto block = ParseStringBlock(Raw(RT_STRING, id / 16 + 1, lang));
    return block.size() == 16 ? block[id % 16] : std::wstring();
}

// The string ids the English table defines.
std::vector<int> EnglishStringIds() {
    std::vector<int> ids;
    for (int block : kStringBlocks) {
        auto strings = ParseStringBlock(Raw(RT_STRING, block, kEnglish));
        for (size_t i = 0; i < strings.size(); ++i)
            if (!strings[i].empty()) ids.push_back((block - 1) * 16 + static_cast<int>(i));
    }
    return ids;
}

struct MenuItem {
    uint16_t flags = 0;
    uint16_t id = 0;  // 0 for a popup
    std::wstring text;
};

// Reads one level of a standard menu template, and the levels of its popups, into a flat list.
void ParseMenuLevel(Reader& r, std::vector<MenuItem>& items) {
    while (r.ok() && !r.AtEnd()) {
        MenuItem item;
        item.flags = r.Word();
        if (!(item.flags & MF_POPUP)) item.id = r.Word();
        item.text = r.String();
        items.push_back(item);
        if (item.flags & MF_POPUP) ParseMenuLevel(r, items);
        if (item.flags & MF_END) return;
    }
}

std::vector<MenuItem> ParseMenu(const std::vector<uint8_t>& data) {
    std::vector<MenuItem> items;
    Reader r(data);
    if (r.Word() != 0) return {};  // version
    r.Skip(r.Word());              // header size
    ParseMenuLevel(r, items);
    if (!r.ok()) items.clear();
    return items;
}

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(Module(), nullptr) << "zvctrl.exe is not beside the tests"; }
};

// ---- Every language is present everywhere

using ResourceLanguages = ResourceTest;

TEST_F(ResourceLanguages, EveryDialogTemplateInExactlyTheFifteenLanguages) {
    for (int id : kDialogs) EXPECT_EQ(LanguagesOf(RT_DIALOG, id), kLanguages) << "dialog " << id;
}

TEST_F(ResourceLanguages, TrayMenuInExactlyTheFifteenLanguages) {
    EXPECT_EQ(LanguagesOf(RT_MENU, IDM_TRAY), kLanguages);
}

TEST_F(ResourceLanguages, EveryStringBlockInExactlyTheFifteenLanguages) {
    for (int block : kStringBlocks) EXPECT_EQ(LanguagesOf(RT_STRING, block), kLanguages) << "block " << block;
}

TEST_F(ResourceLanguages, ArtworkIsLanguageNeutral) {
    const std::set<LANGID> neutral = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)};
    for (int id : {IDI_ZVCTRL, IDI_EFFECTS}) EXPECT_EQ(LanguagesOf(RT_GROUP_ICON, id), neutral) << id;
    for (int id = IDB_SPEAKER_FRONT_LEFT; id <= IDB_SPEAKER_PLAYING; ++id)
        EXPECT_EQ(LanguagesOf(RT_BITMAP, id), neutral) << id;
    for (int id = IDB_RULE_TOP; id <= IDB_RULE_BALANCE; ++id) EXPECT_EQ(LanguagesOf(RT_BITMAP, id), neutral) << id;
    EXPECT_EQ(LanguagesOf(RT_GROUP_CURSOR, IDCUR_SPEAKER), neutral);
}

// ---- Each language's templates are the English ones with other texts

using ResourceDialogs = ResourceTest;

TEST_F(ResourceDialogs, EveryTemplateParses) {
    for (int id : kDialogs)
        for (LANGID lang : kLanguages) {
            Dialog d = LoadDialog(id, lang);
            EXPECT_TRUE(d.parsed) << "dialog " << id << " in " << LangName(lang);
            EXPECT_FALSE(d.controls.empty()) << "dialog " << id << " in " << LangName(lang);
        }
}

TEST_F(ResourceDialogs, SameControlsIdsClassesAndStylesAsEnglish) {
    for (int id : kDialogs) {
        Dialog english = LoadDialog(id, kEnglish);
        ASSERT_TRUE(english.parsed) << id;
        for (LANGID lang : kLanguages) {
            Dialog d = LoadDialog(id, lang);
            std::string where = "dialog " + std::to_string(id) + " in " + LangName(lang);
            if (!d.parsed) {
                ADD_FAILURE() << where << " is missing or broken";
                continue;
            }
            EXPECT_EQ(d.extended, english.extended) << where;
            EXPECT_EQ(d.style, english.style) << where;
            EXPECT_EQ(d.exStyle, english.exStyle) << where;
            EXPECT_EQ(d.controls.size(), english.controls.size()) << where;
            if (d.controls.size() != english.controls.size()) continue;
            for (size_t i = 0; i < d.controls.size(); ++i) {
                const Control& c = d.controls[i];
                const Control& e = english.controls[i];
                std::string at = where + ", control " + std::to_string(i) + " (id " + std::to_string(e.id) + ")";
                EXPECT_EQ(c.id, e.id) << at;
                EXPECT_EQ(Utf8(c.cls), Utf8(e.cls)) << at;
                EXPECT_EQ(c.style, e.style) << at;
                EXPECT_EQ(c.exStyle, e.exStyle) << at;
                // A label may be translated but not dropped, and pictures stay the same pictures.
                EXPECT_EQ(c.text.empty(), e.text.empty()) << at << ": \"" << Utf8(c.text) << "\"";
                if (!e.text.empty() && e.text[0] == L'#') {
                    EXPECT_EQ(Utf8(c.text), Utf8(e.text)) << at;
                }
            }
        }
    }
}

TEST_F(ResourceDialogs, PagesAreHiddenChildrenWithoutCaptionAndKeepTheirSize) {
    for (int id : kPages) {
        Dialog english = LoadDialog(id, kEnglish);
        for (LANGID lang : kLanguages) {
            Dialog d = LoadDialog(id, lang);
            std::string where = "dialog " + std::to_string(id) + " in " + LangName(lang);
            EXPECT_EQ(d.style & (WS_CHILD | DS_SETFONT), DWORD(WS_CHILD | DS_SETFONT)) << where;
            EXPECT_EQ(d.style & (WS_VISIBLE | WS_CAPTION | WS_POPUP), 0u) << where;
            EXPECT_TRUE(d.caption.empty()) << where;
            EXPECT_FALSE(d.face.empty()) << where;
            EXPECT_EQ(d.width, english.width) << where;
            EXPECT_EQ(d.height, english.height) << where;
        }
    }
}

TEST_F(ResourceDialogs, ControlsStayInsideTheirPage) {
    for (int id : kDialogs)
        for (LANGID lang : kLanguages) {
            Dialog d = LoadDialog(id, lang);
            for (const Control& c : d.controls) {
                if (c.cls == L"COMBOBOX") continue;  // its height includes the drop-down list
                std::string at = "dialog " + std::to_string(id) + " in " + LangName(lang) + ", \"" + Utf8(c.text) +
                                 "\" (id " + std::to_string(c.id) + ")";
                EXPECT_GE(c.rect.left, 0) << at;
                EXPECT_GE(c.rect.top, 0) << at;
                EXPECT_LE(c.rect.left + c.rect.right, d.width) << at;
                EXPECT_LE(c.rect.top + c.rect.bottom, d.height) << at;
            }
        }
}

TEST_F(ResourceDialogs, SpeakerChoicesKeepTheirNumbersInEveryLanguage) {
    const std::pair<int, wchar_t> choices[] = {
        {IDC_SPEAKERS_2, L'2'}, {IDC_SPEAKERS_STEREO_X2, L'2'}, {IDC_SPEAKERS_4, L'4'}, {IDC_SPEAKERS_6, L'6'}};
    for (LANGID lang : kLanguages) {
        Dialog d = LoadDialog(IDD_GENERAL_PAGE, lang);
        for (const auto& choice : choices) {
            const Control* c = d.Find(choice.first);
            ASSERT_NE(c, nullptr) << LangName(lang);
            EXPECT_NE(c->text.find(choice.second), std::wstring::npos) << LangName(lang) << ": " << Utf8(c->text);
        }
    }
}

// ---- The English templates as the program describes them

using ResourceEnglish = ResourceTest;

void ExpectControl(const Dialog& d, int id, const wchar_t* cls, DWORD style, RECT rect, const wchar_t* text) {
    const Control* c = d.Find(id);
    ASSERT_NE(c, nullptr) << "control " << id;
    EXPECT_EQ(Utf8(c->cls), Utf8(cls)) << id;
    EXPECT_EQ(c->style, style | WS_CHILD) << id;
    EXPECT_EQ(c->rect.left, rect.left) << id;
    EXPECT_EQ(c->rect.top, rect.top) << id;
    EXPECT_EQ(c->rect.right, rect.right) << id;
    EXPECT_EQ(c->rect.bottom, rect.bottom) << id;
    EXPECT_EQ(Utf8(c->text), Utf8(text)) << id;
}

// An unnumbered control found by its text.
void ExpectLabel(const Dialog& d, const wchar_t* text, const wchar_t* cls, DWORD style, RECT rect) {
    auto found = d.WithText(text);
    ASSERT_EQ(found.size(), 1u) << Utf8(text);
    const Control* c = found[0];
    EXPECT_EQ(c->id, 0xFFFF) << Utf8(text);
    EXPECT_EQ(Utf8(c->cls), Utf8(cls)) << Utf8(text);
    EXPECT_EQ(c->style, style | WS_CHILD | WS_VISIBLE) << Utf8(text);
    EXPECT_EQ(c->rect.left, rect.left) << Utf8(text);
    EXPECT_EQ(c->rect.top, rect.top) << Utf8(text);
    EXPECT_EQ(c->rect.right, rect.right) << Utf8(text);
    EXPECT_EQ(c->rect.bottom, rect.bottom) << Utf8(text);
}

TEST_F(ResourceEnglish, ControlPanelDialog) {
    Dialog d = LoadDialog(IDD_CONTROL_PANEL, kEnglish);
    ASSERT_TRUE(d.parsed);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(Utf8(d.caption), "Zolvane Control Panel");
    EXPECT_EQ(d.width, 310);
    EXPECT_EQ(d.height, 234);
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(Utf8(d.face), "MS Sans Serif");
    EXPECT_EQ(d.style, DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP |
                             DS_SETFONT));
    EXPECT_EQ(d.exStyle, DWORD(WS_EX_CONTEXTHELP));
    ASSERT_EQ(d.controls.size(), 6u);
    EXPECT_EQ(Utf8(d.Find(IDOK)->text), "OK");
    EXPECT_EQ(Utf8(d.Find(IDCANCEL)->text), "Cancel");
    EXPECT_EQ(Utf8(d.Find(IDC_APPLY)->text), "Apply");
    EXPECT_TRUE(d.Find(IDC_APPLY)->style & WS_DISABLED);
    EXPECT_EQ(Utf8(d.Find(IDC_PANEL_ICON)->text), "#100");
}

TEST_F(ResourceEnglish, GeneralPage) {
    Dialog d = LoadDialog(IDD_GENERAL_PAGE, kEnglish);
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.width, 290);
    EXPECT_EQ(d.height, 188);
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(Utf8(d.face), "MS Sans Serif");
    ASSERT_EQ(d.controls.size(), 17u);
    const DWORD V = WS_VISIBLE;
    ExpectControl(d, IDC_SPEAKERS_2, L"BUTTON", BS_AUTORADIOBUTTON | V | WS_GROUP | WS_TABSTOP, {20, 29, 52, 10},
                  L"2 Speakers");
    ExpectControl(d, IDC_SPEAKERS_STEREO_X2, L"BUTTON", BS_AUTORADIOBUTTON | V | WS_TABSTOP, {20, 54, 49, 10},
                  L"Stereo X 2");
    ExpectControl(d, IDC_SPEAKERS_4, L"BUTTON", BS_AUTORADIOBUTTON | V | WS_TABSTOP, {20, 79, 52, 10},
                  L"4 Speakers");
    ExpectControl(d, IDC_SPEAKERS_6, L"BUTTON", BS_AUTORADIOBUTTON | V | WS_TABSTOP, {20, 104, 52, 10},
                  L"6 Speakers");
    ExpectControl(d, IDC_HEADPHONE, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, {21, 121, 53, 10}, L"Headphone");
    ExpectControl(d, IDC_TEST_ALL, L"BUTTON", BS_PUSHBUTTON | V | WS_GROUP | WS_TABSTOP, {167, 116, 43, 14},
                  L"&Test All");
    ExpectControl(d, IDC_UNINSTALL, L"BUTTON", BS_PUSHBUTTON | V | WS_GROUP | WS_TABSTOP, {224, 161, 50, 14},
                  L"&Uninstall");
    ExpectLabel(d, L"Audio Output Option", L"BUTTON", BS_GROUPBOX, {7, 7, 82, 129});
    ExpectLabel(d, L"Uninstall", L"BUTTON", BS_GROUPBOX, {7, 141, 275, 40});
    ExpectLabel(d, L"Click Uninstall to remove ZV930 PCI audio/game devices and the drivers. ", L"STATIC", SS_LEFT,
                {13, 153, 206, 21});
    ExpectControl(d, IDC_SPEAKER_FRONT_LEFT, L"STATIC", SS_BLACKFRAME, {98, 15, 36, 36}, L"");
    ExpectControl(d, IDC_SPEAKER_FRONT_RIGHT, L"STATIC", SS_BLACKFRAME, {241, 15, 36, 36}, L"");
    ExpectControl(d, IDC_SPEAKER_REAR_LEFT, L"STATIC", SS_BLACKFRAME, {98, 96, 36, 36}, L"");
    ExpectControl(d, IDC_SPEAKER_REAR_RIGHT, L"STATIC", SS_BLACKFRAME, {241, 96, 36, 36}, L"");
    ExpectControl(d, IDC_SPEAKER_CENTER, L"STATIC", SS_BLACKFRAME, {164, 15, 48, 16}, L"");
    ExpectControl(d, IDC_SPEAKER_SUBWOOFER, L"STATIC", SS_BLACKFRAME, {170, 33, 36, 32}, L"");
    ExpectControl(d, IDC_SPEAKER_TEST_BOX, L"BUTTON", BS_GROUPBOX | V, {94, 7, 188, 129}, L"Speaker Test");
    // The template's order is the tab order: the four choices first, the group box last.
    EXPECT_EQ(d.controls.front().id, IDC_SPEAKERS_2);
    EXPECT_EQ(d.controls.back().id, IDC_SPEAKER_TEST_BOX);
}

TEST_F(ResourceEnglish, EffectsPage) {
    Dialog d = LoadDialog(IDD_EFFECTS_PAGE, kEnglish);
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.width, 290);
    EXPECT_EQ(d.height, 188);
    ASSERT_EQ(d.controls.size(), 23u);
    const DWORD V = WS_VISIBLE, T = WS_TABSTOP;
    ExpectControl(d, IDC_CPU_USAGE, L"MSCTLS_TRACKBAR32", TBS_AUTOTICKS | TBS_TOP | V | WS_GROUP | T,
                  {81, 17, 124, 19}, L"");
    ExpectControl(d, IDC_REVERB, L"BUTTON", BS_AUTOCHECKBOX | V | T, {21, 50, 39, 10}, L"&Reverb");
    ExpectControl(d, IDC_ENVIRONMENT, L"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL | V | T, {34, 79, 116, 111}, L"");
    ExpectControl(d, IDC_BASS_BOOST, L"BUTTON", BS_AUTOCHECKBOX | V | T, {21, 170, 116, 8},
                  L"&Low Frequency Enhancement");
    ExpectControl(d, IDC_STEREO_EXPAND, L"BUTTON", BS_AUTOCHECKBOX | V | T, {21, 109, 95, 10},
                  L"&Enable Stereo Expansion");
    ExpectControl(d, IDC_SPREAD, L"MSCTLS_TRACKBAR32", TBS_BOTH | TBS_NOTICKS | V | T, {62, 125, 156, 15}, L"");
    ExpectControl(d, IDC_CENTER, L"MSCTLS_TRACKBAR32", TBS_BOTH | TBS_NOTICKS | V | T, {62, 145, 156, 15}, L"");
    ExpectControl(d, IDC_ELEVATION, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | T, {223, 84, 47, 10}, L"Elevation");
    ExpectControl(d, IDC_RATE_CONVERSION, L"BUTTON", BS_AUTOCHECKBOX | T, {205, 70, 72, 10},
                  L"Interpolate Sample Rate Conversion");
    ExpectControl(d, IDC_QSOUND, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | T, {6, 6, 11, 10}, L"QSound");
    ExpectControl(d, IDC_STEREO, L"BUTTON", BS_AUTORADIOBUTTON, {6, 18, 11, 10}, L"Stereo");
    ExpectControl(d, IDC_FX_SPEAKERS, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | T, {6, 41, 11, 10}, L"Speakers");
    ExpectControl(d, IDC_FX_HEADPHONES, L"BUTTON", BS_AUTORADIOBUTTON, {6, 51, 11, 10}, L"Headphones");
    ExpectControl(d, IDC_FX_MONO, L"BUTTON", BS_AUTORADIOBUTTON, {6, 61, 11, 10}, L"Mono");
    ExpectControl(d, IDC_FX_QUAD, L"BUTTON", BS_AUTORADIOBUTTON, {6, 71, 11, 10}, L"Quad");
    ExpectControl(d, IDC_SPLASH_LOGO, L"BUTTON", BS_AUTOCHECKBOX | T, {225, 100, 46, 10},
                  L"Show splash logo when A3D detected");
    ExpectControl(d, IDC_EFFECTS_ICON, L"STATIC", SS_ICON | V, {251, 155, 20, 20}, L"#128");
    ExpectLabel(d, L"Default Environment", L"STATIC", SS_LEFT, {34, 68, 65, 8});
    ExpectLabel(d, L"Spread", L"STATIC", SS_LEFT, {34, 127, 24, 8});
    ExpectLabel(d, L"Center", L"STATIC", SS_LEFT, {34, 146, 22, 8});
    ExpectLabel(d, L"Low", L"STATIC", SS_RIGHT, {53, 23, 19, 8});
    ExpectLabel(d, L"High", L"STATIC", SS_LEFT, {214, 23, 19, 8});
    ExpectLabel(d, L"CPU Usage", L"BUTTON", BS_GROUPBOX, {20, 7, 250, 32});
}

struct Column {
    int label, volume, balance, box;
    const wchar_t* name;
};

void ExpectColumn(const Dialog& d, const Column& c, int x, int labelWidth, int balanceX, int balanceY,
                  int volumeX, int volumeY, int volumeHeight, int boxY, int boxWidth, const wchar_t* boxText,
                  int labelY, int balanceLabelY) {
    const DWORD V = WS_VISIBLE, T = WS_TABSTOP;
    ExpectControl(d, c.label, L"STATIC", SS_CENTER | V, {x, labelY, labelWidth, 23}, c.name);
    ExpectControl(d, c.balance, L"MSCTLS_TRACKBAR32", TBS_HORZ | V | T, {balanceX, balanceY, 33, 17}, L"");
    ExpectControl(d, c.volume, L"MSCTLS_TRACKBAR32", TBS_VERT | TBS_AUTOTICKS | TBS_BOTH | V | T,
                  {volumeX, volumeY, 27, volumeHeight}, L"");
    ExpectControl(d, c.box, L"BUTTON", BS_AUTOCHECKBOX | V | T, {x, boxY, boxWidth, 10}, boxText);
    // The "Balance" static sits over its own column.
    bool found = false;
    for (const Control* b : d.WithText(L"Balance"))
        found |= b->rect.left == x && b->rect.top == balanceLabelY && b->rect.right == labelWidth && b->id == 0xFFFF;
    EXPECT_TRUE(found) << "\"Balance\" over column " << Utf8(c.name);
}

// The bitmap statics that show one rule, as (x, y, width, height).
std::vector<std::vector<int>> Rules(const Dialog& d, int bitmap) {
    std::vector<std::vector<int>> rects;
    for (const Control* c : d.WithText(L"#" + std::to_wstring(bitmap))) {
        EXPECT_EQ(c->style, DWORD(WS_CHILD | WS_VISIBLE | SS_BITMAP));
        rects.push_back({int(c->rect.left), int(c->rect.top), int(c->rect.right), int(c->rect.bottom)});
    }
    return rects;
}

TEST_F(ResourceEnglish, PlaybackMixerPage) {
    Dialog d = LoadDialog(IDD_PLAYBACK_MIXER_PAGE, kEnglish);
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.width, 289);
    EXPECT_EQ(d.height, 187);
    const Column columns[] = {
        {IDC_PLAY_MASTER_LABEL, IDC_PLAY_MASTER_VOLUME, IDC_PLAY_MASTER_BALANCE, IDC_PLAY_MASTER_MUTE, L"Volume"},
        {IDC_PLAY_WAVE_LABEL, IDC_PLAY_WAVE_VOLUME, IDC_PLAY_WAVE_BALANCE, IDC_PLAY_WAVE_MUTE, L"Wave"},
        {IDC_PLAY_SYNTH_LABEL, IDC_PLAY_SYNTH_VOLUME, IDC_PLAY_SYNTH_BALANCE, IDC_PLAY_SYNTH_MUTE, L"FM-Syn"},
        {IDC_PLAY_CD_LABEL, IDC_PLAY_CD_VOLUME, IDC_PLAY_CD_BALANCE, IDC_PLAY_CD_MUTE, L"CD"},
        {IDC_PLAY_MIC_LABEL, IDC_PLAY_MIC_VOLUME, IDC_PLAY_MIC_BALANCE, IDC_PLAY_MIC_MUTE, L"MIC"},
        {IDC_PLAY_LINE_LABEL, IDC_PLAY_LINE_VOLUME, IDC_PLAY_LINE_BALANCE, IDC_PLAY_LINE_MUTE, L"Line-In"},
    };
    for (int k = 0; k < 6; ++k) {
        int x = 10 + 47 * k;
        ExpectColumn(d, columns[k], x, 36, k == 5 ? 246 : 12 + 47 * k, k == 5 ? 50 : 51, 15 + 47 * k, 85, 78, 169,
                     k == 0 ? 41 : 32, k == 0 ? L"&Mute All" : L"&Mute", 10, 38);
    }
    EXPECT_EQ(d.WithText(L"Balance").size(), 6u);
    using R = std::vector<std::vector<int>>;
    EXPECT_EQ(Rules(d, IDB_RULE_TOP), (R{{7, 7, 273, 1}}));
    EXPECT_EQ(Rules(d, IDB_RULE_FIRST_COLUMN), (R{{51, 8, 1, 176}}));
    EXPECT_EQ(Rules(d, IDB_RULE_COLUMN), (R{{98, 9, 1, 175}, {145, 9, 1, 175}, {192, 9, 1, 175}, {238, 9, 1, 175}}));
    EXPECT_EQ(Rules(d, IDB_RULE_BALANCE), (R{{8, 78, 40, 1}, {55, 78, 40, 1}, {102, 78, 40, 1}, {149, 78, 40, 1},
                                              {196, 78, 40, 1}, {242, 78, 40, 1}}));
}

TEST_F(ResourceEnglish, RecordMixerPage) {
    Dialog d = LoadDialog(IDD_RECORD_MIXER_PAGE, kEnglish);
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.width, 288);
    EXPECT_EQ(d.height, 185);
    const Column columns[] = {
        {IDC_REC_MIX_LABEL, IDC_REC_MIX_VOLUME, IDC_REC_MIX_BALANCE, IDC_REC_MIX_SELECT, L"Mix"},
        {IDC_REC_MIC_LABEL, IDC_REC_MIC_VOLUME, IDC_REC_MIC_BALANCE, IDC_REC_MIC_SELECT, L"Mic"},
        {IDC_REC_CD_LABEL, IDC_REC_CD_VOLUME, IDC_REC_CD_BALANCE, IDC_REC_CD_SELECT, L"CD"},
        {IDC_REC_LINE_LABEL, IDC_REC_LINE_VOLUME, IDC_REC_LINE_BALANCE, IDC_REC_LINE_SELECT, L"LineIn"},
    };
    const int labelX[] = {22, 91, 158, 227}, balanceX[] = {25, 92, 159, 229}, volumeX[] = {28, 96, 163, 232};
    for (int k = 0; k < 4; ++k)
        ExpectColumn(d, columns[k], labelX[k], 39, balanceX[k], 52, volumeX[k], 82, 86, 171, 36, L"&Select", 11, 39);
    using R = std::vector<std::vector<int>>;
    EXPECT_EQ(Rules(d, IDB_RULE_TOP), (R{{7, 6, 274, 1}}));
    EXPECT_EQ(Rules(d, IDB_RULE_COLUMN), (R{{76, 9, 1, 175}, {142, 9, 1, 175}, {209, 9, 1, 175}}));
    EXPECT_EQ(Rules(d, IDB_RULE_BALANCE), (R{{21, 79, 40, 1}, {89, 79, 40, 1}, {156, 79, 40, 1}, {225, 79, 40, 1}}));
    EXPECT_TRUE(Rules(d, IDB_RULE_FIRST_COLUMN).empty());
}

// ---- Strings and the tray menu

using ResourceStrings = ResourceTest;

TEST_F(ResourceStrings, EnglishTableHasTitlesMessagesAndFiftyTwoEnvironments) {
    std::vector<int> ids = EnglishStringIds();
    std::vector<int> expected = {IDS_REMOVED, IDS_CONTROL_PANEL_TITLE, IDS_REMOVE_SYNTH_FIRST, IDS_CONFIRM_UNINSTALL,
                                 IDS_GENERAL_TITLE, IDS_EFFECTS_TITLE, IDS_PLAYBACK_MIXER_TITLE,
                                 IDS_RECORD_MIXER_TITLE, IDS_NO_DIRECTX};
    for (int id = IDS_FIRST_ENVIRONMENT; id <= IDS_LAST_ENVIRONMENT; ++id) expected.push_back(id);
    EXPECT_EQ(ids, expected);
}

TEST_F(ResourceStrings, EveryLanguageHasEveryEnglishStringAndNoOther) {
    std::vector<int> english = EnglishStringIds();
    ASSERT_FALSE(english.empty());
    for (LANGID lang : kLanguages) {
        for (int id : english) EXPECT_FALSE(LoadText(id, lang).empty()) << "string " << id << " in " << LangName(lang);
        for (int block : kStringBlocks) {
            auto strings = ParseStringBlock(Raw(RT_STRING, block, lang));
            ASSERT_EQ(strings.size(), 16u) << "block " << block << " in " << LangName(lang);
            for (int i = 0; i < 16; ++i) {
                int id = (block - 1) * 16 + i;
                bool inEnglish = std::find(english.begin(), english.end(), id) != english.end();
                if (!inEnglish) {
                    EXPECT_TRUE(strings[i].empty()) << "stray string " << id << " in " << LangName(lang);
                }
            }
        }
    }
}

TEST_F(ResourceStrings, EnglishTexts) {
    const std::pair<int, const char*> texts[] = {
        {IDS_REMOVED, "ZV930 PCI audio/game devices and drivers are removed successfully!"},
        {IDS_CONTROL_PANEL_TITLE, "Zolvane Control Panel"},
        {IDS_REMOVE_SYNTH_FIRST,
         "You must remove YAMAHA Soft Synthesizer S-YXG50 software before you uninstall the PCI audio driver."},
        {IDS_CONFIRM_UNINSTALL, "Do you really want to uninstall ZV930 PCI audio/game\ndevices and drivers?"},
        {IDS_GENERAL_TITLE, "General"},
        {IDS_EFFECTS_TITLE, "Effects"},
        {IDS_PLAYBACK_MIXER_TITLE, "Playback Mixer"},
        {IDS_RECORD_MIXER_TITLE, "Record Mixer"},
        {IDS_NO_DIRECTX, "No DirectX (5 or above) was installed."},
        {IDS_ENV_NONE, "- none -"},
        {IDS_ENV_GENERIC, "Generic"},
        {IDS_ENV_CARPETED_HALLWAY, "Carpeted Hallway"},
        {IDS_ENV_PSYCHOTIC, "Psychotic"},
        {IDS_QSOUND_PRESET_0, "QSound 0 (Jedi Knight)"},
        {IDS_QSOUND_PRESET_13, "QSound 13 (Might & Magic VI)"},
        {IDS_QSOUND_PRESET_24, "QSound 24 (X-Wing/Tie Fighter)"},
    };
    for (const auto& t : texts) EXPECT_EQ(Utf8(LoadText(t.first, kEnglish)), t.second) << "string " << t.first;
}

TEST_F(ResourceStrings, NamesStayUntranslated) {
    for (LANGID lang : kLanguages) {
        EXPECT_EQ(Utf8(LoadText(IDS_CONTROL_PANEL_TITLE, lang)), "Zolvane Control Panel") << LangName(lang);
        EXPECT_EQ(Utf8(LoadDialog(IDD_CONTROL_PANEL, lang).caption), "Zolvane Control Panel") << LangName(lang);
        for (int id = IDS_QSOUND_PRESET_0; id <= IDS_QSOUND_PRESET_24; ++id)
            EXPECT_EQ(LoadText(id, lang), LoadText(id, kEnglish)) << "string " << id << " in " << LangName(lang);
        // The messages keep the product names they speak of.
        for (int id : {IDS_REMOVED, IDS_CONFIRM_UNINSTALL})
            EXPECT_NE(LoadText(id, lang).find(L"ZV930"), std::wstring::npos) << id << " in " << LangName(lang);
        EXPECT_NE(LoadText(IDS_REMOVE_SYNTH_FIRST, lang).find(L"S-YXG50"), std::wstring::npos) << LangName(lang);
        EXPECT_NE(LoadText(IDS_NO_DIRECTX, lang).find(L"DirectX"), std::wstring::npos) << LangName(lang);
    }
}

TEST_F(ResourceStrings, OtherLanguagesTranslateTheEnvironmentsAndTitles) {
    for (LANGID lang : kLanguages) {
        if (lang == kEnglish) continue;
        int same = 0;
        for (int id = IDS_ENV_NONE; id <= IDS_ENV_PSYCHOTIC; ++id) same += LoadText(id, lang) == LoadText(id, kEnglish);
        // A few names are the same word in some languages ("Auditorium", "Arena", "Hangar").
        EXPECT_LE(same, 4) << LangName(lang);
        EXPECT_NE(LoadText(IDS_ENV_NONE, lang), LoadText(IDS_ENV_NONE, kEnglish)) << LangName(lang);
        EXPECT_NE(LoadText(IDS_PLAYBACK_MIXER_TITLE, lang), LoadText(IDS_PLAYBACK_MIXER_TITLE, kEnglish))
            << LangName(lang);
        EXPECT_NE(LoadText(IDS_REMOVE_SYNTH_FIRST, lang), LoadText(IDS_REMOVE_SYNTH_FIRST, kEnglish))
            << LangName(lang);
    }
}

TEST_F(ResourceStrings, TrayMenuOpensAndExitsInEveryLanguage) {
    for (LANGID lang : kLanguages) {
        std::vector<MenuItem> items = ParseMenu(Raw(RT_MENU, IDM_TRAY, lang));
        ASSERT_EQ(items.size(), 3u) << LangName(lang);
        EXPECT_TRUE(items[0].flags & MF_POPUP) << LangName(lang);
        EXPECT_EQ(items[1].id, IDM_OPEN) << LangName(lang);
        EXPECT_EQ(items[2].id, IDM_EXIT) << LangName(lang);
        EXPECT_NE(items[1].text.find(L'&'), std::wstring::npos) << LangName(lang);
        EXPECT_NE(items[2].text.find(L'&'), std::wstring::npos) << LangName(lang);
        if (lang == kEnglish) {
            EXPECT_EQ(Utf8(items[1].text), "&Open");
            EXPECT_EQ(Utf8(items[2].text), "&Exit");
        } else {
            EXPECT_NE(Utf8(items[1].text), "&Open") << LangName(lang);
            EXPECT_NE(Utf8(items[2].text), "&Exit") << LangName(lang);
        }
    }
}

// ---- Artwork

using ResourceArtwork = ResourceTest;

TEST_F(ResourceArtwork, SpeakerPicturesAndIndicatorHaveTheirSizes) {
    const struct { int id, width, height; } pictures[] = {
        {IDB_SPEAKER_FRONT_LEFT, 54, 54}, {IDB_SPEAKER_FRONT_RIGHT, 54, 54}, {IDB_SPEAKER_REAR_LEFT, 54, 54},
        {IDB_SPEAKER_REAR_RIGHT, 54, 54}, {IDB_SPEAKER_CENTER, 72, 32},      {IDB_SPEAKER_SUBWOOFER, 51, 48},
        {IDB_SPEAKER_PLAYING, 29, 30},
    };
    for (const auto& p : pictures) {
        std::vector<uint8_t> raw = Raw(RT_BITMAP, p.id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER)) << p.id;
        BITMAPINFOHEADER header;
        memcpy(&header, raw.data(), sizeof header);
        EXPECT_EQ(header.biWidth, p.width) << p.id;
        EXPECT_EQ(std::abs(header.biHeight), p.height) << p.id;
        EXPECT_LE(header.biBitCount, 8) << p.id;
    }
}

TEST_F(ResourceArtwork, RulesRunTheirWay) {
    const struct { int id; bool horizontal; } rules[] = {
        {IDB_RULE_TOP, true}, {IDB_RULE_COLUMN, false}, {IDB_RULE_FIRST_COLUMN, false}, {IDB_RULE_BALANCE, true}};
    for (const auto& r : rules) {
        std::vector<uint8_t> raw = Raw(RT_BITMAP, r.id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER)) << r.id;
        BITMAPINFOHEADER header;
        memcpy(&header, raw.data(), sizeof header);
        LONG height = std::abs(header.biHeight);
        EXPECT_EQ(header.biWidth > height, r.horizontal) << r.id;
        EXPECT_LE(std::min<LONG>(header.biWidth, height), 2) << r.id;
    }
}

TEST_F(ResourceArtwork, SpeakerCursorIsMonochromeWithItsHotSpotAtTheTopLeft) {
    std::vector<uint8_t> group = Raw(RT_GROUP_CURSOR, IDCUR_SPEAKER, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    Reader r(group);
    r.Word();
    EXPECT_EQ(r.Word(), 2);  // cursor directory
    ASSERT_EQ(r.Word(), 1);  // one image
    uint16_t width = r.Word(), height = r.Word(), planes = r.Word(), bits = r.Word();
    r.Dword();
    uint16_t image = r.Word();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 64);  // image and mask
    EXPECT_EQ(planes, 1);
    EXPECT_EQ(bits, 1);
    std::vector<uint8_t> cursor = Raw(RT_CURSOR, image, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_GE(cursor.size(), 4u);
    Reader hot(cursor);
    EXPECT_EQ(hot.Word(), 0);
    EXPECT_EQ(hot.Word(), 0);
}

TEST_F(ResourceArtwork, IconsLoad) {
    for (int id : {IDI_ZVCTRL, IDI_EFFECTS}) {
        std::vector<uint8_t> group = Raw(RT_GROUP_ICON, id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        ASSERT_GE(group.size(), 6u) << id;
        Reader r(group);
        r.Word();
        EXPECT_EQ(r.Word(), 1) << id;
        EXPECT_GE(r.Word(), 2) << id;  // small and large
    }
}

}  // namespace
}  // namespace zvtest
