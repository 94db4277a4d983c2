// libFuzzer target for the description-file reader: whatever bytes a demo author (or anyone)
// puts in a description file, the tables, records and settings stay within their bounds, the
// same bytes always give the same demo and the same messages, whether read from memory or from a
// file as the program reads it, and harpix-check reports them as valid JSON.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "demo_settings.h"
#include "description_json.h"
#include "description_reader.h"
#include "description_text.h"
#include "fuzz_check.h"
#include "json_check.h"
#include "object_records.h"
#include "reader_messages.h"

namespace {

// The reader shows only its own constant texts, so a message is recorded by its address: a
// pointer to anything else is itself a fault.
class MessageLog : public ReaderMessages {
public:
    void Show(const char* text) override { shown.push_back(text); }

    std::vector<const char*> shown;
};

const char* const kKnownMessages[] = {
    kTooLongMessage,
    kUnexpectedEndMessage,
    kSizeLimitMessage,
    kButtonIncompleteMessage,
    kVariableIncompleteMessage,
    kTextBoxIncompleteMessage,
    kLyricViewIncompleteMessage,
};

// The reader checks the 9999 limit before the size limit: a value whose (N - 1)th character is
// the one at which the position reaches 9999 stops there whole, N - 1 characters and its zero,
// still inside its field (the program measures every value it passes on). Only a reading that
// met the limit can hold such a value; in every other a value keeps at most N - 2 characters.
bool metPositionLimit = false;

// Every number is read from at most four characters (or is a default, or a label width of at
// most 48 characters): 9999 down to -999; five characters when the reading met the limit.
int32_t SmallestNumber() {
    return metPositionLimit ? -9999 : -999;
}
int32_t LargestNumber() {
    return metPositionLimit ? 99999 : 9999;
}

template <size_t Capacity>
void CheckField(const char (&field)[Capacity], size_t longest, const char* what) {
    const void* end = std::memchr(field, '\0', Capacity);
    FUZZ_CHECK(end != nullptr, "%s has no terminating zero within its %zu bytes", what, Capacity);
    size_t length = static_cast<size_t>(static_cast<const char*>(end) - field);
    FUZZ_CHECK(length <= longest, "%s holds %zu characters, at most %zu fit", what, length,
               longest);
}

// A value field of N bytes keeps at most N - 2 characters (N - 1 at the position limit).
template <size_t Capacity>
void CheckValue(const char (&field)[Capacity], const char* what) {
    CheckField(field, metPositionLimit ? Capacity - 1 : Capacity - 2, what);
}

void CheckNumber(int32_t number, const char* what) {
    FUZZ_CHECK(number >= SmallestNumber() && number <= LargestNumber(),
               "%s is %d, beyond what its characters can give", what, number);
}

void CheckSettings() {
    CheckValue(demoSettings.Title, "Title");
    CheckValue(demoSettings.ScriptFileName, "ScriptFileName");
    CheckValue(demoSettings.AutoExecRoutine, "AutoExecRoutine");
    CheckValue(demoSettings.AudioPathFileName, "AudioPathFileName");
    CheckNumber(demoSettings.WindowWidth, "WindowWidth");
    CheckNumber(demoSettings.WindowHeight, "WindowHeight");
}

// Only the first `count` slots hold records; the window code and the key filter stop at the
// first null slot, so every slot after them must be null.
template <typename Record, int Slots>
void CheckTable(Record* const (&table)[Slots], int32_t count, const char* what) {
    FUZZ_CHECK(count >= 0 && count <= Slots, "%s count is %d for %d slots", what, count, Slots);
    for (int32_t i = 0; i < Slots; ++i) {
        if (i < count) {
            FUZZ_CHECK(table[i] != nullptr, "%s slot %d is null below the count %d", what, i,
                       count);
        } else {
            FUZZ_CHECK(table[i] == nullptr, "%s slot %d is set past the count %d", what, i, count);
        }
    }
}

void CheckButton(const ButtonDef& button) {
    CheckValue(button.Label, "a button's Label");
    CheckValue(button.Scriptroutine, "a button's Scriptroutine");
    CheckNumber(button.Coordx, "a button's Coordx");
    CheckNumber(button.Coordy, "a button's Coordy");
    CheckNumber(button.Width, "a button's Width");
    CheckNumber(button.Height, "a button's Height");
    FUZZ_CHECK(button.Control == nullptr, "the reader set a button's control handle");
}

void CheckVariable(const VariableDef& variable) {
    CheckValue(variable.Label, "a variable's Label");
    CheckValue(variable.Scriptvariable, "a variable's Scriptvariable");
    CheckValue(variable.NotifyRoutine, "a variable's NotifyRoutine");
    CheckNumber(variable.Coordx, "a variable's Coordx");
    CheckNumber(variable.Coordy, "a variable's Coordy");
    FUZZ_CHECK(variable.HasNotifyRoutine == 0 || variable.HasNotifyRoutine == 1,
               "HasNotifyRoutine is %d", variable.HasNotifyRoutine);
    FUZZ_CHECK(variable.HasNotifyRoutine == 1 || variable.NotifyRoutine[0] == '\0',
               "a NotifyRoutine without HasNotifyRoutine");
    // The label geometry the window relies on: the label ends where the edit box begins, and
    // never starts left of the client area.
    int32_t labelWidth = 6 * static_cast<int32_t>(std::strlen(variable.Label));
    FUZZ_CHECK(variable.LabelWidth == labelWidth, "LabelWidth %d for a label %d pixels wide",
               variable.LabelWidth, labelWidth);
    FUZZ_CHECK(variable.LabelX >= 0 && variable.LabelX == variable.Coordx - variable.LabelWidth,
               "LabelX %d with Coordx %d and LabelWidth %d", variable.LabelX, variable.Coordx,
               variable.LabelWidth);
    FUZZ_CHECK(variable.LabelY == variable.Coordy + 3, "LabelY %d with Coordy %d", variable.LabelY,
               variable.Coordy);
    FUZZ_CHECK(variable.EditControl == nullptr && variable.LabelControl == nullptr,
               "the reader set a variable's control handles");
}

void CheckTextBox(const TextBoxDef& textBox) {
    // A text box holds 1999 characters and its zero.
    CheckField(textBox.Text, kTextCapacity - 1, "a text box's Text");
    CheckNumber(textBox.TopLeftX, "a text box's TopLeftX");
    CheckNumber(textBox.TopLeftY, "a text box's TopLeftY");
    CheckNumber(textBox.Width, "a text box's Width");
    CheckNumber(textBox.Height, "a text box's Height");
    FUZZ_CHECK(textBox.Control == nullptr, "the reader set a text box's control handle");
}

void CheckLyricView(const LyricViewDef& view) {
    CheckNumber(view.TopLeftX, "the lyric view's TopLeftX");
    CheckNumber(view.TopLeftY, "the lyric view's TopLeftY");
    CheckNumber(view.Width, "the lyric view's Width");
    CheckNumber(view.Height, "the lyric view's Height");
    FUZZ_CHECK(view.Control == nullptr, "the reader set the lyric view's control handle");
}

void CheckMessages(const std::vector<const char*>& shown) {
    for (const char* message : shown) {
        bool known = false;
        for (const char* candidate : kKnownMessages) {
            known = known || message == candidate;
        }
        FUZZ_CHECK(known, "a message that is none of the reader's own: %.80s", message);
    }
}

void CheckReading(const std::vector<const char*>& shown) {
    metPositionLimit = std::find(shown.begin(), shown.end(), kTooLongMessage) != shown.end();
    FUZZ_CHECK(std::memchr(descriptionText, '\0', sizeof descriptionText) != nullptr,
               "the loaded text has no terminating zero");
    CheckSettings();
    CheckTable(buttons, buttonCount, "buttons");
    CheckTable(variables, variableCount, "variables");
    CheckTable(textBoxes, textBoxCount, "textBoxes");
    for (int32_t i = 0; i < buttonCount; ++i) {
        CheckButton(*buttons[i]);
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        CheckVariable(*variables[i]);
    }
    for (int32_t i = 0; i < textBoxCount; ++i) {
        CheckTextBox(*textBoxes[i]);
    }
    FUZZ_CHECK(hasLyricView == 0 || hasLyricView == 1, "hasLyricView is %d", hasLyricView);
    if (hasLyricView == 1) {
        FUZZ_CHECK(lyricView != nullptr, "hasLyricView is 1 without a record");
    }
    if (lyricView != nullptr) {
        CheckLyricView(*lyricView);
    }
    CheckMessages(shown);
}

// harpix-check's report of the reading: valid JSON that holds every value and message as it is.
void CheckReport(const std::vector<const char*>& shown) {
    std::vector<std::string> messages(shown.begin(), shown.end());
    std::string report = DescribeReadingAsJson(messages);
    std::vector<std::string> strings;
    FUZZ_CHECK(ParseReportJson(report, strings), "harpix-check's report is no valid JSON: %.200s",
               report.c_str());
    std::sort(strings.begin(), strings.end());
    auto reported = [&strings](const char* value) {
        return std::binary_search(strings.begin(), strings.end(), std::string(value));
    };
    FUZZ_CHECK(reported(demoSettings.Title) && reported(demoSettings.ScriptFileName) &&
                   reported(demoSettings.AutoExecRoutine) &&
                   reported(demoSettings.AudioPathFileName),
               "a setting is missing from harpix-check's report");
    for (int32_t i = 0; i < buttonCount; ++i) {
        FUZZ_CHECK(reported(buttons[i]->Label) && reported(buttons[i]->Scriptroutine),
                   "button %d is missing from harpix-check's report", i);
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        FUZZ_CHECK(reported(variables[i]->Label) && reported(variables[i]->Scriptvariable) &&
                       reported(variables[i]->NotifyRoutine),
                   "variable %d is missing from harpix-check's report", i);
    }
    for (int32_t i = 0; i < textBoxCount; ++i) {
        FUZZ_CHECK(reported(textBoxes[i]->Text),
                   "text box %d is missing from harpix-check's report", i);
    }
    for (const char* message : shown) {
        FUZZ_CHECK(reported(message), "a message is missing from harpix-check's report");
    }
}

// The program reads its description file through ReadDescriptionFile: the second reading of
// each input goes that way, through a file of this process's own, in memory where the system
// has a place for that (twice as quick as a disk).
class InputFile {
public:
    InputFile() {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::snprintf(path, sizeof path, "%s/harpix-reader-fuzz-%d.ini", folder,
                      static_cast<int>(getpid()));
    }
    ~InputFile() { std::remove(path); }

    void Write(const uint8_t* data, size_t size) {
        std::FILE* file = std::fopen(path, "wb");
        FUZZ_CHECK(file != nullptr, "cannot write %s", path);
        FUZZ_CHECK(std::fwrite(data, 1, size, file) == size, "cannot write %s", path);
        FUZZ_CHECK(std::fclose(file) == 0, "cannot write %s", path);
    }

    char path[64];
};

// What one reading gave, copied out of the process-wide tables.
struct Reading {
    DemoSettings settings;
    std::vector<ButtonDef> buttons;
    std::vector<VariableDef> variables;
    std::vector<TextBoxDef> textBoxes;
    int32_t hasLyricView;
    LyricViewDef lyricView;
    std::vector<const char*> messages;
};

enum class Source { Memory, File };

Reading Read(const uint8_t* data, size_t size, Source source) {
    // The state the program starts from: settings zero, tables empty.
    ReleaseObjectRecords();
    demoSettings = DemoSettings{};
    MessageLog log;
    if (source == Source::Memory) {
        LoadDescriptionText(reinterpret_cast<const char*>(data), size);
        InterpretDescriptionText(log);
    } else {
        static InputFile file;
        file.Write(data, size);
        FUZZ_CHECK(ReadDescriptionFile(file.path, log), "the reader cannot open %s", file.path);
    }
    CheckReading(log.shown);
    if (source == Source::Memory) {
        CheckReport(log.shown);
    }

    Reading reading{};
    reading.settings = demoSettings;
    for (int32_t i = 0; i < buttonCount; ++i) {
        reading.buttons.push_back(*buttons[i]);
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        reading.variables.push_back(*variables[i]);
    }
    for (int32_t i = 0; i < textBoxCount; ++i) {
        reading.textBoxes.push_back(*textBoxes[i]);
    }
    reading.hasLyricView = hasLyricView;
    if (lyricView != nullptr) {
        reading.lyricView = *lyricView;
    }
    reading.messages = log.shown;
    ReleaseObjectRecords();
    return reading;
}

// Whole buffers are compared, not only up to their zero: records and settings start zeroed,
// so even the bytes after a value's end must come out the same.
template <size_t Capacity>
bool Same(const char (&a)[Capacity], const char (&b)[Capacity]) {
    return std::memcmp(a, b, Capacity) == 0;
}

bool Same(const DemoSettings& a, const DemoSettings& b) {
    return Same(a.Title, b.Title) && a.WindowWidth == b.WindowWidth &&
           a.WindowHeight == b.WindowHeight && Same(a.ScriptFileName, b.ScriptFileName) &&
           Same(a.AutoExecRoutine, b.AutoExecRoutine) &&
           Same(a.AudioPathFileName, b.AudioPathFileName);
}

bool Same(const ButtonDef& a, const ButtonDef& b) {
    return Same(a.Scriptroutine, b.Scriptroutine) && Same(a.Label, b.Label) &&
           a.Coordx == b.Coordx && a.Coordy == b.Coordy && a.Width == b.Width &&
           a.Height == b.Height;
}

bool Same(const VariableDef& a, const VariableDef& b) {
    return Same(a.NotifyRoutine, b.NotifyRoutine) && Same(a.Label, b.Label) &&
           Same(a.Scriptvariable, b.Scriptvariable) && a.Coordx == b.Coordx &&
           a.Coordy == b.Coordy && a.HasNotifyRoutine == b.HasNotifyRoutine &&
           a.LabelX == b.LabelX && a.LabelY == b.LabelY && a.LabelWidth == b.LabelWidth;
}

bool Same(const TextBoxDef& a, const TextBoxDef& b) {
    return Same(a.Text, b.Text) && a.TopLeftX == b.TopLeftX && a.TopLeftY == b.TopLeftY &&
           a.Width == b.Width && a.Height == b.Height;
}

bool Same(const LyricViewDef& a, const LyricViewDef& b) {
    return a.TopLeftX == b.TopLeftX && a.TopLeftY == b.TopLeftY && a.Width == b.Width &&
           a.Height == b.Height;
}

template <typename Record>
bool SameRecords(const std::vector<Record>& a, const std::vector<Record>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!Same(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reading first = Read(data, size, Source::Memory);
    Reading second = Read(data, size, Source::File);
    FUZZ_CHECK(Same(first.settings, second.settings), "two readings gave different settings");
    FUZZ_CHECK(SameRecords(first.buttons, second.buttons), "two readings gave different buttons");
    FUZZ_CHECK(SameRecords(first.variables, second.variables),
               "two readings gave different variables");
    FUZZ_CHECK(SameRecords(first.textBoxes, second.textBoxes),
               "two readings gave different text boxes");
    FUZZ_CHECK(first.hasLyricView == second.hasLyricView && Same(first.lyricView, second.lyricView),
               "two readings gave different lyric views");
    FUZZ_CHECK(first.messages == second.messages,
               "two readings showed different messages (%zu and %zu)", first.messages.size(),
               second.messages.size());
    return 0;
}
