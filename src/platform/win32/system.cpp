#include <windows.h>

#include "platform/win32/system.h"
#include "platform/win32/mci_wave_player.h"
#include "platform/win32/win32_file.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_pci.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"

#if defined(ZV_SIMULATED_CARD)
#include "install/card_fixture.h"
#include "dll/sim_common.h"
#include "model/card_mixer.h"
#include "player/sim_wave_player.h"
#endif

namespace zv {
namespace {

#if defined(ZV_SIMULATED_CARD)
// The simulated card, reporting the manufacturer id its installed driver stores, so the pages choose it as
// they would the real card. Its change notices reach the window that opened it as the system's would: posted.
class SimulatedCardMixer : public sim::CardMixer {
public:
    SimulatedCardMixer() {
        AddCard(zvsim::CardFixture{}.manufactureId);
        SetNotifier(PostControlChange);
    }
};

Mixer& ChosenMixer() {
    static SimulatedCardMixer mixer;
    return mixer;
}

// The speaker test sounds through the system's wave device, so that the demo is heard; the tests set
// "SimulatedPlayer" to have each sound recorded instead.
WavePlayer& ChosenPlayer() {
    static MciWavePlayer system;
    static zvsim::SimWavePlayer simulated;
    if (zvsim::Setting("SimulatedPlayer", 0)) return simulated;
    return system;
}
#else
Mixer& ChosenMixer() {
    static Win32Mixer mixer;
    return mixer;
}

WavePlayer& ChosenPlayer() {
    static MciWavePlayer player;
    return player;
}
#endif

}  // namespace

SystemServices& System() {
    static Win32Registry registry;
    static Win32Profile profile;
    static Win32LibraryLoader libraries;
    static Win32SoundSystem sound;
    static Win32PciBus pci;
    static DriverConfig driver(registry, profile, pci);
    static Win32FileSystem files;
    static SystemServices services{registry, profile, libraries, sound, pci, driver, ChosenMixer(), files,
                                   ChosenPlayer()};
    return services;
}

}  // namespace zv
