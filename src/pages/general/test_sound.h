// The speaker test's sound: the mono recording of one speaker, kept beside the program, written into that
// speaker's channel of a multi-channel PCM wave file whose other channels are silent, so that it sounds on
// that speaker alone.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file.h"

namespace zv {

// The built sound, in the program's directory; rebuilt for every speaker, deleted after it has played.
constexpr const char kTestSoundFile[] = "zvspker.wav";

// Speakers shown for an arrangement code: 2, 4 ("Stereo X 2" and four speakers) or 6.
int32_t SpeakerCount(int32_t shownSpeakerType);
// Channels of the built sound: "Stereo X 2" plays its two channels on four speakers.
int32_t TestSoundChannels(int32_t shownSpeakerType);
// The recording of a speaker index (front left, front right, rear left, rear right, center, subwoofer),
// or null for an index the arrangement has no recording for.
const char* SpeakerRecording(int32_t shownSpeakerType, int32_t speakerIndex);

// The directory of a full file name, with its trailing backslash: everything up to the last backslash or
// colon, that separator written as a backslash. A bare name gives "\".
std::string ProgramDirectory(const char* fileName);

enum class TestSoundResult {
    kBuilt,
    // The source was missing, too short or without a "data" chunk within reach: the file is left empty,
    // and the wave device reports why when it is opened.
    kEmpty,
    // Nothing usable could be written (no channel for that index, a file that cannot be created or
    // written): whatever the file holds belongs to another sound.
    kNotWritten,
};

// Builds directory + "zvspker.wav" for speakerIndex of the arrangement.
TestSoundResult BuildTestSound(FileSystem& files, const std::string& directory, int32_t speakerIndex,
                               int32_t shownSpeakerType);

}  // namespace zv
