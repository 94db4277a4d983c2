// The word and line readers, and the top-level loop over the description file's keys.
#include "description_reader.h"

#include <cstring>
#include <iterator>

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

// The reading position, kept in a local while one word or line is read and handed back when the
// reader returns. The reader stores characters through char pointers, which may alias anything:
// with the caller's variable itself the compiler had to write it back after every character.
class LocalPosition {
public:
    explicit LocalPosition(int32_t& position) : at(position), shared(position) {}
    ~LocalPosition() { shared = at; }
    LocalPosition(const LocalPosition&) = delete;
    LocalPosition& operator=(const LocalPosition&) = delete;

    int32_t at;

private:
    int32_t& shared;
};

ReadStatus ReadWord(int32_t& sharedPosition, char (&token)[kTokenCapacity],
                    ReaderMessages& messages) {
    LocalPosition local(sharedPosition);
    int32_t& position = local.at;
    token[kTokenCapacity - 1] = '\0';
    while (descriptionText[position] == '\n') {
        if (!Advance(position, messages)) {
            return ReadStop;
        }
    }
    int32_t length = 0;
    for (;;) {
        char c = descriptionText[position];
        if (c == '\0') {
            token[length] = '\0';
            messages.Show(kUnexpectedEndMessage);
            return ReadStop;
        }
        token[length++] = c;
        if (length == kTokenCapacity - 1) {
            return ReadOk;
        }
        if (!Advance(position, messages)) {
            token[length] = '\0';
            return ReadStop;
        }
        if (IsSeparator(descriptionText[position])) {
            token[length] = '\0';
            return Advance(position, messages) ? ReadOk : ReadStop;
        }
    }
}

ReadStatus ReadLine(int32_t& sharedPosition, char* field, int32_t capacity,
                    ReaderMessages& messages) {
    LocalPosition local(sharedPosition);
    int32_t& position = local.at;
    int32_t length = 0;
    for (;;) {
        char c = descriptionText[position];
        field[length++] = c;
        if (c == '\0') {
            messages.Show(kUnexpectedEndMessage);
            return ReadStop;
        }
        if (!Advance(position, messages)) {
            field[length] = '\0';
            return ReadStop;
        }
        if (length == capacity - 1) {
            messages.Show(kSizeLimitMessage);
            field[length - 1] = '\0';
            return ReadOk;
        }
        if (descriptionText[position] == '\n') {
            field[length] = '\0';
            return Advance(position, messages) ? ReadOk : ReadStop;
        }
    }
}

}  // namespace

ReadStatus ReadToken(int32_t& position, char (&token)[kTokenCapacity], ReaderMessages& messages) {
    if (readerObserver == nullptr) {
        return ReadWord(position, token, messages);
    }
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadWord(position, token, messages);
    readerObserver->WordRead(from, position, token, status);
    return status;
}

ReadStatus ReadValueLine(int32_t& position, char* field, int32_t capacity,
                         ReaderMessages& messages) {
    if (readerObserver == nullptr) {
        return ReadLine(position, field, capacity, messages);
    }
    const int32_t from = position;
    readerObserver->BeginRead();
    const ReadStatus status = ReadLine(position, field, capacity, messages);
    readerObserver->ValueRead(from, position, field, status);
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
    const char* key;
    ReadStatus (*read)(int32_t& position, ReaderMessages& messages);
    bool number;  // its value is read as a number
};

const KeyAction kTopLevelKeys[] = {
    {"Title", ReadTitle, false},
    {"WindowWidth", ReadWindowWidth, true},
    {"WindowHeight", ReadWindowHeight, true},
    {"ScriptFileName", ReadScriptFileName, false},
    {"AutoExecRoutine", ReadAutoExecRoutine, false},
    {"AudioPathFileName", ReadAudioPathFileName, false},
    {kSectionKeys[0].keyword, ReadButtonSection, false},
    {kSectionKeys[1].keyword, ReadVariableSection, false},
    {kSectionKeys[2].keyword, ReadTextBoxSection, false},
    {kSectionKeys[3].keyword, ReadLyricViewSection, false},
};

void Interpret(int32_t& position, ReaderMessages& messages) {
    char token[kTokenCapacity] = {};
    while (position < kDescriptionTextLimit) {
        if (ReadToken(position, token, messages) == ReadStop) {
            return;
        }
        if (EqualsIgnoringCase(token, "End") &&
            ReadWordAfterEnd(position) == AfterEnd::EndsReading) {
            return;
        }
        for (const KeyAction& action : kTopLevelKeys) {
            if (EqualsIgnoringCase(token, action.key)) {
                if (readerObserver != nullptr) {
                    readerObserver->KeyMatched(action.key);
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
    return {kTopLevelKeys[index].key, kTopLevelKeys[index].number};
}
