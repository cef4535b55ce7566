#include <windows.h>

// The composition root of zvctrl_sim.exe, the program of the demo and the tests: the same services and
// page objects as zvctrl.exe's, with the simulated card's mixer, and with its wave player when the
// simulator's "SimulatedPlayer" setting asks for it.

#include "app/resident_main.h"
#include "app/tray_window.h"
#include "dll/sim_common.h"
#include "install/card_fixture.h"
#include "model/card_mixer.h"
#include "pages/effects/effects_page.h"
#include "pages/general/general_page.h"
#include "pages/mixer/mixer_page.h"
#include "platform/win32/mci_wave_player.h"
#include "platform/win32/win32_file.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_pci.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"
#include "player/sim_wave_player.h"

using namespace zv;

namespace {

// The simulated card, reporting the manufacturer id its installed driver stores, so the pages choose it as
// they would the real card. Its change notices reach the window that opened it as the system's would: posted.
class SimulatedCardMixer : public sim::CardMixer {
public:
    SimulatedCardMixer() {
        AddCard(zvsim::CardFixture{}.manufactureId);
        SetNotifier(PostControlChange);
    }
};

// The speaker test sounds through the system's wave device, so that the demo is heard; the tests set
// "SimulatedPlayer" to have each sound recorded instead.
WavePlayer& ChosenPlayer(WavePlayer& system, WavePlayer& simulated) {
    return zvsim::Setting("SimulatedPlayer", 0) ? simulated : system;
}

Win32Registry registry;
Win32Profile profile;
Win32LibraryLoader libraries;
Win32SoundSystem sound;
Win32PciBus pci;
DriverConfig driver(registry, profile, pci);
Win32FileSystem files;
SimulatedCardMixer mixer;
MciWavePlayer systemPlayer;
zvsim::SimWavePlayer simulatedPlayer;
WavePlayer& player = ChosenPlayer(systemPlayer, simulatedPlayer);
Win32DebugOutput debugOutput;

SoundDeviceList soundDevices;
PanelContext panel{sound, driver, soundDevices};
TrayWindow tray(libraries, sound, soundDevices, panel);
Removal removal(registry, libraries, driver, files, panel, tray);

GeneralPage generalPage(registry, driver, libraries, sound, debugOutput, files, player, panel.helpRequests, removal);
EffectsPage effectsPage(registry);
PlaybackMixerPage playbackMixerPage(mixer, driver);
RecordMixerPage recordMixerPage(mixer, driver);

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    panel.pages = {{&generalPage, &effectsPage, &playbackMixerPage, &recordMixerPage}, 4};
    return RunResidentProgram(instance, commandLine, {registry, libraries, sound, soundDevices, panel.pages, tray});
}
