#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "harness.h"
#include "res/resource.h"

// The driver removal from the General page of zvctrl.exe on the simulated card, whose helper library logs
// the removal commands. The files it deletes are stand-ins placed in the prefix's system directory.

namespace zvtest {
namespace {

constexpr const char kSynthKeys[][96] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YAMAHA Soft Synthesizer S-YXG50",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YAMAHA SoftSynthesizer S-YXG50",
};

std::string SystemFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetSystemDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
}

std::string ProgramString(UINT id) {
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

// The full path of the first running process of that file name, or an empty string.
std::string ProcessPath(const char* exeName) {
    std::string path;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && path.empty(); more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0) continue;
        HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry.th32ProcessID);
        MODULEENTRY32 module = {};
        module.dwSize = sizeof module;
        if (modules != INVALID_HANDLE_VALUE && Module32First(modules, &module)) path = module.szExePath;
        if (modules != INVALID_HANDLE_VALUE) CloseHandle(modules);
    }
    CloseHandle(snapshot);
    return path;
}

// Ends every process of that file name; returns how many there were.
int EndProcesses(const char* exeName) {
    int found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0) continue;
        ++found;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return found;
}

// Handles what other processes send to this thread's windows while the test waits.
bool PumpWhile(const std::function<bool()>& done, DWORD timeoutMs) {
    return WaitFor([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return done();
    }, timeoutMs);
}

// A stand-in for a shell folder window, which counts the WM_CLOSE it gets and stays open.
int folderCloses = 0;
LRESULT CALLBACK FolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ++folderCloses;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the shell folder's class on the calling thread; its WM_CLOSE is counted, and it stays open.
HWND CreateFolderWindow() {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = FolderProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "CabinetWClass";
    RegisterClassA(&cls);  // or registered already, by an earlier test
    return CreateWindowA(cls.lpszClassName, "Folder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         cls.hInstance, nullptr);
}

// A folder window that stops answering once asked to close, as a hung program's would: its thread stays
// in the WM_CLOSE until the test lets it go.
class HungFolderWindow {
public:
    HungFolderWindow() {
        release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Run, nullptr, 0, &threadId_);
        WaitFor([&] { return FindWindowA("CabinetWClass", nullptr) != nullptr; }, 5000);
    }
    ~HungFolderWindow() {
        SetEvent(release);
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(release);
    }
    HungFolderWindow(const HungFolderWindow&) = delete;
    HungFolderWindow& operator=(const HungFolderWindow&) = delete;

private:
    static inline HANDLE release = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
        WaitForSingleObject(release, INFINITE);
        PostQuitMessage(0);
        return 0;
    }
    static DWORD WINAPI Run(void*) {
        HWND window = CreateFolderWindow();
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        DestroyWindow(window);
        return 0;
    }

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

class Uninstall : public ::testing::Test {
protected:
    void SetUp() override {
        FreshCard();
        EndProcesses("control.exe");
        Touch(SystemFile("ZVDLL32.DLL"));
        Touch(SystemFile("ZVAUDIO.CPL"));
        DeleteFileA((BuildDir() + "\\zvspker.wav").c_str());  // what a stopped test sound left
    }
    void TearDown() override {
        for (const char* key : kSynthKeys) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
        WritePrivateProfileStringA("DESCRIPTION", "LOADER", nullptr, "SOUNDCFG.INI");
        DeleteFileA(SystemFile("ZVDLL32.DLL").c_str());
        DeleteFileA(SystemFile("ZVAUDIO.CPL").c_str());
        if (folder) DestroyWindow(folder);
        EndProcesses("control.exe");
    }

    HWND Open() {
        EXPECT_TRUE(program.Start("OPEN"));
        WaitFor([] { return FindPanels().size() == 1 && FindWindowExA(FindPanels()[0], nullptr, "#32770", nullptr); },
                10000);
        auto panels = FindPanels();
        panel = panels.size() == 1 ? panels[0] : nullptr;
        return panel ? FindWindowExA(panel, nullptr, "#32770", nullptr) : nullptr;
    }
    void PressUninstall(HWND page) {
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_UNINSTALL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UNINSTALL)));
    }
    // Waits for the program's message box, checks its text and answers it.
    bool Answer(UINT stringId, int button) {
        HWND box = nullptr;
        PumpWhile([&] {
            std::vector<HWND> boxes = FindMessageBoxes();
            box = boxes.empty() ? nullptr : boxes.back();
            return box != nullptr;
        }, 6000);
        if (!box) return false;
        boxInFront = GetForegroundWindow() == box;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EXPECT_EQ(text, ProgramString(stringId));
        PostMessageA(box, WM_COMMAND, button, 0);
        return PumpWhile([&] { return !IsWindow(box); }, 3000);
    }
    void OpenFolderWindow() {
        folder = CreateFolderWindow();
        folderCloses = 0;
    }
    // Yes to the question: command 0 at once, command 1 and message 48 two seconds later, then the end.
    void RemoveAndExpectTheEnd(const std::function<void()>& duringTheWait = [] {}) {
        ASSERT_TRUE(Answer(IDS_CONFIRM_UNINSTALL, IDYES));
        ASSERT_TRUE(WaitFor([&] { return log.Contains("DLL32Call 0 ->"); }, 3000));
        duringTheWait();
        ASSERT_TRUE(Answer(IDS_REMOVED, IDOK));
        DWORD wait = log.TickOf("DLL32Call 1 ->") - log.TickOf("DLL32Call 0 ->");
        EXPECT_GE(wait, 1900u);
        EXPECT_LT(wait, 3500u);
        // Starting the control panel waits until it is ready, up to 30 seconds, which a first start in a
        // fresh prefix on a loaded machine can take: the slack makes this wait longer than that.
        EXPECT_NE(PumpWhile([&] { return program.WaitExit(0) != STILL_ACTIVE; }, 10000), false);
        EXPECT_EQ(program.WaitExit(0), 0u);
        EXPECT_FALSE(Exists(SystemFile("ZVDLL32.DLL")));
    }

    CallLog log;
    Program program;
    HWND panel = nullptr;
    HWND folder = nullptr;
    bool boxInFront = false;  // of the last box answered
};

TEST_F(Uninstall, EitherSpellingOfTheSynthesizerKeyBlocksItAndNoDoesNothing) {
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    for (const char* key : kSynthKeys) {
        HKEY created;
        ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &created), ERROR_SUCCESS);
        RegCloseKey(created);
        PressUninstall(page);
        EXPECT_TRUE(Answer(IDS_REMOVE_SYNTH_FIRST, IDOK)) << key;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    }
    PressUninstall(page);
    EXPECT_TRUE(Answer(IDS_CONFIRM_UNINSTALL, IDNO));
    DWORD_PTR result = 0;  // the removal's timer id, from anyone
    SendMessageTimeoutA(FindTrayWindow(), WM_TIMER, 1, 0, SMTO_NORMAL, 3000, &result);
    Sleep(2500);
    EXPECT_FALSE(log.Contains("DLL32Call 0 ->"));
    EXPECT_FALSE(log.Contains("DLL32Call 1 ->"));
    EXPECT_EQ(program.WaitExit(0), DWORD(STILL_ACTIVE));
    EXPECT_TRUE(Exists(SystemFile("ZVDLL32.DLL")));
    EXPECT_TRUE(Exists(SystemFile("ZVAUDIO.CPL")));
}

TEST_F(Uninstall, YesRemovesTheDriverAndItsFilesIgnoresTheCloseRequestAndEndsTheProgram) {
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    PressUninstall(page);
    RemoveAndExpectTheEnd([&] {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_UNINSTALL)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_TEST_ALL)));
        PostMessageA(FindTrayWindow(), WM_NULL, 8966, 0);
        PostMessageA(FindTrayWindow(), WM_COMMAND, IDM_EXIT, 0);
        Sleep(300);
        EXPECT_EQ(program.WaitExit(0), DWORD(STILL_ACTIVE)) << "the close request and Exit wait for the removal";
    });
    EXPECT_FALSE(Exists(SystemFile("ZVAUDIO.CPL")));
    Sleep(500);
    EXPECT_EQ(EndProcesses("control.exe"), 0);
}

TEST_F(Uninstall, AnOpenFolderWindowIsClosedAndTheControlPanelStartedAndAPathInLoaderDeletesNothing) {
    WritePrivateProfileStringA("DESCRIPTION", "LOADER", "..\\win.ini", "SOUNDCFG.INI");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string winIni = std::string(windows) + "\\win.ini";
    Touch(winIni);
    // A control.exe beside the program, which is writable, must not be the one started.
    const std::string planted = BuildDir() + "\\control.exe";
    ASSERT_TRUE(CopyFileA(SystemFile("notepad.exe").c_str(), planted.c_str(), FALSE));
    OpenFolderWindow();
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    PressUninstall(page);
    RemoveAndExpectTheEnd();
    EXPECT_EQ(folderCloses, 1);
    EXPECT_TRUE(Exists(winIni));
    EXPECT_TRUE(Exists(SystemFile("ZVAUDIO.CPL")));
    std::string started;
    EXPECT_TRUE(WaitFor([&] { return !(started = ProcessPath("control.exe")).empty(); }, 5000))
        << "control.exe was started";
    EXPECT_EQ(lstrcmpiA(started.c_str(), SystemFile("control.exe").c_str()), 0) << started;
    EndProcesses("control.exe");
    DeleteFileA(planted.c_str());
}

TEST_F(Uninstall, AFolderWindowThatDoesNotAnswerHoldsTheEndOnlyForAWhile) {
    HungFolderWindow folder;
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    PressUninstall(page);
    RemoveAndExpectTheEnd();
    EXPECT_TRUE(WaitFor([] { return !ProcessPath("control.exe").empty(); }, 5000)) << "control.exe was started";
}

TEST_F(Uninstall, DuringTheWaitOkAppliesNothingASpeakerPlaysNothingAndAFullLoaderNameDeletesNothing) {
    // The first 39 characters of a longer name, which is all the program can read of it, name another file.
    const std::string cut = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789LON";
    WritePrivateProfileStringA("DESCRIPTION", "LOADER", (cut + "G.CPL").c_str(), "SOUNDCFG.INI");
    Touch(SystemFile(cut.c_str()));
    const std::vector<BYTE> speakers = ConfigValue("Speakers");
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    PressUninstall(page);
    RemoveAndExpectTheEnd([&] {
        PostMessageA(GetDlgItem(page, speakers == std::vector<BYTE>{4} ? IDC_SPEAKERS_2 : IDC_SPEAKERS_4), BM_CLICK, 0, 0);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SPEAKER_FRONT_LEFT, 0), 0);
        PostMessageA(panel, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([] { return FindPanels().empty(); }, 3000));
    });
    EXPECT_TRUE(boxInFront) << "message 48 without an owner";
    EXPECT_FALSE(log.Contains("DLL32Call 108"));
    EXPECT_EQ(ConfigValue("Speakers"), speakers);
    EXPECT_FALSE(Exists(BuildDir() + "\\zvspker.wav")) << "no test sound was built";
    EXPECT_TRUE(Exists(SystemFile(cut.c_str())));
    EXPECT_TRUE(Exists(SystemFile("ZVAUDIO.CPL")));
    DeleteFileA(SystemFile(cut.c_str()).c_str());
}

TEST_F(Uninstall, ATabChangeAndCancelDuringTheWaitStillCompleteTheRemoval) {
    HWND page = Open();
    ASSERT_NE(nullptr, page);
    PressUninstall(page);
    RemoveAndExpectTheEnd([&] {
        SendMessageA(GetDlgItem(panel, IDC_TABS), WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(page); }, 2000));
        PostMessageA(panel, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([] { return FindPanels().empty(); }, 1500));
    });
    EXPECT_EQ(log.Count("DLL32Call 1 ->"), 1);
    EXPECT_FALSE(Exists(SystemFile("ZVAUDIO.CPL")));
}

}  // namespace
}  // namespace zvtest
