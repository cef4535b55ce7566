// The modal "Zolvane Control Panel" dialog that the tray's Open command runs: one tab per page, OK,
// Cancel and Apply, the driver version and context help.
#pragma once

#include <windows.h>

#include <cstdint>

#include "driver/card_sound.h"
#include "driver/driver_config.h"
#include "panel/page_set.h"
#include "platform/sound.h"

namespace zv {

// What the dialog works with. The program's root builds it once; it outlives every opening.
struct PanelContext {
    SoundSystem& sound;
    DriverConfig& driver;
    const SoundDeviceList& devices;  // the card's devices; every session uses the first, or the default
    PageList pages = {};             // the root fills it before the entry runs
    HWND openPanel = nullptr;        // the dialog while it is open
    // Raised by every help request to the dialog; the General page clears it when a click starts, so that
    // a click that picked a control for help does not act on that control.
    int32_t helpRequests = 0;
};

// Runs the dialog modally, owned by owner, until it closes (or goes down with its owner).
void RunControlPanel(HWND owner, PanelContext& context);

INT_PTR CALLBACK ControlPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zv
