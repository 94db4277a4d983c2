// The forms of End Ini: each needs a reading of its own, so they are a table here rather than
// golden files, which hold whole descriptions with their messages.
#include <gtest/gtest.h>

#include <cstring>

#include "demo_settings.h"
#include "description_reader.h"
#include "description_text.h"

namespace {

struct MessageCount : ReaderMessages {
    void Show(const char* text) override {
        EXPECT_EQ(text, kUnexpectedEndMessage);
        ++shown;
    }
    int shown = 0;
};

TEST(EndIni, EndsTheReadingAsEndThenOneSpaceOrLineFeedThenIniInAnyCase) {
    struct Row {
        const char* text;
        const char* title;  // a Title after the end marker shows whether reading went on
        int endMessages;    // the text ran out without its end
    };
    const Row rows[] = {
        {"End Ini\nTitle after\n", "", 0},
        {"end ini\nTitle after\n", "", 0},
        {"END INI\nTitle after\n", "", 0},
        {"End\nIni\nTitle after\n", "", 0},
        {"End Ini", "", 0},
        {"End  Ini\nTitle after\n", "after", 1},
        {"End\n\nIni\nTitle after\n", "after", 1},
        {"End Inix\nTitle after\n", "after", 1},
        {"End In\nTitle after\n", "after", 1},
        // The word after End is skipped whatever it is, a key too, and however long.
        {"End Title\nTitle after\n", "after", 1},
        {"End Iniiiiiiiiiiiiiiiiiiiiiiiiiiiii\nTitle after\n", "after", 1},
        {"End ", "", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        demoSettings = DemoSettings{};
        LoadDescriptionText(row.text, std::strlen(row.text));
        MessageCount messages;
        InterpretDescriptionText(messages);
        EXPECT_STREQ(demoSettings.Title, row.title);
        EXPECT_EQ(messages.shown, row.endMessages);
    }
}

}  // namespace
