#include <windows.h>

#include "platform/win32/win32_registry.h"

namespace zv {

static HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

long Win32Registry::OpenKey(RegKey parent, const char* path, RegKey* key) {
    HKEY opened = nullptr;
    LONG rc = RegOpenKeyA(ToHkey(parent), path, &opened);
    if (rc == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(opened);
    return rc;
}

long Win32Registry::CreateKey(RegKey parent, const char* path, RegKey* key) {
    HKEY created = nullptr;
    LONG rc = RegCreateKeyA(ToHkey(parent), path, &created);
    if (rc == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(created);
    return rc;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = size ? *size : 0;
    LONG rc = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, static_cast<BYTE*>(data),
                               size ? &valueSize : nullptr);
    if (type) *type = valueType;
    if (size) *size = valueSize;
    return rc;
}

long Win32Registry::SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) {
    return RegSetValueExA(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

long Win32Registry::EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) {
    return RegEnumKeyA(ToHkey(key), index, name, nameSize);
}

uint32_t Win32Profile::GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                                 uint32_t bufferSize, const char* file) {
    return GetPrivateProfileStringA(section, key, defaultText, buffer, bufferSize, file);
}

LibraryHandle Win32LibraryLoader::Load(const char* name) { return LoadLibraryA(name); }

void* Win32LibraryLoader::Find(LibraryHandle library, const char* exportName) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), exportName));
}

void Win32LibraryLoader::Free(LibraryHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace zv
