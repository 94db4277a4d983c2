// The word and line readers, and the top-level loop over the description file's keys.
#include "description_reader.h"

#include <cstring>
#include <iterator>

#include "ascii_text.h"
#include "demo_settings.h"
#include "description_text.h"
#include "key_index.h"
#include "object_records.h"
#include "reader_observer.h"
#include "run_ends.h"
#include "section_readers.h"

ReaderObserver* readerObserver;

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\n';
}

// Every reader's failure: its message, and the stop. Out of the readers' way, so that their
// common path makes no call and keeps its values in registers.
[[gnu::cold, gnu::noinline]] ReadStatus Stop(ReaderMessages& messages, const char* message) {
    messages.Show(message);
    return ReadStop;
}

// Moves one character on; false (with the too-long message) once the limit is reached.
bool Advance(int32_t& position, ReaderMessages& messages) {
    ++position;
    if (position >= kPositionLimit) {
        Stop(messages, kTooLongMessage);
        return false;
    }
    return true;
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
    } else if (n > 32) {
        std::memcpy(to, from, n);
    } else if (n > 16) {
        char head[16], tail[16];
        std::memcpy(head, from, 16);
        std::memcpy(tail, from + n - 16, 16);
        std::memcpy(to, head, 16);
        std::memcpy(to + n - 16, tail, 16);
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

// Inline in ReadToken, the reading's most frequent call.
inline __attribute__((always_inline)) ReadStatus ReadWord(int32_t& position, Word& word,
                                                          ReaderMessages& messages) {
    char(&token)[kTokenCapacity] = word.text;
    // In a local: the stores through `token` might otherwise change it, for all the compiler
    // knows, and it would be read again from memory.
    int32_t at = position;
    while (descriptionText[at] == '\n') {
        if (!Advance(at, messages)) {
            position = at;
            token[kTokenCapacity - 1] = '\0';
            word.length = 0;
            word.prefix = 0;
            return ReadStop;
        }
    }
    position = at;
    const char* const text = descriptionText + at;
    if (text[0] == '\0') {
        token[0] = '\0';
        word.length = 0;
        word.prefix = 0;
        return Stop(messages, kUnexpectedEndMessage);
    }
    // The first character is taken whatever it is; a separator, the zero byte or the limit ends
    // the word. The readers scan up to the field's room, and only then tell what ended the scan.
    const int32_t taken = EndOfRun<true>(at + 1, at + kTokenCapacity - 1) - at;
    if (taken < 1 || taken > kTokenCapacity - 1) {
        __builtin_unreachable();  // the scan ends after the first character, and by its room
    }
    CopyRun(token, text, taken, kTokenCapacity);
    token[taken] = '\0';
    word.length = taken;
    // From the text rather than the copy, which is still being stored.
    word.prefix = CaselessPrefix(at + 8 <= kDescriptionTextLimit ? text : token, taken);
    if (taken == kTokenCapacity - 1) {
        position = at + taken - 1;  // a split word: its 21st character starts the next word
        return ReadOk;
    }
    at += taken;
    if (at >= kPositionLimit) {  // moving on from the last character reached the limit
        position = at;
        return Stop(messages, kTooLongMessage);
    }
    if (text[taken] == '\0') {
        position = at;
        return Stop(messages, kUnexpectedEndMessage);
    }
    position = at + 1;  // past the separator
    return position >= kPositionLimit ? Stop(messages, kTooLongMessage) : ReadOk;
}

// How the scan of a value line ended, each with the message it shows.
enum class LineEnd { Read, SizeLimit, UnexpectedEnd, TooLong };

[[gnu::cold, gnu::noinline]] ReadStatus ShowLineEnd(LineEnd end, ReaderMessages& messages) {
    switch (end) {
        case LineEnd::SizeLimit:
            messages.Show(kSizeLimitMessage);
            return ReadOk;
        case LineEnd::UnexpectedEnd:
            return Stop(messages, kUnexpectedEndMessage);
        case LineEnd::TooLong:
            return Stop(messages, kTooLongMessage);
        case LineEnd::Read:
            break;
    }
    return ReadOk;
}

// The status of a scan that ended so; its callers make it their last call, so that the common
// path saves no registers for it.
ReadStatus Finish(LineEnd end, ReaderMessages& messages) {
    return end == LineEnd::Read ? ReadOk : ShowLineEnd(end, messages);
}

// The rules of a value line without its copy or its message: the value is the `length`
// characters of the text at the position on entry, the most a field of `capacity` bytes keeps
// of them. Inline in each of its few callers, which then keep the length in a register.
inline __attribute__((always_inline)) LineEnd ScanLine(int32_t& position, int32_t capacity,
                                                       int32_t& length) {
    const char* const text = descriptionText + position;
    // Every character is taken, the zero byte too; a line feed after the first ends the line.
    if (text[0] == '\0') {
        length = 0;
        return LineEnd::UnexpectedEnd;
    }
    const int32_t taken = EndOfRun<false>(position + 1, position + capacity - 1) - position;
    length = taken;
    position += taken;
    if (position >= kPositionLimit) {
        return LineEnd::TooLong;
    }
    if (taken < capacity - 1 && text[taken] == '\0') {
        return LineEnd::UnexpectedEnd;
    }
    if (taken == capacity - 1) {
        length = taken - 1;
        return LineEnd::SizeLimit;
    }
    ++position;  // past the line feed
    return position >= kPositionLimit ? LineEnd::TooLong : LineEnd::Read;
}

// `room` is the field's size, at least its capacity; `length` is left with the length of the
// value the field holds.
ReadStatus ReadLine(int32_t& position, char* field, int32_t capacity, int32_t room, int32_t& length,
                    ReaderMessages& messages) {
    const char* const text = descriptionText + position;
    const LineEnd end = ScanLine(position, capacity, length);
    CopyRun(field, text, length, room);
    field[length] = '\0';
    return Finish(end, messages);
}

// The observer is told around a call of each reader of its own, so that the program's reading,
// which has none, pays only the test of the pointer.
__attribute__((noinline)) ReadResult ObservedReadToken(int32_t position, Word& word,
                                                       ReaderMessages& messages) {
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadWord(position, word, messages);
    readerObserver->WordRead(from, position, word.text, status);
    return {status, position};
}

__attribute__((noinline)) ReadResult ObservedReadValueLine(int32_t position, char* field,
                                                           int32_t capacity, int32_t room,
                                                           int32_t& length,
                                                           ReaderMessages& messages) {
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadLine(position, field, capacity, room, length, messages);
    readerObserver->ValueRead(from, position, field, status);
    return {status, position};
}

// The witness sees the field that the value would be read into, as for any other value line.
__attribute__((noinline)) ReadResult ObservedScanLine(int32_t position, int32_t capacity,
                                                      int32_t& length, ReaderMessages& messages) {
    char field[kTextCapacity];
    return ObservedReadValueLine(position, field, capacity, sizeof field, length, messages);
}

// Every number's value is read as a field of this size would hold it.
constexpr int32_t kNumberCapacity = 6;

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

// Whether the value of `length` characters at `from` is read by ParseDigits: most numbers are
// digits, read from the text four at a time. A value cut short by the limit may keep five
// characters, which that would lose one of.
bool ReadsAsDigits(int32_t from, int32_t length) {
    return descriptionText[from] >= '0' && descriptionText[from] <= '9' && length <= 4 &&
           from + 4 <= kDescriptionTextLimit;
}

// The number of any other value, from the field that holds it, and the status of its scan: the
// caller's last call, so that its common path saves no registers.
__attribute__((noinline)) ReadStatus FinishFieldNumber(int32_t from, int32_t length, LineEnd end,
                                                       int32_t& number, ReaderMessages& messages) {
    char field[kNumberCapacity];
    std::memcpy(field, descriptionText + from, static_cast<size_t>(length));
    field[length] = '\0';
    number = ParseNumber(field);
    return Finish(end, messages);
}

ReadStatus FinishNumber(int32_t from, int32_t length, LineEnd end, int32_t& number,
                        ReaderMessages& messages) {
    if (!ReadsAsDigits(from, length)) {
        return FinishFieldNumber(from, length, end, number, messages);
    }
    number = ParseDigits(from, length);
    return Finish(end, messages);
}

__attribute__((noinline)) ReadResult ObservedReadNumber(int32_t position, int32_t& number,
                                                        ReaderMessages& messages) {
    int32_t length = 0;
    const ReadResult result = ObservedScanLine(position, kNumberCapacity, length, messages);
    FinishNumber(position, length, LineEnd::Read, number, messages);
    return result;
}

}  // namespace

ReadResult ReadTokenAt(int32_t position, Word& word, ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedReadToken(position, word, messages);
    }
    const ReadStatus status = ReadWord(position, word, messages);
    return {status, position};
}

ReadResult ReadValueLineAt(int32_t position, char* field, int32_t capacity, int32_t& length,
                           ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedReadValueLine(position, field, capacity, capacity, length, messages);
    }
    const ReadStatus status = ReadLine(position, field, capacity, capacity, length, messages);
    return {status, position};
}

ReadResult ScanValueLineAt(int32_t position, int32_t capacity, int32_t& length,
                           ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedScanLine(position, capacity, length, messages);
    }
    const ReadStatus status = Finish(ScanLine(position, capacity, length), messages);
    return {status, position};
}

ReadResult ReadNumberValueAt(int32_t position, int32_t& number, ReaderMessages& messages) {
    if (readerObserver != nullptr) {
        return ObservedReadNumber(position, number, messages);
    }
    const int32_t from = position;
    int32_t length = 0;
    const LineEnd end = ScanLine(position, kNumberCapacity, length);
    const ReadStatus status = FinishNumber(from, length, end, number, messages);
    return {status, position};
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

constexpr KeyIndex kTopLevelIndex = KeyIndex::Of(static_cast<int>(std::size(kTopLevelKeys)),
                                                 [](int i) { return kTopLevelKeys[i].name; });
static_assert(kTopLevelIndex.found(), "every top-level key needs a slot of its own");

constexpr KeyName kEnd{"End", false};

int32_t Interpret(int32_t position, ReaderMessages& messages) {
    Word word;
    while (position < kDescriptionTextLimit) {
        if (ReadToken(position, word, messages) == ReadStop) {
            return position;
        }
        if (IsKey(word, kEnd) && ReadWordAfterEnd(position) == AfterEnd::EndsReading) {
            return position;
        }
        const int candidate = kTopLevelIndex.Candidate(word.prefix);
        if (candidate < 0 || !IsKey(word, kTopLevelKeys[candidate].name)) {
            continue;
        }
        const KeyAction& action = kTopLevelKeys[candidate];
        if (readerObserver != nullptr) {
            readerObserver->KeyMatched(action.name.key);
        }
        // The actions move a position in memory, this copy; the loop's stays in a register.
        int32_t moved = position;
        const ReadStatus status = action.read(moved, messages);
        position = moved;
        if (status == ReadStop) {
            return position;
        }
    }
    return position;
}

}  // namespace

void InterpretDescriptionText(ReaderMessages& messages) {
    MarkRunEnds(kPositionLimit);
    const int32_t position = Interpret(0, messages);
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
