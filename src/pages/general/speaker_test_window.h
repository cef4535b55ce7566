// The speaker test on the General page window: the pictures and the indicator, the cursor over a speaker,
// a click on a speaker, and what the test asks of the system (wait cursor, error boxes, the pause).
#pragma once

#include <windows.h>

#include "pages/general/speaker_test.h"
#include "platform/win32/ui.h"

namespace zv {

class Win32SpeakerTestWindow final : public SpeakerTestWindow {
public:
    std::string ProgramFileName() override;
    void BeginWait() override;
    void EndWait() override;
    void RedrawTestBox(WindowHandle window) override;
    void ShowMciError(WindowHandle owner, uint32_t code) override;
    void WaitSeconds(uint32_t seconds) override;

private:
    WaitCursor cursor_;
};

void PaintSpeakerTest(HWND page, const SpeakerTest& test);
// Shows the speaker cursor when the mouse is over a shown speaker; false leaves the default cursor.
bool SetSpeakerCursor(HWND page, const SpeakerTest& test);
// A button release over a shown speaker posts that speaker's command to the page, unless it ends a click of
// the help mode (helpRequests is not 0).
void ClickSpeaker(HWND page, const SpeakerTest& test, int32_t helpRequests);

// The part of a page window that a control covers, in the page's coordinates.
RECT ControlArea(HWND page, int controlId);

}  // namespace zv
