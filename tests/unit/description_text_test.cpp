// Loading the description file: the text-mode translation and the 10000-character limit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "reading.h"

namespace {

TEST(LoadDescriptionText, TranslatesLikeTheWindowsTextMode) {
    struct Row {
        std::string raw;
        std::string text;
    };
    const Row rows[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb", "a\rb"},
        {"a\r\r\nb", "a\r\nb"},
        {"a\n\rb\r", "a\n\rb\r"},
        {"a\x1a"
         "b\r\n",
         "a"},
        {"a\r\x1a\n", "a\r"},
        {"\x1a", ""},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\xff\x80", "\xff\x80"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.raw);
        LoadDescriptionText(row.raw.data(), row.raw.size());
        EXPECT_EQ(std::string(descriptionText, row.text.size() + 1),
                  row.text + std::string(1, '\0'));
    }
}

TEST(LoadDescriptionText, KeepsTheFirst10000CharactersAfterTranslation) {
    std::string raw;
    for (int i = 0; i < 10000; ++i) {
        raw += "\r\n";
    }
    raw += "x";
    LoadDescriptionText(raw.data(), raw.size());
    EXPECT_EQ(std::strlen(descriptionText), 10000u);
    EXPECT_EQ(descriptionText[9999], '\n');

    std::string longer(10001, 'y');
    LoadDescriptionText(longer.data(), longer.size());
    EXPECT_EQ(std::strlen(descriptionText), 10000u);
}

TEST(ReadDescriptionFile, ReadsAFileAndRefusesOneThatCannotBeOpened) {
    const char name[] = "harpix-description-text-test.ini";
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("Title From file\r\nWindowWidth 320\r\n\x1aTitle Never\r\n", file);
    std::fclose(file);

    ResetReading();
    RecordedMessages messages;
    EXPECT_TRUE(ReadDescriptionFile(name, messages));
    EXPECT_STREQ(demoSettings.Title, "From file");
    EXPECT_EQ(demoSettings.WindowWidth, 320);
    EXPECT_EQ(Names(messages.shown), MessageNames{"end"});
    std::remove(name);

    ResetReading();
    demoSettings.AutoExecRoutine[0] = 'x';
    RecordedMessages none;
    EXPECT_FALSE(ReadDescriptionFile("no-such-file-here.ini", none));
    EXPECT_STREQ(demoSettings.AutoExecRoutine, "");
    EXPECT_TRUE(none.shown.empty()) << "nothing is shown for a missing file";
}

}  // namespace
