// The in-memory registry of the unit tests, made as unkind as the real API may be: a query or enumeration
// that fails for want of room leaves its buffer full of junk rather than untouched.
#pragma once

#include <cstring>

#include "fakes/fake_registry.h"

namespace zv::fuzz {

class ScribblingRegistry : public test::FakeRegistry {
public:
    long QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) override {
        const uint32_t room = size ? *size : 0;
        long rc = FakeRegistry::QueryValue(key, name, type, data, size);
        if (rc == kRegMoreData && data) std::memset(data, kJunk, room);
        return rc;
    }
    long EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) override {
        long rc = FakeRegistry::EnumKey(key, index, name, nameSize);
        if (rc == kRegMoreData && name) std::memset(name, kJunk, nameSize);
        return rc;
    }

private:
    static constexpr int kJunk = 0xA5;
};

}  // namespace zv::fuzz
