#include "fakes/fake_profile.h"

#include <strings.h>

#include <cstring>

namespace zv::test {

bool FakeProfile::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

void FakeProfile::Set(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& text) {
    files_[file][section][key] = text;
}

void FakeProfile::AddFile(const std::string& file) { files_[file]; }

void FakeProfile::RemoveFile(const std::string& file) { files_.erase(file); }

bool FakeProfile::HasFile(const std::string& file) const { return files_.count(file) != 0; }

uint32_t FakeProfile::LastBufferSize(const std::string& section, const std::string& key) const {
    for (auto it = reads_.rbegin(); it != reads_.rend(); ++it) {
        if (strcasecmp(it->section.c_str(), section.c_str()) == 0 && strcasecmp(it->key.c_str(), key.c_str()) == 0)
            return it->bufferSize;
    }
    return 0;
}

uint32_t FakeProfile::GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                                uint32_t bufferSize, const char* file) {
    reads_.push_back(Read{file ? file : "", section ? section : "", key ? key : "", bufferSize});
    if (!buffer || bufferSize == 0) return 0;

    const char* text = defaultText ? defaultText : "";
    if (file && section && key) {
        auto f = files_.find(file);
        if (f != files_.end()) {
            auto s = f->second.find(section);
            if (s != f->second.end()) {
                auto k = s->second.find(key);
                if (k != s->second.end()) text = k->second.c_str();
            }
        }
    }
    size_t length = std::strlen(text);
    if (length > bufferSize - 1) length = bufferSize - 1;
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<uint32_t>(length);
}

}  // namespace zv::test
