// Works zvctrl_sim.exe under Wine for a long time, as a user would, and reports what it saw: the driver
// of tools/soak. Nothing here is part of the shipped program.
//   zvsoak cycles DIR COUNT          opens the dialog, tours its pages and cancels, COUNT times
//   zvsoak sounds DIR COUNT          plays COUNT test sounds through the system's MCI wave device
//   zvsoak random DIR SECONDS SEED   seeded random clicks and keys over the dialog for SECONDS
// DIR is the folder the program runs from, with its recordings and the simulated card's libraries. Each
// run installs the card afresh and prints "result NAME VALUE" lines for the table and "note ..." lines
// for what went wrong.
//
// Memory is Linux's Private_Dirty of the Wine process, as tools/bench reads it. The random input never
// touches "&Uninstall": no click within reach of the button, no "u", and Space and Enter only ever go to
// a control chosen beforehand, never to the focus, which may be that button. Help requests (F1, the
// caption's "?", right clicks) are left out too: they start the system's help viewer, not the program.
#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/tray_window.h"
#include "harness.h"
#include "linux_view.h"
#include "install/card_fixture.h"
#include "res/resource.h"

namespace {

using namespace zvtest;

constexpr char kProgram[] = "zvctrl_sim.exe";
constexpr char kTestSound[] = "zvspker.wav";
constexpr DWORD kStepTimeoutMs = 10000;
constexpr DWORD kAnswerTimeoutMs = 5000;
constexpr DWORD kSettleMs = 500;      // before memory is read
constexpr DWORD kCyclePauseMs = 50;   // between the steps of a dialog cycle
constexpr int kSpeakersOfRun = 6;     // "&Test All" in "6 Speakers"
// One sound: its build, 0.1 s of playing and the second's pause after it, with room for a loaded machine.
constexpr DWORD kSoundTimeoutMs = 8000;

void Result(const char* name, double value) {
    std::printf("result %s %.6g\n", name, value);
    std::fflush(stdout);
}

void Note(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::printf("note %s\n", text);
    std::fflush(stdout);
}

// ---- The program's windows

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> DialogsOf(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasTabs(HWND window) { return FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr; }

HWND PanelOf(DWORD pid) {
    for (HWND window : DialogsOf(pid))
        if (HasTabs(window)) return window;
    return nullptr;
}

// The program's message boxes: its other top-level dialogs.
std::vector<HWND> BoxesOf(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND window : DialogsOf(pid))
        if (!HasTabs(window)) boxes.push_back(window);
    return boxes;
}

HWND CurrentPage(HWND panel) {
    HWND page = FindWindowExA(panel, nullptr, "#32770", nullptr);
    return page && IsWindowVisible(page) ? page : nullptr;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The text of a message box, on one line.
std::string BoxText(HWND box) {
    std::string text = TextOf(GetDlgItem(box, 0xFFFF));
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// A click as the control's own window receives it, at the middle of its client area.
void PostClick(HWND control) {
    RECT r = {};
    GetClientRect(control, &r);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// Answers a message box with the button a careful user picks: "No" where it asks, otherwise OK or Cancel.
void Answer(HWND box) {
    for (int id : {IDNO, IDOK, IDCANCEL}) {
        if (HWND button = GetDlgItem(box, id)) {
            PostMessageA(button, BM_CLICK, 0, 0);
            return;
        }
    }
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// ---- The resident program

class Resident {
public:
    explicit Resident(const std::string& dir) : dir_(dir) {}

    // Starts the program plainly and waits for its start-up wait to end (the card's driver is ready at once).
    bool Start() {
        program_ = std::make_unique<Program>();
        if (!program_->Start("", dir_, Exe())) return false;
        if (!WaitFor([&] { return FindTrayWindow() != nullptr; }, kStepTimeoutMs)) return false;
        Sleep(1500);  // the first tick of the start-up wait, and the device discovery after it
        linuxPid_ = LinuxPidOf(Exe());
        return Settle();
    }
    std::string Exe() const { return dir_ + "\\" + kProgram; }
    DWORD Pid() const { return program_->Pid(); }
    bool Alive() { return program_->WaitExit(0) == STILL_ACTIVE; }
    HWND Tray() const { return FindTrayWindow(); }
    double MemoryKiB() {
        Sleep(kSettleMs);
        return PrivateDirtyKiB(linuxPid_);
    }
    // Waits until the program has taken what was posted to it; false when it does not answer.
    bool Settle() {
        for (int i = 0; i < 2; ++i) {
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(Tray(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result)) return false;
            Sleep(10);
        }
        return true;
    }
    // Opens the dialog with the tray menu's "&Open" and waits for its first page.
    HWND Open() {
        PostMessageA(Tray(), WM_COMMAND, IDM_OPEN, 0);
        HWND panel = nullptr;
        WaitFor([&] { return (panel = PanelOf(Pid())) != nullptr && CurrentPage(panel); }, kStepTimeoutMs);
        return panel;
    }
    bool End() {
        PostMessageA(Tray(), WM_USER, zv::kCloseRequest, 0);
        return program_->WaitExit(kStepTimeoutMs) == 0;
    }

private:
    std::string dir_;
    std::unique_ptr<Program> program_;
    unsigned long linuxPid_ = 0;
};

// ---- Dialog cycles

bool Cycle(Resident& program) {
    HWND panel = program.Open();
    if (!panel) return false;
    HWND tabs = GetDlgItem(panel, IDC_TABS);
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 1; i < count; ++i) {
        Sleep(kCyclePauseMs);
        HWND before = CurrentPage(panel);
        PostMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
        PostMessageA(tabs, WM_KEYUP, VK_RIGHT, 0);
        if (!WaitFor([&] {
                HWND page = CurrentPage(panel);
                return page && page != before && SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == i;
            }, kStepTimeoutMs))
            return false;
    }
    Sleep(kCyclePauseMs);
    PostClick(GetDlgItem(panel, IDCANCEL));
    return WaitFor([&] { return !IsWindow(panel); }, kStepTimeoutMs);
}

int RunCycles(const std::string& dir, int count) {
    FreshCard();
    CallLog log;
    Resident program(dir);
    if (!program.Start()) {
        Note("the program did not start");
        return 1;
    }
    int done = 0;
    double after10 = -1;
    for (int cycle = 1; cycle <= count; ++cycle) {
        if (!Cycle(program)) {
            Note("cycle %d did not complete", cycle);
            break;
        }
        done = cycle;
        if (cycle == 10) after10 = program.MemoryKiB();
        if (cycle % 100 == 0) std::fprintf(stderr, "zvsoak: %d cycles, %.0f KiB\n", cycle, program.MemoryKiB());
    }
    HWND panel = PanelOf(program.Pid());
    int pages = 0;
    if (!panel && program.Open()) {
        panel = PanelOf(program.Pid());
        pages = static_cast<int>(SendMessageA(GetDlgItem(panel, IDC_TABS), TCM_GETITEMCOUNT, 0, 0));
        PostClick(GetDlgItem(panel, IDCANCEL));
        WaitFor([&] { return !IsWindow(panel); }, kStepTimeoutMs);
    }
    double atEnd = program.MemoryKiB();
    Result("cycles", done);
    Result("pages", pages);
    Result("memory_after_10_kib", after10);
    Result("memory_end_kib", atEnd);
    Result("alive", program.Alive() && program.Settle());
    program.End();
    return 0;
}

// ---- Test sounds

void SetSpeakers(BYTE arrangement) {
    SetRegistryValue(HKEY_LOCAL_MACHINE, zvsim::kConfigKey, "Speakers", REG_BINARY, &arrangement, 1);
}

// The picture frames of the General page in their table order.
constexpr int kSpeakerFrames[kSpeakersOfRun] = {IDC_SPEAKER_FRONT_LEFT, IDC_SPEAKER_FRONT_RIGHT,
                                                IDC_SPEAKER_REAR_LEFT,  IDC_SPEAKER_REAR_RIGHT,
                                                IDC_SPEAKER_CENTER,     IDC_SPEAKER_SUBWOOFER};

// A click on a speaker's picture: the page looks where the cursor is when the button comes up.
void ClickSpeaker(HWND page, int index) {
    RECT r = {};
    GetWindowRect(GetDlgItem(page, kSpeakerFrames[index]), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(page, WM_LBUTTONUP, 0, 0);
}

struct SoundCounts {
    int requested = 0;
    int played = 0;
    int errorBoxes = 0;
    int crashes = 0;
};

// Watches one run of `sounds` sounds: each builds the test sound beside the program and deletes it once
// the device reports its end, a second before the next. A box or a dead program ends the watch.
int WatchRun(Resident& program, const std::string& sound, int sounds, SoundCounts& counts) {
    int ended = 0;
    bool present = false;
    DWORD since = GetTickCount();
    while (ended < sounds && GetTickCount() - since < kSoundTimeoutMs * kLoadSlack) {
        bool now = FileExists(sound);
        if (present && !now) {
            ++ended;
            since = GetTickCount();
        }
        present = now;
        std::vector<HWND> boxes = BoxesOf(program.Pid());
        if (!boxes.empty()) {
            ++counts.errorBoxes;
            Note("sound %d: error box \"%s\"", counts.requested - sounds + ended + 1, BoxText(boxes[0]).c_str());
            for (HWND box : boxes) Answer(box);
            break;
        }
        if (!program.Alive()) break;
        Sleep(2);
    }
    return ended;
}

int RunSounds(const std::string& dir, int count) {
    FreshCard();  // the system's MCI wave device: the simulator's player is not asked for
    SetSpeakers(kSpeakersOfRun);
    CallLog log;
    Resident program(dir);
    const std::string sound = dir + "\\" + kTestSound;
    SoundCounts counts;
    HWND panel = nullptr;
    while (counts.requested < count) {
        if (!panel || !IsWindow(panel)) {
            if (!program.Start() || !(panel = program.Open())) {
                Note("the program did not start with its dialog");
                break;
            }
        }
        HWND page = CurrentPage(panel);
        // Whole runs of "&Test All", and the rest as clicks on single speakers.
        int sounds = count - counts.requested >= kSpeakersOfRun ? kSpeakersOfRun : 1;
        if (sounds == kSpeakersOfRun) PostClick(GetDlgItem(page, IDC_TEST_ALL));
        else ClickSpeaker(page, counts.requested % kSpeakersOfRun);
        counts.requested += sounds;
        int ended = WatchRun(program, sound, sounds, counts);
        counts.played += ended;
        if (ended < sounds) Note("a run of %d sounds ended after %d", sounds, ended);
        if (!program.Alive()) {
            ++counts.crashes;
            Note("the program ended during sound %d", counts.requested - sounds + ended + 1);
            panel = nullptr;
            continue;
        }
        if (!program.Settle()) Note("the program does not answer after sound %d", counts.requested);
    }
    Result("sounds_requested", counts.requested);
    Result("sounds_played", counts.played);
    Result("error_boxes", counts.errorBoxes);
    Result("crashes", counts.crashes);
    Result("alive", program.Alive() && program.Settle());
    program.End();
    return 0;
}

// ---- Random input

class RandomUser {
public:
    RandomUser(Resident& program, unsigned seed) : program_(program), random_(seed) {}

    int actions = 0;
    int boxesAnswered = 0;
    int uninstallQuestions = 0;
    int opened = 0;

    // One step: answers a box, reopens the dialog or does one thing over it.
    void Step() {
        std::vector<HWND> boxes = BoxesOf(program_.Pid());
        if (!boxes.empty()) {
            Sleep(Between(0, 300));  // a user reads it first
            for (HWND box : boxes) {
                if (GetDlgItem(box, IDYES)) ++uninstallQuestions;
                if (boxesAnswered < 20) Note("box answered: \"%s\"", BoxText(box).c_str());
                ++boxesAnswered;
                Answer(box);
            }
            return;
        }
        HWND panel = PanelOf(program_.Pid());
        if (!panel) {
            Reopen();
            return;
        }
        HWND page = CurrentPage(panel);
        ++actions;
        // Mostly clicks and keys; now and then the close box or a double click on the tray icon.
        int choice = Between(0, 199);
        if (choice < 60) ClickControl(panel, page);
        else if (choice < 104) ClickPoint(panel, page);
        else if (choice < 124) Drag(panel, page);
        else if (choice < 188) Key(panel, page);
        else if (choice < 196) SwitchTab(panel);
        else if (choice < 198) PostMessageA(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
        else PostMessageA(program_.Tray(), zv::kTrayCallbackMessage, zv::kTrayIconId, WM_LBUTTONDBLCLK);
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    void Reopen() {
        ++actions;
        ++opened;
        if (Between(0, 1)) PostMessageA(program_.Tray(), WM_COMMAND, IDM_OPEN, 0);
        else PostMessageA(program_.Tray(), zv::kTrayCallbackMessage, zv::kTrayIconId, WM_LBUTTONDBLCLK);
        WaitFor([&] { return PanelOf(program_.Pid()) || !BoxesOf(program_.Pid()).empty(); }, kStepTimeoutMs);
    }

    // Everything the user can reach: the dialog's buttons and tab strip and the page's controls.
    std::vector<HWND> Controls(HWND panel, HWND page) {
        std::vector<HWND> controls;
        for (HWND parent : {panel, page}) {
            if (!parent) continue;
            for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                if (child == page || !IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
                if (IsUninstall(child)) continue;
                controls.push_back(child);
            }
        }
        return controls;
    }

    static bool IsUninstall(HWND window) { return GetDlgCtrlID(window) == IDC_UNINSTALL; }

    // The Uninstall button's screen rectangle widened by a margin, or an empty one.
    static RECT UninstallArea(HWND page) {
        RECT r = {};
        HWND button = page ? GetDlgItem(page, IDC_UNINSTALL) : nullptr;
        if (button && IsWindowVisible(button)) {
            GetWindowRect(button, &r);
            InflateRect(&r, 6, 6);
        }
        return r;
    }

    POINT PointIn(const RECT& r) {
        return {Between(r.left, r.right > r.left ? r.right - 1 : r.left),
                Between(r.top, r.bottom > r.top ? r.bottom - 1 : r.top)};
    }

    // A press and release of the left button at a screen point, as the system delivers it.
    void MouseAt(POINT at, bool down, bool up) {
        SetCursorPos(at.x, at.y);
        INPUT input[2] = {};
        int n = 0;
        if (down) {
            input[n].type = INPUT_MOUSE;
            input[n++].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        }
        if (up) {
            input[n].type = INPUT_MOUSE;
            input[n++].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        }
        SendInput(n, input, sizeof(INPUT));
    }

    bool Safe(POINT at, HWND page) {
        RECT forbidden = UninstallArea(page);
        return !PtInRect(&forbidden, at);
    }

    void ClickControl(HWND panel, HWND page) {
        std::vector<HWND> controls = Controls(panel, page);
        if (controls.empty()) return;
        HWND control = controls[Between(0, static_cast<int>(controls.size()) - 1)];
        RECT r = {};
        GetWindowRect(control, &r);
        if (GetDlgCtrlID(control) == IDC_TABS) r.bottom = r.top + 18;  // the row of tabs
        POINT at = PointIn(r);
        if (Safe(at, page)) MouseAt(at, true, true);
    }

    void ClickPoint(HWND panel, HWND page) {
        RECT r = {};
        GetClientRect(panel, &r);
        MapWindowPoints(panel, nullptr, reinterpret_cast<POINT*>(&r), 2);
        POINT at = PointIn(r);
        if (Safe(at, page)) MouseAt(at, true, true);
    }

    // A drag along a track bar of the page.
    void Drag(HWND panel, HWND page) {
        std::vector<HWND> bars;
        for (HWND control : Controls(panel, page)) {
            char cls[64] = {};
            GetClassNameA(control, cls, sizeof cls);
            if (std::strcmp(cls, TRACKBAR_CLASSA) == 0) bars.push_back(control);
        }
        if (bars.empty()) return;
        RECT r = {};
        GetWindowRect(bars[Between(0, static_cast<int>(bars.size()) - 1)], &r);
        MouseAt(PointIn(r), true, false);
        program_.Settle();
        for (int i = Between(1, 4); i > 0; --i) {
            POINT at = PointIn(r);
            SetCursorPos(at.x, at.y);
            INPUT move = {};
            move.type = INPUT_MOUSE;
            move.mi.dwFlags = MOUSEEVENTF_MOVE;
            SendInput(1, &move, sizeof move);
            Sleep(Between(5, 40));
        }
        MouseAt(PointIn(r), false, true);
    }

    void Key(HWND panel, HWND page) {
        // Keys for the focus: moves, Esc and letters, "u" (Uninstall's mnemonic) left out.
        static const WORD kFocusKeys[] = {VK_TAB, VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
                                          VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
        static const char kLetters[] = "abcdefghijklmnopqrstvwxyz0123456789";
        int kind = Between(0, 99);
        if (kind < 30) {
            // Space and Enter to a control chosen here: a button takes Space itself, and Enter is the
            // dialog's, so neither reaches a focused Uninstall button.
            std::vector<HWND> controls = Controls(panel, page);
            if (controls.empty()) return;
            HWND control = controls[Between(0, static_cast<int>(controls.size()) - 1)];
            WPARAM key = Between(0, 5) ? VK_SPACE : VK_RETURN;
            PostMessageA(control, WM_KEYDOWN, key, 1);
            PostMessageA(control, WM_KEYUP, key, 0xC0000001);
            return;
        }
        WORD key;
        bool shift = false;
        if (kind < 31) {
            key = VK_ESCAPE;
        } else if (kind < 70) {
            key = kFocusKeys[Between(0, static_cast<int>(sizeof kFocusKeys / sizeof kFocusKeys[0]) - 1)];
            shift = key == VK_TAB && Between(0, 2) == 0;
        } else {
            key = static_cast<WORD>(std::toupper(kLetters[Between(0, static_cast<int>(sizeof kLetters) - 2)]));
        }
        INPUT input[4] = {};
        int n = 0;
        auto add = [&](WORD vk, bool up) {
            input[n].type = INPUT_KEYBOARD;
            input[n].ki.wVk = vk;
            input[n++].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        };
        if (shift) add(VK_SHIFT, false);
        add(key, false);
        add(key, true);
        if (shift) add(VK_SHIFT, true);
        SendInput(n, input, sizeof(INPUT));
    }

    void SwitchTab(HWND panel) {
        HWND tabs = GetDlgItem(panel, IDC_TABS);
        WPARAM key = Between(0, 1) ? VK_RIGHT : VK_LEFT;
        PostMessageA(tabs, WM_KEYDOWN, key, 1);
        PostMessageA(tabs, WM_KEYUP, key, 0xC0000001);
    }

    Resident& program_;
    std::mt19937 random_;
};

int RunRandom(const std::string& dir, int seconds, unsigned seed) {
    FreshCard();  // the system's MCI wave device, so that the speaker clicks sound
    CallLog log;
    Resident program(dir);
    if (!program.Start()) {
        Note("the program did not start");
        return 1;
    }
    RandomUser user(program, seed);
    std::mt19937 pace(seed + 1);
    int crashes = 0, silences = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        if (!program.Alive()) {
            ++crashes;
            Note("the program ended after %d actions; started again", user.actions);
            if (!program.Start()) break;
        }
        user.Step();
        if (!program.Settle()) {
            ++silences;
            Note("the program did not answer for %lu ms after %d actions", kAnswerTimeoutMs, user.actions);
        }
        Sleep(std::uniform_int_distribution<DWORD>(0, 120)(pace));
    }
    bool alive = program.Alive() && program.Settle();
    Result("seconds", (GetTickCount() - start) / 1000.0);
    Result("actions", user.actions);
    Result("openings", user.opened);
    Result("boxes_answered", user.boxesAnswered);
    Result("uninstall_questions", user.uninstallQuestions);
    Result("removal_started", log.Contains("DLL32Call 0 ->"));
    Result("silences", silences);
    Result("crashes", crashes);
    Result("alive", alive);
    program.End();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string phase = argc > 1 ? argv[1] : "";
    if (argc < 4 || (phase == "random" && argc < 5)) {
        std::fprintf(stderr, "usage: zvsoak cycles DIR COUNT | sounds DIR COUNT | random DIR SECONDS SEED\n");
        return 2;
    }
    // A crash ends the program with its backtrace on Wine's output instead of waiting on a dialog.
    DWORD off = 0;
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", "ShowCrashDialog", REG_DWORD, &off, sizeof off);
    // Without a window manager on the private display, Wine waits a second for every closed window that
    // a manager would have handled; windows left to Wine itself close at once.
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
    std::string dir = argv[2];
    int count = std::atoi(argv[3]);
    if (count < 1) return 2;
    if (phase == "cycles") return RunCycles(dir, count);
    if (phase == "sounds") return RunSounds(dir, count);
    if (phase == "random") return RunRandom(dir, count, static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
    return 2;
}
