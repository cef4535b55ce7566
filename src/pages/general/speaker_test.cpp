#include "pages/general/speaker_test.h"

#include "pages/general/speaker_option.h"
#include "pages/general/test_sound.h"
#include "res/resource.h"

namespace zv {

int32_t SpeakerAt(const ScreenRect* speakers, int32_t count, ScreenPoint point) {
    for (int32_t i = 0; i < count; ++i) {
        const ScreenRect& r = speakers[i];
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return i;
    }
    return -1;
}

ScreenPoint IndicatorOrigin(int32_t speakerIndex, const ScreenRect& speaker, const ScreenRect& page,
                            int32_t indicatorWidth) {
    bool rightHand = speakerIndex == 1 || speakerIndex == 3;
    int32_t x = rightHand ? speaker.left - indicatorWidth : speaker.right;
    return {x - page.left, (speaker.top + speaker.bottom - 2 * page.top) / 2};
}

SpeakerTest::SpeakerTest(WavePlayer& player, FileSystem& files, SpeakerTestWindow& window,
                         const int32_t& shownSpeakerType)
    : player_(player), files_(files), window_(window), shownSpeakerType_(shownSpeakerType) {}

int32_t SpeakerTest::SpeakerCount() const { return zv::SpeakerCount(shownSpeakerType_); }

int32_t SpeakerTest::IndicatedSpeakers(int32_t (&indexes)[2]) const {
    indexes[0] = speakerIndex_;
    if (shownSpeakerType_ != kSpeakersStereoX2) return 1;
    indexes[1] = speakerIndex_ + 2;
    return 2;
}

void SpeakerTest::Reset() {
    speakerIndex_ = 0;
    speakerEnd_ = 0;
    playing_ = false;
}

void SpeakerTest::OnCommand(int commandId, WindowHandle page) {
    const bool stereoX2 = shownSpeakerType_ == kSpeakersStereoX2;
    int32_t index = 0;
    switch (commandId) {
    case IDC_SPEAKER_FRONT_LEFT: index = 0; break;
    case IDC_SPEAKER_FRONT_RIGHT: index = 1; break;
    // In "Stereo X 2" the rear speakers carry the front channels of their side.
    case IDC_SPEAKER_REAR_LEFT: index = stereoX2 ? 0 : 2; break;
    case IDC_SPEAKER_REAR_RIGHT: index = stereoX2 ? 1 : 3; break;
    case IDC_SPEAKER_CENTER: index = 4; break;
    case IDC_SPEAKER_SUBWOOFER: index = 5; break;
    case IDC_TEST_ALL:
        speakerIndex_ = 0;
        speakerEnd_ = stereoX2 ? 2 : SpeakerCount();
        Toggle(page);
        return;
    default:
        return;
    }
    speakerIndex_ = index;
    speakerEnd_ = index;
    Toggle(page);
}

std::string SpeakerTest::Directory() { return ProgramDirectory(window_.ProgramFileName().c_str()); }

void SpeakerTest::CloseDevice(WindowHandle owner) {
    // An error box lets other messages through, a click that opens the next sound among them: the device
    // is forgotten and closed before any box is shown.
    const WaveDeviceId device = device_;
    device_ = 0;
    if (device == 0) return;
    const uint32_t stopError = player_.Stop(device);
    const uint32_t closeError = player_.Close(device);
    if (stopError) window_.ShowMciError(owner, stopError);
    if (closeError) window_.ShowMciError(owner, closeError);
}

void SpeakerTest::Toggle(WindowHandle window) {
    if (playing_) {
        playing_ = false;
        CloseDevice(window);
        window_.RedrawTestBox(window);
        return;
    }
    // A command for a speaker the arrangement has no channel for plays nothing.
    if (speakerIndex_ < 0 || speakerIndex_ >= TestSoundChannels(shownSpeakerType_)) return;

    const std::string directory = Directory();
    window_.BeginWait();
    const TestSoundResult built = BuildTestSound(files_, directory, speakerIndex_, shownSpeakerType_);
    window_.EndWait();
    // A file that could not be written holds another speaker's sound. A missing recording leaves it
    // empty, and the device then says why it cannot play it.
    if (built == TestSoundResult::kNotWritten) return;

    WaveDeviceId device = 0;
    if (uint32_t code = player_.Open((directory + kTestSoundFile).c_str(), &device)) {
        window_.ShowMciError(window, code);
        return;
    }
    device_ = device;
    if (uint32_t code = player_.Play(device_, window)) {
        CloseDevice(window);
        window_.ShowMciError(window, code);
        return;
    }
    playing_ = true;
    window_.RedrawTestBox(window);
}

void SpeakerTest::OnSoundEnd(uint32_t notifyCode, WindowHandle page) {
    // Stopped, superseded and failed sounds end the run where it was stopped, not here.
    if (notifyCode != kWaveNotifySuccessful) return;
    CloseDevice(page);
    // A sound started from inside an error box owns the test now.
    if (device_ != 0) return;
    files_.Delete((Directory() + kTestSoundFile).c_str());
    window_.WaitSeconds(1);
    ++speakerIndex_;
    if (playing_ && speakerIndex_ < speakerEnd_) {
        playing_ = false;
        Toggle(page);
        // A next speaker that did not start ends the run: its indicator goes.
        if (!playing_ && device_ == 0) window_.RedrawTestBox(page);
        return;
    }
    speakerIndex_ = 0;
    speakerEnd_ = 0;
    playing_ = false;
    window_.RedrawTestBox(page);
}

}  // namespace zv
