// RecordingHost and TestScript.
#include "script_test_support.h"

#include <ostream>

int32_t RecordingHost::Random(int32_t limit) {
    randomLimits.push_back(limit);
    if (randomAnswers.empty()) {
        ADD_FAILURE() << "Random(" << limit << ") was not expected";
        return 1;
    }
    int32_t answer = randomAnswers.front();
    randomAnswers.erase(randomAnswers.begin());
    return answer;
}

std::ostream& operator<<(std::ostream& out, const RecordingHost::MasterChange& change) {
    static const char* const kNames[] = {"Tempo", "Volume", "GrooveLevel", "Transpose"};
    return out << kNames[static_cast<int>(change.which)] << "=" << change.value;
}

std::u16string U16(const std::string& utf8) {
    std::u16string text;
    EXPECT_TRUE(Utf8ToUtf16(utf8, text)) << "test text is not UTF-8: " << utf8;
    return text;
}

TestScript::TestScript(const std::string& source, const std::vector<std::string>& objects) {
    std::vector<std::u16string> aliases;
    for (const std::string& object : objects) {
        aliases.push_back(U16(object));
    }
    Program program;
    std::u16string text = U16(source);
    compiled = CompileScript(text, aliases, program, error);
    if (compiled) {
        runtime = std::make_unique<ScriptRuntime>(std::move(program), text);
    }
}

RunResult TestScript::Call(const std::string& routine) {
    if (!runtime) {
        ADD_FAILURE() << "the script did not compile: " << Describe(error);
        return RunResult::RoutineNotFound;
    }
    error = ScriptError();
    return runtime->CallRoutine(U16(routine), host, error);
}

int32_t TestScript::Global(const std::string& name) {
    int32_t value = 0;
    if (!runtime || !runtime->GetVariable(U16(name), value)) {
        ADD_FAILURE() << "no global " << name;
    }
    return value;
}

std::string Describe(const ScriptError& error) {
    return "line " + std::to_string(error.line) + ", column " + std::to_string(error.column) +
           ": " + error.description + " [" + ToUtf8(error.lineText) + "]";
}
