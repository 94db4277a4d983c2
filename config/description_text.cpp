// Loading the description file with the C runtime's text-mode translation, done by hand.
#include "description_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

char descriptionText[kDescriptionTextLimit + 1];

namespace {

constexpr char kCtrlZ = 0x1A;

}  // namespace

void LoadDescriptionText(const char* bytes, size_t size) {
    // A Ctrl-Z ends the file: nothing after it is ever looked at.
    if (const void* end = std::memchr(bytes, kCtrlZ, size)) {
        size = static_cast<size_t>(static_cast<const char*>(end) - bytes);
    }
    // Runs of bytes without a CR are copied whole; a CR becomes LF when LF follows it (the pair
    // is one character) and stays otherwise. Byte by byte, this was most of the reader's time.
    size_t offset = 0;
    size_t stored = 0;
    const size_t limit = kDescriptionTextLimit;
    while (stored < limit && offset < size) {
        const size_t span = std::min(limit - stored, size - offset);
        const void* cr = std::memchr(bytes + offset, '\r', span);
        const size_t run =
            cr != nullptr ? static_cast<size_t>(static_cast<const char*>(cr) - (bytes + offset))
                          : span;
        std::memcpy(descriptionText + stored, bytes + offset, run);
        stored += run;
        offset += run;
        if (cr == nullptr) {
            continue;  // the text is full or the bytes are used up
        }
        ++offset;
        if (offset < size && bytes[offset] == '\n') {
            descriptionText[stored++] = '\n';
            ++offset;
        } else {
            descriptionText[stored++] = '\r';
        }
    }
    descriptionText[stored] = '\0';
}

bool LoadDescriptionFile(const char* fileName) {
    descriptionText[0] = '\0';
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        return false;
    }
    // Every character of the text takes at most two bytes of the file (CR LF), and the text
    // holds at most kDescriptionTextLimit of them: read that many bytes in one go, plus one,
    // which decides whether a last CR is followed by LF.
    std::vector<char> bytes(2 * static_cast<size_t>(kDescriptionTextLimit) + 1);
    const size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
    // A folder opens on some systems and then fails to read; it is no description file.
    const bool readable = std::ferror(file) == 0;
    std::fclose(file);
    if (readable) {
        LoadDescriptionText(bytes.data(), size);
    }
    return readable;
}
