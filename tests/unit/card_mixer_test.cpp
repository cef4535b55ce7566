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

// The variants differ from the usual card only where they say, and refuse only the selection.
TEST(CardMixerTest, VariantsChangeOnlyWhatTheyName) {
    CardMixer mixer;
    const uint32_t usual = mixer.AddCard();
    sim::CardVariant all;
    all.waveVolumeOnly = all.multiplexerFourth = all.refusesSelection = all.uniformStereo = true;
    const uint32_t variant = mixer.AddCard(sim::kCardManufacturerId, all);
    auto controls = [&](uint32_t card, uint32_t line) {
        U types;
        for (uint32_t type : {kMixerControlVolume, kMixerControlMute, kMixerControlMux})
            types.push_back(mixer.FindControl(card, line, type) != CardMixer::kNoControl);
        return types;
    };
    EXPECT_EQ(controls(usual, sim::kWaveOutLine), (U{1, 1, 0}));
    EXPECT_EQ(controls(variant, sim::kWaveOutLine), (U{1, 0, 0}));
    EXPECT_EQ(mixer.Values(usual, mixer.FindControl(usual, sim::kSynthLine, kMixerControlVolume)).size(), 2u);
    EXPECT_EQ(mixer.Values(variant, mixer.FindControl(variant, sim::kSynthLine, kMixerControlVolume)).size(), 1u);
    EXPECT_EQ(mixer.Values(variant, mixer.FindControl(variant, sim::kRecordCdLine, kMixerControlVolume)).size(), 1u);
    EXPECT_EQ(mixer.Values(variant, mixer.FindControl(variant, sim::kPlaybackCdLine, kMixerControlVolume)).size(), 2u);

    MixerHandle handle = 0;
    ASSERT_EQ(mixer.Open(&handle, variant, nullptr, 0, 0), kMmSysErrNoError);
    MixerControl wavein[4] = {};
    MixerLineControls request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = sim::kWaveInLine;
    request.cControls = 4;
    request.cbmxctrl = sizeof(MixerControl);
    request.pamxctrl = wavein;
    ASSERT_EQ(mixer.GetLineControls(handle, &request, kMixerObjectHMixer), kMmSysErrNoError);
    EXPECT_EQ(wavein[3].dwControlType, kMixerControlMux) << "the multiplexer comes fourth";

    U values = {1, 0, 0, 0};
    MixerControlDetails details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = wavein[3].dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = 4;
    details.cbDetails = 4;
    details.paDetails = values.data();
    EXPECT_EQ(mixer.SetControlDetails(handle, &details, kMixerObjectHMixer), kMmSysErrNotSupported);
    EXPECT_EQ(mixer.Values(variant, wavein[3].dwControlID), (U{0, 0, 1, 0}));
    uint32_t level[2] = {100, 200};
    details.dwControlID = wavein[0].dwControlID;
    details.cChannels = 2;
    details.cMultipleItems = 0;
    details.paDetails = level;
    EXPECT_EQ(mixer.SetControlDetails(handle, &details, kMixerObjectHMixer), kMmSysErrNoError) << "only the selection";
}

}  // namespace
}  // namespace zv
