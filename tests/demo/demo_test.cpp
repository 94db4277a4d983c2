// The bundled demo is consistent: its description file reads without a message, and every
// routine and variable it names exists in its script.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "description_reader.h"
#include "object_records.h"
#include "demo_settings.h"
#include "script_compiler.h"
#include "script_text.h"

namespace {

struct RecordedMessages : ReaderMessages {
    void Show(const char* text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

bool Has(const std::vector<std::u16string>& names, const char* name) {
    for (const std::u16string& candidate : names) {
        if (SameName(candidate, FromAscii(name))) {
            return true;
        }
    }
    return false;
}

TEST(BundledDemo, NamesOnlyWhatItsScriptHas) {
    RecordedMessages messages;
    ASSERT_TRUE(ReadDescriptionFile(HARPIX_DEMO_DIR "/Harpix.ini", messages));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_GE(buttonCount, 2);
    EXPECT_GE(variableCount, 2);
    EXPECT_EQ(textBoxCount, 1);
    EXPECT_EQ(hasLyricView, 1);

    std::ifstream file(HARPIX_DEMO_DIR "/MorningHarp.txt", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::u16string source;
    ASSERT_TRUE(Utf8ToUtf16(bytes.str(), source));
    Program program;
    ScriptError error;
    ASSERT_TRUE(CompileScript(source, {}, program, error)) << error.description;
    std::vector<std::u16string> routines;
    for (const Routine& routine : program.routines) {
        routines.push_back(routine.name);
    }

    EXPECT_STREQ(demoSettings.ScriptFileName, "MorningHarp.spt");
    EXPECT_TRUE(Has(routines, demoSettings.AutoExecRoutine)) << demoSettings.AutoExecRoutine;
    for (int i = 0; i < buttonCount; ++i) {
        EXPECT_TRUE(Has(routines, buttons[i]->Scriptroutine)) << buttons[i]->Scriptroutine;
    }
    int notified = 0;
    for (int i = 0; i < variableCount; ++i) {
        EXPECT_TRUE(Has(program.globals, variables[i]->Scriptvariable))
            << variables[i]->Scriptvariable;
        if (variables[i]->HasNotifyRoutine == 1) {
            ++notified;
            EXPECT_TRUE(Has(routines, variables[i]->NotifyRoutine)) << variables[i]->NotifyRoutine;
        }
    }
    EXPECT_GE(notified, 1) << "some variable should have a notify routine";
    EXPECT_LT(notified, variableCount) << "and some should have none";
    ReleaseObjectRecords();
}

}  // namespace
