// In-memory files for the unit tests: each path holds bytes; a path can refuse to be created (read-only);
// opens, creates and deletes are recorded in a shared event list.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file.h"

namespace zv::test {

class FakeFileSystem : public FileSystem {
public:
    explicit FakeFileSystem(std::vector<std::string>* events = nullptr) : events_(events) {}

    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> readOnly;

    std::unique_ptr<File> OpenForReading(const char* path) override {
        Note("open " + std::string(path));
        auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::make_unique<MemoryFile>(it->second);
    }
    std::unique_ptr<File> Create(const char* path) override {
        Note("create " + std::string(path));
        if (readOnly.count(path)) return nullptr;
        std::vector<uint8_t>& bytes = files[path];
        bytes.clear();
        return std::make_unique<MemoryFile>(bytes);
    }
    bool Delete(const char* path) override {
        Note("delete " + std::string(path));
        return !readOnly.count(path) && files.erase(path) == 1;
    }

private:
    class MemoryFile : public File {
    public:
        explicit MemoryFile(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
        uint32_t Read(void* buffer, uint32_t size) override {
            size_t n = position_ < bytes_.size() ? std::min<size_t>(size, bytes_.size() - position_) : 0;
            if (n) std::memcpy(buffer, bytes_.data() + position_, n);
            position_ += n;
            return static_cast<uint32_t>(n);
        }
        bool Write(const void* data, uint32_t size) override {
            if (bytes_.size() < position_ + size) bytes_.resize(position_ + size);
            if (size) std::memcpy(bytes_.data() + position_, data, size);
            position_ += size;
            return true;
        }
        bool Seek(uint32_t offset) override {
            position_ = offset;
            return true;
        }

    private:
        std::vector<uint8_t>& bytes_;
        size_t position_ = 0;
    };

    void Note(const std::string& event) {
        if (events_) events_->push_back(event);
    }
    std::vector<std::string>* events_;
};

}  // namespace zv::test
