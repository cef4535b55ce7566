#include <windows.h>

// Installs the simulated card into the current Windows installation (a Wine prefix) as it comes from
// the maker: two speakers chosen, up to six supported, "Stereo X 2" supported.

#include <cstdio>

#include "install/card_fixture.h"

int main() {
    if (!zvsim::InstallCardFixture(zvsim::CardFixture{})) {
        std::fprintf(stderr, "zvsim_install: could not write the card's keys\n");
        return 1;
    }
    std::printf("zvsim_install: simulated ZV930 installed\n");
    return 0;
}
