// The "Playback Mixer" and "Record Mixer" tabs: two pages over one dialog procedure, which shows the
// card's mixer lines on the page's track bars and check boxes and writes every move to the device at once.
#pragma once

#include <windows.h>

#include "driver/driver_config.h"
#include "pages/mixer/mixer_page_logic.h"
#include "panel/control_page.h"
#include "platform/mixer.h"

namespace zv {

// What both mixer pages hold: the device chosen when the page object is built, the handle while the page's
// dialog is open, and the line records, all kept by the page logic.
class MixerPage : public ControlPage {
public:
    uint32_t Device() const { return logic_.Device(); }
    MixerHandle Handle() const { return logic_.Handle(); }
    const MixerPageLogic& Logic() const { return logic_; }

    // The one dialog procedure of both mixer pages; the page object comes in WM_INITDIALOG's lParam.
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    MixerPage(Mixer& mixer, DriverConfig& driver, const MixerPageLayout& layout);
    ~MixerPage() = default;

    // Reads every column back from the device into the dialog's controls.
    void Refresh(HWND dialog);

private:
    static INT_PTR OnInitDialog(HWND dialog, LPARAM lParam);
    static void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam);
    static void OnScroll(HWND dialog, LPARAM lParam, bool isBalance);
    static void OnControlChange(HWND dialog);
    static void OnDestroy(HWND dialog);
    static MixerPage* PageOf(HWND dialog);

    MixerPageLogic logic_;
};

// The master output and five playback sources: volume, balance and mute.
class PlaybackMixerPage final : public MixerPage {
public:
    PlaybackMixerPage(Mixer& mixer, DriverConfig& driver);

    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    DLGPROC GetDialogProc() override;
    void LoadSettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ApplySettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ShowSettings(HWND page) override;
    void ReadControls(HWND page) override;
};

// Four recording sources: recording level, balance and the exclusive choice of the recording source.
class RecordMixerPage final : public MixerPage {
public:
    RecordMixerPage(Mixer& mixer, DriverConfig& driver);

    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    DLGPROC GetDialogProc() override;
    void LoadSettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ApplySettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ShowSettings(HWND page) override;
    void ReadControls(HWND page) override;
};

}  // namespace zv
