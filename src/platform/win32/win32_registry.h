// Registry, profile and library loader on the Win32 API.
#pragma once

#include "platform/library.h"
#include "platform/profile.h"
#include "platform/registry.h"

namespace zv {

class Win32Registry : public Registry {
public:
    long OpenKey(RegKey parent, const char* path, RegKey* key) override;
    long CreateKey(RegKey parent, const char* path, RegKey* key) override;
    long CloseKey(RegKey key) override;
    long QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) override;
    long SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) override;
    long EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) override;
};

class Win32Profile : public Profile {
public:
    uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                       uint32_t bufferSize, const char* file) override;
};

class Win32LibraryLoader : public LibraryLoader {
public:
    LibraryHandle Load(const char* name) override;
    void* Find(LibraryHandle library, const char* exportName) override;
    void Free(LibraryHandle library) override;
};

}  // namespace zv
