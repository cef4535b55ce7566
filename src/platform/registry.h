// The registry as the portable code uses it: the calls of the Win32 registry API that the program makes,
// with the same argument meanings, sizes and result codes, so a fake can stand in for it in tests.
#pragma once

#include <cstdint>

namespace zv {

// A key handle. The predefined roots carry the Win32 values.
using RegKey = uintptr_t;
constexpr RegKey kRegNone = 0;
constexpr RegKey kHkeyCurrentUser = 0x80000001u;
constexpr RegKey kHkeyLocalMachine = 0x80000002u;

// Value types.
constexpr uint32_t kRegNoType = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

// Result codes (Win32 error numbers).
constexpr long kRegOk = 0;
constexpr long kRegNotFound = 2;        // ERROR_FILE_NOT_FOUND
constexpr long kRegMoreData = 234;      // ERROR_MORE_DATA
constexpr long kRegNoMoreItems = 259;   // ERROR_NO_MORE_ITEMS

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyA: opens an existing key below parent.
    virtual long OpenKey(RegKey parent, const char* path, RegKey* key) = 0;
    // RegCreateKeyA: opens the key, creating it and its missing parents.
    virtual long CreateKey(RegKey parent, const char* path, RegKey* key) = 0;
    virtual long CloseKey(RegKey key) = 0;
    // RegQueryValueExA: size is the buffer's size on entry and the value's size on return. A value that
    // does not fit fails with kRegMoreData and leaves the buffer unspecified. type and data may be null.
    virtual long QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) = 0;
    // RegSetValueExA.
    virtual long SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) = 0;
    // RegEnumKeyA: the name of subkey number index, or kRegNoMoreItems past the last one.
    virtual long EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) = 0;
};

}  // namespace zv
