// harpix-check --new-demo: the names a demo is made from, and, for scripts made up by a seeded
// generator, that every demo it makes reads clean and holds each of the script's names once.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <map>
#include <random>
#include <string>
#include <vector>

#include "code_page_1252.h"
#include "demo_layout_plan.h"
#include "demo_names.h"
#include "demo_settings.h"
#include "explain.h"
#include "new_demo.h"
#include "object_records.h"
#include "script_file_writer.h"
#include "script_names.h"
#include "script_text.h"

namespace {

std::string ScriptFileBytes(const std::string& source) {
    ScriptFileContents contents;
    contents.name = u"Generated";
    EXPECT_TRUE(Utf8ToUtf16(source, contents.source));
    const std::vector<uint8_t> bytes = WriteScriptFile(contents);
    return std::string(bytes.begin(), bytes.end());
}

TEST(NewDemoNames, LabelsAndRolesFollowTheNames) {
    struct Row {
        const char* name;
        const char* readable;
        const char* variableLabel;  // "Tempo" is 33 pixels wide and gets 30: "Tempo:" gets 36
        bool startUp;
        bool notifiesTempo;
    };
    const Row rows[] = {
        {"Tempo", "Tempo", "Tempo:", false, false},
        {"PlayIntro", "Play Intro", "Play Intro:", false, false},
        {"play_intro", "Play intro", "Play intro:", false, false},
        {"HTTPServer", "HTTP Server", "HTTP Server:", false, false},
        {"Verse2", "Verse 2", "Verse 2:", false, false},
        {"MP3Player", "MP3 Player", "MP3 Player:", false, false},
        {"Track2Loud", "Track 2 Loud", "Track 2 Loud:", false, false},
        {"__x__", "X", "X:", false, false},
        // Capitals, m and w are wider than 6 pixels: fewer capitals, then blanks before the
        // colon, make room; but a word in capitals keeps them.
        {"WowWowWow", "Wow Wow Wow", "wow wow wow :", false, false},
        {"BPM", "BPM", "BPM :", false, false},
        {"WWW_Wide", "WWW Wide", "WWW wide   :", false, false},
        {"MWMW", "MWMW", "MWMW     :", false, false},
        {"Start", "Start", "Start:", true, false},
        {"AUTO_EXEC", "AUTO EXEC", "AUTO EXEC  :", true, false},
        {"init", "Init", "Init:", true, false},
        {"OnLoad", "On Load", "On Load:", true, false},
        {"StartOver", "Start Over", "Start Over:", false, false},
        {"Begin", "Begin", "Begin:", false, false},
        {"TempoChanged", "Tempo Changed", "Tempo Changed:", false, true},
        {"tempo_changed", "Tempo changed", "Tempo changed:", false, true},
        {"OnTempoChange", "On Tempo Change", "On Tempo Change:", false, true},
        {"TempoChanges", "Tempo Changes", "Tempo Changes:", false, false},
        {"VolumeChanged", "Volume Changed", "Volume Changed:", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadableName(row.name), row.readable);
        EXPECT_EQ(VariableLabel(row.name), row.variableLabel);
        EXPECT_EQ(IsStartUpRoutineName(row.name), row.startUp);
        EXPECT_EQ(IsNotifyRoutineName(row.name, "Tempo"), row.notifiesTempo);
    }
}

TEST(NewDemo, TheTitleIsTheScriptsNameInCodePage1252CutOnAWholeCharacter) {
    const std::string a47(47, 'a');
    const struct {
        std::string scriptName, fileName;
        std::string title;  // as the reader reads it
    } rows[] = {
        {"Caf\xC3\xA9 Th\xC3\xA9\xC3\xA2tre", "x.spt", "Caf\xE9 Th\xE9\xE2tre"},
        // 1252's own row of 0x80 to 0x9F, a character it lacks, and one beyond 16 bits.
        {"\xE2\x82\xAC"
         "5 \xE2\x80\x93 \xE6\xAD\x8C \xF0\x9F\x8E\xB5",
         "x.spt",
         "\x80"
         "5 \x96 ? ?"},
        // Not UTF-8: a name typed in a Windows command line is 1252 already.
        {"", "Caf\xE9.spt", "Caf\xE9"},
        {"", "Caf\xC3\xA9.spt", "Caf\xE9"},
        // 48 characters fill the field; a 49th is cut, and the cut falls after the é, not in it.
        {"a" + a47, "x.spt", "A" + a47},
        {a47 + "\xC3\xA9z", "x.spt", "A" + a47.substr(1) + "\xE9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        ScriptNames names;
        names.name = row.scriptName;
        names.routines = {"Play"};
        const NewDemo demo = MakeNewDemo(names, row.fileName);
        const Explanation explanation = ExplainDescription(demo.text, "", false);
        EXPECT_EQ(FormatExplanation(explanation, SourcePositions(demo.text), "new.ini"), "");
        EXPECT_TRUE(explanation.messages.empty());
        EXPECT_EQ(std::string(demoSettings.Title), row.title);
        ReleaseObjectRecords();
    }
#ifdef _WIN32
    // Every character of the first 65536 but the surrogates, as Windows converts it.
    for (uint32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const wchar_t wide = static_cast<wchar_t>(c);
        char expected = 0;
        ASSERT_EQ(
            WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &wide, 1, &expected, 1, "?", nullptr),
            1);
        std::u16string one(1, static_cast<char16_t>(c));
        ASSERT_EQ(ToCodePage1252(ToUtf8(one)), std::string(1, expected)) << std::hex << c;
    }
#endif
}

TEST(NewDemoNames, AScriptThatDoesNotCompileIsReadLineByLine) {
    const std::string source =
        "' For and Function are VBScript's, not the stand-in engine's.\n"
        "Dim Tempo, Verse   ' two globals\n"
        "Rem Dim NotThis\n"
        "Dim Counts(3)\n"
        "Private Sub Start()\n"
        "    Dim LocalOnly\n"
        "    For i = 1 To 3\n"
        "    Next\n"
        "End Sub\n"
        "Function Twice(x)\n"
        "    Dim Inner\n"
        "End Function\n"
        "Sub 3Bad\n"
        "End Sub\n"
        "Sub PlayIntro ' Sub NotThisEither\n"
        "End Sub\n"
        "dim tempo, Volume,\n"
        "Public Sub playintro\n"
        "End Sub\n";
    ScriptNames names;
    std::string why;
    ASSERT_EQ(ReadScriptNames(ScriptFileBytes(source), names, why), ScriptNamesFault::None);
    EXPECT_FALSE(names.compiled);
    EXPECT_EQ(names.errorLine, 13);  // the lexer refuses 3Bad before For is parsed
    EXPECT_EQ(names.routines, (std::vector<std::string>{"Start", "PlayIntro"}));
    EXPECT_EQ(names.variables, (std::vector<std::string>{"Tempo", "Verse", "Counts", "Volume"}));
    std::vector<int> unread;
    for (const ScriptNames::Unread& line : names.unread) {
        unread.push_back(line.line);
    }
    EXPECT_EQ(unread, (std::vector<int>{4, 10, 13, 17}));
    ASSERT_FALSE(names.unread.empty());
    EXPECT_EQ(names.unread[0].text, "Dim Counts(3)");
}

// Names of letters, digits and underscores, capitals and m and w often, now and then longer
// than a description file's value holds.
class ScriptGenerator {
public:
    explicit ScriptGenerator(unsigned seed) : random_(seed) {}

    std::string Name() {
        static const char kFirst[] = "MWmwABTVxyz";
        static const char kRest[] = "MWmwaeiolt_0123456789";
        const size_t length = Pick(10) == 0 ? 40 + Pick(20) : 1 + Pick(16);
        std::string name(1, kFirst[Pick(sizeof kFirst - 1)]);
        while (name.size() < length) {
            name += kRest[Pick(sizeof kRest - 1)];
        }
        return name;
    }

    size_t Pick(size_t below) {
        return std::uniform_int_distribution<size_t>(0, below - 1)(random_);
    }

private:
    std::mt19937 random_;
};

// Each name in the reader's tables and settings, with how often it appears.
std::map<std::string, int> NamesRead() {
    std::map<std::string, int> seen;
    if (demoSettings.AutoExecRoutine[0] != '\0') {
        ++seen[demoSettings.AutoExecRoutine];
    }
    for (int32_t i = 0; i < buttonCount; ++i) {
        ++seen[buttons[i]->Scriptroutine];
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        ++seen[variables[i]->Scriptvariable];
        if (variables[i]->HasNotifyRoutine == 1) {
            ++seen[variables[i]->NotifyRoutine];
        }
    }
    return seen;
}

TEST(NewDemo, EveryGeneratedScriptGivesAFileThatReadsCleanWithEachNameOnce) {
    ScriptGenerator generate(19);
    int compiled = 0;
    for (int attempt = 0; compiled < 300 && attempt < 3000; ++attempt) {
        // A few variables with a notify routine, a start-up routine now and then.
        std::vector<std::string> variables, routines;
        const size_t variableCount = generate.Pick(31), routineCount = generate.Pick(61);
        for (size_t i = 0; i < variableCount; ++i) {
            variables.push_back(generate.Name());
        }
        for (size_t i = 0; i < routineCount; ++i) {
            routines.push_back(generate.Pick(8) == 0 && !variables.empty()
                                   ? variables[generate.Pick(variables.size())] + "Changed"
                               : generate.Pick(20) == 0 ? "AutoExec"
                                                        : generate.Name());
        }
        std::string source;
        for (const std::string& variable : variables) {
            source += "Dim " + variable + "\n";
        }
        for (const std::string& routine : routines) {
            source += "Sub " + routine + "\n    Trace \"" + routine + "\"\nEnd Sub\n";
        }
        ScriptNames names;
        std::string why;
        ASSERT_EQ(ReadScriptNames(ScriptFileBytes(source), names, why), ScriptNamesFault::None);
        if (!names.compiled) {
            continue;  // a name drawn twice, or one that is a word of the language
        }
        ++compiled;
        SCOPED_TRACE(source);
        ScriptNames scanned;
        ScanDeclarations(source, scanned);
        EXPECT_EQ(scanned.routines, names.routines);
        EXPECT_EQ(scanned.variables, names.variables);

        const NewDemo demo = MakeNewDemo(names, "generated.spt");
        EXPECT_EQ(demo.text.find("\n"), demo.text.find("\r\n") + 1) << "a line end without CR";
        const Explanation explanation = ExplainDescription(demo.text, "", false);
        EXPECT_TRUE(explanation.messages.empty()) << explanation.messages[0];
        EXPECT_EQ(FormatExplanation(explanation, SourcePositions(demo.text), "generated.ini"), "");
        EXPECT_LE(demoSettings.WindowWidth, kLargestWindowWidth);
        EXPECT_LE(demoSettings.WindowHeight, kLargestWindowHeight);
        const std::map<std::string, int> seen = NamesRead();
        size_t found = 0;
        for (const std::vector<std::string>* list : {&names.routines, &names.variables}) {
            for (const std::string& name : *list) {
                const auto at = seen.find(name);
                EXPECT_LE(at == seen.end() ? 0 : at->second, 1) << name;
                found += at != seen.end();
            }
        }
        EXPECT_EQ(found, seen.size()) << "a name that is not the script's";
        // Left out only for want of room or for a name too long for a value.
        const bool small = names.routines.size() <= 20 && names.variables.size() <= 10;
        bool shortNames = true;
        for (const std::vector<std::string>* list : {&names.routines, &names.variables}) {
            for (const std::string& name : *list) {
                shortNames = shortNames && name.size() <= 20;
            }
        }
        EXPECT_EQ(found == names.routines.size() + names.variables.size(), demo.complete);
        if (small && shortNames) {
            EXPECT_TRUE(demo.complete);
        }
        ReleaseObjectRecords();
    }
    EXPECT_EQ(compiled, 300);
}

}  // namespace
