// How a fuzz target reports a broken promise: it says what it found and aborts, so that libFuzzer
// keeps the input as a finding and the replay program fails.
#pragma once

#include <cstdio>
#include <cstdlib>

// FUZZ_CHECK(condition, format, ...): the format says what was found instead.
#define FUZZ_CHECK(condition, ...)                                                     \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: fuzz check failed: %s: ", __FILE__, __LINE__, \
                         #condition);                                                  \
            std::fprintf(stderr, __VA_ARGS__);                                         \
            std::fputc('\n', stderr);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
