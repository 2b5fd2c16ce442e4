#pragma once
// Takes values from the bytes of a fuzz input, front to back; once the bytes are used up every
// value is zero. Lets a target build the values a program may hold from the fuzzer's input.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kwfuzz {

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
        return v;
    }
    int Int() { return static_cast<int>(U32()); }
    bool Bool() { return (Byte() & 1) != 0; }
    // Any finite double: the raw bits when they are finite, else a small fraction.
    double FiniteDouble() {
        uint64_t bits = static_cast<uint64_t>(U32()) | static_cast<uint64_t>(U32()) << 32;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (v - v != 0.0) v = static_cast<double>(static_cast<int32_t>(bits)) / 64.0;  // inf or NaN
        return v;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace kwfuzz
