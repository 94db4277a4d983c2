// DecodeSourceText: byte-order marks, then UTF-8 or UTF-16LE.
#include "source_text.h"

#include "script_text.h"

bool DecodeSourceText(const std::string& bytes, std::u16string& text) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        if (bytes.size() % 2 != 0) {
            return false;
        }
        text.clear();
        for (size_t i = 2; i < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return true;
    }
    static const char kUtf8Mark[] = "\xEF\xBB\xBF";
    if (bytes.compare(0, 3, kUtf8Mark) == 0) {
        return Utf8ToUtf16(bytes.substr(3), text);
    }
    return Utf8ToUtf16(bytes, text);
}
