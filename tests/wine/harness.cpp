#include <windows.h>

#include "harness.h"

#include <cstdio>
#include <cstring>

#include "install/card_fixture.h"

namespace zvtest {

std::string BuildDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\'));
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool Program::Start(const std::string& arguments, const std::string& dir, const std::string& exe) {
    std::string path = exe.empty() ? dir + "\\zvctrl.exe" : exe;
    std::string command = "\"" + path + "\"";
    if (!arguments.empty()) command += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startTick_ = GetTickCount();
    if (!CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info_))
        return false;
    WaitForInputIdle(info_.hProcess, 5000);
    return true;
}

DWORD Program::WaitExit(DWORD timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, timeoutMs * kLoadSlack) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {
constexpr const char kProgramOverrides[] = "Software\\Wine\\AppDefaults\\zvctrl.exe\\DllOverrides";
}

WithoutLibrary::WithoutLibrary(const char* name) : name_(name) {
    for (const std::string& entry : {name_, BuildDir() + "\\" + name_})
        SetRegistryValue(HKEY_CURRENT_USER, kProgramOverrides, entry.c_str(), REG_SZ, "", 1);
}

WithoutLibrary::~WithoutLibrary() {
    for (const std::string& entry : {name_, BuildDir() + "\\" + name_})
        DeleteRegistryValue(HKEY_CURRENT_USER, kProgramOverrides, entry.c_str());
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs * kLoadSlack) return done();
        Sleep(25);
    }
    return true;
}

HWND FindTrayWindow() { return FindWindowA("Zolvane Control", nullptr); }

namespace {
struct CaptionSearch {
    const char* caption;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByCaption(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<CaptionSearch*>(param);
    char text[128] = {}, cls[64] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, cls, sizeof cls);
    // Frames that the in-process tests build from the program's templates belong to the test itself.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    if (std::strcmp(text, search->caption) == 0 && std::strcmp(cls, search->className) == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> FindWindowsWithCaption(const char* caption, const char* className) {
    CaptionSearch search{caption, className, {}};
    EnumWindows(CollectByCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> FindPanels() {
    // The control panel is the one with a tab strip; a message box shares its caption.
    std::vector<HWND> panels;
    for (HWND window : FindWindowsWithCaption(kPanelCaption))
        if (FindWindowExA(window, nullptr, "SysTabControl32", nullptr)) panels.push_back(window);
    return panels;
}

std::vector<HWND> FindMessageBoxes() {
    std::vector<HWND> boxes;
    for (HWND window : FindWindowsWithCaption(kPanelCaption))
        if (!FindWindowExA(window, nullptr, "SysTabControl32", nullptr)) boxes.push_back(window);
    return boxes;
}

HWND FindPopupMenu() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

CallLog::CallLog() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    char file[MAX_PATH];
    static int serial = 0;
    std::snprintf(file, sizeof file, "%szvsim-%lu-%d.log", dir, GetCurrentProcessId(), ++serial);
    path_ = file;
    DeleteFileA(path_.c_str());
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\ZVSim", &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, "LogFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(path_.c_str()),
                       static_cast<DWORD>(path_.size() + 1));
        RegCloseKey(key);
    }
}

std::vector<std::string> CallLog::Lines() const {
    std::vector<std::string> lines;
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string CallLog::Find(const std::string& text) const {
    for (const std::string& line : Lines())
        if (line.find(text) != std::string::npos) return line;
    return {};
}

int CallLog::Count(const std::string& text) const {
    int n = 0;
    for (const std::string& line : Lines())
        if (line.find(text) != std::string::npos) ++n;
    return n;
}

DWORD CallLog::TickOf(const std::string& text) const {
    std::string line = Find(text);
    return line.empty() ? 0 : std::strtoul(line.c_str(), nullptr, 10);
}

void SetSimSetting(const char* name, DWORD value) {
    SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\ZVSim", name, REG_DWORD, &value, sizeof value);
}

void ClearSimSettings() {
    for (const char* name : {"Version", "EffectsPage", "BusyTicks", "Devices", "CardDevices", "FailBuffer",
                             "NoPropertySet", "SpeakerConfig", "WaveMs", "WaveOpenError", "WavePlayError", "WaveStopError",
                             "SimulatedPlayer"})
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, "Software\\ZVSim", name);
}

bool SetRegistryValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyA(root, path, &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

std::vector<BYTE> ConfigValue(const char* name, const char* key) {
    HKEY hkey;
    std::vector<BYTE> data;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key ? key : zvsim::kConfigKey, &hkey) != ERROR_SUCCESS) return data;
    BYTE buffer[64];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(hkey, name, nullptr, nullptr, buffer, &size) == ERROR_SUCCESS)
        data.assign(buffer, buffer + size);
    RegCloseKey(hkey);
    return data;
}

void SetConfigByte(const char* name, BYTE value) {
    SetRegistryValue(HKEY_LOCAL_MACHINE, zvsim::kConfigKey, name, REG_BINARY, &value, 1);
}

void DeleteRegistryValue(HKEY root, const char* path, const char* name) {
    HKEY key;
    if (RegOpenKeyA(root, path, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void FreshCard() {
    ClearSimSettings();
    zvsim::InstallCardFixture(zvsim::CardFixture{});
    DeleteRegistryValue(HKEY_CURRENT_USER, "Software\\QSound\\QSoft3d", "A3D preload");
}

}  // namespace zvtest
