// The word and value-line readers: separators, the 21-character split, field limits, the end
// of the text and the 9999 limit.
#include <gtest/gtest.h>

#include <cstring>

#include "reading.h"

namespace {

struct TokenRow {
    const char* text;
    std::vector<std::string> tokens;  // read while the reader says ReadOk
    MessageNames messages;            // what the read that stopped showed
};

TEST(ReadToken, SplitsWordsAtOneSpaceOrLineFeed) {
    const TokenRow rows[] = {
        {"Title x\n", {"Title", "x"}, {"end"}},
        {"\n\n\nword\n", {"word"}, {"end"}},
        // Only one separator is skipped: a second space starts the next word.
        {"a  b\n", {"a", " b"}, {"end"}},
        // The first character is taken whatever it is; tab and CR are ordinary characters.
        {" key\tx\rY\n", {" key\tx\rY"}, {"end"}},
        {"\tTitle\n", {"\tTitle"}, {"end"}},
        // A word that runs into the end of the text is not a word.
        {"abc", {}, {"end"}},
        {"", {}, {"end"}},
        // 20 characters make one word; 21 and more are split, the 21st starting the next word.
        {"abcdefghijklmnopqrst x\n", {"abcdefghijklmnopqrst", "x"}, {"end"}},
        {"abcdefghijklmnopqrstu x\n", {"abcdefghijklmnopqrstu", "u", "x"}, {"end"}},
        {"abcdefghijklmnopqrstuvwxyz ", {"abcdefghijklmnopqrstu", "uvwxyz"}, {"end"}},
    };
    for (const TokenRow& row : rows) {
        SCOPED_TRACE(row.text);
        ResetReading();
        LoadDescriptionText(row.text, std::strlen(row.text));
        RecordedMessages messages;
        int32_t position = 0;
        char token[kTokenCapacity];
        std::vector<std::string> got;
        while (ReadToken(position, token, messages) == ReadOk) {
            got.emplace_back(token);
            ASSERT_LT(got.size(), 10u) << "the reader never stopped";
        }
        EXPECT_EQ(got, row.tokens);
        EXPECT_EQ(Names(messages.shown), row.messages);
        EXPECT_EQ(descriptionText[position], '\0') << "stopped at " << position;
    }
}

TEST(ReadToken, StopsWhenThePositionReaches9999) {
    RecordedMessages messages;
    char token[kTokenCapacity];

    // Line feeds up to index 9998: skipping the last one reaches 9999.
    std::string feeds(9999, '\n');
    feeds += "word ";
    LoadDescriptionText(feeds.data(), feeds.size());
    int32_t position = 0;
    EXPECT_EQ(ReadToken(position, token, messages), ReadStop);
    EXPECT_EQ(position, 9999);

    // A word whose separator stands at 9998: skipping that separator reaches 9999.
    std::string text(9990, '\n');
    text += "abcdefgh word";
    LoadDescriptionText(text.data(), text.size());
    position = 9990;
    EXPECT_EQ(ReadToken(position, token, messages), ReadStop);
    EXPECT_EQ(Names(messages.shown), (MessageNames{"too-long", "too-long"}));
}

TEST(ReadValueLine, TakesTheRestOfTheLineVerbatim) {
    struct Row {
        const char* text;
        int32_t capacity;
        const char* value;
        const char* rest;  // the text left for the next reader
        ReadStatus status;
        MessageNames messages;
    };
    const Row rows[] = {
        {"My demo\nnext", 50, "My demo", "next", ReadOk, {}},
        {" two  spaces  \nnext", 50, " two  spaces  ", "next", ReadOk, {}},
        // A value that begins at a line feed runs on to the end of the next line.
        {"\nwhole line\nnext", 50, "\nwhole line", "next", ReadOk, {}},
        // N - 2 characters fit; the (N-1)th is dropped and the rest of the line stays.
        {"1234\nx", 6, "1234", "x", ReadOk, {}},
        {"12345\nx", 6, "1234", "\nx", ReadOk, {"size"}},
        {"1234567\nx", 6, "1234", "67\nx", ReadOk, {"size"}},
        // The zero byte ends the value and stays where it is.
        {"abc", 50, "abc", "", ReadStop, {"end"}},
        {"", 50, "", "", ReadStop, {"end"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ResetReading();
        LoadDescriptionText(row.text, std::strlen(row.text));
        RecordedMessages messages;
        int32_t position = 0;
        char field[64];
        std::memset(field, '#', sizeof field);
        EXPECT_EQ(ReadValueLine(position, field, row.capacity, messages), row.status);
        EXPECT_STREQ(field, row.value);
        EXPECT_STREQ(descriptionText + position, row.rest);
        EXPECT_EQ(Names(messages.shown), row.messages);
        EXPECT_EQ(field[row.capacity], '#') << "written past the field";
    }
}

TEST(ReadValueLine, TerminatesWhatItCopiedWhenThe9999LimitStopsIt) {
    std::string text(9995, '\n');
    text += "abcdefgh\n";
    LoadDescriptionText(text.data(), text.size());
    RecordedMessages messages;
    int32_t position = 9995;
    char field[50];
    std::memset(field, '#', sizeof field);
    EXPECT_EQ(ReadValueLine(position, field, sizeof field, messages), ReadStop);
    EXPECT_STREQ(field, "abcd");
    EXPECT_EQ(position, 9999);
    EXPECT_EQ(Names(messages.shown), (MessageNames{"too-long"}));
}

TEST(ReadValueLine, ThePositionLimitComesBeforeTheSizeLimit) {
    // The 49th character of a value in a 50-byte field is the one at which the position reaches
    // 9999: the reader stops with the too-long message alone, and the field keeps all 49
    // characters (where the size limit would keep 48), terminated inside the field.
    std::string text(9950, '\n');
    text += std::string(60, 'x');
    LoadDescriptionText(text.data(), text.size());
    RecordedMessages messages;
    int32_t position = 9950;
    char field[51];
    std::memset(field, '#', sizeof field);
    EXPECT_EQ(ReadValueLine(position, field, 50, messages), ReadStop);
    EXPECT_EQ(std::string(field), std::string(49, 'x'));
    EXPECT_EQ(position, 9999);
    EXPECT_EQ(Names(messages.shown), (MessageNames{"too-long"}));
    EXPECT_EQ(field[50], '#') << "written past the field";

    // The same at the top level: a setting then holds 49 characters.
    std::string file(9934, '\n');
    file += "AutoExecRoutine " + std::string(60, 'x');
    EXPECT_EQ(Names(ReadDescription(file)), (MessageNames{"too-long"}));
    EXPECT_EQ(std::string(demoSettings.AutoExecRoutine), std::string(49, 'x'));
}

TEST(ParseNumber, FollowsTheAtoiRule) {
    struct Row {
        const char* text;
        int32_t value;
    };
    const Row rows[] = {
        {"640", 640}, {"-5", -5},  {"+7", 7},      {"\n 12", 12},  {"\t\v\f\r3", 3},
        {"12ab", 12}, {"ab12", 0}, {"", 0},        {"-", 0},       {"- 5", 0},
        {"+-5", 0},   {"0009", 9}, {"-999", -999}, {"9999", 9999}, {"2147483647", 2147483647},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseNumber(row.text), row.value);
    }
}

}  // namespace
