// Locale-free text helpers of the reader, so that every build reads a file the same way.
#pragma once

#include <cstdint>
#include <cstring>

// Folds only the ASCII letters A to Z, whatever the locale.
constexpr char FoldAscii(char c) {
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

// The first eight characters of a word of `length`, the letters A to Z folded, as one number:
// words whose numbers differ are different keys, whatever their case. `word` must have eight
// readable bytes (the reader's word buffer has); those past `length` do not count.
inline uint64_t FoldedPrefix(const char* word, int32_t length) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    uint64_t bytes;
    std::memcpy(&bytes, word, sizeof bytes);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    bytes = __builtin_bswap64(bytes);  // the word's first character in the lowest byte
#endif
    if (length < 8) {
        bytes &= ~(~uint64_t{0} << (8 * (length > 0 ? length : 0)));
    }
    // A byte is a capital when, with its top bit clear, it is at least 'A' and not above 'Z':
    // each sum sets the byte's top bit without carrying into the next byte.
    const uint64_t low = bytes & (0x7f * kOnes);
    const uint64_t atLeastA = low + (0x80 - 'A') * kOnes;
    const uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kOnes;
    const uint64_t capitals = atLeastA & ~aboveZ & ~bytes & (0x80 * kOnes);
    return bytes | (capitals >> 2);  // 0x20 turns 'A' to 'Z' into 'a' to 'z'
}

// What FoldedPrefix gives for a key's spelling, worked out when the key tables are compiled.
constexpr uint64_t FoldedPrefixOf(const char* key) {
    uint64_t prefix = 0;
    for (int i = 0; i < 8 && key[i] != '\0'; ++i) {
        prefix |= static_cast<uint64_t>(static_cast<unsigned char>(FoldAscii(key[i]))) << (8 * i);
    }
    return prefix;
}

// The C atoi rule: leading white space, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Values that do not fit wrap as 32-bit integers.
int32_t ParseNumber(const char* text);
