// The bundled demo is consistent: its description file reads without a message, and every
// routine and variable it names exists in its script.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "demo_settings.h"
#include "description_reader.h"
#include "object_records.h"
#include "script_compiler.h"
#include "script_text.h"

namespace {

struct NoMessages : ReaderMessages {
    void Show(const char* text) override { ADD_FAILURE() << text; }
};

TEST(BundledDemo, NamesOnlyWhatItsScriptHas) {
    NoMessages messages;
    ASSERT_TRUE(ReadDescriptionFile(HARPIX_DEMO_DIR "/Harpix.ini", messages));
    EXPECT_STREQ(demoSettings.ScriptFileName, "MorningHarp.spt");

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
    auto has = [](const std::vector<std::u16string>& names, const char* name) {
        return std::any_of(names.begin(), names.end(), [name](const std::u16string& candidate) {
            return SameName(candidate, FromAscii(name));
        });
    };

    std::vector<const char*> routinesNamed = {demoSettings.AutoExecRoutine};
    for (int i = 0; i < buttonCount; ++i) {
        routinesNamed.push_back(buttons[i]->Scriptroutine);
    }
    for (int i = 0; i < variableCount; ++i) {
        EXPECT_TRUE(has(program.globals, variables[i]->Scriptvariable))
            << variables[i]->Scriptvariable;
        if (variables[i]->HasNotifyRoutine == 1) {
            routinesNamed.push_back(variables[i]->NotifyRoutine);
        }
    }
    for (const char* name : routinesNamed) {
        EXPECT_TRUE(has(routines, name)) << name;
    }
    ReleaseObjectRecords();
}

}  // namespace
