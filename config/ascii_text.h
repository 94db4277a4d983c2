// Locale-free text helpers of the reader, so that every build reads a file the same way.
#pragma once

#include <cstdint>

// Compares two zero-terminated strings, folding only the ASCII letters A to Z.
bool EqualsIgnoringCase(const char* text, const char* key);

// The C atoi rule: leading white space, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Values that do not fit wrap as 32-bit integers.
int32_t ParseNumber(const char* text);
