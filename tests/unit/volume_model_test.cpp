#include <gtest/gtest.h>

#include "mixer/volume_model.h"

namespace zv {
namespace {

MixerLineRecord Line(uint32_t channels, uint32_t left, uint32_t right, uint32_t balance = kBalanceCentre) {
    MixerLineRecord record;
    record.line.cChannels = channels;
    record.left = left;
    record.right = right;
    record.balance = balance;
    return record;
}

TEST(VolumeModelTest, VolumePositionsGiveSixteenEvenStepsAtCentre) {
    const uint32_t expected[16] = {65535, 61166, 56797, 52428, 48059, 43690, 39321, 34952,
                                   30583, 26214, 21845, 17476, 13107, 8738,  4369,  0};
    for (uint32_t p = 0; p <= kVolumeSliderMax; ++p) {
        MixerLineRecord record = Line(2, 0, 0);
        ApplySliderPosition(record, p, false);
        EXPECT_EQ(record.left, expected[p]) << "position " << p;
        EXPECT_EQ(record.right, expected[p]) << "position " << p;
    }
}

TEST(VolumeModelTest, BalanceMoveSplitsTheLargerLevel) {
    MixerLineRecord left = Line(2, 65535, 65535);
    ApplySliderPosition(left, 8, true);
    EXPECT_EQ(left.left, 65535u);
    EXPECT_EQ(left.right, 32767u);
    EXPECT_EQ(left.balance, 8u);
    EXPECT_EQ(VolumeSliderPosition(left), 0u);
    ASSERT_TRUE(BalanceFromLevels(left));
    EXPECT_EQ(left.balance, 8u);

    MixerLineRecord right = Line(2, 65535, 65535);
    ApplySliderPosition(right, 24, true);
    EXPECT_EQ(right.left, 32767u);
    EXPECT_EQ(right.right, 65535u);
}

TEST(VolumeModelTest, BalanceEndsSilenceTheOtherChannel) {
    MixerLineRecord hardLeft = Line(2, 30000, 40000);
    ApplySliderPosition(hardLeft, 0, true);
    EXPECT_EQ(hardLeft.left, 40000u);
    EXPECT_EQ(hardLeft.right, 0u);

    MixerLineRecord hardRight = Line(2, 30000, 40000);
    ApplySliderPosition(hardRight, 32, true);
    EXPECT_EQ(hardRight.left, 0u);
    EXPECT_EQ(hardRight.right, 40000u);
}

TEST(VolumeModelTest, LevelsFromAnotherProgramShowAsNearestPositions) {
    MixerLineRecord record = Line(2, 40000, 30000);
    EXPECT_EQ(LineLevel(record), 40000u);
    EXPECT_EQ(VolumeSliderPosition(record), 6u);
    ASSERT_TRUE(BalanceFromLevels(record));
    EXPECT_EQ(record.balance, 12u);
}

TEST(VolumeModelTest, SilenceKeepsTheStoredBalanceForTheNextVolumeMove) {
    MixerLineRecord record = Line(2, 0, 0, 8);
    EXPECT_EQ(VolumeSliderPosition(record), 15u);
    EXPECT_FALSE(BalanceFromLevels(record));
    EXPECT_EQ(record.balance, 8u);
    ApplySliderPosition(record, 0, false);
    EXPECT_EQ(record.left, 65535u);
    EXPECT_EQ(record.right, 32767u);
}

TEST(VolumeModelTest, BalanceMoveDuringSilenceIsStoredAndStaysSilent) {
    MixerLineRecord record = Line(2, 0, 0);
    ApplySliderPosition(record, 20, true);
    EXPECT_EQ(record.balance, 20u);
    EXPECT_EQ(record.left, 0u);
    EXPECT_EQ(record.right, 0u);
}

TEST(VolumeModelTest, VolumeMoveRightOfCentreKeepsRightFull) {
    MixerLineRecord record = Line(2, 0, 0, 28);
    ApplySliderPosition(record, 3, false);
    EXPECT_EQ(record.right, 52428u);
    EXPECT_EQ(record.left, (4 * 52428u) / 16);
}

TEST(VolumeModelTest, MonoLineUsesTheLeftLevelOnly) {
    MixerLineRecord record = Line(1, 1000, 777, 16);
    EXPECT_EQ(LineLevel(record), 1000u);
    ApplySliderPosition(record, 5, false);
    EXPECT_EQ(record.left, 43690u);
    EXPECT_EQ(record.right, 777u);

    ApplySliderPosition(record, 0, true);
    EXPECT_EQ(record.left, 43690u);
    EXPECT_EQ(record.right, 777u);
    EXPECT_EQ(record.balance, 16u);
    EXPECT_FALSE(BalanceFromLevels(record));
    EXPECT_EQ(record.balance, 16u);
}

// A balance needs two levels that can differ: a uniform volume on a stereo line is as a mono line's.
TEST(VolumeModelTest, OnlyLinesWithPerChannelLevelsHaveBalance) {
    const struct {
        uint32_t channels;
        uint32_t volumeFlags;
        bool balance;
    } cases[] = {{2, 0, true}, {4, 0, true}, {1, 0, false}, {2, kMixerControlUniform, false},
                 {4, kMixerControlUniform, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, flags " << c.volumeFlags);
        MixerLineRecord record = Line(c.channels, 30000, 30000, 8);
        record.controls[kVolumeSlot].fdwControl = c.volumeFlags;
        EXPECT_EQ(HasBalance(record), c.balance);
        ApplySliderPosition(record, 0, true);
        EXPECT_EQ(record.balance, c.balance ? 0u : 8u);
        EXPECT_EQ(record.right, c.balance ? 0u : 30000u);
        record.left = 40000;
        record.right = 30000;
        EXPECT_EQ(BalanceFromLevels(record), c.balance);
        EXPECT_EQ(record.balance, c.balance ? 12u : 8u);
    }
}

TEST(VolumeModelTest, EqualLevelsAreCentred) {
    MixerLineRecord record = Line(2, 1234, 1234, 3);
    ASSERT_TRUE(BalanceFromLevels(record));
    EXPECT_EQ(record.balance, 16u);
}

// Whatever the user sets, the next refresh puts both sliders back exactly where they were.
TEST(VolumeModelTest, EveryPositionPairSurvivesTheRoundTrip) {
    for (uint32_t b = 0; b <= kBalanceSliderMax; ++b) {
        for (uint32_t p = 0; p <= kVolumeSliderMax; ++p) {
            MixerLineRecord record = Line(2, 65535, 65535);
            ApplySliderPosition(record, b, true);
            ApplySliderPosition(record, p, false);

            MixerLineRecord shown = Line(2, record.left, record.right, b);
            EXPECT_EQ(VolumeSliderPosition(shown), p) << "p " << p << " b " << b;
            if (BalanceFromLevels(shown)) {
                EXPECT_EQ(shown.balance, b) << "p " << p << " b " << b;
            } else {
                EXPECT_EQ(p, kVolumeSliderMax) << "only silence leaves the balance undefined";
            }
        }
    }
}

TEST(VolumeModelTest, OutOfRangeInputsStayWithinTheSliders) {
    MixerLineRecord loud = Line(2, 0xFFFFFFFFu, 0xFFFF0000u);
    EXPECT_EQ(VolumeSliderPosition(loud), 0u);
    ASSERT_TRUE(BalanceFromLevels(loud));
    EXPECT_LE(loud.balance, kBalanceSliderMax);

    MixerLineRecord record = Line(2, 65535, 65535);
    ApplySliderPosition(record, 40, true);
    EXPECT_EQ(record.balance, kBalanceSliderMax);
    ApplySliderPosition(record, 99, false);
    EXPECT_EQ(record.left, 0u);
    EXPECT_EQ(record.right, 0u);
}

}  // namespace
}  // namespace zv
