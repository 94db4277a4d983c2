// CheckCompileAndRun: one compilation of a source, and one call of each of its routines.
#include "script_checks.h"

#include <cstdint>
#include <utility>

#include "fuzz_check.h"
#include "lexer.h"
#include "script_compiler.h"
#include "script_runtime.h"
#include "script_text.h"

namespace {

// Answers a running script as the performance does, and checks what it is asked.
class CheckingHost : public ScriptHost {
public:
    void Trace(const std::u16string& text) override {
        // The text reaches the lyric view through UTF-8: it must convert, lone surrogates too.
        ToUtf8(text);
    }
    void MasterValueChanged(MasterValue which, int32_t value) override {
        if (which == MasterValue::Tempo) {
            FUZZ_CHECK(value >= kMinMasterTempo && value <= kMaxMasterTempo,
                       "tempo %d reached the performance", value);
        } else if (which == MasterValue::GrooveLevel) {
            FUZZ_CHECK(value >= kMinGrooveLevel && value <= kMaxGrooveLevel,
                       "groove level %d reached the performance", value);
        }
    }
    int32_t Random(int32_t limit) override {
        FUZZ_CHECK(limit >= 1, "Rand was asked for a number up to %d", limit);
        return static_cast<int32_t>(++draws % static_cast<uint32_t>(limit)) + 1;
    }

private:
    uint32_t draws = 0;
};

size_t LineCount(const std::u16string& source) {
    size_t lines = 1;
    for (size_t i = 0; i < source.size(); ++i) {
        if (source[i] == u'\n' ||
            (source[i] == u'\r' && (i + 1 == source.size() || source[i + 1] != u'\n'))) {
            ++lines;
        }
    }
    return lines;
}

// An error must point into the source: the engine hands its line and text to the program.
void CheckErrorPlace(const ScriptError& error, const std::u16string& source, const char* stage) {
    FUZZ_CHECK(!error.description.empty(), "a %s error without a description", stage);
    FUZZ_CHECK(error.line >= 1 && static_cast<size_t>(error.line) <= LineCount(source),
               "a %s error on line %d of a source of %zu lines: %s", stage, error.line,
               LineCount(source), error.description.c_str());
    FUZZ_CHECK(error.lineText == SourceLine(source, error.line),
               "a %s error on line %d carries another line's text: %s", stage, error.line,
               error.description.c_str());
    FUZZ_CHECK(error.column >= 0 && static_cast<size_t>(error.column) <= error.lineText.size(),
               "a %s error at column %d of a line of %zu characters: %s", stage, error.column,
               error.lineText.size(), error.description.c_str());
}

// Each call may take up to kMaxSteps steps: running at most this many routines keeps the
// slowest input well inside libFuzzer's timeout, so that a timeout always means a call that
// did not stop.
constexpr size_t kRoutinesRun = 64;

}  // namespace

void CheckCompileAndRun(const std::u16string& source,
                        const std::vector<std::u16string>& objectAliases) {
    Program program;
    ScriptError error;
    if (!CompileScript(source, objectAliases, program, error)) {
        CheckErrorPlace(error, source, "compile");
        return;
    }
    ScriptRuntime runtime(std::move(program), source);
    CheckingHost host;
    std::u16string name;
    for (size_t i = 0; i < kRoutinesRun && runtime.RoutineName(i, name); ++i) {
        RunResult result = runtime.CallRoutine(name, host, error);
        FUZZ_CHECK(result != RunResult::RoutineNotFound, "routine %zu is not found", i);
        if (result == RunResult::RuntimeError) {
            CheckErrorPlace(error, source, "runtime");
        }
    }
    for (size_t i = 0; runtime.VariableName(i, name); ++i) {
        int32_t value = 0;
        FUZZ_CHECK(runtime.GetVariable(name, value), "global %zu cannot be read", i);
    }
    int32_t tempo = runtime.Master(MasterValue::Tempo);
    FUZZ_CHECK(tempo >= kMinMasterTempo && tempo <= kMaxMasterTempo, "the tempo ended at %d",
               tempo);
}
