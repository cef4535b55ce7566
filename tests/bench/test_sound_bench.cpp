// Builds one speaker's test sound from a recording on disk with the program's own builder, as the General
// page does before each speaker plays: test_sound_bench DIRECTORY SPEAKER_INDEX ARRANGEMENT. The directory
// ends with a separator and holds the recordings; the sound is written there as zvspker.wav.
#include <cstdio>
#include <cstdlib>

#include "pages/general/test_sound.h"
#include "platform/std_file.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: test_sound_bench DIRECTORY SPEAKER_INDEX ARRANGEMENT\n");
        return 2;
    }
    zv::StdFileSystem files;
    zv::TestSoundResult built = zv::BuildTestSound(files, argv[1], std::atoi(argv[2]), std::atoi(argv[3]));
    return built == zv::TestSoundResult::kBuilt ? 0 : 1;
}
