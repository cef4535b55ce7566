#include "platform/std_file.h"

#include <cstdio>

namespace zv {
namespace {

class StdFile final : public File {
public:
    // A buffer of its own spares the system calls of the builder's many small reads and writes.
    explicit StdFile(std::FILE* stream) : stream_(stream) { std::setvbuf(stream_, buffer_, _IOFBF, sizeof buffer_); }
    ~StdFile() override { std::fclose(stream_); }
    StdFile(const StdFile&) = delete;
    StdFile& operator=(const StdFile&) = delete;

    uint32_t Read(void* buffer, uint32_t size) override {
        return static_cast<uint32_t>(std::fread(buffer, 1, size, stream_));
    }
    bool Write(const void* data, uint32_t size) override { return std::fwrite(data, 1, size, stream_) == size; }
    bool Seek(uint32_t offset) override { return std::fseek(stream_, static_cast<long>(offset), SEEK_SET) == 0; }

private:
    std::FILE* stream_;
    char buffer_[64 * 1024];
};

std::unique_ptr<File> Open(const char* path, const char* mode) {
    std::FILE* stream = std::fopen(path, mode);
    if (!stream) return nullptr;
    return std::make_unique<StdFile>(stream);
}

}  // namespace

std::unique_ptr<File> StdFileSystem::OpenForReading(const char* path) { return Open(path, "rb"); }
std::unique_ptr<File> StdFileSystem::Create(const char* path) { return Open(path, "wb"); }
bool StdFileSystem::Delete(const char* path) { return std::remove(path) == 0; }

}  // namespace zv
