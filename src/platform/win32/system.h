// The one place that picks the program's platform implementations: the real Win32 registry, profile,
// library loader, DirectSound and PCI bus, and the driver lookup built on them. They live in
// function-level statics, so they are usable from the static page objects built before the entry runs.
#pragma once

#include "driver/driver_config.h"
#include "platform/library.h"
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
};

SystemServices& System();

}  // namespace zv
