// Reading the description file: words and value lines, the top-level keys, and the whole file.
//
// The syntax has no comments, quoting or escapes: a key is a word, its value is the rest of the
// line (or the next line), and every word that is not a key is skipped. One reading position is
// shared by every reader; each takes it by reference and leaves it behind what it consumed. No
// reader ever moves the position past the zero byte that ends the text, and none reads on once
// the position reaches 9999.
#pragma once

#include <cstdint>

#include "ascii_text.h"
#include "read_status.h"
#include "reader_messages.h"
#include "reader_observer.h"

constexpr int32_t kTokenCapacity = 22;
// The position at which every reader gives up with the too-long message.
constexpr int32_t kPositionLimit = 9999;

// A word as ReadToken leaves it: its characters, zero-terminated, its length, and its first
// eight characters as CaselessPrefix gives them, by which the keys tell it apart.
struct Word {
    char text[kTokenCapacity];
    int32_t length;
    uint64_t prefix;
};

// Whether the word is the key, in any letter case. Below eight characters the prefixes hold the
// lengths too: no byte of a word is zero once its case bit is set.
inline bool IsKey(const Word& word, const KeyName& key) {
    if (word.prefix != key.prefix) {
        return false;
    }
    if (key.length < 8) {
        return true;
    }
    if (word.length != key.length) {
        return false;
    }
    if (key.length <= 16) {
        return key.length == 8 || CaselessPrefix(word.text + 8, key.length - 8) == key.rest;
    }
    return EqualsIgnoringCase(word.text + 8, key.key + 8);
}

// What a reader returns: its status and the position it leaves. The readers take the position by
// value and return it so, and the forms that take it by reference are inline: a caller whose
// position is a local of its own keeps it in a register from one read to the next. Through
// memory, every read first waited for the store of the read before.
struct ReadResult {
    ReadStatus status;
    int32_t position;
};

// Reads the next word of at most 21 characters. Line feeds before it are skipped; its first
// character is taken whatever it is, and a space or line feed after that ends it and is consumed.
// A longer word is split: the position stays on its 21st character, which starts the next word.
ReadResult ReadTokenAt(int32_t position, Word& word, ReaderMessages& messages);

// Reads the rest of the current line, verbatim, into a field of `capacity` bytes. A value that
// reaches capacity - 1 characters keeps capacity - 2 of them, drops the next, shows the size-limit
// message and leaves the rest of the line to the next reader. The field is always terminated;
// `length` is left with the length of the value it holds.
ReadResult ReadValueLineAt(int32_t position, char* field, int32_t capacity, int32_t& length,
                           ReaderMessages& messages);

// The same rules without the copy: the value is the `length` characters of descriptionText at
// `position`, what a field of `capacity` bytes would hold.
ReadResult ScanValueLineAt(int32_t position, int32_t capacity, int32_t& length,
                           ReaderMessages& messages);

// Reads a number the way every coordinate and size is read: a value of at most four characters,
// converted by the atoi rule. On ReadStop `number` holds what was converted from the part read.
ReadResult ReadNumberValueAt(int32_t position, int32_t& number, ReaderMessages& messages);

// The same readers, moving the caller's position.
inline ReadStatus Moved(int32_t& position, ReadResult result) {
    position = result.position;
    return result.status;
}

inline ReadStatus ReadToken(int32_t& position, Word& word, ReaderMessages& messages) {
    return Moved(position, ReadTokenAt(position, word, messages));
}

inline ReadStatus ReadValueLine(int32_t& position, char* field, int32_t capacity,
                                ReaderMessages& messages) {
    int32_t length = 0;
    return Moved(position, ReadValueLineAt(position, field, capacity, length, messages));
}

inline ReadStatus ReadNumberValue(int32_t& position, int32_t& number, ReaderMessages& messages) {
    return Moved(position, ReadNumberValueAt(position, number, messages));
}

// Interprets descriptionText from its start until End Ini, the end of the text, or a stop.
void InterpretDescriptionText(ReaderMessages& messages);

// The whole reading at start-up: clears what a new reading starts from, loads the file and
// interprets it. False, with nothing shown, when the file cannot be opened: the program then
// ends with exit code 1.
bool ReadDescriptionFile(const char* fileName, ReaderMessages& messages);

// The key at `index` of the top-level table: the settings, then the section keywords.
KeyName TopLevelKeyAt(int index);
