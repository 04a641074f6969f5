#pragma once
// A failed invariant aborts, so libFuzzer keeps the input that broke it.
// Only the condition is printed: inputs may look like real shortcut texts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The bytes libFuzzer hands a target, as text.
inline std::string_view fuzzText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Takes up to `length` bytes off the front of `input`: how targets cut their
// input into parts.
inline std::string_view cutFront(std::string_view& input, std::size_t length) {
    const std::string_view front = input.substr(0, length);
    input.remove_prefix(front.size());
    return front;
}
