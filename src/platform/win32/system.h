// The one place that picks the program's platform implementations: the real Win32 registry, profile,
// library loader, DirectSound, PCI bus and mixer, and the driver lookup built on them. They live in
// function-level statics, so they are usable from the static page objects built before the entry runs.
// Built with ZV_SIMULATED_CARD, the mixer is the simulated card's instead, and so is the wave player when
// the simulator's "SimulatedPlayer" setting asks for it (zvctrl_sim.exe, for the demo and the tests).
#pragma once

#include "driver/driver_config.h"
#include "platform/file.h"
#include "platform/library.h"
#include "platform/mixer.h"
#include "platform/pci.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/wave_player.h"

namespace zv {

struct SystemServices {
    Registry& registry;
    Profile& profile;
    LibraryLoader& libraries;
    SoundSystem& sound;
    PciBus& pci;
    DriverConfig& driver;
    Mixer& mixer;
    FileSystem& files;
    WavePlayer& player;
};

SystemServices& System();

}  // namespace zv
