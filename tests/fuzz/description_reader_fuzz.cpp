// libFuzzer target for the description-file reader: whatever bytes a demo author (or anyone)
// puts in a description file, the settings, tables and records stay within their bounds, reading
// the bytes through a file as the program does gives what reading them from memory gives, and
// harpix-check reports the reading as valid JSON that gives back every value and message.
// Explaining and drawing the same bytes is description_explain_fuzz.cpp's business: it is five
// times slower, and the reader is what Harpix.exe itself runs on every file it is given.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "demo_settings.h"
#include "description_json.h"
#include "description_reader.h"
#include "description_text.h"
#include "fuzz_check.h"
#include "object_records.h"

namespace {

using Json = nlohmann::json;

// The reader shows only its own constant texts, so a message is known by its address: a pointer
// to anything else is itself a fault.
class MessageLog : public ReaderMessages {
public:
    void Show(const char* text) override {
        const char* const known[] = {kTooLongMessage,
                                     kUnexpectedEndMessage,
                                     kSizeLimitMessage,
                                     kButtonIncompleteMessage,
                                     kVariableIncompleteMessage,
                                     kTextBoxIncompleteMessage,
                                     kLyricViewIncompleteMessage};
        FUZZ_CHECK(std::find(std::begin(known), std::end(known), text) != std::end(known),
                   "a message that is none of the reader's own: %.80s", text);
        shown.emplace_back(text);
    }

    std::vector<std::string> shown;
};

// The reader checks the 9999 limit before the size limit: a value whose (N - 1)th character is
// the one at which the position reaches 9999 keeps N - 1 characters of its N-byte field. Only a
// reading that met the limit can hold such a value; in every other a value keeps at most N - 2.
bool metPositionLimit = false;

// harpix-check writes byte b as the character U+00bb.
Json Text(const char* bytes) {
    std::string utf8;
    for (const char* p = bytes; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) {
            utf8 += *p;
        } else {
            utf8 += static_cast<char>(0xC0 | byte >> 6);
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

// A value within its bounds, as harpix-check reports it. A text box's text may fill its field.
template <size_t Capacity>
Json Value(const char (&field)[Capacity], const char* what, bool wholeField = false) {
    const size_t longest = wholeField || metPositionLimit ? Capacity - 1 : Capacity - 2;
    const char* end = static_cast<const char*>(std::memchr(field, '\0', Capacity));
    FUZZ_CHECK(end != nullptr && static_cast<size_t>(end - field) <= longest,
               "%s holds more than %zu characters", what, longest);
    return Text(field);
}

// Only the first `count` slots hold records. The window code and the key filter read the tables
// by their counts; a slot past its count is still null, so nothing reaches a freed record.
template <typename Record, int Slots>
void CheckTable(Record* const (&table)[Slots], int32_t count, const Json& reported) {
    FUZZ_CHECK(count >= 0 && count <= Slots && reported.size() == static_cast<size_t>(count),
               "%d records, %zu reported", count, reported.size());
    for (int32_t i = 0; i < Slots; ++i) {
        FUZZ_CHECK((table[i] != nullptr) == (i < count), "slot %d with count %d", i, count);
    }
}

// The reading stays within its bounds, and harpix-check's report of it is valid JSON that gives
// back every value and message. A report of another shape makes the JSON library throw, which
// ends the run as a finding too.
void CheckReading(const std::string& text, const std::vector<std::string>& shown) {
    metPositionLimit = std::find(shown.begin(), shown.end(), kTooLongMessage) != shown.end();
    Json report = Json::parse(text, nullptr, /*allow_exceptions=*/false);
    FUZZ_CHECK(!report.is_discarded(), "no valid JSON: %.300s", text.c_str());
    const DemoSettings& s = demoSettings;
    Json& settings = report["settings"];
    FUZZ_CHECK(settings["Title"] == Value(s.Title, "Title") &&
                   settings["WindowWidth"] == s.WindowWidth &&
                   settings["WindowHeight"] == s.WindowHeight &&
                   settings["ScriptFileName"] == Value(s.ScriptFileName, "ScriptFileName") &&
                   settings["AutoExecRoutine"] == Value(s.AutoExecRoutine, "AutoExecRoutine") &&
                   settings["AudioPathFileName"] == Value(s.AudioPathFileName, "AudioPath"),
               "the settings differ: %.300s", text.c_str());
    CheckTable(buttons, buttonCount, report["buttons"]);
    CheckTable(variables, variableCount, report["variables"]);
    CheckTable(textBoxes, textBoxCount, report["textBoxes"]);
    for (int32_t i = 0; i < buttonCount; ++i) {
        const ButtonDef& b = *buttons[i];
        Json& j = report["buttons"][i];
        FUZZ_CHECK(j["Label"] == Value(b.Label, "Label") &&
                       j["Scriptroutine"] == Value(b.Scriptroutine, "Scriptroutine") &&
                       j["Coordx"] == b.Coordx && j["Coordy"] == b.Coordy &&
                       j["Width"] == b.Width && j["Height"] == b.Height,
                   "button %d differs: %.300s", i, text.c_str());
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        const VariableDef& v = *variables[i];
        Json& j = report["variables"][i];
        FUZZ_CHECK(j["Label"] == Value(v.Label, "Label") &&
                       j["Scriptvariable"] == Value(v.Scriptvariable, "Scriptvariable") &&
                       j["NotifyRoutine"] == Value(v.NotifyRoutine, "NotifyRoutine") &&
                       j["HasNotifyRoutine"] == v.HasNotifyRoutine && j["Coordx"] == v.Coordx &&
                       j["Coordy"] == v.Coordy && j["LabelX"] == v.LabelX &&
                       j["LabelY"] == v.LabelY && j["LabelWidth"] == v.LabelWidth,
                   "variable %d differs: %.300s", i, text.c_str());
        FUZZ_CHECK(v.HasNotifyRoutine == 1 || (v.HasNotifyRoutine == 0 && !v.NotifyRoutine[0]),
                   "HasNotifyRoutine %d with NotifyRoutine %.50s", v.HasNotifyRoutine,
                   v.NotifyRoutine);
        // The label ends where the edit box begins, never left of the client area.
        FUZZ_CHECK(v.LabelWidth == 6 * static_cast<int32_t>(std::strlen(v.Label)) &&
                       v.LabelX >= 0 && v.LabelX == v.Coordx - v.LabelWidth &&
                       v.LabelY == v.Coordy + 3,
                   "label at %d, %d, %d wide, for a box at %d, %d", v.LabelX, v.LabelY,
                   v.LabelWidth, v.Coordx, v.Coordy);
    }
    for (int32_t i = 0; i < textBoxCount; ++i) {
        const TextBoxDef& t = *textBoxes[i];
        Json& j = report["textBoxes"][i];
        FUZZ_CHECK(j["Text"] == Value(t.Text, "Text", true) && j["TopLeftX"] == t.TopLeftX &&
                       j["TopLeftY"] == t.TopLeftY && j["Width"] == t.Width &&
                       j["Height"] == t.Height,
                   "text box %d differs: %.300s", i, text.c_str());
    }
    FUZZ_CHECK(hasLyricView == 0 || (hasLyricView == 1 && lyricView != nullptr),
               "hasLyricView is %d", hasLyricView);
    Json& view = report["lyricView"];
    FUZZ_CHECK(hasLyricView == 0
                   ? view.is_null()
                   : view["TopLeftX"] == lyricView->TopLeftX &&
                         view["TopLeftY"] == lyricView->TopLeftY &&
                         view["Width"] == lyricView->Width && view["Height"] == lyricView->Height,
               "the lyric view differs: %.300s", text.c_str());
    for (size_t i = 0; i < shown.size(); ++i) {
        FUZZ_CHECK(report["messages"][i] == Text(shown[i].c_str()), "message %zu differs", i);
    }
}

// The program reads its description file through ReadDescriptionFile: the second reading of
// each input goes that way, through a file of this process's own, in memory where the system
// has a place for that (twice as quick as a disk).
struct InputFile {
    InputFile()
        : path(std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
               "/harpix-reader-fuzz-" + std::to_string(getpid()) + ".ini") {}
    ~InputFile() { std::remove(path.c_str()); }

    const std::string path;
};

// Reads the input from scratch, as the program starts, checks the reading and its report, and
// gives the report.
std::string Read(const uint8_t* data, size_t size, bool throughAFile) {
    ReleaseObjectRecords();
    demoSettings = DemoSettings{};
    MessageLog log;
    if (throughAFile) {
        static const InputFile input;
        std::FILE* file = std::fopen(input.path.c_str(), "wb");
        FUZZ_CHECK(
            file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
            "cannot write %s", input.path.c_str());
        FUZZ_CHECK(ReadDescriptionFile(input.path.c_str(), log), "cannot read %s",
                   input.path.c_str());
    } else {
        LoadDescriptionText(reinterpret_cast<const char*>(data), size);
        InterpretDescriptionText(log);
    }
    std::string report = DescribeReadingAsJson(log.shown);
    CheckReading(report, log.shown);
    ReleaseObjectRecords();
    return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string fromMemory = Read(data, size, false);
    const std::string fromFile = Read(data, size, true);
    FUZZ_CHECK(fromFile == fromMemory, "a file read gives %.300s where memory gives %.300s",
               fromFile.c_str(), fromMemory.c_str());
    return 0;
}
