// The word and line readers, and the top-level loop over the description file's keys.
#include "description_reader.h"

#include <cstring>
#include <iterator>

#include "ascii_text.h"
#include "demo_settings.h"
#include "description_text.h"
#include "object_records.h"
#include "reader_observer.h"
#include "run_ends.h"
#include "section_readers.h"

ReaderObserver* readerObserver;

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\n';
}

// Moves one character on; false (with the too-long message) once the limit is reached.
bool Advance(int32_t& position, ReaderMessages& messages) {
    ++position;
    if (position >= kPositionLimit) {
        messages.Show(kTooLongMessage);
        return false;
    }
    return true;
}

// How many characters a reader at `position` may take before moving on from the last of them
// reaches the limit. The readers scan up to the smaller of this and the field's room, and only
// then tell which of the two ended the scan.
int32_t RoomBeforeLimit(int32_t position) {
    return position < kPositionLimit - 1 ? kPositionLimit - position : 1;
}

// Copies a run the scan found into a field with `room` bytes. Most runs are a few characters,
// for which a call of memcpy cost more than the copy: where the field and the text have 16 bytes
// of room, one move of 16 copies the run and what follows it, which lies past the terminator the
// caller writes and so is never read as the field's value; otherwise two overlapping moves of a
// fixed size do it.
inline __attribute__((always_inline)) void CopyRun(char* to, const char* from, int32_t count,
                                                   int32_t room) {
    const size_t n = static_cast<size_t>(count);
    if (n <= 16 && room >= 16 && from + 16 <= descriptionText + sizeof descriptionText) {
        std::memcpy(to, from, 16);
    } else if (n > 16) {
        std::memcpy(to, from, n);
    } else if (n >= 8) {
        uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else {
        for (size_t i = 0; i < n; ++i) {
            to[i] = from[i];
        }
    }
}

ReadStatus ReadWord(int32_t& position, Word& word, ReaderMessages& messages) {
    char(&token)[kTokenCapacity] = word.text;
    token[kTokenCapacity - 1] = '\0';
    word.length = 0;
    word.prefix = 0;
    while (descriptionText[position] == '\n') {
        if (!Advance(position, messages)) {
            return ReadStop;
        }
    }
    const char* const text = descriptionText + position;
    if (text[0] == '\0') {
        token[0] = '\0';
        messages.Show(kUnexpectedEndMessage);
        return ReadStop;
    }
    // The first character is taken whatever it is; a separator or the zero byte ends the word.
    const int32_t room = RoomBeforeLimit(position);
    const int32_t stop = room < kTokenCapacity - 1 ? room : kTokenCapacity - 1;
    const int32_t taken = EndOfRun<true>(position + 1, position + stop) - position;
    CopyRun(token, text, taken, kTokenCapacity);
    word.length = taken;
    // From the text rather than the copy, which is still being stored.
    word.prefix = FoldedPrefix(position + 8 <= kDescriptionTextLimit ? text : token, taken);
    if (taken == kTokenCapacity - 1) {
        position += taken - 1;  // a split word: its 21st character starts the next word
        return ReadOk;
    }
    token[taken] = '\0';
    position += taken;
    if (taken == stop) {  // moving on from the last character reached the limit
        messages.Show(kTooLongMessage);
        return ReadStop;
    }
    if (text[taken] == '\0') {
        messages.Show(kUnexpectedEndMessage);
        return ReadStop;
    }
    return Advance(position, messages) ? ReadOk : ReadStop;  // past the separator
}

// `room` is the field's size, at least its capacity; `length` is left with the length of the
// value the field holds.
ReadStatus ReadLine(int32_t& position, char* field, int32_t capacity, int32_t room, int32_t& length,
                    ReaderMessages& messages) {
    const char* const text = descriptionText + position;
    // Every character is stored, the zero byte too; a line feed after the first ends the line.
    if (text[0] == '\0') {
        field[0] = '\0';
        length = 0;
        messages.Show(kUnexpectedEndMessage);
        return ReadStop;
    }
    const int32_t beforeLimit = RoomBeforeLimit(position);
    const int32_t stop = beforeLimit < capacity - 1 ? beforeLimit : capacity - 1;
    const int32_t taken = EndOfRun<false>(position + 1, position + stop) - position;
    CopyRun(field, text, taken, room);
    length = taken;
    if (taken < stop && text[taken] == '\0') {
        field[taken] = '\0';
        position += taken;
        messages.Show(kUnexpectedEndMessage);
        return ReadStop;
    }
    position += taken;
    if (position >= kPositionLimit) {
        field[taken] = '\0';
        messages.Show(kTooLongMessage);
        return ReadStop;
    }
    if (taken == capacity - 1) {
        messages.Show(kSizeLimitMessage);
        field[taken - 1] = '\0';
        length = taken - 1;
        return ReadOk;
    }
    field[taken] = '\0';
    return Advance(position, messages) ? ReadOk : ReadStop;  // past the line feed
}

// The observer is told around a call of each reader of its own, so that the program's reading,
// which has none, pays only the test of the pointer.
__attribute__((noinline)) ReadStatus ObservedReadToken(int32_t& position, Word& word,
                                                       ReaderMessages& messages) {
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadWord(position, word, messages);
    readerObserver->WordRead(from, position, word.text, status);
    return status;
}

__attribute__((noinline)) ReadStatus ObservedReadValueLine(int32_t& position, char* field,
                                                           int32_t capacity, int32_t room,
                                                           int32_t& length,
                                                           ReaderMessages& messages) {
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadLine(position, field, capacity, room, length, messages);
    readerObserver->ValueRead(from, position, field, status);
    return status;
}

ReadStatus ReadValueLineInto(int32_t& position, char* field, int32_t capacity, int32_t room,
                             int32_t& length, ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedReadValueLine(position, field, capacity, room, length, messages);
    }
    return ReadLine(position, field, capacity, room, length, messages);
}

// ParseNumber of a number's field of `length` (at most 4) characters, the first a digit, read
// from the text at `from`, four characters at a time: the text is long written, while reading
// the field just stored would wait for the stores.
int32_t ParseDigits(int32_t from, int32_t length) {
    uint32_t bytes;
    std::memcpy(&bytes, descriptionText + from, sizeof bytes);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    bytes = __builtin_bswap32(bytes);
#endif
    const uint32_t digits = bytes - 0x30303030u;
    // A byte is no digit when it is below '0' (it borrows, which only ever reaches the bytes
    // after it) or above '9'; nor is any byte past the field's length.
    uint32_t notDigit = (digits | (digits + 0x76767676u)) & 0x80808080u;
    if (length < 4) {
        notDigit |= 0x80808080u << (8 * length);
    }
    const int count = notDigit == 0 ? 4 : __builtin_ctz(notDigit) / 8;
    // Shifted to the top, the digits read as a four-digit number with leading zeros.
    uint32_t x = (digits & (0xffffffffu >> (32 - 8 * count))) << (32 - 8 * count);
    x = (x * 10 + (x >> 8)) & 0x00ff00ffu;
    x = (x * 100 + (x >> 16)) & 0xffffu;
    return static_cast<int32_t>(x);
}

}  // namespace

ReadStatus ReadToken(int32_t& position, Word& word, ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedReadToken(position, word, messages);
    }
    return ReadWord(position, word, messages);
}

ReadStatus ReadValueLine(int32_t& position, char* field, int32_t capacity, int32_t& length,
                         ReaderMessages& messages) {
    return ReadValueLineInto(position, field, capacity, capacity, length, messages);
}

ReadStatus ReadValueLine(int32_t& position, char* field, int32_t capacity,
                         ReaderMessages& messages) {
    int32_t length = 0;
    return ReadValueLineInto(position, field, capacity, capacity, length, messages);
}

ReadStatus ReadNumberValue(int32_t& position, int32_t& number, ReaderMessages& messages) {
    const int32_t from = position;
    // Room for a fast copy; the value itself is read with a field of 6, as any number is.
    char field[16] = {};
    int32_t length = 0;
    const ReadStatus status = ReadValueLineInto(position, field, 6, sizeof field, length, messages);
    const bool digitFirst = descriptionText[from] >= '0' && descriptionText[from] <= '9';
    number = digitFirst && from + 4 <= kDescriptionTextLimit ? ParseDigits(from, length)
                                                             : ParseNumber(field);
    return status;
}

namespace {

enum class AfterEnd { EndsReading, GoesOn };

// After the word End, the word that follows decides. It is scanned to its end whatever its
// length; the zero byte ends it without being passed, so the next read meets the end of text.
AfterEnd ReadWordAfterEnd(int32_t& position) {
    int32_t start = position;
    if (descriptionText[position] != '\0') {
        ++position;
        while (descriptionText[position] != '\0' && !IsSeparator(descriptionText[position])) {
            ++position;
        }
    }
    char word[4] = {};
    bool isIni = position - start == 3;
    if (isIni) {
        std::memcpy(word, descriptionText + start, 3);
        isIni = EqualsIgnoringCase(word, "Ini");
    }
    if (descriptionText[position] != '\0') {
        ++position;
    }
    return (position >= kPositionLimit || isIni) ? AfterEnd::EndsReading : AfterEnd::GoesOn;
}

ReadStatus ReadTitle(int32_t& position, ReaderMessages& messages) {
    return ReadValueLine(position, demoSettings.Title, sizeof demoSettings.Title, messages);
}

// The window size is read like a coordinate; a stopped read leaves the setting as it was.
ReadStatus ReadWindowSize(int32_t& position, int32_t& setting, ReaderMessages& messages) {
    int32_t number = 0;
    ReadStatus status = ReadNumberValue(position, number, messages);
    if (status == ReadOk) {
        setting = number;
    }
    return status;
}

ReadStatus ReadWindowWidth(int32_t& position, ReaderMessages& messages) {
    return ReadWindowSize(position, demoSettings.WindowWidth, messages);
}

ReadStatus ReadWindowHeight(int32_t& position, ReaderMessages& messages) {
    return ReadWindowSize(position, demoSettings.WindowHeight, messages);
}

ReadStatus ReadScriptFileName(int32_t& position, ReaderMessages& messages) {
    return ReadValueLine(position, demoSettings.ScriptFileName, sizeof demoSettings.ScriptFileName,
                         messages);
}

ReadStatus ReadAutoExecRoutine(int32_t& position, ReaderMessages& messages) {
    return ReadValueLine(position, demoSettings.AutoExecRoutine,
                         sizeof demoSettings.AutoExecRoutine, messages);
}

ReadStatus ReadAudioPathFileName(int32_t& position, ReaderMessages& messages) {
    return ReadValueLine(position, demoSettings.AudioPathFileName,
                         sizeof demoSettings.AudioPathFileName, messages);
}

struct KeyAction {
    KeyName name;
    ReadStatus (*read)(int32_t& position, ReaderMessages& messages);
};

constexpr KeyAction kTopLevelKeys[] = {
    {{"Title", false}, ReadTitle},
    {{"WindowWidth", true}, ReadWindowWidth},
    {{"WindowHeight", true}, ReadWindowHeight},
    {{"ScriptFileName", false}, ReadScriptFileName},
    {{"AutoExecRoutine", false}, ReadAutoExecRoutine},
    {{"AudioPathFileName", false}, ReadAudioPathFileName},
    {{kSectionKeys[0].keyword, false}, ReadButtonSection},
    {{kSectionKeys[1].keyword, false}, ReadVariableSection},
    {{kSectionKeys[2].keyword, false}, ReadTextBoxSection},
    {{kSectionKeys[3].keyword, false}, ReadLyricViewSection},
};

constexpr KeyName kEnd{"End", false};

void Interpret(int32_t& position, ReaderMessages& messages) {
    Word word;
    while (position < kDescriptionTextLimit) {
        if (ReadToken(position, word, messages) == ReadStop) {
            return;
        }
        if (IsKey(word, kEnd) && ReadWordAfterEnd(position) == AfterEnd::EndsReading) {
            return;
        }
        for (const KeyAction& action : kTopLevelKeys) {
            if (IsKey(word, action.name)) {
                if (readerObserver != nullptr) {
                    readerObserver->KeyMatched(action.name.key);
                }
                if (action.read(position, messages) == ReadStop) {
                    return;
                }
                break;
            }
        }
    }
}

}  // namespace

void InterpretDescriptionText(ReaderMessages& messages) {
    MarkRunEnds();
    int32_t position = 0;
    Interpret(position, messages);
    if (readerObserver != nullptr) {
        readerObserver->ReadingEnded(position);
    }
}

bool ReadDescriptionFile(const char* fileName, ReaderMessages& messages) {
    demoSettings.AudioPathFileName[0] = '\0';
    demoSettings.AutoExecRoutine[0] = '\0';
    // Earlier records are freed and every slot nulled before the sections fill them. The window
    // and the key filter read the tables by their counts only; a slot past its count is still
    // kept null, so that nothing can reach a freed record through it.
    ReleaseObjectRecords();
    if (!LoadDescriptionFile(fileName)) {
        return false;
    }
    InterpretDescriptionText(messages);
    return true;
}

KeyName TopLevelKeyAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= std::size(kTopLevelKeys)) {
        return {nullptr, false};
    }
    return kTopLevelKeys[index].name;
}
