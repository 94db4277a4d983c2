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

// The first eight characters of a word of `length`, each with its case bit (0x20) set, as one
// number; the bytes past `length` are zero. A word spells a key of letters in some letter case
// exactly when their numbers agree, and for a key of more than eight letters the rest agrees
// too: setting that bit gives the same byte only for a letter's capital and small form.
// `word` must have eight readable bytes (the reader's word buffer has).
inline uint64_t CaselessPrefix(const char* word, int32_t length) {
    uint64_t bytes;
    std::memcpy(&bytes, word, sizeof bytes);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    bytes = __builtin_bswap64(bytes);  // the word's first character in the lowest byte
#endif
    bytes |= 0x2020202020202020u;
    if (length < 8) {
        bytes &= ~(~uint64_t{0} << (8 * (length > 0 ? length : 0)));
    }
    return bytes;
}

// What CaselessPrefix gives for a key's spelling from its character `from` on (none when it is
// shorter), worked out when the key tables are compiled.
constexpr uint64_t CaselessPrefixOf(const char* key, int from = 0) {
    for (int i = 0; i < from && *key != '\0'; ++i) {
        ++key;
    }
    uint64_t prefix = 0;
    for (int i = 0; i < 8 && *key != '\0'; ++i, ++key) {
        prefix |= static_cast<uint64_t>(static_cast<unsigned char>(*key) | 0x20u) << (8 * i);
    }
    return prefix;
}

// The C atoi rule: leading white space, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Values that do not fit wrap as 32-bit integers.
int32_t ParseNumber(const char* text);
