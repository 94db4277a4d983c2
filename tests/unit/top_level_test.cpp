// The top-level reading of a description file: End Ini, keys and their values, window sizes,
// loose words, and the limits of the whole text.
#include <gtest/gtest.h>

#include "reading.h"

namespace {

TEST(EndIni, EndsTheReadingOnlyWhenSpelledAsOneSpaceOrOneLineFeed) {
    struct Row {
        const char* text;
        MessageNames messages;
        const char* title;  // a Title after the end marker shows whether reading went on
    };
    const Row rows[] = {
        {"End Ini\nTitle after\n", {}, ""},
        {"end ini\nTitle after\n", {}, ""},
        {"END INI\nTitle after\n", {}, ""},
        {"End\nIni\nTitle after\n", {}, ""},
        {"End Ini", {}, ""},
        {"End  Ini\nTitle after\n", {"end"}, "after"},
        {"End\n\nIni\nTitle after\n", {"end"}, "after"},
        {"End Inix\nTitle after\n", {"end"}, "after"},
        {"End In\nTitle after\n", {"end"}, "after"},
        // End before another word: both are skipped, and a skipped keyword starts nothing.
        {"End Title\nTitle after\n", {"end"}, "after"},
        // The word after End is scanned to its end however long it is.
        {"End Iniiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii\nTitle after\n",
         {"end"},
         "after"},
        // Without End Ini the text simply runs out.
        {"Title after\n", {"end"}, "after"},
        // The zero byte ends the word after End and is met again by the next read.
        {"End ", {"end"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Names(ReadDescription(row.text)), row.messages);
        EXPECT_STREQ(demoSettings.Title, row.title);
    }
}

TEST(TopLevelKeys, ReadTheirValuesInAnyCaseAndOrder) {
    MessageNames messages =
        Names(ReadDescription("audiopathfilename stereo.aud\n"
                              "\n"
                              "TITLE  Spaced title \n"
                              "scriptFileName first.spt\n"
                              "WindowWidth\n"
                              "400\n"
                              "windowheight -5\n"
                              "Some loose words autoexecroutine Start here\n"
                              "ScriptFileName second.spt\n"
                              "End Ini\n"));
    EXPECT_EQ(messages, MessageNames{});
    EXPECT_STREQ(demoSettings.Title, " Spaced title ");
    EXPECT_EQ(demoSettings.WindowWidth, 400);
    EXPECT_EQ(demoSettings.WindowHeight, -5);
    EXPECT_STREQ(demoSettings.ScriptFileName, "second.spt");
    EXPECT_STREQ(demoSettings.AutoExecRoutine, "Start here");
    EXPECT_STREQ(demoSettings.AudioPathFileName, "stereo.aud");
}

TEST(TopLevelKeys, KeysOnlyCountAtTheStartOfAWord) {
    // An indented key is not recognised; its value words are then skipped one by one.
    ReadDescription(" Title Indented\n\tScriptFileName tabbed.spt\nEnd Ini\n");
    EXPECT_STREQ(demoSettings.Title, "");
    EXPECT_STREQ(demoSettings.ScriptFileName, "");
    // A key followed by one space and the end of its line takes the whole next line.
    ReadDescription("Title \nNext line\nEnd Ini\n");
    EXPECT_STREQ(demoSettings.Title, "\nNext line");
}

TEST(TopLevelKeys, CutOverlongValuesAndReadTheirRestAsLooseWords) {
    std::string title48(48, 't');
    EXPECT_EQ(Names(ReadDescription("Title " + title48 + "\nEnd Ini\n")), MessageNames{});
    EXPECT_EQ(demoSettings.Title, title48);

    // The 49th character is dropped; from the 50th on the line is read as words, keys included.
    EXPECT_EQ(Names(ReadDescription("Title " + title48 + "XAutoExecRoutine Go\nEnd Ini\n")),
              MessageNames{"size"});
    EXPECT_EQ(demoSettings.Title, title48);
    EXPECT_STREQ(demoSettings.AutoExecRoutine, "Go");

    std::string name98(98, 's');
    EXPECT_EQ(Names(ReadDescription("ScriptFileName " + name98 + "xy\nEnd Ini\n")),
              MessageNames{"size"});
    EXPECT_EQ(demoSettings.ScriptFileName, name98);
}

TEST(WindowSize, TakesUpToFourCharactersOfInput) {
    struct Row {
        const char* line;
        int32_t width;
        MessageNames messages;
    };
    const Row rows[] = {
        {"WindowWidth 640\n", 640, {}},
        {"WindowWidth 1024\n", 1024, {}},
        {"WindowWidth -5\n", -5, {}},
        {"WindowWidth abc\n", 0, {}},
        {"WindowWidth 12ab\n", 12, {}},
        // The fifth character is dropped; a sixth and later ones are read as words.
        {"WindowWidth 12345\n", 1234, {"size"}},
        {"WindowWidth 123456 Title T\n", 1234, {"size"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Names(ReadDescription(std::string(row.line) + "End Ini\n")), row.messages);
        EXPECT_EQ(demoSettings.WindowWidth, row.width);
    }
    EXPECT_STREQ(demoSettings.Title, "T");

    // A read that meets the end of the text keeps the earlier value.
    EXPECT_EQ(Names(ReadDescription("WindowHeight 300\nWindowHeight 99")), MessageNames{"end"});
    EXPECT_EQ(demoSettings.WindowHeight, 300);
}

TEST(WholeText, EndsAt9999WithTheTooLongMessage) {
    // Loose words up to the limit: the reading stops there and keeps what it read.
    std::string text = "Title Kept\n";
    while (text.size() < 12000) {
        text += "filler ";
    }
    EXPECT_EQ(Names(ReadDescription(text)), MessageNames{"too-long"});
    EXPECT_STREQ(demoSettings.Title, "Kept");

    // A value cut by the limit keeps what was read of it.
    std::string late(9990, '\n');
    late += "Title Late\nEnd Ini\n";
    EXPECT_EQ(Names(ReadDescription(late)), MessageNames{"too-long"});
    EXPECT_STREQ(demoSettings.Title, "Lat");
}

TEST(WholeText, StopsAtAZeroByte) {
    std::string text("Title Before\n\0Title After\nEnd Ini\n", 34);
    EXPECT_EQ(Names(ReadDescription(text)), MessageNames{"end"});
    EXPECT_STREQ(demoSettings.Title, "Before");
}

}  // namespace
