// The benchmark's reference: a program built like zvctrl.exe that does the same system work as the resident
// program and nothing of its own, so that zvctrl.exe's own share of time and memory shows beside it. As the
// page objects do before the entry, it asks the mixer devices for their capabilities; it registers a
// hidden window, probes the driver helper library, reads the A3D preload value and installs the A3D hook,
// waits for the start-up timer's first tick, enumerates and probes the DirectSound devices through the
// card's driver and adds a tray icon. The command the tray menu's "&Open" sends runs what the dialog asks
// of the system: a DirectSound session on the first device that answered, and the mixer device opened
// with a callback window and its first destination's controls read, as a shown mixer page keeps it open
// and reads its levels.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <dsound.h>

#include <cstdint>
#include <cstring>

#include "app/sound_discovery.h"
#include "app/startup.h"
#include "driver/helper_library.h"
#include "res/resource.h"

namespace {

constexpr char kClassName[] = "ZvBenchReference";
constexpr UINT kCallbackMessage = WM_APP;
constexpr UINT kIconId = 1;
constexpr int kMaxDevices = 10;
constexpr GUID kIidKsPropertySet = {0x31EFAC30, 0x515C, 0x11D0, {0xA9, 0xAA, 0x00, 0xAA, 0x00, 0x61, 0xBE, 0x93}};

using InstallA3DHookFn = void(WINAPI*)(uint32_t*);
using RemoveA3DHookFn = void(WINAPI*)();

struct State {
    HMODULE waitLibrary = nullptr;
    GUID devices[kMaxDevices] = {};
    int deviceCount = 0;
    HMIXER mixer = nullptr;
    bool iconAdded = false;
} state;

int32_t CallDll32(HMODULE library, int32_t command) {
    auto call = reinterpret_cast<zv::Dll32CallFn>(
        reinterpret_cast<void*>(library ? GetProcAddress(library, zv::kDll32CallExport) : nullptr));
    return call ? call(command) : 0;
}

// A device's DirectSound object with the driver's hardware 3D buffer and its property set, released
// again; S_OK when the property set answers the card's marker property.
HRESULT OpenSession(const GUID* device, HWND window) {
    IDirectSound* sound = nullptr;
    HRESULT hr = DirectSoundCreate(device, &sound, nullptr);
    if (FAILED(hr)) return hr;
    sound->SetCooperativeLevel(window, DSSCL_NORMAL);
    const zv::SoundBufferDesc& desc = zv::kProbeBufferDesc;
    WAVEFORMATEX format = {desc.formatTag, desc.channels,   desc.samplesPerSec, desc.avgBytesPerSec,
                           desc.blockAlign, desc.bitsPerSample, 0};
    DSBUFFERDESC1 dx5 = {};
    dx5.dwSize = sizeof dx5;
    dx5.dwFlags = desc.flags;
    dx5.dwBufferBytes = desc.bufferBytes;
    dx5.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    hr = sound->CreateSoundBuffer(reinterpret_cast<const DSBUFFERDESC*>(&dx5), &buffer, nullptr);
    if (SUCCEEDED(hr)) {
        IKsPropertySet* properties = nullptr;
        hr = buffer->QueryInterface(kIidKsPropertySet, reinterpret_cast<void**>(&properties));
        if (SUCCEEDED(hr)) {
            ULONG support = 0;
            GUID set;
            std::memcpy(&set, &zv::kZv930PropertySet, sizeof set);
            hr = properties->QuerySupport(set, zv::kZv930MarkerProperty, &support);
            if (SUCCEEDED(hr) && support == 0) hr = E_NOTIMPL;
            properties->Release();
        }
        buffer->Release();
    }
    sound->Release();
    return hr;
}

BOOL CALLBACK CollectDevice(GUID* guid, LPCSTR, LPCSTR, LPVOID) {
    if (guid && state.deviceCount < kMaxDevices) state.devices[state.deviceCount++] = *guid;
    return TRUE;
}

void DiscoverDevices(HWND window) {
    state.deviceCount = 0;
    DirectSoundEnumerateA(CollectDevice, nullptr);
    int enumerated = state.deviceCount;
    state.deviceCount = 0;
    for (int i = 0; i < enumerated; ++i)
        if (OpenSession(&state.devices[i], window) == S_OK) state.devices[state.deviceCount++] = state.devices[i];
}

NOTIFYICONDATAA IconRecord(HWND window) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kIconId;
    return icon;
}

void OnStartupTick(HWND window) {
    if (state.iconAdded || CallDll32(state.waitLibrary, zv::kCmdDriverBusy) != 0) return;
    DiscoverDevices(window);
    KillTimer(window, zv::StartupWait::kTimerId);
    if (state.waitLibrary) FreeLibrary(state.waitLibrary);
    state.waitLibrary = nullptr;
    NOTIFYICONDATAA icon = IconRecord(window);
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kCallbackMessage;
    icon.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
    std::strcpy(icon.szTip, kClassName);
    Shell_NotifyIconA(NIM_ADD, &icon);
    state.iconAdded = true;
}

// Reads every control of the mixer's first destination, as a shown mixer page reads its lines' levels.
void ReadFirstDestination() {
    MIXERLINEA line = {};
    line.cbStruct = sizeof line;
    line.dwDestination = 0;
    HMIXEROBJ mixer = reinterpret_cast<HMIXEROBJ>(state.mixer);
    if (mixerGetLineInfoA(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR ||
        line.cControls == 0)
        return;
    MIXERCONTROLA controls[8] = {};
    MIXERLINECONTROLSA request = {};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls < 8 ? line.cControls : 8;
    request.cbmxctrl = sizeof controls[0];
    request.pamxctrl = controls;
    if (mixerGetLineControlsA(mixer, &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR)
        return;
    for (DWORD i = 0; i < request.cControls; ++i) {
        DWORD values[8] = {};
        MIXERCONTROLDETAILS details = {};
        details.cbStruct = sizeof details;
        details.dwControlID = controls[i].dwControlID;
        details.cChannels = (controls[i].fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) || line.cChannels > 8 ? 1
                                                                                                     : line.cChannels;
        details.cbDetails = sizeof values[0];
        details.paDetails = values;
        mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    }
}

void OnOpen(HWND window) {
    if (state.deviceCount > 0) OpenSession(&state.devices[0], window);
    if (!state.mixer && mixerOpen(&state.mixer, 0, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) == 0)
        ReadFirstDestination();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (SetTimer(window, zv::StartupWait::kTimerId, zv::StartupWait::kPeriodMs, nullptr))
            state.waitLibrary = LoadLibraryA(zv::kHelperLibraryName);
        return 0;
    case WM_TIMER:
        OnStartupTick(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_OPEN) OnOpen(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // What the mixer page objects ask before the entry runs.
    for (UINT device = 0, count = mixerGetNumDevs(); device < count; ++device) {
        MIXERCAPSA caps;
        mixerGetDevCapsA(device, &caps, sizeof caps);
    }
    InitCommonControls();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    RegisterWindowMessageA("TaskbarCreated");
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kClassName, WS_DISABLED, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;

    HMODULE helper = LoadLibraryA(zv::kHelperLibraryName);
    auto getVersion = reinterpret_cast<zv::ZVGetVersionFn>(
        reinterpret_cast<void*>(helper ? GetProcAddress(helper, zv::kGetVersionExport) : nullptr));
    bool present = getVersion && getVersion() != 0;
    if (present) CallDll32(helper, zv::kCmdEffectsPage);
    if (helper) FreeLibrary(helper);
    if (!present) return 1;

    uint32_t preload = zv::kDefaultA3DPreload;
    HKEY qsoft = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, zv::kQSoftKey, 0, KEY_READ, &qsoft) == ERROR_SUCCESS) {
        BYTE data[33] = {};
        DWORD size = 32;
        RegQueryValueExA(qsoft, zv::kA3DPreloadValue, nullptr, nullptr, data, &size);
        RegCloseKey(qsoft);
    }
    HMODULE a3dLoader = LoadLibraryA(zv::kA3DLoaderName);
    if (auto install = reinterpret_cast<InstallA3DHookFn>(
            reinterpret_cast<void*>(a3dLoader ? GetProcAddress(a3dLoader, zv::kInstallHookExport) : nullptr)))
        install(&preload);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    NOTIFYICONDATAA icon = IconRecord(window);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    if (state.mixer) mixerClose(state.mixer);
    if (a3dLoader) {
        if (auto remove = reinterpret_cast<RemoveA3DHookFn>(
                reinterpret_cast<void*>(GetProcAddress(a3dLoader, zv::kRemoveHookExport))))
            remove();
        FreeLibrary(a3dLoader);
    }
    return static_cast<int>(message.wParam);
}
