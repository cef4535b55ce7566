// The screenshots' helper: tools/screenshots clicks the control panel's tabs on the X server as a user does,
// and asks this program, run in the same Wine session, where a tab is and whether the click reached it.
//   zvshot tab INDEX DESKTOP    prints the screen position of the middle of tab INDEX: "X Y"
//   zvshot shown INDEX DESKTOP  waits until tab INDEX is selected and its own page is the one shown, then
//                               prints the dialog's screen rectangle "X Y WIDTH HEIGHT"; exits 1 if that
//                               does not happen
// Both look on the named desktop (the Wine desktop window the program runs in) and first wait for the one
// visible control panel there. Nothing here is part of the shipped program.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource.h"

namespace {

constexpr char kPanelCaption[] = "Zolvane Control Panel";
constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;

// A control that only each page's own template holds, in tab order of the four-page set.
constexpr int kPageMarks[] = {IDC_SPEAKERS_2, IDC_CPU_USAGE, IDC_PLAY_MASTER_VOLUME, IDC_REC_MIX_VOLUME};

template <typename Done>
bool PollFor(Done done) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kTimeoutMs) return done();
        Sleep(kPollMs);
    }
    return true;
}

HWND Tabs(HWND panel) { return GetDlgItem(panel, IDC_TABS); }

HWND VisiblePage(HWND panel) {
    HWND page = FindWindowExA(panel, nullptr, "#32770", nullptr);
    return page && IsWindowVisible(page) ? page : nullptr;
}

HWND FindPanel() {
    HWND panel = FindWindowA("#32770", kPanelCaption);
    return panel && IsWindowVisible(panel) && Tabs(panel) && VisiblePage(panel) ? panel : nullptr;
}

// TCM_GETITEMRECT fills a rectangle in the tab strip's own process, so it gets one there.
bool ItemRect(HWND tabs, int index, RECT* rect) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    bool ok = false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        ok = SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, rect, sizeof(RECT), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

int Fail(const char* what) {
    std::fprintf(stderr, "zvshot: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "tab") != 0 && std::strcmp(argv[1], "shown") != 0)) {
        std::fprintf(stderr, "usage: zvshot tab|shown INDEX DESKTOP\n");
        return 2;
    }
    const int index = std::atoi(argv[2]);
    // Windows are found only on the finding thread's own desktop, which may not exist yet.
    HDESK desktop = nullptr;
    if (!PollFor([&] { return (desktop = OpenDesktopA(argv[3], 0, FALSE, GENERIC_ALL)) != nullptr; }) ||
        !SetThreadDesktop(desktop))
        return Fail("cannot open the desktop");
    HWND panel = nullptr;
    if (!PollFor([&] { return (panel = FindPanel()) != nullptr; })) return Fail("no control panel is shown");
    HWND tabs = Tabs(panel);
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (index < 0 || index >= count) return Fail("no such tab");

    if (std::strcmp(argv[1], "tab") == 0) {
        RECT item = {};
        if (!ItemRect(tabs, index, &item)) return Fail("no tab rectangle");
        POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        MapWindowPoints(tabs, HWND_DESKTOP, &middle, 1);
        std::printf("%ld %ld\n", middle.x, middle.y);
        return 0;
    }

    // Only the four-page set names a page by its tab's place.
    if (count != static_cast<int>(sizeof kPageMarks / sizeof kPageMarks[0])) return Fail("not the four-page set");
    bool shown = PollFor([&] {
        HWND page = VisiblePage(panel);
        return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index && page && GetDlgItem(page, kPageMarks[index]);
    });
    if (!shown) {
        std::fprintf(stderr, "zvshot: tab %ld is selected, not tab %d\n",
                     static_cast<long>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)), index);
        return 1;
    }
    RECT frame = {};
    GetWindowRect(panel, &frame);
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    return 0;
}
