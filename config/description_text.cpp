// Loading the description file with the C runtime's text-mode translation, done by hand.
#include "description_text.h"

#include <cstdio>

char descriptionText[kDescriptionTextLimit + 1];

namespace {

constexpr int kEndOfFile = -1;
constexpr int kCtrlZ = 0x1A;

// Pulls bytes from `next` (which returns kEndOfFile at the end) until the text is full.
template <typename NextByte>
void TranslateTextMode(NextByte next) {
    int32_t stored = 0;
    int pending = next();
    while (stored < kDescriptionTextLimit && pending != kEndOfFile && pending != kCtrlZ) {
        int c = pending;
        pending = next();
        if (c == '\r' && pending == '\n') {
            c = '\n';
            pending = next();
        }
        descriptionText[stored++] = static_cast<char>(c);
    }
    descriptionText[stored] = '\0';
}

}  // namespace

void LoadDescriptionText(const char* bytes, size_t size) {
    size_t offset = 0;
    TranslateTextMode([&]() -> int {
        return offset < size ? static_cast<unsigned char>(bytes[offset++]) : kEndOfFile;
    });
}

bool LoadDescriptionFile(const char* fileName) {
    descriptionText[0] = '\0';
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        return false;
    }
    TranslateTextMode([&]() -> int {
        int c = std::getc(file);
        return c == EOF ? kEndOfFile : c;
    });
    // A folder opens on some systems and then fails to read; it is no description file.
    bool readable = std::ferror(file) == 0;
    std::fclose(file);
    if (!readable) {
        descriptionText[0] = '\0';
    }
    return readable;
}
