// Files as the portable code uses them: open for reading, create (or truncate) for writing, read, write,
// seek from the start, and delete. A File closes itself when it goes.
#pragma once

#include <cstdint>
#include <memory>

namespace zv {

class File {
public:
    virtual ~File() = default;
    // Reads up to size bytes; returns the number read, 0 at the end of the file or on an error.
    virtual uint32_t Read(void* buffer, uint32_t size) = 0;
    // Writes all size bytes or reports false.
    virtual bool Write(const void* data, uint32_t size) = 0;
    // Moves to offset bytes from the start.
    virtual bool Seek(uint32_t offset) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Null when the file cannot be opened.
    virtual std::unique_ptr<File> OpenForReading(const char* path) = 0;
    // Creates the file, or empties the one there; null when that is refused.
    virtual std::unique_ptr<File> Create(const char* path) = 0;
    virtual bool Delete(const char* path) = 0;
};

}  // namespace zv
