// The one place that picks the program's platform implementations: the real Win32 registry, profile,
// library loader, DirectSound, PCI bus and mixer, and the driver lookup built on them. They live in
// function-level statics, so they are usable from the static page objects built before the entry runs.
// Built with ZV_SIMULATED_MIXER, the mixer is the simulated card's instead (zvctrl_sim.exe, for the demo).
#pragma once

#include "driver/driver_config.h"
#include "platform/library.h"
#include "platform/mixer.h"
#include "platform/pci.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/sound.h"

namespace zv {

struct SystemServices {
    Registry& registry;
    Profile& profile;
    LibraryLoader& libraries;
    SoundSystem& sound;
    PciBus& pci;
    DriverConfig& driver;
    Mixer& mixer;
};

SystemServices& System();

}  // namespace zv
