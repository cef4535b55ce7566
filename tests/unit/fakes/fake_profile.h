// An in-memory stand-in for the private profile API: INI files by name, with sections and keys matched
// without regard to case, texts cut to the caller's buffer, and a record of every read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace zv::test {

class FakeProfile : public Profile {
public:
    struct Read {
        std::string file;
        std::string section;
        std::string key;
        uint32_t bufferSize;
    };

    // Creates the file (and the section) when missing.
    void Set(const std::string& file, const std::string& section, const std::string& key, const std::string& text);
    // A file that exists but holds nothing.
    void AddFile(const std::string& file);
    void RemoveFile(const std::string& file);
    bool HasFile(const std::string& file) const;

    const std::vector<Read>& Reads() const { return reads_; }
    // The buffer size of the last read of this key, or 0 when it was never read.
    uint32_t LastBufferSize(const std::string& section, const std::string& key) const;

    uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                       uint32_t bufferSize, const char* file) override;

private:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Section = std::map<std::string, std::string, NoCase>;
    using File = std::map<std::string, Section, NoCase>;

    std::map<std::string, File, NoCase> files_;
    std::vector<Read> reads_;
};

}  // namespace zv::test
