// Expressions: every operator, VBScript's precedence, integer limits, and the runtime errors of
// arithmetic. Each row is one expression assigned to a global and read back.
#include <gtest/gtest.h>

#include <string>

#include "script_test_support.h"

namespace {

struct ValueRow {
    const char* expression;
    int32_t expected;
};

// Runs "r = expression" in a routine and gives r; `result` tells how the call went.
int32_t Evaluate(const std::string& expression, RunResult& result, ScriptError& error) {
    TestScript script("Dim r\nSub T\n    r = " + expression + "\nEnd Sub\n");
    if (!script.compiled) {
        ADD_FAILURE() << "did not compile: " << Describe(script.error);
        result = RunResult::RoutineNotFound;
        return 0;
    }
    result = script.Call("T");
    error = script.error;
    return script.Global("r");
}

TEST(ExpressionTest, ComputesEachOperatorAsVBScriptDoes) {
    const ValueRow rows[] = {
        {"7", 7},
        {"1 + 2", 3},
        {"1 - 5", -4},
        {"6 * 7", 42},
        {"7 \\ 2", 3},
        {"-7 \\ 2", -3},  // toward zero
        {"7 \\ -2", -3},
        {"7 Mod 3", 1},
        {"-7 Mod 3", -1},  // the sign of the dividend
        {"7 Mod -3", 1},
        {"2 ^ 10", 1024},
        {"2 ^ 0", 1},
        {"0 ^ 0", 1},
        {"2 ^ -1", 0},  // 0.5 rounds to 0
        {"-1 ^ -3", -1},
        {"(-1) ^ 4", 1},
        {"1 ^ -5", 1},
        {"(-2) ^ 31", -2147483647 - 1},
        {"-5", -5},
        {"- -5", 5},
        {"True", -1},
        {"False", 0},
        {"3 = 3", -1},
        {"3 = 4", 0},
        {"3 <> 4", -1},
        {"3 <> 3", 0},
        {"3 < 4", -1},
        {"4 < 3", 0},
        {"3 <= 3", -1},
        {"4 <= 3", 0},
        {"4 > 3", -1},
        {"3 > 3", 0},
        {"3 >= 3", -1},
        {"2 >= 3", 0},
        {"6 And 3", 2},
        {"6 Or 3", 7},
        {"Not 0", -1},
        {"Not 5", -6},  // bitwise
        {"Not True", 0},
        {"True And False", 0},
        {"True Or False", -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483647 - 1", -2147483647 - 1},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.expression);
        RunResult result;
        ScriptError error;
        int32_t value = Evaluate(row.expression, result, error);
        EXPECT_EQ(result, RunResult::Ok) << Describe(error);
        EXPECT_EQ(value, row.expected);
    }
}

TEST(ExpressionTest, FollowsVBScriptPrecedence) {
    const ValueRow rows[] = {
        {"1 + 2 * 3", 7},       {"(1 + 2) * 3", 9},
        {"-2 ^ 2", -4},                               // ^ binds more tightly than the minus
        {"2 ^ 3 ^ 2", 64},                            // ^ from the left
        {"3 \\ 2 * 2", 0},                            // * before \ .
        {"7 Mod 4 \\ 2", 1},                          // \ before Mod
        {"2 + 7 Mod 3", 3},                           // Mod before +
        {"10 - 2 - 3", 5},                            // from the left
        {"1 + 2 = 3", -1},                            // arithmetic before comparison
        {"Not 1 = 2", -1},                            // comparison before Not
        {"1 = 1 And 2 = 3", 0}, {"1 Or 2 And 0", 1},  // And before Or
        {"Not 0 And 0", 0},                           // Not before And
        {"1 < 2 < 3", -1},                            // (1 < 2) is -1, and -1 < 3
        {"((((5))))", 5},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.expression);
        RunResult result;
        ScriptError error;
        int32_t value = Evaluate(row.expression, result, error);
        EXPECT_EQ(result, RunResult::Ok) << Describe(error);
        EXPECT_EQ(value, row.expected);
    }
}

TEST(ExpressionTest, KeywordsAndOperatorsAreCaseInsensitive) {
    const ValueRow rows[] = {
        {"7 MOD 4", 3}, {"7 mod 4", 3}, {"TRUE", -1},   {"true", -1},
        {"fAlSe", 0},   {"NOT 0", -1},  {"6 aNd 3", 2}, {"6 OR 1", 7},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.expression);
        RunResult result;
        ScriptError error;
        EXPECT_EQ(Evaluate(row.expression, result, error), row.expected);
        EXPECT_EQ(result, RunResult::Ok) << Describe(error);
    }
}

struct ErrorRow {
    const char* expression;
    const char* message;
    int column;  // where on line 3 ("    r = ..." puts the expression at column 8)
};

TEST(ExpressionTest, ArithmeticFaultsAreRuntimeErrorsAtTheirOperator) {
    const ErrorRow rows[] = {
        {"1 \\ 0", "Division by zero", 10},
        {"5 Mod 0", "Division by zero", 10},
        {"0 ^ -1", "Division by zero", 10},
        {"2147483647 + 1", "Overflow", 19},
        {"-2147483647 - 2", "Overflow", 20},
        {"65536 * 65536", "Overflow", 14},
        {"2 ^ 31", "Overflow", 10},
        {"(-2147483647 - 1) \\ -1", "Overflow", 26},
        {"-(-2147483647 - 1)", "Overflow", 8},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.expression);
        RunResult result;
        ScriptError error;
        Evaluate(row.expression, result, error);
        EXPECT_EQ(result, RunResult::RuntimeError);
        EXPECT_EQ(error.description, row.message) << Describe(error);
        EXPECT_EQ(error.line, 3) << Describe(error);
        EXPECT_EQ(error.column, row.column) << Describe(error);
        EXPECT_EQ(ToUtf8(error.lineText), std::string("    r = ") + row.expression);
    }
}

TEST(ExpressionTest, AFaultLeavesTheTargetAsItWas) {
    TestScript script("Dim r\nSub T\n  r = 5\n  r = 1 \\ 0\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    EXPECT_EQ(script.Call("T"), RunResult::RuntimeError);
    EXPECT_EQ(script.Global("r"), 5);
}

TEST(ExpressionTest, RandDrawsFromOneToItsArgument) {
    TestScript script("Dim a, b\nSub T\n  a = Rand(6)\n  b = rand(2 + 1) * 10\nEnd Sub\n");
    ASSERT_TRUE(script.compiled) << Describe(script.error);
    script.host.randomAnswers = {4, 3};
    EXPECT_EQ(script.Call("T"), RunResult::Ok) << Describe(script.error);
    EXPECT_EQ(script.host.randomLimits, (std::vector<int32_t>{6, 3}));
    EXPECT_EQ(script.Global("a"), 4);
    EXPECT_EQ(script.Global("b"), 30);
}

TEST(ExpressionTest, RandBelowOneIsARuntimeError) {
    for (const char* limit : {"0", "-3"}) {
        SCOPED_TRACE(limit);
        TestScript script(std::string("Dim a\nSub T\n  a = Rand(") + limit + ")\nEnd Sub\n");
        ASSERT_TRUE(script.compiled) << Describe(script.error);
        EXPECT_EQ(script.Call("T"), RunResult::RuntimeError);
        EXPECT_NE(script.error.description.find("Invalid procedure call or argument: 'Rand'"),
                  std::string::npos)
            << Describe(script.error);
        EXPECT_TRUE(script.host.randomLimits.empty()) << "the host was asked anyway";
    }
}

}  // namespace
