#pragma once
// What every target shares: reading typed fields off the fuzzer's bytes, and a check
// that stops the run as a crash, whatever NDEBUG says.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillet::fuzz {

// Fields in order: fixed-size integers (little-endian) and strings prefixed with a
// one-byte length, then the rest of the input. Missing bytes read as zero, so every
// input is valid and a seed can be written by hand with printf.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<uint32_t>(Byte()) << (8 * i);
        }
        return v;
    }

    int32_t I32() { return static_cast<int32_t>(U32()); }

    int16_t I16() {
        const uint16_t lo = Byte();
        return static_cast<int16_t>(lo | static_cast<uint16_t>(Byte() << 8));
    }

    std::string Bytes(size_t count) {
        count = count < size_ - pos_ ? count : size_ - pos_;
        std::string s(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return s;
    }

    std::string Short() { return Bytes(Byte()); }

    std::string Rest() { return Bytes(size_ - pos_); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace quillet::fuzz

#define FUZZ_CHECK(cond)                                      \
    do {                                                      \
        if (!(cond)) {                                        \
            ::quillet::fuzz::Fail(#cond, __FILE__, __LINE__); \
        }                                                     \
    } while (false)
