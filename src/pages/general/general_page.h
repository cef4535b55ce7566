// The "General" tab: the speaker arrangement the card drives and the test of each speaker.
#pragma once

#include <windows.h>

#include "pages/general/speaker_option.h"
#include "pages/general/speaker_test.h"
#include "pages/general/speaker_test_window.h"
#include "pages/general/uninstall_window.h"
#include "panel/control_page.h"

namespace zv {

class GeneralPage final : public ControlPage {
public:
    // helpRequests is the dialog's count of help requests, which a click in the page clears.
    GeneralPage(Registry& registry, DriverConfig& driver, LibraryLoader& libraries, SoundSystem& sound,
                DebugOutput& debug, FileSystem& files, WavePlayer& player, int32_t& helpRequests,
                Removal& removal);

    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    void LoadSettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ApplySettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ShowSettings(HWND page) override;
    void ReadControls(HWND page) override;
    void StopSound(HWND window) override;
    bool HoldsSettings() override;

    SpeakerOption& Speakers() { return speakers_; }
    SpeakerTest& Test() { return test_; }

private:
    void OnInitDialog(HWND page) override;
    void OnDestroy(HWND page) override;
    bool OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnCommand(HWND page, int id);

    SpeakerOption speakers_;
    Win32SpeakerTestWindow testWindow_;
    SpeakerTest test_;
    int32_t& helpRequests_;
    Removal& removal_;
};

// The debugger output, where DirectSound failures of the speaker option go.
class Win32DebugOutput final : public DebugOutput {
public:
    void Write(const char* text) override;
};

}  // namespace zv
