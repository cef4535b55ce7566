// Fuzzes the speaker test's sound builder: one source recording of any bytes, built for every arrangement
// code and speaker index. The builder may read and write only inside its blocks, and every file it builds
// must have the layout the wave device expects: the source's header with the channel count and rates of
// the arrangement, "data" where the source had it, sizes that match what was written, and the recording in
// the speaker's channel with every other channel silent. Modes with a full disk, a read-only target and a
// missing source check the failing paths.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "fuzz_input.h"
#include "pages/general/test_sound.h"

namespace {

using zv::fuzz::FuzzInput;
using Bytes = std::vector<uint8_t>;

const std::string kDirectory = "C:\\ZV\\";
const char* const kRecordings[] = {"left.wav",  "right.wav", "fleft.wav",  "fright.wav",
                                   "rleft.wav", "rright.wav", "center.wav", "subw.wav"};

uint32_t Get16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

// Files whose writes stop succeeding once the disk has no more room: a write that does not fit writes
// nothing and fails.
class FullDisk : public zv::FileSystem {
public:
    FullDisk(zv::test::FakeFileSystem& files, uint32_t room) : files_(files), room_(room) {}
    std::unique_ptr<zv::File> OpenForReading(const char* path) override { return files_.OpenForReading(path); }
    std::unique_ptr<zv::File> Create(const char* path) override {
        std::unique_ptr<zv::File> file = files_.Create(path);
        if (!file) return nullptr;
        return std::make_unique<Limited>(std::move(file), room_);
    }
    bool Delete(const char* path) override { return files_.Delete(path); }

private:
    class Limited : public zv::File {
    public:
        Limited(std::unique_ptr<zv::File> file, uint32_t& room) : file_(std::move(file)), room_(room) {}
        uint32_t Read(void* buffer, uint32_t size) override { return file_->Read(buffer, size); }
        bool Write(const void* data, uint32_t size) override {
            if (size > room_) return false;
            room_ -= size;
            return file_->Write(data, size);
        }
        bool Seek(uint32_t offset) override { return file_->Seek(offset); }

    private:
        std::unique_ptr<zv::File> file_;
        uint32_t& room_;
    };

    zv::test::FakeFileSystem& files_;
    uint32_t room_;
};

// Where the source's samples start and how many bytes it declares, found as a reader of the format would:
// the 36-byte header, then the first "d" within 100 bytes, which must begin "data" and a whole size field.
bool FindData(const Bytes& source, uint32_t* first, uint32_t* declared) {
    if (source.size() < 36) return false;
    size_t at = 36;
    size_t scanned = 0;
    bool found = false;
    while (scanned < 100 && at < source.size()) {
        ++scanned;
        if (source[at++] == 'd') {
            found = true;
            break;
        }
    }
    if (!found || at + 7 > source.size() || std::memcmp(&source[at], "ata", 3) != 0) return false;
    *declared = Get32(source, at + 3);
    *first = static_cast<uint32_t>(at + 7);
    return true;
}

uint32_t SampleBytes(uint32_t bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32 ? bits / 8 : 1; }

void CheckBuilt(const Bytes& source, const Bytes& built, int32_t type, int32_t index) {
    uint32_t first = 0;
    uint32_t declared = 0;
    ZV_FUZZ_CHECK(FindData(source, &first, &declared));
    const uint32_t channels = static_cast<uint32_t>(zv::TestSoundChannels(type));
    ZV_FUZZ_CHECK(channels == 2 || channels == 4 || channels == 6);
    ZV_FUZZ_CHECK(static_cast<uint32_t>(index) < channels);
    ZV_FUZZ_CHECK(built.size() >= first);

    // The header: the source's, with the arrangement's channels and rates.
    for (size_t i = 0; i < 36; ++i) {
        const bool rewritten = (i >= 4 && i < 8) || (i >= 16 && i < 20 && first > 44) || (i >= 22 && i < 24) ||
                               (i >= 28 && i < 34);
        if (!rewritten) ZV_FUZZ_CHECK(built[i] == source[i]);
    }
    if (first > 44) ZV_FUZZ_CHECK(Get32(built, 16) == first - 28);
    ZV_FUZZ_CHECK(Get16(built, 22) == channels);
    ZV_FUZZ_CHECK(Get32(built, 28) == static_cast<uint32_t>(Get32(source, 28) * channels));
    ZV_FUZZ_CHECK(Get16(built, 32) == ((Get16(source, 32) * channels) & 0xFFFF));
    for (uint32_t i = 36; i < first - 8; ++i) ZV_FUZZ_CHECK(built[i] == 0);
    ZV_FUZZ_CHECK(std::memcmp(&built[first - 8], "data", 4) == 0);

    // The sizes: what was written, in whole frames of the source's samples.
    const uint32_t sampleBytes = SampleBytes(Get16(source, 34));
    const uint32_t available = std::min<uint64_t>(declared, source.size() - first);
    const uint32_t samples = available / sampleBytes;
    const uint32_t total = Get32(built, first - 4);
    ZV_FUZZ_CHECK(total == samples * sampleBytes * channels);
    ZV_FUZZ_CHECK(built.size() == first + total);
    ZV_FUZZ_CHECK(Get32(built, 4) == built.size() - 8);

    // The samples: the recording in the speaker's channel, silence in every other.
    const uint8_t silence = Get16(source, 34) == 8 ? 0x80 : 0;
    for (uint32_t k = 0; k < samples; ++k) {
        for (uint32_t c = 0; c < channels; ++c) {
            const uint8_t* out = &built[first + (k * channels + c) * sampleBytes];
            for (uint32_t b = 0; b < sampleBytes; ++b) {
                if (c == static_cast<uint32_t>(index)) ZV_FUZZ_CHECK(out[b] == source[first + k * sampleBytes + b]);
                else ZV_FUZZ_CHECK(out[b] == silence);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t mode = in.U8();
    const bool diskFull = (mode & 1) != 0;
    const bool targetReadOnly = (mode & 2) != 0;
    const bool sourceMissing = (mode & 4) != 0;
    const uint32_t room = in.U16();
    const Bytes source = in.Take(in.Left());

    for (int32_t type = -1; type <= 7; ++type) {
        for (int32_t index = -1; index <= 6; ++index) {
            zv::test::FakeFileSystem files;
            if (!sourceMissing)
                for (const char* recording : kRecordings) files.files[kDirectory + recording] = source;
            const std::string target = kDirectory + zv::kTestSoundFile;
            files.files[target] = {'o', 'l', 'd'};
            if (targetReadOnly) files.readOnly.insert(target);

            FullDisk full(files, room);
            zv::FileSystem& used = diskFull ? static_cast<zv::FileSystem&>(full) : files;
            const zv::TestSoundResult outcome = zv::BuildTestSound(used, kDirectory, index, type);
            const bool built = outcome == zv::TestSoundResult::kBuilt;
            const Bytes& result = files.files[target];
            // What the speaker test plays is either this speaker's whole sound or an empty file.
            if (outcome == zv::TestSoundResult::kEmpty) ZV_FUZZ_CHECK(result.empty());

            const char* recording = zv::SpeakerRecording(type, index);
            const bool hasChannel = recording && index >= 0 && index < zv::TestSoundChannels(type);
            if (!hasChannel) {
                // Nothing is built for a speaker without a channel, and the old sound stays.
                ZV_FUZZ_CHECK(outcome == zv::TestSoundResult::kNotWritten);
                ZV_FUZZ_CHECK(result == (Bytes{'o', 'l', 'd'}));
                continue;
            }
            if (targetReadOnly || sourceMissing) {
                // Without both files nothing is built; a target that could be created is left empty.
                ZV_FUZZ_CHECK(outcome == (targetReadOnly ? zv::TestSoundResult::kNotWritten
                                                         : zv::TestSoundResult::kEmpty));
                ZV_FUZZ_CHECK(result == (targetReadOnly ? Bytes{'o', 'l', 'd'} : Bytes{}));
                continue;
            }
            uint32_t first = 0;
            uint32_t declared = 0;
            const bool readable = FindData(source, &first, &declared);
            if (diskFull) {
                // A header that cannot be written is nothing usable either.
                ZV_FUZZ_CHECK(!built || readable);
                continue;
            }
            ZV_FUZZ_CHECK(built == readable);
            if (built) CheckBuilt(source, result, type, index);
            else ZV_FUZZ_CHECK(result.empty());
        }
    }
    return 0;
}
