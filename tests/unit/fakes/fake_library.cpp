#include "fakes/fake_library.h"

#include <strings.h>

#include <cstdlib>

namespace zv::test {

FakeLibraryLoader* FakeLibraryLoader::current_ = nullptr;

bool FakeLibraryLoader::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

FakeLibraryLoader::FakeLibraryLoader() {
    // A second live fake would steal the first one's export calls; that is a broken test, not a result.
    if (current_) std::abort();
    current_ = this;
}

FakeLibraryLoader::~FakeLibraryLoader() { current_ = nullptr; }

void FakeLibraryLoader::AddLibrary(const std::string& name) { libraries_[name]; }

void FakeLibraryLoader::RemoveLibrary(const std::string& name) { libraries_.erase(name); }

void FakeLibraryLoader::AddExport(const std::string& library, const std::string& exportName, void* function) {
    libraries_[library][exportName] = function;
}

void FakeLibraryLoader::RemoveExport(const std::string& library, const std::string& exportName) {
    auto it = libraries_.find(library);
    if (it != libraries_.end()) it->second.erase(exportName);
}

void FakeLibraryLoader::AddHelperLibrary(int32_t version) {
    version_ = version;
    AddExport(kHelperLibrary, "ZVGetVersion", reinterpret_cast<void*>(&ZvGetVersionExport));
    AddExport(kHelperLibrary, "DLL32Call", reinterpret_cast<void*>(&Dll32CallExport));
}

void FakeLibraryLoader::AddA3DLoader() {
    AddExport(kA3DLoaderLibrary, "InstallA3DHook", reinterpret_cast<void*>(&InstallA3DHookExport));
    AddExport(kA3DLoaderLibrary, "RemoveA3DHook", reinterpret_cast<void*>(&RemoveA3DHookExport));
}

LibraryHandle FakeLibraryLoader::Load(const char* name) {
    loadAttempts_.push_back(name ? name : "");
    if (!name) return nullptr;
    auto it = libraries_.find(name);
    if (it == libraries_.end()) return nullptr;
    auto handle = reinterpret_cast<LibraryHandle>(nextHandle_);
    nextHandle_ += 0x10000;
    loaded_[handle] = it->first;
    ++loads_;
    return handle;
}

void* FakeLibraryLoader::Find(LibraryHandle library, const char* exportName) {
    lookups_.push_back(exportName ? exportName : "");
    auto handle = loaded_.find(library);
    if (handle == loaded_.end() || !exportName) return nullptr;
    auto lib = libraries_.find(handle->second);
    if (lib == libraries_.end()) return nullptr;
    auto exp = lib->second.find(exportName);
    return exp == lib->second.end() ? nullptr : exp->second;
}

void FakeLibraryLoader::Free(LibraryHandle library) {
    if (loaded_.erase(library)) {
        ++frees_;
    } else {
        ++badFrees_;
    }
}

bool FakeLibraryLoader::IsLoaded(const std::string& library) const {
    for (const auto& entry : loaded_) {
        if (strcasecmp(entry.second.c_str(), library.c_str()) == 0) return true;
    }
    return false;
}

int32_t ZV_STDCALL FakeLibraryLoader::ZvGetVersionExport() {
    FakeLibraryLoader* self = current_;
    if (!self) return 0;
    ++self->versionCalls_;
    if (!self->IsLoaded(kHelperLibrary)) ++self->callsWhileUnloaded_;
    return self->version_;
}

int32_t ZV_STDCALL FakeLibraryLoader::Dll32CallExport(int32_t code) {
    FakeLibraryLoader* self = current_;
    if (!self) return 0;
    self->dll32Calls_.push_back(code);
    if (!self->IsLoaded(kHelperLibrary)) ++self->callsWhileUnloaded_;
    if (self->dll32Handler_) return self->dll32Handler_(code);
    auto it = self->dll32Answers_.find(code);
    return it == self->dll32Answers_.end() ? 0 : it->second;
}

int32_t ZV_STDCALL FakeLibraryLoader::InstallA3DHookExport(uint32_t* address) {
    FakeLibraryLoader* self = current_;
    if (!self) return 0;
    self->installCalls_.push_back(address ? *address : 0);
    if (!self->IsLoaded(kA3DLoaderLibrary)) ++self->callsWhileUnloaded_;
    return 1;
}

int32_t ZV_STDCALL FakeLibraryLoader::RemoveA3DHookExport() {
    FakeLibraryLoader* self = current_;
    if (!self) return 0;
    ++self->removeCalls_;
    if (!self->IsLoaded(kA3DLoaderLibrary)) ++self->callsWhileUnloaded_;
    return 1;
}

}  // namespace zv::test
