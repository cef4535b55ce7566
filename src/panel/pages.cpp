#include <windows.h>

// The program's page objects. They are built here, in one translation unit, so that they are constructed
// in tab order before the entry runs, and they live until the process ends.

#include "pages/general/general_page.h"
#include "panel/page_set.h"
#include "platform/win32/system.h"

namespace zv {
namespace {

Win32DebugOutput debugOutput;
GeneralPage generalPage(System().registry, System().driver, System().libraries, System().sound, debugOutput);
PageList pageList{{&generalPage, nullptr, nullptr, nullptr}, 1};

}  // namespace

PageList& Pages() { return pageList; }

}  // namespace zv
