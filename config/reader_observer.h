// An optional witness of the description-file reader, for harpix-check --explain: where each
// word and value lay, which keys matched, where sections began and ended, and where the reading
// stopped. The program leaves it null; the readers then only test the pointer.
//
// Positions are indexes into descriptionText. A message shown between BeginRead and the end of
// that read arose where the read ended; any other message arose where the last read ended.
#pragma once

#include <cstdint>

#include "ascii_text.h"
#include "read_status.h"

enum class SectionKind { Button, Variable, TextBox, LyricView };

// A key as the readers' own tables spell it (they match it in any letter case), for a witness
// that names keys: `key` is null past a table's last key.
struct KeyName {
    constexpr KeyName() = default;
    constexpr KeyName(const char* name, bool isNumber)
        : key(name),
          number(isNumber),
          length(LengthOf(name)),
          prefix(name != nullptr ? CaselessPrefixOf(name) : 0),
          rest(name != nullptr ? CaselessPrefixOf(name, 8) : 0) {}

    const char* key = nullptr;
    bool number = false;  // its value is read as a number
    // Of `key`: the readers pass over a word of another length without comparing it.
    int32_t length = 0;
    // Its first eight characters with their case bits set (CaselessPrefix): most words are told
    // apart by it alone. Every key is letters only, which that comparison relies on.
    uint64_t prefix = 0;
    // The same of its ninth to sixteenth characters, for a key longer than eight.
    uint64_t rest = 0;

private:
    static constexpr int32_t LengthOf(const char* name) {
        int32_t n = 0;
        while (name != nullptr && name[n] != '\0') {
            ++n;
        }
        return n;
    }
};

class ReaderObserver {
public:
    virtual void BeginRead() = 0;
    // `from` is the position before the line feeds that ReadToken skips.
    virtual void WordRead(int32_t from, int32_t to, const char* word, ReadStatus status) = 0;
    virtual void ValueRead(int32_t from, int32_t to, const char* value, ReadStatus status) = 0;
    // The word just read is this key (top-level key, section keyword or a section's key).
    virtual void KeyMatched(const char* key) = 0;
    virtual void SectionBegan(SectionKind kind) = 0;
    // After the section's messages; `status` is what the section reader returns.
    virtual void SectionEnded(SectionKind kind, ReadStatus status) = 0;
    virtual void ReadingEnded(int32_t position) = 0;

protected:
    ~ReaderObserver() = default;
};

extern ReaderObserver* readerObserver;
