// The four section readers, sharing one scheme: enter the record, read K pairs, count it.
#include "section_readers.h"

#include <cstring>

#include "ascii_text.h"
#include "description_reader.h"
#include "reader_observer.h"

namespace {

// One key of a section: how its value is read, whether a stopped read ends the section or the
// section carries on with what was copied, and whether the value is a number.
template <typename Target>
struct SectionKey {
    const char* key;
    ReadStatus (*read)(int32_t& position, Target& target, ReaderMessages& messages);
    bool stopsSection;
    bool number;
};

// Reads `pairCount` pairs. A word that is no key still uses up a pair, and its value line is then
// read as words by the following pairs.
template <typename Target, size_t KeyCount>
ReadStatus ReadPairs(int32_t& position, Target& target, const SectionKey<Target> (&keys)[KeyCount],
                     int pairCount, int& matches, ReaderMessages& messages) {
    for (int pair = 0; pair < pairCount; ++pair) {
        char token[kTokenCapacity] = {};
        if (ReadToken(position, token, messages) == ReadStop) {
            return ReadStop;
        }
        for (const SectionKey<Target>& key : keys) {
            if (EqualsIgnoringCase(token, key.key)) {
                ++matches;
                if (readerObserver != nullptr) {
                    readerObserver->KeyMatched(key.key);
                }
                if (key.read(position, target, messages) == ReadStop && key.stopsSection) {
                    return ReadStop;
                }
                break;
            }
        }
    }
    return ReadOk;
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
ReadStatus ReadNumberInto(int32_t& position, Record& record, ReaderMessages& messages) {
    return ReadNumberValue(position, record.*Field, messages);
}

template <typename Record, size_t Capacity, char (Record::*Field)[Capacity]>
ReadStatus ReadLineInto(int32_t& position, Record& record, ReaderMessages& messages) {
    return ReadValueLine(position, record.*Field, Capacity, messages);
}

ReadStatus ReadNotifyRoutine(int32_t& position, VariableDef& variable, ReaderMessages& messages) {
    variable.HasNotifyRoutine = 1;
    return ReadValueLine(position, variable.NotifyRoutine, sizeof variable.NotifyRoutine, messages);
}

// A text box being read: its record and the text that its Text keys build up.
struct TextBoxReading {
    TextBoxDef& box;
    TextBoxText text;
};

template <int32_t TextBoxDef::*Field>
ReadStatus ReadTextBoxNumber(int32_t& position, TextBoxReading& reading, ReaderMessages& messages) {
    return ReadNumberValue(position, reading.box.*Field, messages);
}

ReadStatus ReadTextBoxText(int32_t& position, TextBoxReading& reading, ReaderMessages& messages) {
    return ReadMultiLineText(position, reading.text, messages);
}

constexpr bool kStops = true;
constexpr bool kGoesOn = false;
constexpr bool kNumber = true;
constexpr bool kText = false;

const SectionKey<ButtonDef> kButtonKeys[] = {
    {"Coordx", ReadNumberInto<ButtonDef, &ButtonDef::Coordx>, kStops, kNumber},
    {"Coordy", ReadNumberInto<ButtonDef, &ButtonDef::Coordy>, kStops, kNumber},
    {"Height", ReadNumberInto<ButtonDef, &ButtonDef::Height>, kStops, kNumber},
    {"Width", ReadNumberInto<ButtonDef, &ButtonDef::Width>, kStops, kNumber},
    {"Scriptroutine", ReadLineInto<ButtonDef, 50, &ButtonDef::Scriptroutine>, kGoesOn, kText},
};
constexpr int kButtonPairs = 5;

const SectionKey<VariableDef> kVariableKeys[] = {
    {"Coordx", ReadNumberInto<VariableDef, &VariableDef::Coordx>, kStops, kNumber},
    {"Coordy", ReadNumberInto<VariableDef, &VariableDef::Coordy>, kStops, kNumber},
    {"Scriptvariable", ReadLineInto<VariableDef, 50, &VariableDef::Scriptvariable>, kGoesOn, kText},
    {"NotifyRoutine", ReadNotifyRoutine, kGoesOn, kText},
};
// Three pairs for four keys: a NotifyRoutine counts only as one of the first three.
constexpr int kVariablePairs = 3;

const SectionKey<TextBoxReading> kTextBoxKeys[] = {
    {"TopLeftX", ReadTextBoxNumber<&TextBoxDef::TopLeftX>, kStops, kNumber},
    {"TopLeftY", ReadTextBoxNumber<&TextBoxDef::TopLeftY>, kStops, kNumber},
    {"Width", ReadTextBoxNumber<&TextBoxDef::Width>, kStops, kNumber},
    {"Height", ReadTextBoxNumber<&TextBoxDef::Height>, kStops, kNumber},
    {"Text", ReadTextBoxText, kStops, kText},
};
constexpr int kTextBoxPairs = 5;

const SectionKey<LyricViewDef> kLyricViewKeys[] = {
    {"TopLeftX", ReadNumberInto<LyricViewDef, &LyricViewDef::TopLeftX>, kGoesOn, kNumber},
    {"TopLeftY", ReadNumberInto<LyricViewDef, &LyricViewDef::TopLeftY>, kGoesOn, kNumber},
    {"Width", ReadNumberInto<LyricViewDef, &LyricViewDef::Width>, kGoesOn, kNumber},
    {"Height", ReadNumberInto<LyricViewDef, &LyricViewDef::Height>, kGoesOn, kNumber},
};
constexpr int kLyricViewPairs = 4;

constexpr int32_t kTextLimit = kTextCapacity - 1;

void AppendText(TextBoxText& text, const char* part, ReaderMessages& messages) {
    if (text.full) {
        return;
    }
    int32_t partLength = static_cast<int32_t>(std::strlen(part));
    int32_t room = kTextLimit - text.length;
    bool fits = partLength <= room;
    int32_t stored = fits ? partLength : room;
    std::memcpy(text.text + text.length, part, static_cast<size_t>(stored));
    text.length += stored;
    text.text[text.length] = '\0';
    if (!fits) {
        text.full = true;
        messages.Show(kSizeLimitMessage);
    }
}

bool IsEndTextLine(const char* line) {
    if (line[0] == '\n') {
        ++line;
    }
    return EqualsIgnoringCase(line, kEndTextLine);
}

ReadStatus ReadButton(int32_t& position, ReaderMessages& messages) {
    ButtonDef* button = NewButtonDef();
    TableEntry<ButtonDef, kMaxButtons> entry(buttons, buttonCount, button);
    // The label's own status is not looked at: a failed read shows its message, and the next
    // word read fails in the same way.
    ReadValueLine(position, button->Label, sizeof button->Label, messages);
    int matches = 0;
    if (ReadPairs(position, *button, kButtonKeys, kButtonPairs, matches, messages) == ReadStop) {
        return entry.Abandon();
    }
    return entry.Count(matches >= kButtonPairs, kButtonIncompleteMessage, messages);
}

ReadStatus ReadVariable(int32_t& position, ReaderMessages& messages) {
    VariableDef* variable = NewVariableDef();
    TableEntry<VariableDef, kMaxVariables> entry(variables, variableCount, variable);
    ReadValueLine(position, variable->Label, sizeof variable->Label, messages);
    int matches = 0;
    if (ReadPairs(position, *variable, kVariableKeys, kVariablePairs, matches, messages) ==
        ReadStop) {
        return entry.Abandon();
    }
    DeriveLabelGeometry(*variable);
    return entry.Count(matches >= kVariablePairs, kVariableIncompleteMessage, messages);
}

ReadStatus ReadTextBox(int32_t& position, ReaderMessages& messages) {
    TextBoxDef* textBox = NewTextBoxDef();
    TableEntry<TextBoxDef, kMaxTextBoxes> entry(textBoxes, textBoxCount, textBox);
    TextBoxReading reading{*textBox, {textBox->Text, 0, false}};
    int matches = 0;
    if (ReadPairs(position, reading, kTextBoxKeys, kTextBoxPairs, matches, messages) == ReadStop) {
        return entry.Abandon();
    }
    return entry.Count(matches >= kTextBoxPairs, kTextBoxIncompleteMessage, messages);
}

ReadStatus ReadLyricView(int32_t& position, ReaderMessages& messages) {
    // The new record takes the earlier one's place at once, even if this section then stops:
    // a view counted earlier is then shown with this record's values.
    delete lyricView;
    lyricView = NewLyricViewDef();
    int matches = 0;
    if (ReadPairs(position, *lyricView, kLyricViewKeys, kLyricViewPairs, matches, messages) ==
        ReadStop) {
        return ReadStop;
    }
    hasLyricView = 1;
    if (matches < kLyricViewPairs) {
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
    char line[kTextCapacity];
    for (bool firstLine = true;; firstLine = false) {
        line[0] = '\0';
        if (ReadValueLine(position, line, sizeof line, messages) == ReadStop) {
            return ReadStop;
        }
        if (IsEndTextLine(line)) {
            return ReadOk;
        }
        if (!firstLine) {
            AppendText(text, "\n", messages);
        }
        AppendText(text, line, messages);
    }
}

const char* SectionKeyword(SectionKind kind) {
    const char* const keywords[] = {kButtonKeyword, kVariableKeyword, kTextBoxKeyword,
                                    kLyricViewKeyword};
    return keywords[static_cast<int>(kind)];
}

namespace {

template <typename Target, size_t KeyCount>
KeyName KeyAt(const SectionKey<Target> (&keys)[KeyCount], int index) {
    if (index < 0 || static_cast<size_t>(index) >= KeyCount) {
        return {nullptr, false};
    }
    return {keys[index].key, keys[index].number};
}

}  // namespace

KeyName SectionKeyAt(SectionKind kind, int index) {
    switch (kind) {
        case SectionKind::Button:
            return KeyAt(kButtonKeys, index);
        case SectionKind::Variable:
            return KeyAt(kVariableKeys, index);
        case SectionKind::TextBox:
            return KeyAt(kTextBoxKeys, index);
        case SectionKind::LyricView:
            return KeyAt(kLyricViewKeys, index);
    }
    return {nullptr, false};
}

int SectionKeyLines(SectionKind kind) {
    const int keyLines[] = {kButtonPairs, kVariablePairs, kTextBoxPairs, kLyricViewPairs};
    return keyLines[static_cast<int>(kind)];
}
