// Locale-free text helpers of the reader, so that every build reads a file the same way.
#pragma once

#include <cstdint>

// Folds only the ASCII letters A to Z, whatever the locale.
inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares two zero-terminated strings, folding only the ASCII letters A to Z. Inline because
// the reader compares every word it reads with its keys, most of them failing at the first
// letter, and the call itself cost more than the comparison.
inline bool EqualsIgnoringCase(const char* text, const char* key) {
    // Most words are spelt as their key is, and equal bytes need no folding.
    while (*text == *key) {
        if (*text == '\0') {
            return true;
        }
        ++text;
        ++key;
    }
    while (*text != '\0' && FoldAscii(*text) == FoldAscii(*key)) {
        ++text;
        ++key;
    }
    return FoldAscii(*text) == FoldAscii(*key);
}

// Whether a word of `length` characters is `key` (of `keyLength`), in any letter case.
inline bool IsKey(const char* word, int32_t length, const char* key, int32_t keyLength) {
    return length == keyLength && EqualsIgnoringCase(word, key);
}

// The C atoi rule: leading white space, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Values that do not fit wrap as 32-bit integers.
int32_t ParseNumber(const char* text);
