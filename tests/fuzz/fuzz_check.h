// How a fuzz target reports a broken promise: it says what it found and aborts, so that libFuzzer
// keeps the input as a finding and the replay program fails.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* file, int line, const char* condition,
                                         const char* format, ...)
    __attribute__((format(printf, 4, 5)));

[[noreturn]] inline void FuzzCheckFailed(const char* file, int line, const char* condition,
                                         const char* format, ...) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s: ", file, line, condition);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
    std::abort();
}

// FUZZ_CHECK(condition, format, ...): the format says what was found instead.
#define FUZZ_CHECK(condition, ...)                                        \
    do {                                                                  \
        if (!(condition)) {                                               \
            FuzzCheckFailed(__FILE__, __LINE__, #condition, __VA_ARGS__); \
        }                                                                 \
    } while (0)
