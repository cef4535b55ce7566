// The fuzzers' view of their input: a sequential reader that hands out numbers, choices and byte strings
// from the front of the data and answers zero once it runs dry, so every input is a complete script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace zv::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), left_(size) {}

    bool Empty() const { return left_ == 0; }
    size_t Left() const { return left_; }

    uint8_t U8() {
        if (left_ == 0) return 0;
        --left_;
        return *data_++;
    }
    uint16_t U16() { return static_cast<uint16_t>(U8() | U8() << 8); }
    uint32_t U32() { return uint32_t{U16()} | uint32_t{U16()} << 16; }
    bool Bool() { return (U8() & 1) != 0; }
    // A number from 0 to count - 1 (count > 0).
    uint32_t Below(uint32_t count) { return count <= 256 ? U8() % count : U32() % count; }

    // A small number most of the time, any 32-bit number when the fuzzer asks for it with 0xFF.
    uint32_t Count(uint32_t smallLimit) {
        uint8_t b = U8();
        return b == 0xFF ? U32() : b % (smallLimit + 1);
    }

    // Up to maxSize bytes, the length first.
    std::vector<uint8_t> Bytes(size_t maxSize) {
        size_t size = U16();
        if (size > maxSize) size = maxSize;
        return Take(size);
    }
    std::vector<uint8_t> Take(size_t size) {
        if (size > left_) size = left_;
        std::vector<uint8_t> out(data_, data_ + size);
        data_ += size;
        left_ -= size;
        return out;
    }
    std::string Text(size_t maxSize) {
        std::vector<uint8_t> bytes = Bytes(maxSize);
        return std::string(bytes.begin(), bytes.end());
    }
    // Copies exactly size bytes into out, zero where the input ends.
    void Fill(void* out, size_t size) {
        auto* bytes = static_cast<uint8_t*>(out);
        for (size_t i = 0; i < size; ++i) bytes[i] = U8();
    }

private:
    const uint8_t* data_;
    size_t left_;
};

}  // namespace zv::fuzz

// A broken invariant is a finding like any sanitizer report: it stops the run with the input saved.
#define ZV_FUZZ_CHECK(condition)                                                                    \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)
