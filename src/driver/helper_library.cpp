#include "driver/helper_library.h"

namespace zv {

int32_t CallDll32(LibraryLoader& loader, LibraryHandle library, int32_t command, bool* found) {
    auto call = library ? reinterpret_cast<Dll32CallFn>(loader.Find(library, kDll32CallExport)) : nullptr;
    if (found) *found = call != nullptr;
    return call ? call(command) : 0;
}

}  // namespace zv
