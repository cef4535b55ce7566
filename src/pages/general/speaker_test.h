// The General page's speaker test without its window: which speaker a picture or "Test All" plays, the
// build and playing of each speaker's sound, the run from one speaker to the next, and where the pictures
// and the indicator of the sounding speaker go.
#pragma once

#include <cstdint>
#include <string>

#include "panel/centering.h"
#include "platform/file.h"
#include "platform/types.h"
#include "platform/wave_player.h"

namespace zv {

// What the test asks of the page window and the system around it.
class SpeakerTestWindow {
public:
    virtual ~SpeakerTestWindow() = default;
    virtual std::string ProgramFileName() = 0;
    // The wait cursor while a sound is built, and the cursor it replaced afterwards.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // Repaints window's "Speaker Test" box, so the indicator appears or goes; nothing when it has none.
    virtual void RedrawTestBox(WindowHandle window) = 0;
    virtual void ShowMciError(WindowHandle owner, uint32_t code) = 0;
    // Blocks the thread without handling messages.
    virtual void WaitSeconds(uint32_t seconds) = 0;
};

constexpr int32_t kSpeakerPositions = 6;

// The first rectangle of speakers[0..count) that holds point (right and bottom edges excluded), or -1.
int32_t SpeakerAt(const ScreenRect* speakers, int32_t count, ScreenPoint point);
// Where the indicator goes beside a speaker, in page coordinates: left of the right-hand speakers (1 and
// 3), right of the others, its top edge at the speaker's vertical middle.
ScreenPoint IndicatorOrigin(int32_t speakerIndex, const ScreenRect& speaker, const ScreenRect& page,
                            int32_t indicatorWidth);

class SpeakerTest {
public:
    // shownSpeakerType is the arrangement last read from the driver, which the pictures follow.
    SpeakerTest(WavePlayer& player, FileSystem& files, SpeakerTestWindow& window, const int32_t& shownSpeakerType);

    // A picture's command (its control id) or "Test All": chooses the speakers, then starts or stops.
    void OnCommand(int commandId, WindowHandle page);
    // Stops a playing sound, or builds and plays the current speaker's.
    void Toggle(WindowHandle window);
    // The end notification of a sound: the next speaker of the run, or the end of the run.
    void OnSoundEnd(uint32_t notifyCode, WindowHandle page);
    // A new showing of the page starts from the first speaker, idle.
    void Reset();

    bool Playing() const { return playing_; }
    int32_t SpeakerIndex() const { return speakerIndex_; }
    int32_t SpeakerEnd() const { return speakerEnd_; }
    int32_t SpeakerCount() const;
    // The speakers the indicator is drawn beside while playing: the sounding one and, in "Stereo X 2",
    // the rear speaker on the same side. Returns how many of the two entries it filled.
    int32_t IndicatedSpeakers(int32_t (&indexes)[2]) const;

private:
    void CloseDevice(WindowHandle owner);
    // The program's directory, where the recordings are and the test sound is built.
    std::string Directory();

    WavePlayer& player_;
    FileSystem& files_;
    SpeakerTestWindow& window_;
    const int32_t& shownSpeakerType_;
    WaveDeviceId device_ = 0;
    int32_t speakerIndex_ = 0;
    int32_t speakerEnd_ = 0;  // a run plays from speakerIndex_ while below this, and at least one speaker
    bool playing_ = false;
};

}  // namespace zv
