// The file interface on the C library's streams, for the native builds that run the test sound builder on
// real files (the benchmark). The Windows program uses the Win32 file API instead.
#pragma once

#include "platform/file.h"

namespace zv {

class StdFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> OpenForReading(const char* path) override;
    std::unique_ptr<File> Create(const char* path) override;
    bool Delete(const char* path) override;
};

}  // namespace zv
