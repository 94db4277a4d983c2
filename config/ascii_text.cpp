// Locale-free number parsing for the description-file reader.
#include "ascii_text.h"

static bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int32_t ParseNumber(const char* text) {
    while (IsCSpace(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Unsigned arithmetic, so that an over-long number wraps instead of being undefined.
    uint32_t value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10u + static_cast<uint32_t>(*text - '0');
        ++text;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}
