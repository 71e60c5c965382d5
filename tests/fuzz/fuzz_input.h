// Turns a fuzzer's bytes into the zero-terminated texts the helpers take, within their buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// The part of the input up to its first zero byte (or the end), at most maxChars long; a second
// call goes on after that zero byte, so one input gives several texts.
class FuzzTexts {
  public:
    FuzzTexts(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    std::string Next(size_t maxChars) {
        const void* zero = memchr(data_ + at_, 0, size_ - at_);
        size_t end = zero ? static_cast<const uint8_t*>(zero) - data_ : size_;
        std::string text(reinterpret_cast<const char*>(data_ + at_), end - at_);
        at_ = zero ? end + 1 : end;
        return text.substr(0, maxChars);
    }

  private:
    const uint8_t* data_;
    size_t size_, at_ = 0;
};

// Stops the run with a report the fuzzer saves, when a promised property does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)
