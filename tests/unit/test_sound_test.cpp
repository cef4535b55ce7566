#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "pages/general/test_sound.h"

namespace zv {
namespace {

using Bytes = std::vector<uint8_t>;

const std::string kDir = "C:\\ZV\\";
const std::string kTarget = kDir + "zvspker.wav";

void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
    Put16(b, at, v);
    Put16(b, at + 2, v >> 16);
}
uint32_t Get16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

// A mono PCM source: the 36-byte header, `between` bytes before "data", the samples, then `after` bytes.
Bytes MakeSource(uint16_t bits, const Bytes& samples, const Bytes& between = {}, const Bytes& after = {},
                 uint32_t declaredSize = 0xFFFFFFFF) {
    Bytes b(36);
    std::memcpy(&b[0], "RIFF", 4);
    std::memcpy(&b[8], "WAVEfmt ", 8);
    Put32(b, 16, 16);
    Put16(b, 20, 1);
    Put16(b, 22, 1);
    Put32(b, 24, 22050);
    Put32(b, 28, 22050 * bits / 8);
    Put16(b, 32, bits / 8);
    Put16(b, 34, bits);
    b.insert(b.end(), between.begin(), between.end());
    const char data[] = "data";
    b.insert(b.end(), data, data + 4);
    b.resize(b.size() + 4);
    Put32(b, b.size() - 4, declaredSize == 0xFFFFFFFF ? uint32_t(samples.size()) : declaredSize);
    b.insert(b.end(), samples.begin(), samples.end());
    b.insert(b.end(), after.begin(), after.end());
    Put32(b, 4, uint32_t(b.size() - 8));
    return b;
}

// 16-bit samples 1, 2, 3, ... count.
Bytes Ramp16(uint32_t count) {
    Bytes b(count * 2);
    for (uint32_t k = 0; k < count; ++k) Put16(b, k * 2, k + 1);
    return b;
}

class TestSoundBuild : public ::testing::Test {
protected:
    bool Build(const std::string& recording, const Bytes& source, int32_t index, int32_t type) {
        files.files[kDir + recording] = source;
        return BuildTestSound(files, kDir, index, type) == TestSoundResult::kBuilt;
    }
    const Bytes& Target() { return files.files[kTarget]; }

    // The 16-bit samples of one channel of the built file, which holds its data at offset p.
    std::vector<uint32_t> Channel16(size_t p, uint32_t channels, uint32_t channel) {
        const Bytes& t = Target();
        std::vector<uint32_t> values;
        for (size_t at = p + channel * 2; at + 1 < t.size(); at += channels * 2) values.push_back(Get16(t, at));
        return values;
    }

    test::FakeFileSystem files;
};

TEST(TestSoundNames, ProgramDirectoryKeepsTheLastSeparatorAsABackslash) {
    const struct { const char* name; const char* dir; } cases[] = {
        {"C:\\Windows\\System\\zvctrl.exe", "C:\\Windows\\System\\"},
        {"C:\\zvctrl.exe", "C:\\"},
        {"C:zvctrl.exe", "C\\"},
        {"zvctrl.exe", "\\"},
        {"", "\\"},
        {"\\\\server\\share\\a.exe", "\\\\server\\share\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgramDirectory(c.name), c.dir) << c.name;
}

TEST(TestSoundNames, ArrangementsGiveSpeakersChannelsAndRecordings) {
    const struct { int32_t type; int32_t speakers; int32_t channels; const char* first; const char* last; } cases[] = {
        {0, 2, 2, "left.wav", "right.wav"},     {1, 2, 2, "left.wav", "right.wav"},
        {2, 2, 2, "left.wav", "right.wav"},     {3, 4, 2, "left.wav", "right.wav"},
        {4, 4, 4, "fleft.wav", "rright.wav"},   {5, 2, 2, "fleft.wav", "fright.wav"},
        {6, 6, 6, "fleft.wav", "subw.wav"},     {-1, 2, 2, "left.wav", "right.wav"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpeakerCount(c.type), c.speakers) << c.type;
        EXPECT_EQ(TestSoundChannels(c.type), c.channels) << c.type;
        EXPECT_STREQ(SpeakerRecording(c.type, 0), c.first) << c.type;
        EXPECT_STREQ(SpeakerRecording(c.type, c.channels - 1), c.last) << c.type;
    }
    EXPECT_EQ(SpeakerRecording(6, 6), nullptr);
    EXPECT_EQ(SpeakerRecording(2, 2), nullptr);
    EXPECT_EQ(SpeakerRecording(6, -1), nullptr);
}

TEST_F(TestSoundBuild, SixSpeakersPutTheRecordingInTheFifthChannel) {
    ASSERT_TRUE(Build("center.wav", MakeSource(16, Ramp16(700)), 4, 6));
    const Bytes& t = Target();
    ASSERT_EQ(t.size(), 44u + 700 * 12);
    EXPECT_EQ(std::string(t.begin(), t.begin() + 4), "RIFF");
    EXPECT_EQ(Get32(t, 4), t.size() - 8);
    EXPECT_EQ(std::string(t.begin() + 8, t.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Get32(t, 16), 16u);
    EXPECT_EQ(Get16(t, 20), 1u);
    EXPECT_EQ(Get16(t, 22), 6u);
    EXPECT_EQ(Get32(t, 24), 22050u);
    EXPECT_EQ(Get32(t, 28), 22050u * 2 * 6);
    EXPECT_EQ(Get16(t, 32), 12u);
    EXPECT_EQ(Get16(t, 34), 16u);
    EXPECT_EQ(std::string(t.begin() + 36, t.begin() + 40), "data");
    EXPECT_EQ(Get32(t, 40), 700u * 12);
    std::vector<uint32_t> expected(700);
    for (uint32_t k = 0; k < 700; ++k) expected[k] = k + 1;
    EXPECT_EQ(Channel16(44, 6, 4), expected);
    for (uint32_t c : {0u, 1u, 2u, 3u, 5u}) EXPECT_EQ(Channel16(44, 6, c), std::vector<uint32_t>(700, 0u)) << c;
}

TEST_F(TestSoundBuild, StereoX2PlaysTheRightRecordingInTheSecondOfTwoChannels) {
    ASSERT_TRUE(Build("right.wav", MakeSource(16, Ramp16(3)), 1, 3));
    EXPECT_EQ(Get16(Target(), 22), 2u);
    EXPECT_EQ(Get16(Target(), 32), 4u);
    EXPECT_EQ(Channel16(44, 2, 1), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(Channel16(44, 2, 0), (std::vector<uint32_t>{0, 0, 0}));
}

TEST_F(TestSoundBuild, ALongerHeaderKeepsItsDataOffsetWithZeroFiller) {
    Bytes between = {'f', 'a', 'c', 't', 0xAA, 0xBB};  // P = 50
    ASSERT_TRUE(Build("left.wav", MakeSource(16, Ramp16(2), between), 0, 2));
    const Bytes& t = Target();
    EXPECT_EQ(Get32(t, 16), 22u);
    EXPECT_EQ(Bytes(t.begin() + 36, t.begin() + 42), Bytes(6, 0));
    EXPECT_EQ(std::string(t.begin() + 42, t.begin() + 46), "data");
    EXPECT_EQ(Get32(t, 46), 8u);
    EXPECT_EQ(Channel16(50, 2, 0), (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(Get32(t, 4), t.size() - 8);
}

TEST_F(TestSoundBuild, RejectedSourcesLeaveAnEmptyTarget) {
    Bytes shortHeader = MakeSource(16, Ramp16(4));
    shortHeader.resize(35);
    Bytes noData = MakeSource(16, Ramp16(4));
    noData[36] = 'x';  // "xata"
    Bytes farData = MakeSource(16, Ramp16(4), Bytes(100, 'x'));
    Bytes shortSize = MakeSource(16, {});
    shortSize.resize(42);
    const struct { const char* what; Bytes source; } cases[] = {
        {"a header shorter than 36 bytes", shortHeader},
        {"a \"d\" in an earlier chunk", MakeSource(16, Ramp16(4), {'L', 'I', 'S', 'T', 'd', 'x', 'y', 'z'})},
        {"no \"data\" tag", noData},
        {"\"data\" beyond 100 bytes", farData},
        {"a short size field", shortSize},
    };
    for (const auto& c : cases) {
        files.files[kTarget] = Bytes(10, 1);
        EXPECT_FALSE(Build("left.wav", c.source, 0, 2)) << c.what;
        EXPECT_TRUE(Target().empty()) << c.what;
    }
}

TEST_F(TestSoundBuild, TheCopyStopsAtTheEndOfTheFileOrOfTheDataChunk) {
    // Declared larger than the file: what was there is written and counted.
    ASSERT_TRUE(Build("left.wav", MakeSource(16, Ramp16(3), {}, {}, 5000), 0, 2));
    EXPECT_EQ(Get32(Target(), 40), 12u);
    EXPECT_EQ(Target().size(), 56u);
    // A chunk after the samples is not sound.
    ASSERT_TRUE(Build("left.wav", MakeSource(16, Ramp16(3), {}, {'L', 'I', 'S', 'T', 4, 0, 0, 0, 1, 2, 3, 4}), 0, 2));
    EXPECT_EQ(Get32(Target(), 40), 12u);
    EXPECT_EQ(Channel16(44, 2, 0), (std::vector<uint32_t>{1, 2, 3}));
    // Across several 1024-byte blocks.
    ASSERT_TRUE(Build("fright.wav", MakeSource(16, Ramp16(1500)), 1, 4));
    std::vector<uint32_t> channel = Channel16(44, 4, 1);
    ASSERT_EQ(channel.size(), 1500u);
    EXPECT_EQ(channel[511], 512u);
    EXPECT_EQ(channel[512], 513u);
    EXPECT_EQ(channel[1499], 1500u);
}

TEST_F(TestSoundBuild, EightBitSilenceIsTheMiddleValue) {
    ASSERT_TRUE(Build("rright.wav", MakeSource(8, {10, 20, 30}), 3, 4));
    Bytes samples(Target().begin() + 44, Target().end());
    EXPECT_EQ(samples, (Bytes{128, 128, 128, 10, 128, 128, 128, 20, 128, 128, 128, 30}));
}

TEST_F(TestSoundBuild, TwentyFourBitSamplesMoveWhole) {
    ASSERT_TRUE(Build("fright.wav", MakeSource(24, {1, 2, 3, 4, 5, 6}), 1, 4));
    Bytes samples(Target().begin() + 44, Target().end());
    Bytes expected(24, 0);
    expected[3] = 1, expected[4] = 2, expected[5] = 3, expected[15] = 4, expected[16] = 5, expected[17] = 6;
    EXPECT_EQ(samples, expected);
}

TEST_F(TestSoundBuild, NothingIsBuiltForASpeakerWithoutAChannel) {
    files.files[kDir + "center.wav"] = MakeSource(16, Ramp16(4));
    files.files[kDir + "left.wav"] = MakeSource(16, Ramp16(4));
    for (auto [index, type] : {std::pair{4, 2}, {4, 3}, {2, 2}, {4, 4}, {6, 6}, {-1, 6}}) {
        EXPECT_EQ(BuildTestSound(files, kDir, index, type), TestSoundResult::kNotWritten) << index << " " << type;
        EXPECT_EQ(files.files.count(kTarget), 0u) << index << " " << type;
    }
}

TEST_F(TestSoundBuild, AReadOnlyTargetKeepsTheOldSoundAndAMissingSourceLeavesItEmpty) {
    files.files[kTarget] = Bytes{9, 9, 9};
    files.readOnly.insert(kTarget);
    files.files[kDir + "left.wav"] = MakeSource(16, Ramp16(4));
    EXPECT_EQ(BuildTestSound(files, kDir, 0, 2), TestSoundResult::kNotWritten);
    EXPECT_EQ(Target(), (Bytes{9, 9, 9}));

    files.readOnly.clear();
    files.files.erase(kDir + "left.wav");
    EXPECT_EQ(BuildTestSound(files, kDir, 0, 2), TestSoundResult::kEmpty);
    EXPECT_TRUE(Target().empty());
}

}  // namespace
}  // namespace zv
