// Between the UTF-16 of COM's WCHAR strings and the engine's std::u16string (the same units).
#pragma once

#include <windows.h>

#include <string>

// At most `limit` units of a zero-terminated string; a name longer than any script's is cut.
inline std::u16string FromWide(const WCHAR* text, size_t limit = 4096) {
    std::u16string result;
    for (size_t i = 0; i < limit && text[i] != 0; ++i) {
        result.push_back(static_cast<char16_t>(text[i]));
    }
    return result;
}

// Copies `text` into `field` of `capacity` units, cut to fit and always terminated.
inline void CopyToWide(const std::u16string& text, WCHAR* field, size_t capacity) {
    if (capacity == 0) {
        return;
    }
    size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    for (size_t i = 0; i < length; ++i) {
        field[i] = static_cast<WCHAR>(text[i]);
    }
    field[length] = 0;
}
