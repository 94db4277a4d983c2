// Compile errors: each is found before anything runs, at the right line and column, with a
// message that says what is wrong and the text of the line.
#include <gtest/gtest.h>

#include <string>

#include "parser.h"
#include "script_test_support.h"

namespace {

struct ErrorRow {
    const char* source;
    int line;
    int column;
    const char* message;  // a part of the description
};

TEST(ScriptErrorTest, SyntaxErrorsNameTheirPlace) {
    const ErrorRow rows[] = {
        // Tokens
        {"Sub T\n  x = 1.5\nEnd Sub", 2, 6, "Decimal numbers are not supported"},
        {"Sub T\n  Trace \"open\nEnd Sub", 2, 8, "Unterminated string constant"},
        {"Sub T\n  x = 2147483648\nEnd Sub", 2, 6, "Overflow"},
        {"Sub T\n  x = 99999999999999\nEnd Sub", 2, 6, "Overflow"},
        {"Sub T\n  x = 1 / 2\nEnd Sub", 2, 8, "'/' is not supported"},
        {"Sub T\n  Trace \"a\" & \"b\"\nEnd Sub", 2, 12, "'&' is not supported"},
        {"Sub T\n  x = 1 : y = 2\nEnd Sub", 2, 8, "':' is not supported"},
        {"Sub T\n  x = 1 + _\n  2\nEnd Sub", 2, 10, "Line continuation"},
        {"Sub T\n  x = 1 # 2\nEnd Sub", 2, 8, "Invalid character"},
        {"Sub T\n  x = 12abc\nEnd Sub", 2, 8, "Expected end of statement"},
        // Structure
        {"x = 1", 1, 0, "Only Dim and Sub may stand outside a routine"},
        {"Dim\n", 1, 3, "Expected identifier"},
        {"Dim a,\n", 1, 6, "Expected identifier"},
        {"Dim a(5)\n", 1, 5, "Arrays are not supported"},
        {"Dim If\n", 1, 4, "Expected identifier"},
        {"Sub T(a)\nEnd Sub", 1, 6, "Routines take no parameters"},
        {"\nSub Lonely\n  x = 1\n", 2, 0, "Sub 'Lonely' has no 'End Sub'"},
        {"Sub A\nSub B\nEnd Sub", 2, 0, "Expected 'End Sub' before the next 'Sub'"},
        {"Sub T\n  x = 1\nEnd If", 3, 0, "Expected 'End Sub'"},
        {"Sub T\n  Else\nEnd Sub", 2, 2, "Expected 'End Sub'"},
        {"Sub T\nEnd Sub x", 2, 8, "Expected end of statement"},
        {"Sub T\n  If x Then\n    y = 1\nEnd Sub", 4, 0, "Expected 'End If'"},
        {"Sub T\n  If x Then\n", 2, 2, "'If' has no 'End If'"},
        {"Sub T\n  If x\n  End If\nEnd Sub", 2, 6, "Expected 'Then'"},
        {"Sub T\n  If x Then y = 1 Else z = 2 Else w = 3\nEnd Sub", 2, 29,
         "Expected end of statement"},
        {"Sub T\n  If x Then If y Then z = 1\nEnd Sub", 2, 12, "Expected statement"},
        {"Sub T\n  If x Then\n  Else y = 1\n  End If\nEnd Sub", 3, 7, "Expected end of statement"},
        {"Sub T\n  x = \nEnd Sub", 2, 6, "Expected expression"},
        {"Sub T\n  x = (1 + 2\nEnd Sub", 2, 12, "Expected ')'"},
        {"Sub T\n  x = 1 2\nEnd Sub", 2, 8, "Expected end of statement"},
        {"Sub T\n  x = Rand(1, \nEnd Sub", 2, 14, "Expected expression"},
        {"Sub T\n  = 3\nEnd Sub", 2, 2, "Expected statement"},
        {"Sub T\n  Then\nEnd Sub", 2, 2, "Expected statement"},
        {"Sub T\n  x = Then\nEnd Sub", 2, 6, "Expected expression"},
        {"Sub T\n  Intro.\nEnd Sub", 2, 8, "Expected identifier"},
        // VBScript that this engine does not run
        {"Sub T\n  For i = 1 To 3\n  Next\nEnd Sub", 2, 2, "'For' is not supported"},
        {"Sub T\n  Do While x\n  Loop\nEnd Sub", 2, 2, "'Do' is not supported"},
        {"Function F\nEnd Function", 1, 0, "'Function' is not supported"},
        {"Sub T\n  x = 1 Xor 2\nEnd Sub", 2, 8, "'Xor' is not supported"},
        {"Sub T\n  Set x = Nothing\nEnd Sub", 2, 2, "'Set' is not supported"},
        {"Sub T\n  x = Nothing\nEnd Sub", 2, 6, "'Nothing' is not supported"},
        {"Sub T\n  Exit Sub\nEnd Sub", 2, 2, "'Exit' is not supported"},
        {"Private Sub T\nEnd Sub", 1, 0, "'Private' is not supported"},
        // Names
        {"Dim a, b, A\n", 1, 10, "Name redefined: 'A'"},
        {"Dim T\nSub T\nEnd Sub", 2, 4, "Name redefined: 'T'"},
        {"Sub T\nEnd Sub\nDim t", 3, 4, "Name redefined: 't'"},
        {"Sub T\nEnd Sub\nSub T\nEnd Sub", 3, 4, "Name redefined: 'T'"},
        {"Dim Trace", 1, 4, "Name redefined: 'Trace'"},
        {"Sub Rand\nEnd Sub", 1, 4, "Name redefined: 'Rand'"},
        {"Sub T\n  Dim a, a\nEnd Sub", 2, 9, "Name redefined: 'a'"},
        {"Sub T\n  Dim T\nEnd Sub", 2, 6, "Name redefined: 'T'"},
        {"Sub T\n  T = 1\nEnd Sub", 2, 2, "Illegal assignment: 'T'"},
        {"Sub T\n  GetMasterTempo = 1\nEnd Sub", 2, 2, "Illegal assignment: 'GetMasterTempo'"},
        {"Sub T\n  Intro = 1\nEnd Sub", 2, 2, "Illegal assignment: 'Intro'"},
        {"Sub T\n  x = T\nEnd Sub", 2, 6, "'T' is a routine and gives no value"},
        {"Sub T\n  x = T()\nEnd Sub", 2, 6, "'T' is a routine and gives no value"},
        {"Sub T\n  x = Intro\nEnd Sub", 2, 6, "'Intro' is an object, not a number"},
        {"Sub T\n  x = Trace\nEnd Sub", 2, 6, "'Trace' gives no value"},
        {"Sub T\n  x = SetMasterTempo(3)\nEnd Sub", 2, 6, "'SetMasterTempo' gives no value"},
        {"Sub T\n  x = Rand\nEnd Sub", 2, 6, "Wrong number of arguments: 'Rand'"},
        {"Sub T\n  x = Rand(1, 2)\nEnd Sub", 2, 6, "Wrong number of arguments: 'Rand'"},
        {"Sub T\n  x = GetMasterTempo(1)\nEnd Sub", 2, 6,
         "Wrong number of arguments: 'GetMasterTempo'"},
        {"Sub T\n  GetMasterTempo\nEnd Sub", 2, 2, "gives a value: use it in an expression"},
        {"Sub T\n  Trace\nEnd Sub", 2, 2, "Wrong number of arguments: 'Trace'"},
        {"Sub T\n  Trace \"a\", \"b\"\nEnd Sub", 2, 2, "Wrong number of arguments: 'Trace'"},
        {"Sub T\n  SetMasterTempo\nEnd Sub", 2, 2, "Wrong number of arguments: 'SetMasterTempo'"},
        {"Sub T\n  U 1\nEnd Sub\nSub U\nEnd Sub", 2, 2, "Wrong number of arguments: 'U'"},
        {"Sub T\n  x = \"text\"\nEnd Sub", 2, 6, "A string can only be given to Trace"},
        {"Sub T\n  SetMasterTempo \"fast\"\nEnd Sub", 2, 17, "A string can only be given to Trace"},
        {"Sub T\n  Trace \"a\" + 1\nEnd Sub", 2, 8, "A string can only be given to Trace"},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.source);
        TestScript script(row.source, {"Intro"});
        ASSERT_FALSE(script.compiled) << "compiled";
        EXPECT_EQ(script.error.line, row.line) << Describe(script.error);
        EXPECT_EQ(script.error.column, row.column) << Describe(script.error);
        EXPECT_NE(script.error.description.find(row.message), std::string::npos)
            << Describe(script.error);
    }
}

TEST(ScriptErrorTest, TheErrorCarriesTheTextOfItsLine) {
    TestScript script("Dim a\r\nSub T\r\n  a = (1 +\r\nEnd Sub\r\n");
    ASSERT_FALSE(script.compiled);
    EXPECT_EQ(script.error.line, 3);
    EXPECT_EQ(ToUtf8(script.error.lineText), "  a = (1 +");
}

TEST(ScriptErrorTest, ExpressionsTooDeepForTheStackAreRefused) {
    std::string nested(kMaxExpressionDepth + 5, '(');
    nested += "1" + std::string(kMaxExpressionDepth + 5, ')');
    TestScript parentheses("Sub T\n  x = " + nested + "\nEnd Sub\n");
    EXPECT_FALSE(parentheses.compiled);
    EXPECT_EQ(parentheses.error.description, "Expression too complex")
        << Describe(parentheses.error);

    std::string chain = "1";
    for (int i = 0; i < 5000; ++i) {
        chain += " + 1";
    }
    TestScript sum("Sub T\n  x = " + chain + "\nEnd Sub\n");
    EXPECT_FALSE(sum.compiled);
    EXPECT_EQ(sum.error.description, "Expression too complex") << Describe(sum.error);

    std::string fits = "1";
    for (int i = 1; i < kMaxExpressionDepth - 1; ++i) {
        fits += " + 1";
    }
    TestScript ok("Dim x\nSub T\n  x = " + fits + "\nEnd Sub\n");
    ASSERT_TRUE(ok.compiled) << Describe(ok.error);
    ok.Call("T");
    EXPECT_EQ(ok.Global("x"), kMaxExpressionDepth - 1);
}

TEST(ScriptErrorTest, IfBlocksTooDeepAreRefused) {
    std::string deep = "Sub T\n";
    for (int i = 0; i <= kMaxBlockDepth; ++i) {
        deep += "If 1 Then\n";
    }
    for (int i = 0; i <= kMaxBlockDepth; ++i) {
        deep += "End If\n";
    }
    TestScript script(deep + "End Sub\n");
    ASSERT_FALSE(script.compiled);
    EXPECT_EQ(script.error.description, "If blocks are nested too deeply");
    EXPECT_EQ(script.error.line, kMaxBlockDepth + 2) << Describe(script.error);
}

}  // namespace
