// Reading the driver package's INI file through the private profile API (GetPrivateProfileStringA).
#pragma once

#include <cstdint>

namespace zv {

class Profile {
public:
    virtual ~Profile() = default;
    // Copies the key's text, or defaultText when the file, section or key is missing, into buffer, cut to
    // bufferSize - 1 characters and always terminated. Returns the number of characters copied.
    virtual uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                               uint32_t bufferSize, const char* file) = 0;
};

}  // namespace zv
