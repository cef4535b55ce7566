// The "General" tab: the speaker arrangement the card drives and the test of each speaker.
#pragma once

#include <windows.h>

#include "pages/general/speaker_option.h"
#include "pages/general/speaker_test.h"
#include "pages/general/speaker_test_window.h"
#include "panel/control_page.h"

namespace zv {

class GeneralPage final : public ControlPage {
public:
    GeneralPage(Registry& registry, DriverConfig& driver, LibraryLoader& libraries, SoundSystem& sound,
                DebugOutput& debug, FileSystem& files, WavePlayer& player);

    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    DLGPROC GetDialogProc() override;
    void LoadSettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ApplySettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ShowSettings(HWND page) override;
    void ReadControls(HWND page) override;
    void StopSound(HWND window) override;
    bool HoldsSettings() override;

    SpeakerOption& Speakers() { return speakers_; }
    SpeakerTest& Test() { return test_; }

private:
    SpeakerOption speakers_;
    Win32SpeakerTestWindow testWindow_;
    SpeakerTest test_;
};

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The debugger output, where DirectSound failures of the speaker option go.
class Win32DebugOutput final : public DebugOutput {
public:
    void Write(const char* text) override;
};

}  // namespace zv
