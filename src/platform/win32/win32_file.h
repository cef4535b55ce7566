// Files on the Win32 file API.
#pragma once

#include "platform/file.h"

namespace zv {

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<File> OpenForReading(const char* path) override;
    std::unique_ptr<File> Create(const char* path) override;
    bool Delete(const char* path) override;
};

}  // namespace zv
