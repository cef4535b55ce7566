// The one place that picks the program's platform implementations: the real Win32 registry, profile,
// library loader and DirectSound. They live in function-level statics, so they are usable from the
// static page objects that are built before the entry runs.
#pragma once

#include "platform/library.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/sound.h"

namespace zv {

struct SystemServices {
    Registry& registry;
    Profile& profile;
    LibraryLoader& libraries;
    SoundSystem& sound;
};

SystemServices& System();

}  // namespace zv
