// A library loader for the unit tests: which libraries load and which exports they have, with the helper
// library's and the A3D loader's exports as real functions that record their calls and answer as told.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/library.h"
#include "platform/types.h"

namespace zv::test {

// The export types as the program calls them.
using ZvGetVersionFn = int32_t(ZV_STDCALL*)();
using Dll32CallFn = int32_t(ZV_STDCALL*)(int32_t);
using InstallA3DHookFn = int32_t(ZV_STDCALL*)(uint32_t*);
using RemoveA3DHookFn = int32_t(ZV_STDCALL*)();

constexpr const char kHelperLibrary[] = "ZVDLL32.DLL";
constexpr const char kA3DLoaderLibrary[] = "QA3DLoad";

// Only one fake may exist at a time: its exports find it through a static pointer.
class FakeLibraryLoader : public LibraryLoader {
public:
    FakeLibraryLoader();
    ~FakeLibraryLoader() override;
    FakeLibraryLoader(const FakeLibraryLoader&) = delete;
    FakeLibraryLoader& operator=(const FakeLibraryLoader&) = delete;

    // A library that loads, with no exports yet. Names match without regard to case, as LoadLibraryA's do.
    void AddLibrary(const std::string& name);
    void RemoveLibrary(const std::string& name);
    void AddExport(const std::string& library, const std::string& exportName, void* function);
    void RemoveExport(const std::string& library, const std::string& exportName);

    // The helper library with both exports (ZVGetVersion answering version, DLL32Call answering 0 unless
    // told otherwise), and the A3D loader with its two hooks.
    void AddHelperLibrary(int32_t version = 1);
    void AddA3DLoader();

    void SetDll32Answer(int32_t code, int32_t answer) { dll32Answers_[code] = answer; }
    // Takes precedence over the fixed answers.
    void SetDll32Handler(std::function<int32_t(int32_t)> handler) { dll32Handler_ = std::move(handler); }
    void SetVersion(int32_t version) { version_ = version; }

    // Loads that succeeded, frees of a loaded handle, and handles still loaded.
    int Loads() const { return loads_; }
    int Frees() const { return frees_; }
    int LoadedNow() const { return static_cast<int>(loaded_.size()); }
    // Frees of a handle that was not loaded (twice, or never).
    int BadFrees() const { return badFrees_; }
    const std::vector<std::string>& LoadAttempts() const { return loadAttempts_; }
    const std::vector<std::string>& Lookups() const { return lookups_; }

    const std::vector<int32_t>& Dll32Calls() const { return dll32Calls_; }
    int VersionCalls() const { return versionCalls_; }
    // The address each InstallA3DHook call found behind its argument (0 for a null argument).
    const std::vector<uint32_t>& InstallA3DHookCalls() const { return installCalls_; }
    int RemoveA3DHookCalls() const { return removeCalls_; }
    // Export calls made while their library was not loaded.
    int CallsWhileUnloaded() const { return callsWhileUnloaded_; }

    LibraryHandle Load(const char* name) override;
    void* Find(LibraryHandle library, const char* exportName) override;
    void Free(LibraryHandle library) override;

private:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Exports = std::map<std::string, void*>;  // export names are case-sensitive, as GetProcAddress's

    static FakeLibraryLoader* current_;
    static int32_t ZV_STDCALL ZvGetVersionExport();
    static int32_t ZV_STDCALL Dll32CallExport(int32_t code);
    static int32_t ZV_STDCALL InstallA3DHookExport(uint32_t* address);
    static int32_t ZV_STDCALL RemoveA3DHookExport();

    bool IsLoaded(const std::string& library) const;

    std::map<std::string, Exports, NoCase> libraries_;
    std::map<LibraryHandle, std::string> loaded_;
    uintptr_t nextHandle_ = 0x10000000;

    std::map<int32_t, int32_t> dll32Answers_;
    std::function<int32_t(int32_t)> dll32Handler_;
    int32_t version_ = 1;

    int loads_ = 0;
    int frees_ = 0;
    int badFrees_ = 0;
    std::vector<std::string> loadAttempts_;
    std::vector<std::string> lookups_;
    std::vector<int32_t> dll32Calls_;
    int versionCalls_ = 0;
    std::vector<uint32_t> installCalls_;
    int removeCalls_ = 0;
    int callsWhileUnloaded_ = 0;
};

}  // namespace zv::test
