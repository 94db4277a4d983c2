// Code page 1252 is Latin-1 but for 27 characters in 0x80 to 0x9F.
#include "code_page_1252.h"

#include <cstddef>
#include <iterator>

#include "script_text.h"

namespace {

// 0x80 to 0x9F. Where 1252 has no character, Windows maps the byte to the C1 control of the
// same number and back.
constexpr char16_t kHighRow[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (size_t i = 0; i < std::size(kHighRow); ++i) {
        if (kHighRow[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

char16_t CharacterOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighRow[byte - 0x80] : byte;
}

char16_t Folded(char16_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    switch (c) {
        case 0x0152:  // Œ
        case 0x0160:  // Š
        case 0x017D:  // Ž
            return static_cast<char16_t>(c + 1);
        case 0x0178:  // Ÿ
            return 0x00FF;
        default:
            return c;
    }
}

}  // namespace

std::string ToCodePage1252(const std::string& text) {
    std::u16string wide;
    if (!Utf8ToUtf16(text, wide)) {
        return text;
    }
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        out += ByteOf(wide[i]);
        // A character beyond the first 65536 is one '?', not two.
        if (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) {
            ++i;
        }
    }
    return out;
}

std::u16string FromCodePage1252(const std::string& text) {
    std::u16string out;
    for (char c : text) {
        out += CharacterOf(static_cast<unsigned char>(c));
    }
    return out;
}

bool SameFileName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) {
            return false;
        }
    }
    return true;
}
