// Fuzzes the A3D preload reading: one registry value of any type, size and bytes, behind a key that may not
// open. The address must always be the stored one when that is valid and in range, else the default.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"

namespace {

using zv::fuzz::FuzzInput;

// The address the value stands for, or 0 when it names none.
uint32_t Expected(bool keyOpens, bool valueExists, uint32_t type, const std::vector<uint8_t>& bytes) {
    if (!keyOpens || !valueExists || bytes.size() > 32) return 0;
    if (type == zv::kRegSz) {
        char text[33] = {};
        if (!bytes.empty()) std::memcpy(text, bytes.data(), bytes.size());
        return zv::ParseHex32(text);
    }
    if ((type == zv::kRegDword || type == zv::kRegBinary) && bytes.size() >= 4)
        return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    return 0;
}

// strtoul with base 16 as a 32-bit C library has it, built on the 64-bit library's own conversion.
uint32_t ReferenceHex32(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // The library takes one sign and no blank after it; strtoull on the rest would take another.
    if (*p == '+' || *p == '-' || *p == ' ' || (*p >= '\t' && *p <= '\r')) return 0;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(p, &end, 16);
    if (end == p) return 0;
    if (errno == ERANGE || value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
    const auto low = static_cast<uint32_t>(value);
    return negative ? 0u - low : low;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t mode = in.U8();
    const bool keyExists = (mode & 1) == 0;
    const bool valueExists = (mode & 2) == 0;
    const bool keyDenied = (mode & 4) != 0;
    // The common types most of the time, any other number when asked.
    const uint8_t typeChoice = in.U8();
    const uint32_t type = typeChoice < 0xF0 ? typeChoice % 5 : in.U32();
    const std::vector<uint8_t> bytes = in.Take(in.Left());

    zv::fuzz::ScribblingRegistry registry;
    if (keyExists) registry.AddKey(zv::kHkeyCurrentUser, zv::kQSoftKey);
    if (keyExists && valueExists) registry.SetRaw(zv::kHkeyCurrentUser, zv::kQSoftKey, zv::kA3DPreloadValue, type, bytes);
    if (keyExists && keyDenied) registry.DenyOpen(zv::kHkeyCurrentUser, zv::kQSoftKey);

    zv::RegKey key = zv::kRegNone;
    const bool opened = registry.OpenKey(zv::kHkeyCurrentUser, zv::kQSoftKey, &key) == zv::kRegOk;
    if (!opened) key = zv::kRegNone;
    const uint32_t address = zv::ReadA3DPreloadAddress(registry, key);
    if (opened) registry.CloseKey(key);

    uint32_t expected = Expected(opened, keyExists && valueExists, type, bytes);
    if (expected < 0x00500000u || expected >= 0x60000000u) expected = zv::kDefaultA3DPreload;
    ZV_FUZZ_CHECK(address == expected);
    ZV_FUZZ_CHECK(registry.OpenHandles() == 0);
    ZV_FUZZ_CHECK(registry.Writes() == 0);

    // The text parser on its own, against the 64-bit C library's conversion cut to 32 bits.
    std::string text(bytes.begin(), bytes.end());
    text = text.c_str();
    ZV_FUZZ_CHECK(zv::ParseHex32(text.c_str()) == ReferenceHex32(text.c_str()));
    return 0;
}
