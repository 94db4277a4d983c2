// Script text: the case rule for names, and UTF-8 / UTF-16 in both directions, with the
// malformed UTF-8 that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "script_text.h"

namespace {

TEST(ScriptTextTest, NamesCompareWithoutRegardToAsciiCase) {
    EXPECT_TRUE(SameName(u"StartUp", u"STARTUP"));
    EXPECT_TRUE(SameName(u"a_1", u"A_1"));
    EXPECT_FALSE(SameName(u"Start", u"StartUp"));
    EXPECT_FALSE(SameName(u"\u00E9", u"\u00C9")) << "only ASCII letters have a case";
    EXPECT_TRUE(IsWord(u"ElseIf", "elseif"));
    EXPECT_FALSE(IsWord(u"Else", "elseif"));
    EXPECT_FALSE(IsWord(u"ElseIfX", "elseif"));
    EXPECT_EQ(NameKey(u"MiXeD"), u"mixed");
}

struct Utf8Row {
    const char* label;
    std::string utf8;
    std::u16string utf16;
};

TEST(ScriptTextTest, Utf8AndUtf16RoundTrip) {
    const Utf8Row rows[] = {
        {"empty", "", u""},
        {"ASCII", "Trace \"hi\"", u"Trace \"hi\""},
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"three bytes", "\xE2\x99\xAA", u"\u266A"},
        {"four bytes", "\xF0\x9F\x8E\xB5", u"\U0001F3B5"},
        {"largest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const Utf8Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::u16string decoded;
        EXPECT_TRUE(Utf8ToUtf16(row.utf8, decoded));
        EXPECT_TRUE(decoded == row.utf16) << "got " << decoded.size() << " units";
        EXPECT_EQ(ToUtf8(row.utf16), row.utf8);
    }
}

TEST(ScriptTextTest, MalformedUtf8IsRefused) {
    const char* const rows[] = {
        "\x80",              // a continuation byte first
        "\xC3",              // cut short
        "\xE2\x99",          // cut short
        "\xC3\x28",          // a lead byte without its continuation
        "\xC0\xAF",          // overlong
        "\xE0\x80\xAF",      // overlong
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFF",
    };
    for (const char* row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row)));
        std::u16string decoded;
        EXPECT_FALSE(Utf8ToUtf16(row, decoded));
    }
}

TEST(ScriptTextTest, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(ToUtf8(std::u16string(1, static_cast<char16_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::u16string{u'a', static_cast<char16_t>(0xDC00), u'b'}),
              "a\xEF\xBF\xBD"
              "b");
}

}  // namespace
