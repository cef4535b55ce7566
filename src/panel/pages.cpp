#include <windows.h>

// The program's page objects. They are built here, in one translation unit, so that they are constructed
// in tab order before the entry runs, and they live until the process ends.

#include "pages/effects/effects_page.h"
#include "pages/general/general_page.h"
#include "pages/mixer/mixer_page.h"
#include "panel/page_set.h"
#include "platform/win32/system.h"

namespace zv {
namespace {

Win32DebugOutput debugOutput;
GeneralPage generalPage(System().registry, System().driver, System().libraries, System().sound, debugOutput,
                        System().files, System().player);
EffectsPage effectsPage(System().registry);
PlaybackMixerPage playbackMixerPage(System().mixer, System().driver);
RecordMixerPage recordMixerPage(System().mixer, System().driver);
PageList pageList{{&generalPage, &effectsPage, &playbackMixerPage, &recordMixerPage}, 4};

}  // namespace

PageList& Pages() { return pageList; }

}  // namespace zv
