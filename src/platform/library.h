// Loading helper libraries by name and finding their exports, as LoadLibraryA, GetProcAddress and
// FreeLibrary do. The portable code casts the export to the function type it expects.
#pragma once

#include <cstdint>

namespace zv {

using LibraryHandle = void*;

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // Null when the library cannot be loaded.
    virtual LibraryHandle Load(const char* name) = 0;
    // Null when the export is missing.
    virtual void* Find(LibraryHandle library, const char* exportName) = 0;
    virtual void Free(LibraryHandle library) = 0;
};

}  // namespace zv
