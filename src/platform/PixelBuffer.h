#pragma once
// The pixels of a decoded picture. Either its own memory, not cleared when made (a decoder
// writes every pixel anyway), or memory taken over from the decoder together with the function
// that frees it, so a picture converted in place is never copied.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(const PixelBuffer& other) { CopyFrom(other); }
    PixelBuffer& operator=(const PixelBuffer& other) {
        if (this != &other) CopyFrom(other);
        return *this;
    }
    // A moved-from buffer is empty.
    PixelBuffer(PixelBuffer&& other) noexcept
        : owner_(std::move(other.owner_)), data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)) {}
    PixelBuffer& operator=(PixelBuffer&& other) noexcept {
        if (this != &other) {
            owner_ = std::move(other.owner_);
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }

    // n pixels; those beyond the old size are left as they come.
    void resize(size_t n) {
        if (n == size_) return;
        PixelBuffer grown;
        grown.Allocate(n);
        std::copy_n(data_, std::min(n, size_), grown.data_);
        *this = std::move(grown);
    }
    void assign(size_t n, uint32_t value) {
        Allocate(n);
        std::fill_n(data_, n, value);
    }
    // Takes over n pixels at data; release(owner) is called when they are no longer needed.
    void Adopt(uint32_t* data, size_t n, void* owner, void (*release)(void*)) {
        owner_ = Owner(owner, release);
        data_ = data;
        size_ = n;
    }
    void clear() { *this = PixelBuffer(); }

    uint32_t* data() { return data_; }
    const uint32_t* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    uint32_t& operator[](size_t i) { return data_[i]; }
    const uint32_t& operator[](size_t i) const { return data_[i]; }
    uint32_t* begin() { return data_; }
    uint32_t* end() { return data_ + size_; }
    const uint32_t* begin() const { return data_; }
    const uint32_t* end() const { return data_ + size_; }

private:
    using Owner = std::unique_ptr<void, void (*)(void*)>;
    static void FreeOwn(void* p) { delete[] static_cast<uint32_t*>(p); }

    void Allocate(size_t n) {
        if (n == 0) {
            clear();
            return;
        }
        auto* memory = new uint32_t[n];  // not cleared
        owner_ = Owner(memory, FreeOwn);
        data_ = memory;
        size_ = n;
    }
    void CopyFrom(const PixelBuffer& other) {
        Allocate(other.size_);
        std::copy_n(other.data_, other.size_, data_);
    }

    Owner owner_{nullptr, FreeOwn};
    uint32_t* data_ = nullptr;
    size_t size_ = 0;
};
