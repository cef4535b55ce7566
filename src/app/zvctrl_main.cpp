#include <windows.h>

// The composition root of zvctrl.exe: the system's services and the four page objects, built here, in one
// translation unit, so that they are constructed in tab order before the entry runs, and live until the
// process ends.

#include "app/resident_main.h"
#include "app/tray_window.h"
#include "pages/effects/effects_page.h"
#include "pages/general/general_page.h"
#include "pages/mixer/mixer_page.h"
#include "platform/win32/mci_wave_player.h"
#include "platform/win32/win32_file.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_pci.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_sound.h"

using namespace zv;

namespace {

Win32Registry registry;
Win32Profile profile;
Win32LibraryLoader libraries;
Win32SoundSystem sound;
Win32PciBus pci;
DriverConfig driver(registry, profile, pci);
Win32FileSystem files;
Win32Mixer mixer;
MciWavePlayer player;
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
