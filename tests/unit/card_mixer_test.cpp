#include <gtest/gtest.h>

#include <vector>

#include "model/card_mixer.h"

namespace zv {
namespace {

using sim::CardMixer;
using U = std::vector<uint32_t>;

struct Posted {
    WindowHandle window;
    uintptr_t handle;
    uint32_t control;
    bool operator==(const Posted& o) const { return window == o.window && handle == o.handle && control == o.control; }
};

WindowHandle Window(uintptr_t n) { return reinterpret_cast<WindowHandle>(n); }

TEST(CardMixerTest, EveryChangeReachesEachWindowThatOpenedTheDevice) {
    CardMixer mixer;
    const uint32_t card = mixer.AddCard();
    const uint32_t other = mixer.AddCard();
    std::vector<Posted> posted;
    mixer.SetNotifier([&](WindowHandle w, uintptr_t h, uint32_t c) { posted.push_back({w, h, c}); });

    MixerHandle page = 0, program = 0, silent = 0, elsewhere = 0;
    ASSERT_EQ(mixer.Open(&page, card, Window(1), 0, kCallbackWindow), kMmSysErrNoError);
    ASSERT_EQ(mixer.Open(&program, card, Window(2), 0, kCallbackWindow), kMmSysErrNoError);
    ASSERT_EQ(mixer.Open(&silent, card, Window(3), 0, 0), kMmSysErrNoError);
    ASSERT_EQ(mixer.Open(&elsewhere, other, Window(4), 0, kCallbackWindow), kMmSysErrNoError);

    const uint32_t mute = mixer.FindControl(card, sim::kWaveOutLine, kMixerControlMute);
    uint32_t on = 1;
    MixerControlDetails details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = mute;
    details.cChannels = 1;
    details.cbDetails = 4;
    details.paDetails = &on;
    ASSERT_EQ(mixer.SetControlDetails(program, &details, kMixerObjectHMixer), kMmSysErrNoError);
    EXPECT_EQ(posted, (std::vector<Posted>{{Window(1), page, mute}, {Window(2), program, mute}}));

    posted.clear();
    mixer.ChangeValues(card, mute, {0});
    EXPECT_EQ(posted.size(), 2u);
    mixer.Close(page);
    mixer.ChangeValues(card, mute, {1});
    EXPECT_EQ(posted.size(), 3u);
}

TEST(CardMixerTest, MultiplexerKeepsExactlyOneSourceSelected) {
    CardMixer mixer;
    const uint32_t card = mixer.AddCard();
    MixerHandle handle = 0;
    ASSERT_EQ(mixer.Open(&handle, card, nullptr, 0, 0), kMmSysErrNoError);
    const uint32_t mux = mixer.FindControl(card, sim::kWaveInLine, kMixerControlMux);
    U values = {0, 1, 1, 0};
    MixerControlDetails details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = mux;
    details.cChannels = 1;
    details.cMultipleItems = 4;
    details.cbDetails = 4;
    details.paDetails = values.data();
    EXPECT_EQ(mixer.SetControlDetails(handle, &details, kMixerObjectHMixer), kMixerErrInvalValue);
    values = {0, 0, 0, 0};
    EXPECT_EQ(mixer.SetControlDetails(handle, &details, kMixerObjectHMixer), kMixerErrInvalValue);
    values = {1, 0, 0, 0};
    EXPECT_EQ(mixer.SetControlDetails(handle, &details, kMixerObjectHMixer), kMmSysErrNoError);
    EXPECT_EQ(mixer.Values(card, mux), (U{1, 0, 0, 0}));
}

TEST(CardMixerTest, ControlsAreOnlyListedForTheLinesExactCount) {
    CardMixer mixer;
    const uint32_t card = mixer.AddCard();
    MixerControl controls[3] = {};
    MixerLineControls request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = sim::kWaveOutLine;
    request.cControls = 3;
    request.cbmxctrl = sizeof(MixerControl);
    request.pamxctrl = controls;
    EXPECT_EQ(mixer.GetLineControls(card, &request, kMixerGetLineControlsAll), kMmSysErrInvalParam);
    request.cControls = 2;
    ASSERT_EQ(mixer.GetLineControls(card, &request, kMixerGetLineControlsAll), kMmSysErrNoError);
    EXPECT_EQ(controls[0].dwControlType, kMixerControlVolume);
    EXPECT_EQ(controls[1].dwControlType, kMixerControlMute);
    EXPECT_EQ(controls[2].cbStruct, 0u) << "nothing written past the line's controls";
}

}  // namespace
}  // namespace zv
