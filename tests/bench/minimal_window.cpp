// The smallest window program, built like zvctrl.exe: one hidden window and a message loop. The benchmark
// measures it beside zvctrl.exe under the same Wine, so that Wine's own share of memory and wake-ups shows.
// With the argument "MIXER" it also keeps the first mixer device open, which brings in Wine's audio stack;
// the mixer library is loaded only then, so that the plain program carries none of it.
#include <windows.h>

#include <mmsystem.h>

#include <cstring>

namespace {

constexpr char kClassName[] = "ZvBenchMinimal";

using MixerOpenFn = MMRESULT(WINAPI*)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);

bool OpenFirstMixer() {
    HMODULE winmm = LoadLibraryA("winmm.dll");
    void* found = winmm ? reinterpret_cast<void*>(GetProcAddress(winmm, "mixerOpen")) : nullptr;
    auto open = reinterpret_cast<MixerOpenFn>(found);
    HMIXER mixer = nullptr;
    return open && open(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) == MMSYSERR_NOERROR;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strcmp(commandLine, "MIXER") == 0 && !OpenFirstMixer()) return 1;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    if (!CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kClassName, WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
