// CheckCompileAndRun: two compilations and two runtimes of one source, compared step by step.
#include "script_checks.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "fuzz_check.h"
#include "lexer.h"
#include "script_compiler.h"
#include "script_runtime.h"
#include "script_text.h"

namespace {

// Keeps what a running script asks of the performance, in order. Rand answers from a counter,
// so that two runs of the same script draw the same numbers.
class RecordingHost : public ScriptHost {
public:
    void Trace(const std::u16string& text) override {
        // The text reaches the lyric view through UTF-8 conversion on some paths: it must
        // convert, lone surrogates included.
        events.push_back(u"T" + text);
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
        events.push_back(u"M" + std::u16string(1, static_cast<char16_t>(which)) +
                         FromAscii(std::to_string(value).c_str()));
    }
    int32_t Random(int32_t limit) override {
        FUZZ_CHECK(limit >= 1, "Rand was asked for a number up to %d", limit);
        ++draws;
        return static_cast<int32_t>(draws % static_cast<uint32_t>(limit)) + 1;
    }

    std::vector<std::u16string> events;

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

bool SameError(const ScriptError& a, const ScriptError& b) {
    return a.line == b.line && a.column == b.column && a.description == b.description &&
           a.lineText == b.lineText;
}

// Each call may take up to kMaxSteps steps, and one input is run twice: running at most this
// many routines keeps the slowest input well inside libFuzzer's timeout, so that a timeout
// always means a call that did not stop.
constexpr size_t kRoutinesRun = 32;

// One call of each routine, in the order of the source, on a runtime of its own.
struct Run {
    std::vector<RunResult> results;
    std::vector<ScriptError> errors;
    std::vector<int32_t> finalGlobals;
    std::vector<std::u16string> events;
};

Run RunEveryRoutine(Program program, const std::u16string& source) {
    ScriptRuntime runtime(std::move(program), source);
    RecordingHost host;
    Run run;
    std::u16string name;
    for (size_t i = 0; i < kRoutinesRun && runtime.RoutineName(i, name); ++i) {
        ScriptError error;
        RunResult result = runtime.CallRoutine(name, host, error);
        FUZZ_CHECK(result != RunResult::RoutineNotFound, "routine %zu of the script is not found",
                   i);
        if (result == RunResult::RuntimeError) {
            CheckErrorPlace(error, source, "runtime");
        }
        run.results.push_back(result);
        run.errors.push_back(error);
    }
    for (size_t i = 0; runtime.VariableName(i, name); ++i) {
        int32_t value = 0;
        FUZZ_CHECK(runtime.GetVariable(name, value), "global %zu cannot be read", i);
        run.finalGlobals.push_back(value);
    }
    int32_t tempo = runtime.Master(MasterValue::Tempo);
    FUZZ_CHECK(tempo >= kMinMasterTempo && tempo <= kMaxMasterTempo, "the tempo ended at %d",
               tempo);
    run.events = std::move(host.events);
    return run;
}

}  // namespace

void CheckCompileAndRun(const std::u16string& source,
                        const std::vector<std::u16string>& objectAliases) {
    Program first;
    Program second;
    ScriptError firstError;
    ScriptError secondError;
    bool compiled = CompileScript(source, objectAliases, first, firstError);
    bool compiledAgain = CompileScript(source, objectAliases, second, secondError);
    FUZZ_CHECK(compiled == compiledAgain, "one source compiled once and failed once");
    if (!compiled) {
        FUZZ_CHECK(SameError(firstError, secondError), "two compilations failed differently");
        CheckErrorPlace(firstError, source, "compile");
        return;
    }
    Run run = RunEveryRoutine(std::move(first), source);
    Run again = RunEveryRoutine(std::move(second), source);
    FUZZ_CHECK(run.results == again.results, "two runs of one script ended differently");
    for (size_t i = 0; i < run.errors.size(); ++i) {
        FUZZ_CHECK(SameError(run.errors[i], again.errors[i]),
                   "two runs of routine %zu failed differently", i);
    }
    FUZZ_CHECK(run.finalGlobals == again.finalGlobals, "two runs left different globals");
    FUZZ_CHECK(run.events == again.events, "two runs asked different things of the performance");
}
