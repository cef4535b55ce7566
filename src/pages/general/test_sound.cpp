#include "pages/general/test_sound.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

constexpr const char* kTwoSpeakerRecordings[] = {"left.wav", "right.wav"};
constexpr const char* kSpeakerRecordings[] = {"fleft.wav", "fright.wav", "rleft.wav",
                                              "rright.wav", "center.wav", "subw.wav"};

// The canonical header up to the format's last field; "data" follows after at most 100 more bytes.
constexpr uint32_t kHeaderSize = 36;
constexpr uint32_t kCanonicalDataOffset = 44;
constexpr uint32_t kDataScanLimit = 100;
constexpr uint32_t kBlockSize = 1024;
constexpr int32_t kMaxChannels = 6;

// Offsets of the header fields that the build rewrites.
constexpr uint32_t kRiffSizeOffset = 4;
constexpr uint32_t kFormatSizeOffset = 16;
constexpr uint32_t kChannelsOffset = 22;
constexpr uint32_t kBytesPerSecondOffset = 28;
constexpr uint32_t kBlockAlignOffset = 32;
constexpr uint32_t kBitsOffset = 34;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

bool WriteSize(File& file, uint32_t offset, uint32_t value) {
    uint8_t bytes[4];
    Put32(bytes, value);
    return file.Seek(offset) && file.Write(bytes, sizeof bytes);
}

// Finds the "data" chunk: a byte "d" within reach, then "ata" and the 4-byte size. Leaves the source at the
// first sample and returns the number of bytes read after the header, or 0 when the chunk is not there.
uint32_t FindDataChunk(File& source, uint32_t* dataSize) {
    uint32_t scanned = 0;
    uint8_t byte = 0;
    while (scanned < kDataScanLimit && source.Read(&byte, 1) == 1) {
        ++scanned;
        if (byte == 'd') break;
    }
    uint8_t rest[7];
    if (byte != 'd' || source.Read(rest, 3) != 3 || std::memcmp(rest, "ata", 3) != 0) return 0;
    if (source.Read(rest + 3, 4) != 4) return 0;
    *dataSize = Get32(rest + 3);
    return scanned + 7;
}

// Whole samples are moved, so a sample of 8, 16, 24 or 32 bits lands in its channel intact; other sizes are
// moved byte by byte.
uint32_t SampleBytes(uint16_t bitsPerSample) {
    if (bitsPerSample == 0 || bitsPerSample % 8 != 0 || bitsPerSample > 32) return 1;
    return bitsPerSample / 8u;
}

// Moves each sample of a block into its channel's place in the interleaved frames.
template <uint32_t Bytes>
void SpreadSamples(const uint8_t* input, uint32_t samples, uint8_t* output, uint32_t frameBytes) {
    for (uint32_t k = 0; k < samples; ++k) std::memcpy(output + k * frameBytes, input + k * Bytes, Bytes);
}

void SpreadSamples(uint32_t sampleBytes, const uint8_t* input, uint32_t samples, uint8_t* output,
                   uint32_t frameBytes) {
    switch (sampleBytes) {
    case 2: SpreadSamples<2>(input, samples, output, frameBytes); break;
    case 3: SpreadSamples<3>(input, samples, output, frameBytes); break;
    case 4: SpreadSamples<4>(input, samples, output, frameBytes); break;
    default: SpreadSamples<1>(input, samples, output, frameBytes); break;
    }
}

}  // namespace

int32_t SpeakerCount(int32_t shownSpeakerType) {
    switch (shownSpeakerType) {
    case 3:
    case 4:
        return 4;
    case 6:
        return 6;
    default:
        return 2;
    }
}

int32_t TestSoundChannels(int32_t shownSpeakerType) {
    return shownSpeakerType == 3 ? 2 : SpeakerCount(shownSpeakerType);
}

const char* SpeakerRecording(int32_t shownSpeakerType, int32_t speakerIndex) {
    if (speakerIndex < 0) return nullptr;
    if (shownSpeakerType > 3)
        return speakerIndex < kMaxChannels ? kSpeakerRecordings[speakerIndex] : nullptr;
    return speakerIndex < 2 ? kTwoSpeakerRecordings[speakerIndex] : nullptr;
}

std::string ProgramDirectory(const char* fileName) {
    std::string name = fileName ? fileName : "";
    size_t separator = name.find_last_of("\\:");
    if (separator == std::string::npos) separator = 0;
    name.resize(separator);
    return name + '\\';
}

TestSoundResult BuildTestSound(FileSystem& files, const std::string& directory, int32_t speakerIndex,
                               int32_t shownSpeakerType) {
    const uint32_t channels = static_cast<uint32_t>(TestSoundChannels(shownSpeakerType));
    // A speaker without a channel of its own would be written past the frame: nothing is built for it.
    const char* recording = SpeakerRecording(shownSpeakerType, speakerIndex);
    if (!recording || static_cast<uint32_t>(speakerIndex) >= channels) return TestSoundResult::kNotWritten;
    const uint32_t channel = static_cast<uint32_t>(speakerIndex);

    std::unique_ptr<File> source = files.OpenForReading((directory + recording).c_str());
    std::unique_ptr<File> target = files.Create((directory + kTestSoundFile).c_str());
    if (!target) return TestSoundResult::kNotWritten;
    if (!source) return TestSoundResult::kEmpty;

    uint8_t header[kHeaderSize];
    if (source->Read(header, sizeof header) != sizeof header) return TestSoundResult::kEmpty;
    uint32_t dataSize = 0;
    uint32_t afterHeader = FindDataChunk(*source, &dataSize);
    if (afterHeader == 0) return TestSoundResult::kEmpty;
    const uint32_t dataOffset = kHeaderSize + afterHeader;

    if (dataOffset > kCanonicalDataOffset) Put32(header + kFormatSizeOffset, dataOffset - 28);
    Put16(header + kChannelsOffset, channels);
    Put32(header + kBytesPerSecondOffset, Get32(header + kBytesPerSecondOffset) * channels);
    Put16(header + kBlockAlignOffset, Get16(header + kBlockAlignOffset) * channels);
    const uint16_t bitsPerSample = Get16(header + kBitsOffset);
    if (!target->Write(header, sizeof header)) return TestSoundResult::kNotWritten;

    // The filler takes the place of whatever the source holds between its format and "data" chunks.
    uint8_t chunk[kDataScanLimit + 8] = {};
    uint32_t filler = dataOffset - kCanonicalDataOffset;
    std::memcpy(chunk + filler, "data", 4);
    Put32(chunk + filler + 4, dataSize);
    bool writing = target->Write(chunk, filler + 8);

    // 8-bit PCM is unsigned: its silence is the middle value, not zero.
    const uint32_t sampleBytes = SampleBytes(bitsPerSample);
    const uint32_t blockSize = kBlockSize - kBlockSize % sampleBytes;
    uint8_t input[kBlockSize];
    uint8_t output[kMaxChannels * kBlockSize];
    std::memset(output, bitsPerSample == 8 ? 0x80 : 0, sizeof output);

    uint32_t total = 0;
    uint32_t remaining = dataSize;  // what follows the data chunk is not sound
    while (writing && remaining > 0) {
        uint32_t read = source->Read(input, std::min(blockSize, remaining));
        if (read == 0) break;
        remaining -= read;
        uint32_t samples = read / sampleBytes;
        SpreadSamples(sampleBytes, input, samples, output + channel * sampleBytes, channels * sampleBytes);
        uint32_t bytes = samples * sampleBytes * channels;
        writing = target->Write(output, bytes);
        if (writing) total += bytes;
    }

    // The sizes say what was written, also when a write failed; a sound cut short is still not played.
    bool sized = WriteSize(*target, kRiffSizeOffset, dataOffset + total - 8);
    sized = WriteSize(*target, dataOffset - 4, total) && sized;
    return writing && sized ? TestSoundResult::kBuilt : TestSoundResult::kNotWritten;
}

}  // namespace zv
