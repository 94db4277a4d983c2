// Statements: Dim, Sub, If in both forms, assignment, calls, locals, the built-ins, object
// methods, comments and case; and the call-depth limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_test_support.h"

namespace {

using Strings = std::vector<std::string>;

TEST(StatementTest, GlobalsStartAtZeroAndKeepTheirValues) {
    TestScript script("Dim a, b\nDim c\nSub Add\n  a = a + 1\n  c = a * 10\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Global("a"), 0);
    EXPECT_EQ(script.Global("b"), 0);
    script.Call("Add");
    EXPECT_EQ(script.Call("Add"), RunResult::Ok) << Describe(script.error);
    EXPECT_EQ(script.Global("a"), 2);
    EXPECT_EQ(script.Global("c"), 20);
}

TEST(StatementTest, VariablesSetFromOutsideAreSeenByRoutines) {
    TestScript script("Dim level, doubled\nSub Double\n  doubled = level * 2\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    ASSERT_TRUE(script.runtime->SetVariable(u"LEVEL", 21));
    script.Call("Double");
    EXPECT_EQ(script.Global("doubled"), 42);
}

TEST(StatementTest, OnlyGlobalDimsAreReachableFromOutside) {
    TestScript script("Dim shown\nSub T\n  hidden = 5\n  Dim declared\n  declared = 6\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("T");
    int32_t value = 77;
    EXPECT_FALSE(script.runtime->GetVariable(u"hidden", value));
    EXPECT_FALSE(script.runtime->GetVariable(u"declared", value));
    EXPECT_FALSE(script.runtime->SetVariable(u"hidden", 1));
    EXPECT_FALSE(script.runtime->GetVariable(u"T", value)) << "a routine is no variable";
    EXPECT_EQ(value, 77) << "a failed read wrote the number";
}

TEST(StatementTest, UndeclaredNamesAreLocalsThatStartAtZeroEveryCall) {
    TestScript script(
        "Dim seen\n"
        "Sub T\n"
        "  count = count + 1\n"
        "  seen = count\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("T");
    script.Call("T");
    EXPECT_EQ(script.Global("seen"), 1) << "the local outlived its call";
}

TEST(StatementTest, ALocalDimHidesTheGlobalOfTheSameName) {
    TestScript script("Dim x\nSub T\n  Dim x\n  x = 9\nEnd Sub\nSub U\n  x = 4\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("T");
    EXPECT_EQ(script.Global("x"), 0);
    script.Call("U");
    EXPECT_EQ(script.Global("x"), 4);
}

TEST(StatementTest, ACalledRoutineHasLocalsOfItsOwn) {
    TestScript script(
        "Dim r\n"
        "Sub Outer\n  v = 5\n  Inner\n  r = v\nEnd Sub\n"
        "Sub Inner\n  v = 100\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("Outer");
    EXPECT_EQ(script.Global("r"), 5);
}

TEST(StatementTest, EveryFormOfCallRunsTheRoutine) {
    const char* const calls[] = {"Bump", "Call Bump", "Call Bump()", "Bump()", "bump", "CALL BUMP"};
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        TestScript script(std::string("Dim n\nSub T\n  ") + call +
                          "\nEnd Sub\nSub Bump\n  n = n + 1\nEnd Sub\n");
        ASSERT_TRUE(script.compiled) << Describe(script.error);
        EXPECT_EQ(script.Call("T"), RunResult::Ok) << Describe(script.error);
        EXPECT_EQ(script.Global("n"), 1);
    }
}

TEST(StatementTest, RoutinesAreFoundByNameInAnyCase) {
    TestScript script("Dim n\nSub StartUp()\n  n = 3\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("startup"), RunResult::Ok);
    EXPECT_EQ(script.Global("N"), 3);
    EXPECT_EQ(script.Call("Start"), RunResult::RoutineNotFound);
    EXPECT_EQ(script.Call(""), RunResult::RoutineNotFound);
}

struct IfRow {
    int32_t input;
    int32_t expected;
};

TEST(StatementTest, BlockIfTakesTheFirstTrueBranch) {
    TestScript script(
        "Dim x, r\n"
        "Sub T\n"
        "  If x < 0 Then\n"
        "    r = -1\n"
        "  ElseIf x = 0 Then\n"
        "    r = 100\n"
        "  ElseIf x < 10 Then\n"
        "    r = 10\n"
        "    r = r + 1\n"
        "  Else\n"
        "    r = 99\n"
        "  End If\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    const IfRow rows[] = {{-5, -1}, {0, 100}, {3, 11}, {50, 99}};
    for (const IfRow& row : rows) {
        SCOPED_TRACE(row.input);
        script.runtime->SetVariable(u"x", row.input);
        script.Call("T");
        EXPECT_EQ(script.Global("r"), row.expected);
    }
}

TEST(StatementTest, IfWithoutElseDoesNothingWhenFalse) {
    TestScript script("Dim x, r\nSub T\n  r = 1\n  If x Then\n    r = 2\n  End If\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("T");
    EXPECT_EQ(script.Global("r"), 1);
    script.runtime->SetVariable(u"x", 7);  // any value but 0 is true
    script.Call("T");
    EXPECT_EQ(script.Global("r"), 2);
}

TEST(StatementTest, SingleLineIfWithAndWithoutElse) {
    TestScript script(
        "Dim x, a, b\n"
        "Sub T\n"
        "  If x = 1 Then a = 10 Else a = 20\n"
        "  if x = 1 then b = b + 1\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("T");
    EXPECT_EQ(script.Global("a"), 20);
    EXPECT_EQ(script.Global("b"), 0);
    script.runtime->SetVariable(u"x", 1);
    script.Call("T");
    EXPECT_EQ(script.Global("a"), 10);
    EXPECT_EQ(script.Global("b"), 1);
}

TEST(StatementTest, IfBlocksNest) {
    TestScript script(
        "Dim x, y, r\n"
        "Sub T\n"
        "  If x Then\n"
        "    If y Then r = 3 Else r = 2\n"
        "  Else\n"
        "    If y Then\n      r = 1\n    End If\n"
        "  End If\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    const struct { int32_t x, y, r; } rows[] = {{1, 1, 3}, {1, 0, 2}, {0, 1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.x) + "," + std::to_string(row.y));
        script.runtime->SetVariable(u"x", row.x);
        script.runtime->SetVariable(u"y", row.y);
        script.Call("T");
        EXPECT_EQ(script.Global("r"), row.r);
    }
}

TEST(StatementTest, TraceHandsOverTextsAndNumbersInOrder) {
    TestScript script(
        "Dim n\n"
        "Sub T\n"
        "  Trace \"la la\"\n"
        "  trace(\"with \"\"quotes\"\"\")\n"
        "  n = 6 * 7\n"
        "  Trace n\n"
        "  Trace \"\xC3\xA9t\xC3\xA9 \xE2\x99\xAA\"\n"
        "  Trace \"\"\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("T"), RunResult::Ok) << Describe(script.error);
    EXPECT_EQ(script.host.traces,
              (Strings{"la la", "with \"quotes\"", "42", "\xC3\xA9t\xC3\xA9 \xE2\x99\xAA", ""}));
}

TEST(StatementTest, MasterValuesStartAtTheirDefaultsAndReachTheHost) {
    TestScript script(
        "Dim t, v, g, p\n"
        "Sub Read\n"
        "  t = GetMasterTempo\n  v = GetMasterVolume()\n"
        "  g = GetMasterGrooveLevel\n  p = getmastertranspose\n"
        "End Sub\n"
        "Sub Change\n"
        "  SetMasterTempo 150\n  SetMasterVolume(-1200)\n"
        "  SetMasterGrooveLevel 5\n  Call SetMasterTranspose(-3)\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.Call("Read");
    EXPECT_EQ(script.Global("t"), 100);
    EXPECT_EQ(script.Global("v"), 0);
    EXPECT_EQ(script.Global("g"), 0);
    EXPECT_EQ(script.Global("p"), 0);
    EXPECT_TRUE(script.host.masters.empty()) << "reading told the host something";

    EXPECT_EQ(script.Call("Change"), RunResult::Ok) << Describe(script.error);
    using Change = RecordingHost::MasterChange;
    EXPECT_EQ(script.host.masters, (std::vector<Change>{{MasterValue::Tempo, 150},
                                                        {MasterValue::Volume, -1200},
                                                        {MasterValue::GrooveLevel, 5},
                                                        {MasterValue::Transpose, -3}}));
    script.Call("Read");
    EXPECT_EQ(script.Global("t"), 150);
    EXPECT_EQ(script.Global("v"), -1200);
    EXPECT_EQ(script.Global("g"), 5);
    EXPECT_EQ(script.Global("p"), -3);
}

TEST(StatementTest, MasterValuesOutOfRangeAreRuntimeErrors) {
    const char* const calls[] = {"SetMasterTempo 0", "SetMasterTempo 10001",
                                 "SetMasterGrooveLevel 128", "SetMasterGrooveLevel -129"};
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        TestScript script(std::string("Sub T\n  ") + call + "\nEnd Sub\n");
        ASSERT_TRUE(script.compiled) << Describe(script.error);
        EXPECT_EQ(script.Call("T"), RunResult::RuntimeError);
        EXPECT_NE(script.error.description.find("Invalid procedure call or argument"),
                  std::string::npos)
            << Describe(script.error);
        EXPECT_TRUE(script.host.masters.empty()) << "the host heard of it";
        EXPECT_EQ(script.runtime->Master(MasterValue::Tempo), 100);
    }
    TestScript limits("Sub T\n  SetMasterTempo 1\n  SetMasterTempo 10000\nEnd Sub\n");
    EXPECT_EQ(limits.Call("T"), RunResult::Ok) << Describe(limits.error);
}

TEST(StatementTest, PlayAndStopOnContainerObjectsDoNothing) {
    TestScript script(
        "Dim n\n"
        "Sub T\n  Intro.Play\n  intro.stop\n  Verse.Play 1, 2 + 3\n  n = 1\nEnd Sub\n",
        {"Intro", "Verse"});
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("T"), RunResult::Ok) << Describe(script.error);
    EXPECT_EQ(script.Global("n"), 1);
    EXPECT_TRUE(script.host.traces.empty());
}

struct RuntimeRow {
    const char* statement;
    const char* message;
};

TEST(StatementTest, WhatCannotWorkIsARuntimeErrorOnlyWhenReached) {
    const RuntimeRow rows[] = {
        {"Missing", "Type mismatch: 'Missing' is not a routine"},
        {"Call Missing", "Type mismatch: 'Missing' is not a routine"},
        {"n", "Type mismatch: 'n' is not a routine"},
        {"n = Missing(2)", "Type mismatch: 'Missing' is not a function"},
        {"Outro.Play", "Object required: 'Outro'"},
        {"Intro.Pause", "Object doesn't support this property or method: 'Intro.Pause'"},
    };
    for (const RuntimeRow& row : rows) {
        SCOPED_TRACE(row.statement);
        TestScript script(std::string("Dim n, before\nSub T\n  before = 1\n  If n Then ") +
                              row.statement + "\nEnd Sub\n",
                          {"Intro"});
        ASSERT_TRUE(script.compiled) << Describe(script.error);
        EXPECT_EQ(script.Call("T"), RunResult::Ok) << "failed before it was reached";
        script.runtime->SetVariable(u"n", 1);
        script.runtime->SetVariable(u"before", 0);
        EXPECT_EQ(script.Call("T"), RunResult::RuntimeError);
        EXPECT_EQ(script.error.description, row.message);
        EXPECT_EQ(script.error.line, 4) << Describe(script.error);
        EXPECT_EQ(script.Global("before"), 1) << "the statements before the error did not run";
    }
}

TEST(StatementTest, CommentsBlankLinesAndLineEndsOfEveryKind) {
    TestScript script(
        "' a comment\r\n"
        "Dim a ' after a statement\r"
        "\r\n"
        "Rem a remark\n"
        "Sub T  ' the routine\n"
        "\t a = 5   ' tabs and spaces\n"
        "  Trace \"it's ' not a comment\"\n"
        "  REM another\n"
        "End Sub");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("T"), RunResult::Ok) << Describe(script.error);
    EXPECT_EQ(script.Global("a"), 5);
    EXPECT_EQ(script.host.traces, Strings{"it's ' not a comment"});
}

TEST(StatementTest, EmptyScriptsAndEmptyRoutinesAreFine) {
    TestScript empty("");
    EXPECT_TRUE(empty.compiled) << Describe(empty.error);
    TestScript onlyComments("' nothing here\n\n");
    EXPECT_TRUE(onlyComments.compiled) << Describe(onlyComments.error);
    TestScript emptyRoutine("Sub Idle\nEnd Sub\n");
    ASSERT_TRUE(emptyRoutine.compiled) << Describe(emptyRoutine.error);
    EXPECT_EQ(emptyRoutine.Call("Idle"), RunResult::Ok);
}

TEST(StatementTest, RecursionStopsAtTheCallDepthLimit) {
    TestScript script(
        "Dim depth, limit\n"
        "Sub Dive\n"
        "  depth = depth + 1\n"
        "  If depth < limit Then Dive\n"
        "End Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.runtime->SetVariable(u"limit", kMaxCallDepth);
    EXPECT_EQ(script.Call("Dive"), RunResult::Ok) << "the limit itself is allowed";
    EXPECT_EQ(script.Global("depth"), kMaxCallDepth);

    script.runtime->SetVariable(u"depth", 0);
    script.runtime->SetVariable(u"limit", kMaxCallDepth + 1);
    EXPECT_EQ(script.Call("Dive"), RunResult::RuntimeError);
    EXPECT_NE(script.error.description.find("Out of stack space"), std::string::npos)
        << Describe(script.error);
    EXPECT_EQ(script.error.line, 4) << Describe(script.error);
    EXPECT_EQ(script.Global("depth"), kMaxCallDepth);

    // The failed call leaves nothing behind: the next call starts from the top again.
    script.runtime->SetVariable(u"depth", 0);
    script.runtime->SetVariable(u"limit", 3);
    EXPECT_EQ(script.Call("Dive"), RunResult::Ok) << Describe(script.error);
}

TEST(StatementTest, RoutinesThatCallEachOtherForeverStop) {
    TestScript script("Sub Ping\n  Pong\nEnd Sub\nSub Pong\n  Ping\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("Ping"), RunResult::RuntimeError);
    EXPECT_NE(script.error.description.find("Out of stack space"), std::string::npos)
        << Describe(script.error);
}

// Routines Level0 to Level<levels> in which each calls the next one twice, and the last counts
// its calls: 2 ^ levels calls from a few lines of source.
std::string DoublingCalls(int levels) {
    std::string source = "Dim Calls\n";
    for (int i = 0; i < levels; ++i) {
        std::string next = "Level" + std::to_string(i + 1);
        source += "Sub Level" + std::to_string(i) + "\n  " + next + "\n  " + next + "\nEnd Sub\n";
    }
    return source + "Sub Level" + std::to_string(levels) + "\n  Calls = Calls + 1\nEnd Sub\n";
}

TEST(StatementTest, WorkThatMultipliesStopsAtTheStepLimit) {
    // 2 ^ 20 calls take millions of steps: still quick enough to show a missing limit as a
    // failure here rather than a hang, where 2 ^ 40 would keep the program's window busy for ever.
    TestScript runaway(DoublingCalls(20));
    ASSERT_TRUE(runaway.compiled) << Describe(runaway.error);
    EXPECT_EQ(runaway.Call("Level0"), RunResult::RuntimeError);
    EXPECT_NE(runaway.error.description.find("Out of time"), std::string::npos)
        << Describe(runaway.error);
    int32_t calls = runaway.Global("Calls");
    EXPECT_GT(calls, 0) << "the work before the limit stays done";
    EXPECT_LT(calls, kMaxSteps);

    // The limit holds for each call from outside: the next one starts with all of it.
    runaway.runtime->SetVariable(u"Calls", 0);
    EXPECT_EQ(runaway.Call("Level18"), RunResult::Ok) << Describe(runaway.error);
    EXPECT_EQ(runaway.Global("Calls"), 4);

    TestScript modest(DoublingCalls(12));
    ASSERT_TRUE(modest.compiled) << Describe(modest.error);
    EXPECT_EQ(modest.Call("Level0"), RunResult::Ok) << Describe(modest.error);
    EXPECT_EQ(modest.Global("Calls"), 4096);
}

TEST(StatementTest, NamesAreListedInSourceOrder) {
    TestScript script("Dim b, a\nSub Second\nEnd Sub\nDim c\nSub First\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    std::u16string name;
    Strings variables;
    for (size_t i = 0; script.runtime->VariableName(i, name); ++i) {
        variables.push_back(ToUtf8(name));
    }
    Strings routines;
    for (size_t i = 0; script.runtime->RoutineName(i, name); ++i) {
        routines.push_back(ToUtf8(name));
    }
    EXPECT_EQ(variables, (Strings{"b", "a", "c"}));
    EXPECT_EQ(routines, (Strings{"Second", "First"}));
}

}  // namespace
