// The built programs as files: the architecture of the build, a GUI program, and nothing to load beside
// it but Windows' own libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using zvtest::BuildDir;

#if defined(_WIN64)
constexpr WORD kBuildMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kBuildMachine = IMAGE_FILE_MACHINE_I386;
#endif

// Libraries every Windows installation has; a MinGW runtime DLL is none of them.
const char* const kSystemLibraries[] = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "dsound.dll",
                                        "gdi32.dll",    "kernel32.dll", "msvcrt.dll",   "ole32.dll",
                                        "oleaut32.dll", "setupapi.dll", "shell32.dll",  "user32.dll",
                                        "version.dll",  "winmm.dll"};

bool IsSystemLibrary(const std::string& name) {
    return std::find(std::begin(kSystemLibraries), std::end(kSystemLibraries), name) != std::end(kSystemLibraries);
}

// The headers and import table of a PE file, read from disk.
class PeFile {
public:
    explicit PeFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        IMAGE_DOS_HEADER dos;
        if (!Read(0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return;
        if (!Read(static_cast<size_t>(dos.e_lfanew), &nt_) || nt_.Signature != IMAGE_NT_SIGNATURE) return;
        const size_t sections = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                                nt_.FileHeader.SizeOfOptionalHeader;
        for (WORD i = 0; i < nt_.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            if (!Read(sections + i * sizeof section, &section)) return;
            sections_.push_back(section);
        }
        valid_ = true;
    }

    bool Valid() const { return valid_; }
    WORD Machine() const { return nt_.FileHeader.Machine; }
    // Only meaningful when the file has the build's own optional header.
    WORD OptionalMagic() const { return nt_.OptionalHeader.Magic; }
    WORD Subsystem() const { return nt_.OptionalHeader.Subsystem; }

    // The lower-case names of the libraries the loader must find, with "?" for a name it cannot read.
    std::vector<std::string> Imports() const {
        std::vector<std::string> names;
        const IMAGE_DATA_DIRECTORY& directory = nt_.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        size_t offset = 0;
        if (directory.VirtualAddress == 0 || !FileOffset(directory.VirtualAddress, &offset)) return names;
        for (IMAGE_IMPORT_DESCRIPTOR entry; Read(offset, &entry) && entry.Name != 0; offset += sizeof entry)
            names.push_back(NameAt(entry.Name));
        return names;
    }

private:
    template <typename T>
    bool Read(size_t offset, T* out) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
        std::memcpy(out, bytes_.data() + offset, sizeof(T));
        return true;
    }
    bool FileOffset(DWORD rva, size_t* offset) const {
        for (const IMAGE_SECTION_HEADER& s : sections_) {
            const DWORD size = std::max(s.Misc.VirtualSize, s.SizeOfRawData);
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress < size) {
                *offset = static_cast<size_t>(rva - s.VirtualAddress) + s.PointerToRawData;
                return true;
            }
        }
        return false;
    }
    std::string NameAt(DWORD rva) const {
        size_t offset = 0;
        if (!FileOffset(rva, &offset)) return "?";
        std::string name;
        for (; offset < bytes_.size() && bytes_[offset] != '\0'; ++offset)
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(bytes_[offset])));
        return offset < bytes_.size() ? name : "?";
    }

    std::vector<char> bytes_;
    IMAGE_NT_HEADERS nt_ = {};
    std::vector<IMAGE_SECTION_HEADER> sections_;
    bool valid_ = false;
};

class BuiltProgram : public ::testing::TestWithParam<const char*> {};

TEST_P(BuiltProgram, IsAGuiProgramOfTheBuildsArchitectureNeedingOnlySystemLibraries) {
    PeFile file(BuildDir() + "\\" + GetParam());
    ASSERT_TRUE(file.Valid()) << GetParam() << " is no PE file";
    ASSERT_EQ(file.Machine(), kBuildMachine);
    ASSERT_EQ(file.OptionalMagic(), IMAGE_NT_OPTIONAL_HDR_MAGIC);
    EXPECT_EQ(file.Subsystem(), IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const std::vector<std::string> imports = file.Imports();
    EXPECT_TRUE(std::count(imports.begin(), imports.end(), "kernel32.dll"));
    for (const std::string& name : imports) EXPECT_TRUE(IsSystemLibrary(name)) << GetParam() << " needs " << name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, BuiltProgram, ::testing::Values("zvctrl.exe", "zvctrl_sim.exe"));

}  // namespace
