// The word and line readers, and the top-level loop over the description file's keys.
#include "description_reader.h"

#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ascii_text.h"
#include "demo_settings.h"
#include "description_text.h"
#include "object_records.h"
#include "reader_observer.h"
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

// The first index from `from` up to `stop` whose character is a line feed or the zero byte (or,
// for a word, a space), or `stop`. Copying only after the scan keeps the loop free of stores,
// which may alias the text; with SSE2 it looks at 16 characters at a time wherever they lie
// inside descriptionText (characters after its zero byte are old but harmless: the zero ends
// the scan first).
template <bool kSpaceEnds>
int32_t EndOfRun(int32_t from, int32_t stop) {
    int32_t i = from;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i zero = _mm_setzero_si128();
    for (; i < stop && i + 16 <= kDescriptionTextLimit + 1; i += 16) {
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(descriptionText + i));
        __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, zero));
        if (kSpaceEnds) {
            ends = _mm_or_si128(ends, _mm_cmpeq_epi8(bytes, space));
        }
        const int mask = _mm_movemask_epi8(ends);
        if (mask != 0) {
            const int32_t at = i + __builtin_ctz(static_cast<unsigned>(mask));
            return at < stop ? at : stop;
        }
    }
    if (i >= stop) {
        return stop;
    }
#endif
    for (; i < stop; ++i) {
        const char c = descriptionText[i];
        if (c == '\n' || c == '\0' || (kSpaceEnds && c == ' ')) {
            return i;
        }
    }
    return stop;
}

// Copies a run the scan found. Most runs are a few characters, for which a call of memcpy cost
// more than the copy: two overlapping moves of a fixed size do it.
void CopyRun(char* to, const char* from, int32_t count) {
    const size_t n = static_cast<size_t>(count);
    if (n > 16) {
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

ReadStatus ReadWord(int32_t& position, char (&token)[kTokenCapacity], int32_t& length,
                    ReaderMessages& messages) {
    token[kTokenCapacity - 1] = '\0';
    length = 0;
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
    CopyRun(token, text, taken);
    length = taken;
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

ReadStatus ReadLine(int32_t& position, char* field, int32_t capacity, ReaderMessages& messages) {
    const char* const text = descriptionText + position;
    // Every character is stored, the zero byte too; a line feed after the first ends the line.
    if (text[0] == '\0') {
        field[0] = '\0';
        messages.Show(kUnexpectedEndMessage);
        return ReadStop;
    }
    const int32_t room = RoomBeforeLimit(position);
    const int32_t stop = room < capacity - 1 ? room : capacity - 1;
    const int32_t taken = EndOfRun<false>(position + 1, position + stop) - position;
    CopyRun(field, text, taken);
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
        return ReadOk;
    }
    field[taken] = '\0';
    return Advance(position, messages) ? ReadOk : ReadStop;  // past the line feed
}

}  // namespace

// The observer is told around one call of each reader, so that the reader is inlined here.
ReadStatus ReadToken(int32_t& position, char (&token)[kTokenCapacity], int32_t& length,
                     ReaderMessages& messages) {
    const int32_t from = position;
    if (readerObserver != nullptr) {
        readerObserver->BeginRead();
    }
    const ReadStatus status = ReadWord(position, token, length, messages);
    if (readerObserver != nullptr) {
        readerObserver->WordRead(from, position, token, status);
    }
    return status;
}

ReadStatus ReadValueLine(int32_t& position, char* field, int32_t capacity,
                         ReaderMessages& messages) {
    const int32_t from = position;
    if (readerObserver != nullptr) {
        readerObserver->BeginRead();
    }
    const ReadStatus status = ReadLine(position, field, capacity, messages);
    if (readerObserver != nullptr) {
        readerObserver->ValueRead(from, position, field, status);
    }
    return status;
}

ReadStatus ReadNumberValue(int32_t& position, int32_t& number, ReaderMessages& messages) {
    char field[6] = {};
    ReadStatus status = ReadValueLine(position, field, sizeof field, messages);
    number = ParseNumber(field);
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

void Interpret(int32_t& position, ReaderMessages& messages) {
    char token[kTokenCapacity] = {};
    while (position < kDescriptionTextLimit) {
        int32_t length = 0;
        if (ReadToken(position, token, length, messages) == ReadStop) {
            return;
        }
        if (IsKey(token, length, "End", 3) && ReadWordAfterEnd(position) == AfterEnd::EndsReading) {
            return;
        }
        for (const KeyAction& action : kTopLevelKeys) {
            if (IsKey(token, length, action.name.key, action.name.length)) {
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
