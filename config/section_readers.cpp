// The four section readers, sharing one scheme: enter the record, read K pairs, count it.
#include "section_readers.h"

#include <cstring>
#include <iterator>

#include "ascii_text.h"
#include "description_reader.h"
#include "description_text.h"
#include "key_index.h"
#include "reader_observer.h"

namespace {

// How the value of the section's key of the same place is read, and whether a stopped read ends
// the section or the section carries on with what was copied.
template <typename Target>
struct SectionKey {
    ReadResult (*read)(int32_t position, Target& target, ReaderMessages& messages);
    bool stopsSection;
};

constexpr KeyIndex IndexOf(SectionKind kind) {
    const SectionKeys& section = KeysOf(kind);
    int count = 0;
    while (section.keys[count].key != nullptr) {
        ++count;
    }
    return KeyIndex::Of(count, [&section](int i) { return section.keys[i]; });
}

// In SectionKind order.
constexpr KeyIndex kSectionIndexes[] = {
    IndexOf(SectionKind::Button), IndexOf(SectionKind::Variable), IndexOf(SectionKind::TextBox),
    IndexOf(SectionKind::LyricView)};
static_assert(kSectionIndexes[0].found() && kSectionIndexes[1].found() &&
                  kSectionIndexes[2].found() && kSectionIndexes[3].found(),
              "every key of a section needs a slot of its own");

// Reads the section's key lines. A word that is no key still uses one up, and its value line is
// then read as words by the following ones. `complete` tells whether each line held a key.
template <typename Target, size_t KeyCount>
ReadResult ReadPairs(int32_t position, Target& target, SectionKind kind,
                     const SectionKey<Target> (&readers)[KeyCount], bool& complete,
                     ReaderMessages& messages) {
    const SectionKeys& section = KeysOf(kind);
    const KeyIndex& index = kSectionIndexes[static_cast<int>(kind)];
    static_assert(KeyCount < std::size(SectionKeys{}.keys),
                  "a key needs its name and a null after");
    int matches = 0;
    for (int pair = 0; pair < section.keyLines; ++pair) {
        Word word;
        if (ReadToken(position, word, messages) == ReadStop) {
            return {ReadStop, position};
        }
        const int i = index.Candidate(word.prefix);
        if (i < 0 || static_cast<size_t>(i) >= KeyCount || !IsKey(word, section.keys[i])) {
            continue;
        }
        ++matches;
        if (readerObserver != nullptr) {
            readerObserver->KeyMatched(section.keys[i].key);
        }
        if (Moved(position, readers[i].read(position, target, messages)) == ReadStop &&
            readers[i].stopsSection) {
            return {ReadStop, position};
        }
    }
    complete = matches >= section.keyLines;
    return {ReadOk, position};
}

// A record's place in its table from the moment its section starts. A section that stops takes
// its record out again, so that every slot after the last counted record stays null.
template <typename Record, int Slots>
class TableEntry {
public:
    TableEntry(Record* (&table)[Slots], int32_t& count, Record* record)
        : table_(table), count_(count), record_(record), entered_(count < Slots) {
        if (entered_) {
            table_[count_] = record_;
        }
    }

    ReadStatus Abandon() {
        if (entered_) {
            table_[count_] = nullptr;
        }
        delete record_;
        return ReadStop;
    }

    ReadStatus Count(bool complete, const char* incompleteMessage, ReaderMessages& messages) {
        if (entered_) {
            ++count_;
        } else {
            messages.Show(kSizeLimitMessage);
            delete record_;
        }
        if (!complete) {
            messages.Show(incompleteMessage);
        }
        return ReadOk;
    }

private:
    Record* (&table_)[Slots];
    int32_t& count_;
    Record* record_;
    bool entered_;
};

template <typename Record, int32_t Record::*Field>
ReadResult ReadNumberInto(int32_t position, Record& record, ReaderMessages& messages) {
    return ReadNumberValueAt(position, record.*Field, messages);
}

template <typename Record, size_t Capacity, char (Record::*Field)[Capacity]>
ReadResult ReadLineInto(int32_t position, Record& record, ReaderMessages& messages) {
    int32_t length = 0;
    return ReadValueLineAt(position, record.*Field, Capacity, length, messages);
}

ReadResult ReadNotifyRoutine(int32_t position, VariableDef& variable, ReaderMessages& messages) {
    variable.HasNotifyRoutine = 1;
    int32_t length = 0;
    return ReadValueLineAt(position, variable.NotifyRoutine, sizeof variable.NotifyRoutine, length,
                           messages);
}

// A text box being read: its record and the text that its Text keys build up.
struct TextBoxReading {
    TextBoxDef& box;
    TextBoxText text;
};

template <int32_t TextBoxDef::*Field>
ReadResult ReadTextBoxNumber(int32_t position, TextBoxReading& reading, ReaderMessages& messages) {
    return ReadNumberValueAt(position, reading.box.*Field, messages);
}

ReadResult ReadTextBoxText(int32_t position, TextBoxReading& reading, ReaderMessages& messages) {
    const ReadStatus status = ReadMultiLineText(position, reading.text, messages);
    return {status, position};
}

constexpr bool kStops = true;
constexpr bool kGoesOn = false;

// Each in the order of its section's keys in kSectionKeys.
const SectionKey<ButtonDef> kButtonKeys[] = {
    {ReadNumberInto<ButtonDef, &ButtonDef::Coordx>, kStops},
    {ReadNumberInto<ButtonDef, &ButtonDef::Coordy>, kStops},
    {ReadNumberInto<ButtonDef, &ButtonDef::Height>, kStops},
    {ReadNumberInto<ButtonDef, &ButtonDef::Width>, kStops},
    {ReadLineInto<ButtonDef, 50, &ButtonDef::Scriptroutine>, kGoesOn},
};

const SectionKey<VariableDef> kVariableKeys[] = {
    {ReadNumberInto<VariableDef, &VariableDef::Coordx>, kStops},
    {ReadNumberInto<VariableDef, &VariableDef::Coordy>, kStops},
    {ReadLineInto<VariableDef, 50, &VariableDef::Scriptvariable>, kGoesOn},
    {ReadNotifyRoutine, kGoesOn},
};

const SectionKey<TextBoxReading> kTextBoxKeys[] = {
    {ReadTextBoxNumber<&TextBoxDef::TopLeftX>, kStops},
    {ReadTextBoxNumber<&TextBoxDef::TopLeftY>, kStops},
    {ReadTextBoxNumber<&TextBoxDef::Width>, kStops},
    {ReadTextBoxNumber<&TextBoxDef::Height>, kStops},
    {ReadTextBoxText, kStops},
};

const SectionKey<LyricViewDef> kLyricViewKeys[] = {
    {ReadNumberInto<LyricViewDef, &LyricViewDef::TopLeftX>, kGoesOn},
    {ReadNumberInto<LyricViewDef, &LyricViewDef::TopLeftY>, kGoesOn},
    {ReadNumberInto<LyricViewDef, &LyricViewDef::Width>, kGoesOn},
    {ReadNumberInto<LyricViewDef, &LyricViewDef::Height>, kGoesOn},
};

constexpr int32_t kTextLimit = kTextCapacity - 1;

void AppendText(TextBoxText& text, const char* part, size_t partLength, ReaderMessages& messages) {
    if (text.full) {
        return;
    }
    const auto room = static_cast<size_t>(kTextLimit - text.length);
    const bool fits = partLength <= room;
    // Two calls, so that the compiler cannot bound the common one's size: for a size it can
    // bound it puts a string instruction in the call's place, which is slow to start and was
    // most of the time of reading a text.
    if (fits) {
        std::memcpy(text.text + text.length, part, partLength);
    } else {
        std::memcpy(text.text + text.length, part, room);
    }
    text.length += static_cast<int32_t>(fits ? partLength : room);
    text.text[text.length] = '\0';
    if (!fits) {
        text.full = true;
        messages.Show(kSizeLimitMessage);
    }
}

// Whether the line's `length` characters are the end line, after a line feed that an empty line
// before it leaves in front.
bool IsEndTextLine(const char* line, int32_t length) {
    if (length > 0 && line[0] == '\n') {
        ++line;
        --length;
    }
    if (length != sizeof kEndTextLine - 1) {
        return false;
    }
    for (int32_t i = 0; i < length; ++i) {
        if (FoldAscii(line[i]) != FoldAscii(kEndTextLine[i])) {
            return false;
        }
    }
    return true;
}

ReadStatus ReadButton(int32_t& position, ReaderMessages& messages) {
    ButtonDef* button = NewButtonDef();
    TableEntry<ButtonDef, kMaxButtons> entry(buttons, buttonCount, button);
    // The label's own status is not looked at: a failed read shows its message, and the next
    // word read fails in the same way.
    ReadValueLine(position, button->Label, sizeof button->Label, messages);
    bool complete = false;
    if (Moved(position, ReadPairs(position, *button, SectionKind::Button, kButtonKeys, complete,
                                  messages)) == ReadStop) {
        return entry.Abandon();
    }
    return entry.Count(complete, kButtonIncompleteMessage, messages);
}

ReadStatus ReadVariable(int32_t& position, ReaderMessages& messages) {
    VariableDef* variable = NewVariableDef();
    TableEntry<VariableDef, kMaxVariables> entry(variables, variableCount, variable);
    ReadValueLine(position, variable->Label, sizeof variable->Label, messages);
    bool complete = false;
    if (Moved(position, ReadPairs(position, *variable, SectionKind::Variable, kVariableKeys,
                                  complete, messages)) == ReadStop) {
        return entry.Abandon();
    }
    DeriveLabelGeometry(*variable);
    return entry.Count(complete, kVariableIncompleteMessage, messages);
}

ReadStatus ReadTextBox(int32_t& position, ReaderMessages& messages) {
    TextBoxDef* textBox = NewTextBoxDef();
    TableEntry<TextBoxDef, kMaxTextBoxes> entry(textBoxes, textBoxCount, textBox);
    TextBoxReading reading{*textBox, {textBox->Text, 0, false}};
    bool complete = false;
    if (Moved(position, ReadPairs(position, reading, SectionKind::TextBox, kTextBoxKeys, complete,
                                  messages)) == ReadStop) {
        return entry.Abandon();
    }
    return entry.Count(complete, kTextBoxIncompleteMessage, messages);
}

ReadStatus ReadLyricView(int32_t& position, ReaderMessages& messages) {
    // The new record takes the earlier one's place at once, even if this section then stops:
    // a view counted earlier is then shown with this record's values.
    delete lyricView;
    lyricView = NewLyricViewDef();
    bool complete = false;
    if (Moved(position, ReadPairs(position, *lyricView, SectionKind::LyricView, kLyricViewKeys,
                                  complete, messages)) == ReadStop) {
        return ReadStop;
    }
    hasLyricView = 1;
    if (!complete) {
        messages.Show(kLyricViewIncompleteMessage);
    }
    return ReadOk;
}

// Tells the observer, if any, where a section begins and how it ended (after its messages).
ReadStatus ReadObservedSection(SectionKind kind,
                               ReadStatus (*read)(int32_t& position, ReaderMessages& messages),
                               int32_t& position, ReaderMessages& messages) {
    if (readerObserver == nullptr) {
        return read(position, messages);
    }
    readerObserver->SectionBegan(kind);
    const ReadStatus status = read(position, messages);
    readerObserver->SectionEnded(kind, status);
    return status;
}

}  // namespace

ReadStatus ReadButtonSection(int32_t& position, ReaderMessages& messages) {
    return ReadObservedSection(SectionKind::Button, ReadButton, position, messages);
}

ReadStatus ReadVariableSection(int32_t& position, ReaderMessages& messages) {
    return ReadObservedSection(SectionKind::Variable, ReadVariable, position, messages);
}

ReadStatus ReadTextBoxSection(int32_t& position, ReaderMessages& messages) {
    return ReadObservedSection(SectionKind::TextBox, ReadTextBox, position, messages);
}

ReadStatus ReadLyricViewSection(int32_t& position, ReaderMessages& messages) {
    return ReadObservedSection(SectionKind::LyricView, ReadLyricView, position, messages);
}

ReadStatus ReadMultiLineText(int32_t& position, TextBoxText& text, ReaderMessages& messages) {
    // Each line is taken from the text where it lies, as a line field of kTextCapacity bytes would
    // hold it.
    for (bool firstLine = true;; firstLine = false) {
        const char* const line = descriptionText + position;
        int32_t length = 0;
        const ReadResult read = ScanValueLineAt(position, kTextCapacity, length, messages);
        position = read.position;
        if (read.status == ReadStop) {
            return ReadStop;
        }
        if (IsEndTextLine(line, length)) {
            return ReadOk;
        }
        if (!firstLine) {
            AppendText(text, "\n", 1, messages);
        }
        AppendText(text, line, static_cast<size_t>(length), messages);
    }
}
