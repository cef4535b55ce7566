// The "Playback Mixer" and "Record Mixer" tabs: two pages of one kind, which shows the card's mixer lines
// on the page's track bars and check boxes and writes every move to the device at once.
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
    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    // Reads every column back from the device into the dialog's controls.
    void ShowSettings(HWND dialog) override;

    uint32_t Device() const { return logic_.Device(); }
    MixerHandle Handle() const { return logic_.Handle(); }
    const MixerPageLogic& Logic() const { return logic_; }

protected:
    MixerPage(Mixer& mixer, DriverConfig& driver, const MixerPageLayout& layout, UINT titleId, int templateId);
    ~MixerPage() = default;

private:
    void OnInitDialog(HWND dialog) override;
    void OnDestroy(HWND dialog) override;
    bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam);
    void OnScroll(HWND dialog, LPARAM lParam, bool isBalance);

    MixerPageLogic logic_;
    UINT titleId_;
    int templateId_;
};

// The master output and five playback sources: volume, balance and mute.
class PlaybackMixerPage final : public MixerPage {
public:
    PlaybackMixerPage(Mixer& mixer, DriverConfig& driver);
};

// Four recording sources: recording level, balance and the exclusive choice of the recording source.
class RecordMixerPage final : public MixerPage {
public:
    RecordMixerPage(Mixer& mixer, DriverConfig& driver);
};

}  // namespace zv
