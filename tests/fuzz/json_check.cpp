// ParseReportJson: recursive descent over RFC 8259's grammar, strings decoded as they are met.
#include "json_check.h"

#include <cstdint>

namespace {

class JsonReader {
public:
    JsonReader(const std::string& text, std::vector<std::string>& strings)
        : text(text), strings(strings) {}

    bool Run() {
        SkipSpace();
        if (!Value(0)) {
            return false;
        }
        SkipSpace();
        return position == text.size();
    }

private:
    // The report nests three deep; anything far deeper is not harpix-check's.
    static constexpr int kDeepest = 16;

    bool AtEnd() const { return position >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[position]; }
    bool Take(char c) {
        if (Peek() != c || AtEnd()) {
            return false;
        }
        ++position;
        return true;
    }
    void SkipSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t')) {
            ++position;
        }
    }

    bool Value(int depth) {
        if (depth > kDeepest) {
            return false;
        }
        switch (Peek()) {
            case '{':
                return Object(depth);
            case '[':
                return Array(depth);
            case '"': {
                std::string decoded;
                if (!String(decoded)) {
                    return false;
                }
                strings.push_back(decoded);
                return true;
            }
            case 'n':
                return Literal("null");
            default:
                return Number();
        }
    }

    bool Literal(const char* word) {
        for (; *word != '\0'; ++word) {
            if (!Take(*word)) {
                return false;
            }
        }
        return true;
    }

    bool Object(int depth) {
        Take('{');
        SkipSpace();
        if (Take('}')) {
            return true;
        }
        for (;;) {
            std::string name;
            SkipSpace();
            if (!String(name)) {
                return false;
            }
            strings.push_back(name);
            SkipSpace();
            if (!Take(':')) {
                return false;
            }
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Take('}')) {
                return true;
            }
            if (!Take(',')) {
                return false;
            }
        }
    }

    bool Array(int depth) {
        Take('[');
        SkipSpace();
        if (Take(']')) {
            return true;
        }
        for (;;) {
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Take(']')) {
                return true;
            }
            if (!Take(',')) {
                return false;
            }
        }
    }

    bool Digits() {
        size_t start = position;
        while (Peek() >= '0' && Peek() <= '9' && !AtEnd()) {
            ++position;
        }
        return position > start;
    }

    // harpix-check writes integers only: an optional minus, then digits without a leading zero.
    bool Number() {
        Take('-');
        if (Take('0')) {
            return !(Peek() >= '0' && Peek() <= '9');
        }
        return Digits();
    }

    static int HexValue(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    // One character of the string: an escape, or one UTF-8 sequence of U+0000 to U+00FF.
    bool Character(uint32_t& code) {
        unsigned char c = static_cast<unsigned char>(text[position++]);
        if (c < 0x20) {
            return false;
        }
        if (c == '\\') {
            if (AtEnd()) {
                return false;
            }
            char escape = text[position++];
            switch (escape) {
                case '"':
                case '\\':
                case '/':
                    code = static_cast<unsigned char>(escape);
                    return true;
                case 'b':
                    code = '\b';
                    return true;
                case 'f':
                    code = '\f';
                    return true;
                case 'n':
                    code = '\n';
                    return true;
                case 'r':
                    code = '\r';
                    return true;
                case 't':
                    code = '\t';
                    return true;
                case 'u':
                    code = 0;
                    for (int i = 0; i < 4; ++i) {
                        int digit = AtEnd() ? -1 : HexValue(text[position++]);
                        if (digit < 0) {
                            return false;
                        }
                        code = code * 16 + static_cast<uint32_t>(digit);
                    }
                    return true;
                default:
                    return false;
            }
        }
        if (c < 0x80) {
            code = c;
            return true;
        }
        // Two bytes, C2 or C3 and a continuation byte: U+0080 to U+00FF.
        if ((c != 0xC2 && c != 0xC3) || AtEnd()) {
            return false;
        }
        unsigned char next = static_cast<unsigned char>(text[position++]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        code = static_cast<uint32_t>((c & 0x1F) << 6 | (next & 0x3F));
        return true;
    }

    bool String(std::string& decoded) {
        if (!Take('"')) {
            return false;
        }
        for (;;) {
            if (AtEnd()) {
                return false;
            }
            if (Take('"')) {
                return true;
            }
            uint32_t code = 0;
            // A zero would end the C string it came from: it cannot be in a field's value.
            if (!Character(code) || code == 0 || code > 0xFF) {
                return false;
            }
            decoded.push_back(static_cast<char>(code));
        }
    }

    const std::string& text;
    std::vector<std::string>& strings;
    size_t position = 0;
};

}  // namespace

bool ParseReportJson(const std::string& text, std::vector<std::string>& strings) {
    return JsonReader(text, strings).Run();
}
