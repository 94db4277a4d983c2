// The script language as the demo and the end-to-end scripts use it, its errors and its limits.
// (Script files: make_script.round_trip and the fuzzers in tests/fuzz.)
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "script_compiler.h"
#include "script_runtime.h"
#include "script_text.h"

namespace {

// Trace's way out is tested with the engine (tests/scriptengine); Rand answers its own limit.
struct QuietHost : ScriptHost {
    void Trace(const std::u16string&) override {}
    void MasterValueChanged(MasterValue, int32_t) override {}
    int32_t Random(int32_t limit) override { return limit; }
};

// A source compiled (with one container object, "Intro") and ready to call.
struct Script {
    explicit Script(const std::string& source) : text(FromAscii(source.c_str())) {
        Program program;
        if (CompileScript(text, {u"Intro"}, program, error)) {
            runtime = std::make_unique<ScriptRuntime>(std::move(program), text);
        }
    }
    RunResult Call(const std::string& routine) {
        error = ScriptError();
        return runtime ? runtime->CallRoutine(FromAscii(routine.c_str()), host, error)
                       : RunResult::RoutineNotFound;
    }
    int32_t Get(const char* name) {
        int32_t value = -12345;
        EXPECT_TRUE(runtime && runtime->GetVariable(FromAscii(name), value)) << "no " << name;
        return value;
    }
    void Set(const char* name, int32_t v) { ASSERT_TRUE(runtime->SetVariable(FromAscii(name), v)); }
    std::string Where() const { return std::to_string(error.line) + ": " + error.description; }
    std::u16string text;
    ScriptError error;
    QuietHost host;
    std::unique_ptr<ScriptRuntime> runtime;
};

std::string Repeat(const std::string& part, int times) {
    return times == 0 ? "" : part + Repeat(part, times - 1);
}

TEST(Language, ExpressionsComputeAsVBScriptDoes) {
    // clang-format off
    const std::pair<std::string, int32_t> rows[] = {
        {"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"10 - 2 - 3", 5}, {"- -5", 5}, {"-7 \\ 2", -3},
        {"7 \\ -2", -3}, {"3 \\ 2 * 2", 0}, {"-7 Mod 3", -1}, {"7 Mod -3", 1}, {"2 + 7 Mod 3", 3},
        {"7 Mod 4 \\ 2", 1}, {"2 ^ 3 ^ 2", 64}, {"-2 ^ 2", -4}, {"2 ^ -1", 0}, {"-1 ^ -3", -1},
        {"0 ^ 0", 1}, {"(-2) ^ 31", INT_MIN}, {"3 <> 3", 0}, {"3 < 4", -1},
        {"3 <= 3", -1}, {"4 <= 3", 0}, {"4 > 3", -1}, {"2 >= 3", 0}, {"1 + 2 = 3", -1},
        {"1 < 2 < 3", -1}, {"6 And 3", 2}, {"6 Or 3", 7}, {"Not 5", -6}, {"Not 1 = 2", -1},
        {"Not 0 And 0", 0}, {"1 Or 2 And 0", 1}, {"TRUE", -1}, {"false", 0}, {"7 mOD 4", 3},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"-2147483647 - 1", INT_MIN},
        {"GetMasterTempo", 100}, {"GetMasterVolume()", 0}, {"Rand(6)", 6},
        // 99 deep, one short of the limit.
        {"1" + Repeat(" + 1", 98), 99},
    };
    // clang-format on
    for (const auto& [expression, expected] : rows) {
        SCOPED_TRACE(expression.substr(0, 40));
        Script script("Dim r\nSub T\n  r = " + expression + "\nEnd Sub\n");
        ASSERT_TRUE(script.runtime) << script.Where();
        EXPECT_EQ(script.Call("T"), RunResult::Ok) << script.Where();
        EXPECT_EQ(script.Get("r"), expected);
    }
}

TEST(Language, IfRoutinesAndScopingWorkAsTheDemosUseThem) {
    Script script(
        "' Line ends of every kind, comments and any case.\r\n"
        "Dim x, r\r"
        "Rem a remark\n"
        "Sub Branch\n  If x < 0 Then\n    r = -1\n  ElseIf x = 0 Then\n    r = 100\n"
        "  ElseIf x < 10 Then\n    r = 10\n    r = r + 1\n  Else\n    r = 99\n  End If\nEnd Sub\n"
        "Sub OneLine\n  If x = 1 Then r = 10 Else r = 20\nEnd Sub\n"
        "Sub Nested\n  r = 0\n  If x Then\n    If x > 5 Then r = 2 Else r = 1 ' inner\n"
        "  end if\nEnd Sub\n"
        "Sub Counter\n  count = count + 1\n  r = count\nEnd Sub\n"
        "Sub Hide\n  Dim x\n  x = 9\n  r = x\nEnd Sub\n"
        "Sub Outer()\n  v = 5\n  Inner\n  Call Inner\n  call INNER()\n  Inner()\n  r = v\nEnd Sub\n"
        "Sub Inner\n  v = 100\n  r = r + 1\nEnd Sub\n"
        "Sub Tempo\n  Intro.Play\n  intro.stop 1, 2\n  SetMasterTempo 150\n  r = "
        "GetMasterTempo\nEnd Sub\n"
        "Sub Volume\n  SetMasterVolume (x - 10) * 300\n  r = GetMasterVolume()\nEnd Sub\n");
    ASSERT_TRUE(script.runtime) << script.Where();
    // clang-format off
    const std::tuple<const char*, int32_t, int32_t> rows[] = {  // routine, x, r
        {"Branch", -5, -1}, {"Branch", 0, 100}, {"Branch", 3, 11}, {"branch", 50, 99},
        {"OneLine", 1, 10}, {"OneLine", 0, 20}, {"Nested", 0, 0}, {"Nested", 3, 1},
        {"Nested", 7, 2},
        // Undeclared names are locals, 0 at every call; a local Dim hides the global.
        {"Counter", 0, 1}, {"Counter", 0, 1}, {"Hide", 4, 9}, {"Outer", 0, 5},
        // The master values are the script's own: Get gives what Set stored.
        {"Tempo", 0, 150}, {"Volume", 8, -600},
    };
    // clang-format on
    for (const auto& [routine, x, r] : rows) {
        SCOPED_TRACE(std::string(routine) + " " + std::to_string(x));
        script.Set("x", x);
        script.Set("r", 0);
        EXPECT_EQ(script.Call(routine), RunResult::Ok) << script.Where();
        EXPECT_EQ(script.Get("r"), r);
        EXPECT_EQ(script.Get("x"), x) << "the global changed";
    }
    EXPECT_EQ(script.Call("Missing"), RunResult::RoutineNotFound);
}

TEST(Language, EachCompileErrorIsFoundAtItsPlace) {
    // clang-format off
    const std::tuple<std::string, int, int> rows[] = {  // source, line, column
        {"Sub T\n  x = 1.5\nEnd Sub", 2, 6}, {"Sub T\n  Trace \"open\nEnd Sub", 2, 8},
        {"Sub T\n  x = 2147483648\nEnd Sub", 2, 6}, {"Sub T\n  x = 1 / 2\nEnd Sub", 2, 8},
        {"Sub T\n  x = 1 + _\n  2\nEnd Sub", 2, 10}, {"Sub T\n  x = 1 # 2\nEnd Sub", 2, 8},
        {"x = 1", 1, 0}, {"Dim a(5)\n", 1, 5}, {"\nSub Lonely\n  x = 1\n", 2, 0},
        {"Sub A\nSub B\nEnd Sub", 2, 0}, {"Sub T\n  If x Then\n    y = 1\nEnd Sub", 4, 0},
        {"Sub T\n  If x\n  End If\nEnd Sub", 2, 6}, {"Sub T\n  x = \nEnd Sub", 2, 6},
        {"Sub T\n  For i = 1 To 3\n  Next\nEnd Sub", 2, 2}, {"Dim a, b, A\n", 1, 10},
        {"Sub T\n  T = 1\nEnd Sub", 2, 2}, {"Sub T\n  x = T\nEnd Sub", 2, 6},
        {"Sub T\n  x = Intro\nEnd Sub", 2, 6}, {"Sub T\n  x = Rand(1, 2)\nEnd Sub", 2, 6},
        {"Sub T\n  x = \"text\"\nEnd Sub", 2, 6},
        {"Sub T\n  x = " + Repeat("(", 101) + "1" + Repeat(")", 101) + "\nEnd Sub", 2, 106},
        {"Sub T\n" + Repeat("If 1 Then\n", 17) + Repeat("End If\n", 17) + "End Sub", 18, 0},
    };
    // clang-format on
    for (const auto& [source, line, column] : rows) {
        SCOPED_TRACE(source.substr(0, 40));
        Script script(source);
        ASSERT_FALSE(script.runtime) << "compiled";
        EXPECT_EQ(script.error.line, line) << script.Where();
        EXPECT_EQ(script.error.column, column) << script.Where();
    }
}

TEST(Language, EachRuntimeErrorStopsTheRoutineWhereItIs) {
    // clang-format off
    const char* const statements[] = {
        "n = 1 \\ 0", "n = 5 Mod 0", "n = 0 ^ -1", "n = 2147483647 + 1", "n = 65536 * 65536",
        "n = 2 ^ 31", "n = -(-2147483647 - 1)", "n = (-2147483647 - 1) \\ -1", "Missing",
        "n = Missing(2)", "Outro.Play", "Intro.Pause", "SetMasterTempo 0", "SetMasterTempo 10001",
        "SetMasterGrooveLevel 128", "n = Rand(0)",
    };
    // clang-format on
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        Script script(std::string("Dim n, before\nSub T\n  before = 1\n  ") + statement +
                      "\n  before = 2\nEnd Sub\n");
        ASSERT_TRUE(script.runtime) << script.Where();
        EXPECT_EQ(script.Call("T"), RunResult::RuntimeError);
        EXPECT_EQ(script.error.line, 4) << script.Where();
        EXPECT_EQ(script.Get("before"), 1) << "what ran before the error stays done";
        EXPECT_EQ(script.Get("n"), 0);
    }
}

// Level0 to Level<levels>, each calling the next one twice: 2 ^ levels calls of the last.
std::string DoublingCalls(int levels) {
    std::string source = "Dim Calls, depth, limit\n";
    for (int i = 0; i < levels; ++i) {
        std::string next = "  Level" + std::to_string(i + 1) + "\n";
        source += "Sub Level" + std::to_string(i) + "\n" + next + next + "End Sub\n";
    }
    return source + "Sub Level" + std::to_string(levels) + "\n  Calls = Calls + 1\nEnd Sub\n" +
           "Sub Dive\n  depth = depth + 1\n  If depth < limit Then Dive\nEnd Sub\n";
}

// Without loops, recursion and doubling calls are how a script could hang the window.
TEST(Language, RunawayScriptsStopAtTheDepthAndStepLimits) {
    Script script(DoublingCalls(20));
    ASSERT_TRUE(script.runtime) << script.Where();
    script.Set("limit", 64);
    EXPECT_EQ(script.Call("Dive"), RunResult::Ok) << script.Where();
    EXPECT_EQ(script.Get("depth"), 64);
    script.Set("depth", 0);
    script.Set("limit", 65);
    EXPECT_EQ(script.Call("Dive"), RunResult::RuntimeError);
    EXPECT_EQ(script.Get("depth"), 64);
    // 2 ^ 20 calls are millions of steps; 2 ^ 12 (4096) a few tens of thousands.
    EXPECT_EQ(script.Call("Level0"), RunResult::RuntimeError);
    EXPECT_GT(script.Get("Calls"), 0) << "the work before the limit stays done";
    EXPECT_LT(script.Get("Calls"), 100000);
    script.Set("Calls", 0);
    EXPECT_EQ(script.Call("Level8"), RunResult::Ok) << "each call starts with the whole budget";
    EXPECT_EQ(script.Get("Calls"), 4096);
}

}  // namespace
