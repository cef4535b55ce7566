// Measures zvctrl.exe from outside, as the user's session sees it under Wine: start-up to the tray icon, the
// dialog's opening and tab switches, private memory and idle wake-ups, beside a minimal window program and
// a reference program that does the same system work as zvctrl.exe and nothing of its own.
// zvbench RUNS IDLE_RUNS IDLE_SECONDS prints one "sample NAME VALUE" line per measurement; tools/bench turns
// them into medians and spreads. Nothing here is part of the shipped program.
//
// Memory and wake-ups come from Linux's view of the Wine process (read through Wine's Z: drive): a Windows
// figure such as PrivateUsage would be Wine's emulation of it, while Linux knows what the process costs.
// Memory is the process's private dirty memory: the pages it wrote, which no other process holds. Clean file
// pages of the libraries are left out, because they count as private only while no other process maps them.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/tray_window.h"
#include "harness.h"
#include "linux_view.h"
#include "res/resource.h"

namespace {

using namespace zvtest;

constexpr char kMinimalClass[] = "ZvBenchMinimal";
constexpr char kReferenceClass[] = "ZvBenchReference";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 10000;
// Time for a state to settle before its memory is read, and between two tab switches, as a user's pace.
constexpr DWORD kSettleMs = 500;
constexpr DWORD kTabPauseMs = 300;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Sample(const char* name, double value) {
    std::printf("sample %s %.3f\n", name, value);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const char* what) {
    std::printf("zvbench: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

// Polls every millisecond, so that a measured moment is late by about one millisecond at most.
template <typename Done>
bool PollFor(Done done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(1);
    }
    return true;
}

// A started program; it is ended when the object goes, unless it has ended already.
class Process {
public:
    explicit Process(const std::string& exe) : exe_(exe) {}
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }

    // Starts the program without waiting for it to become idle, so the caller can time its first steps.
    void Start(const std::string& arguments = "") {
        std::string command = "\"" + exe_ + "\"";
        if (!arguments.empty()) command += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe_.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, BuildDir().c_str(),
                            &startup, &info_))
            Fail(("cannot start " + exe_).c_str());
    }
    bool WaitExit(DWORD timeoutMs) { return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0; }
    const std::string& Exe() const { return exe_; }

private:
    std::string exe_;
    PROCESS_INFORMATION info_ = {};
};

// ---- Linux's view of a Wine process

unsigned long LinuxPid(const std::string& exe) {
    unsigned long pid = LinuxPidOf(exe);
    if (!pid) Fail(("cannot tell the Linux process of " + exe).c_str());
    return pid;
}

double PrivateMemoryMiB(unsigned long pid) {
    double kb = PrivateDirtyKiB(pid);
    if (kb <= 0) Fail("cannot read /proc/PID/smaps_rollup");
    return kb / 1024.0;
}

struct Activity {
    double wakeups = 0;  // times a thread went to sleep after running: each follows one wake-up
    double cpuMs = 0;
};

// Summed over the process's threads, since Linux counts context switches per thread.
Activity ActivityOf(unsigned long pid) {
    Activity total;
    std::string tasks = ProcPath(pid, "task");
    for (unsigned long tid : NumberedEntries(tasks)) {
        std::string thread = tasks + "\\" + std::to_string(tid);
        std::string status = "\n" + ReadWholeFile(thread + "\\status");
        size_t pos = status.find("\nvoluntary_ctxt_switches:");
        if (pos != std::string::npos) total.wakeups += std::strtod(status.c_str() + pos + 25, nullptr);
        // schedstat's first field: nanoseconds on a CPU.
        total.cpuMs += std::strtod(ReadWholeFile(thread + "\\schedstat").c_str(), nullptr) / 1e6;
    }
    return total;
}

// ---- Windows of the session

HWND CurrentPage(HWND panel) {
    HWND page = FindWindowExA(panel, nullptr, "#32770", nullptr);
    return page && IsWindowVisible(page) ? page : nullptr;
}

HWND VisiblePanel() {
    std::vector<HWND> panels = FindPanels();
    return panels.size() == 1 && CurrentPage(panels[0]) ? panels[0] : nullptr;
}

// Wine's X11 driver shows each notification icon as a window of its own, in a stand-alone tray or docked.
BOOL CALLBACK CountIconWindows(HWND window, LPARAM param) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "__winex11_tray_icon") == 0 || std::strcmp(name, "__wine_tray_icon") == 0)
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

BOOL CALLBACK CountIconsOfTopLevel(HWND window, LPARAM param) {
    CountIconWindows(window, param);
    EnumChildWindows(window, CountIconWindows, param);
    return TRUE;
}

int TrayIconCount() {
    int count = 0;
    EnumWindows(CountIconsOfTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// ---- The measurements

struct Resident {
    HWND tray = nullptr;
    double windowMs = 0;
    double iconMs = 0;
};

// Starts zvctrl.exe plainly and times it up to its tray window and up to its icon.
Resident StartResident(Process& program) {
    if (FindTrayWindow()) Fail("a zvctrl.exe is still running");
    int iconsBefore = TrayIconCount();
    Resident resident;
    double start = NowMs();
    program.Start();
    if (!PollFor([&] { return (resident.tray = FindTrayWindow()) != nullptr; }, kStartTimeoutMs))
        Fail("zvctrl.exe made no tray window");
    resident.windowMs = NowMs() - start;
    if (!PollFor([&] { return TrayIconCount() > iconsBefore; }, kStartTimeoutMs)) Fail("zvctrl.exe added no icon");
    resident.iconMs = NowMs() - start;
    return resident;
}

void EndResident(Process& program, HWND tray, int iconsBefore) {
    PostMessageA(tray, WM_USER, zv::kCloseRequest, 0);
    if (!program.WaitExit(kStepTimeoutMs)) Fail("zvctrl.exe did not end on the close request");
    PollFor([&] { return TrayIconCount() <= iconsBefore; }, kStepTimeoutMs);
}

HWND StartMinimal(Process& minimal, const std::string& arguments, double* windowMs) {
    HWND window = nullptr;
    double start = NowMs();
    minimal.Start(arguments);
    if (!PollFor([&] { return (window = FindWindowA(kMinimalClass, nullptr)) != nullptr; }, kStartTimeoutMs))
        Fail("the minimal program made no window");
    *windowMs = NowMs() - start;
    return window;
}

void EndMinimal(Process& minimal, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!minimal.WaitExit(kStepTimeoutMs)) Fail("the minimal program did not end");
}

// Times the minimal program up to its window and returns its memory once settled.
double MeasureMinimal(const std::string& arguments, const char* windowSample) {
    Process minimal(BuildDir() + "\\zvbench_minimal.exe");
    double windowMs = 0;
    HWND window = StartMinimal(minimal, arguments, &windowMs);
    if (windowSample) Sample(windowSample, windowMs);
    Sleep(kSettleMs);
    double memory = PrivateMemoryMiB(LinuxPid(minimal.Exe()));
    EndMinimal(minimal, window);
    return memory;
}

struct Reference {
    double windowMs = 0;
    double iconMs = 0;
    double trayMemory = 0;
    double openMemory = 0;
};

// Times the reference program up to its window and its icon, and reads its memory in the tray and after
// the command that "&Open" sends, which runs the dialog's system work.
Reference MeasureReference() {
    Process reference(BuildDir() + "\\zvbench_reference.exe");
    int iconsBefore = TrayIconCount();
    Reference result;
    HWND window = nullptr;
    double start = NowMs();
    reference.Start();
    if (!PollFor([&] { return (window = FindWindowA(kReferenceClass, nullptr)) != nullptr; }, kStartTimeoutMs))
        Fail("the reference program made no window");
    result.windowMs = NowMs() - start;
    if (!PollFor([&] { return TrayIconCount() > iconsBefore; }, kStartTimeoutMs))
        Fail("the reference program added no icon");
    result.iconMs = NowMs() - start;
    Sleep(kSettleMs);
    unsigned long pid = LinuxPid(reference.Exe());
    result.trayMemory = PrivateMemoryMiB(pid);
    SendMessageA(window, WM_COMMAND, IDM_OPEN, 0);
    Sleep(kSettleMs);
    result.openMemory = PrivateMemoryMiB(pid);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!reference.WaitExit(kStepTimeoutMs)) Fail("the reference program did not end");
    PollFor([&] { return TrayIconCount() <= iconsBefore; }, kStepTimeoutMs);
    return result;
}

void SampleReference() {
    Reference reference = MeasureReference();
    Sample("reference_window_ms", reference.windowMs);
    Sample("reference_icon_ms", reference.iconMs);
    Sample("memory_reference_mib", reference.trayMemory);
    Sample("memory_reference_open_mib", reference.openMemory);
}

// One session as a user has it: start-up, the tray, "&Open", a tour of the tabs, the end.
void MeasureSession(bool referenceFirst) {
    double minimalMemory = MeasureMinimal("", "minimal_window_ms");
    Sample("memory_minimal_mib", minimalMemory);
    Sample("memory_minimal_mixer_mib", MeasureMinimal("MIXER", nullptr));
    // The reference runs before zvctrl.exe in one session and after it in the next, so that neither gains
    // from the order.
    if (referenceFirst) SampleReference();

    CallLog log;
    int iconsBefore = TrayIconCount();
    Process program(BuildDir() + "\\zvctrl.exe");
    Resident resident = StartResident(program);
    Sample("startup_window_ms", resident.windowMs);
    Sample("startup_icon_ms", resident.iconMs);
    Sample("startup_icon_less_tick_ms", resident.iconMs - zv::StartupWait::kPeriodMs);
    if (log.Count("DLL32Call 110") != 1 || !log.Contains("DLL32Call 110 -> 0"))
        Fail("the start-up wait did not end at its first tick");

    Sleep(kSettleMs);
    unsigned long pid = LinuxPid(program.Exe());
    double memory = PrivateMemoryMiB(pid);
    Sample("memory_tray_mib", memory);
    Sample("memory_tray_above_minimal_mib", memory - minimalMemory);

    // What the menu's "&Open" sends.
    double start = NowMs();
    PostMessageA(resident.tray, WM_COMMAND, IDM_OPEN, 0);
    HWND panel = nullptr;
    if (!PollFor([&] { return (panel = VisiblePanel()) != nullptr; }, kStepTimeoutMs)) Fail("no dialog after Open");
    Sample("open_ms", NowMs() - start);

    HWND tabs = FindWindowExA(panel, nullptr, WC_TABCONTROLA, nullptr);
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count < 1) Fail("the dialog has no tabs");
    std::vector<WPARAM> keys(count - 1, VK_RIGHT);
    keys.insert(keys.end(), count - 1, VK_LEFT);
    for (WPARAM key : keys) {
        Sleep(kTabPauseMs);
        HWND before = CurrentPage(panel);
        start = NowMs();
        PostMessageA(tabs, WM_KEYDOWN, key, 0);
        HWND page = nullptr;
        if (!PollFor([&] { return (page = CurrentPage(panel)) != nullptr && page != before; }, kStepTimeoutMs))
            Fail("no page after a tab switch");
        double ms = NowMs() - start;
        int shown = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        std::string name = "tab_" + std::to_string(shown + 1) + "_of_" + std::to_string(count) + "_ms";
        Sample(name.c_str(), ms);
    }
    Sleep(kSettleMs);
    memory = PrivateMemoryMiB(pid);
    Sample("memory_dialog_mib", memory);
    Sample("memory_dialog_above_minimal_mib", memory - minimalMemory);

    EndResident(program, resident.tray, iconsBefore);
    if (!referenceFirst) SampleReference();
}

// Both programs idle side by side: zvctrl.exe in the tray, the minimal program with its window.
void MeasureIdle(int runs, int seconds) {
    CallLog log;
    int iconsBefore = TrayIconCount();
    Process program(BuildDir() + "\\zvctrl.exe");
    Resident resident = StartResident(program);
    Process minimal(BuildDir() + "\\zvbench_minimal.exe");
    double windowMs = 0;
    HWND window = StartMinimal(minimal, "", &windowMs);
    Sleep(2 * kSettleMs);
    unsigned long programPid = LinuxPid(program.Exe());
    unsigned long minimalPid = LinuxPid(minimal.Exe());
    for (int run = 0; run < runs; ++run) {
        Activity programBefore = ActivityOf(programPid), minimalBefore = ActivityOf(minimalPid);
        double start = NowMs();
        Sleep(static_cast<DWORD>(seconds) * 1000);
        double elapsedS = (NowMs() - start) / 1000.0;
        Activity programAfter = ActivityOf(programPid), minimalAfter = ActivityOf(minimalPid);
        Sample("idle_wakeups_per_s", (programAfter.wakeups - programBefore.wakeups) / elapsedS);
        Sample("idle_cpu_ms", programAfter.cpuMs - programBefore.cpuMs);
        Sample("minimal_idle_wakeups_per_s", (minimalAfter.wakeups - minimalBefore.wakeups) / elapsedS);
        Sample("minimal_idle_cpu_ms", minimalAfter.cpuMs - minimalBefore.cpuMs);
    }
    EndMinimal(minimal, window);
    EndResident(program, resident.tray, iconsBefore);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: zvbench RUNS IDLE_RUNS IDLE_SECONDS\n");
        return 2;
    }
    int runs = std::atoi(argv[1]), idleRuns = std::atoi(argv[2]), idleSeconds = std::atoi(argv[3]);
    if (runs < 1 || idleRuns < 1 || idleSeconds < 1) return 2;
    // The card as installed, with the driver ready at the first question.
    FreshCard();
    for (int run = 0; run < runs; ++run) MeasureSession(run % 2 == 0);
    MeasureIdle(idleRuns, idleSeconds);
    return 0;
}
