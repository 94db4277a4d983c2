// WidenText and WidenName: ANSI to UTF-16 through MultiByteToWideChar.
#include "widen_text.h"

#include <cstring>

void WidenText(WCHAR* dest, const char* src, int32_t count) {
    if (dest == nullptr || src == nullptr) {
        return;
    }
    if (count == -1) {
        count = static_cast<int32_t>(std::strlen(src)) + 1;
    }
    if (count <= 0) {
        return;
    }
    // When the text is longer than count - 1 units, MultiByteToWideChar fills the room it has
    // and reports ERROR_INSUFFICIENT_BUFFER; the units it wrote are the wanted cut, so the
    // failure is not an error here.
    MultiByteToWideChar(CP_ACP, 0, src, -1, dest, count - 1);
    dest[count - 1] = 0;
}

bool WidenName(WCHAR (&dest)[kWideNameCapacity], const char* name) {
    // No code page makes more UTF-16 units than bytes, so the byte length bounds the result.
    if (name == nullptr || std::strlen(name) >= static_cast<size_t>(kWideNameCapacity)) {
        return false;
    }
    WidenText(dest, name, -1);
    return true;
}
