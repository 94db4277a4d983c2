// The Button, Variable, TextBox and LyricView sections: their pairs, messages, records and tables.
#include <gtest/gtest.h>

#include "reading.h"

namespace {

std::string Repeat(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += part;
    }
    return text;
}

TEST(ButtonSection, ReadsItsFivePairsInAnyOrderAndCase) {
    EXPECT_EQ(Names(ReadDescription("Button Play it\n"
                                    "SCRIPTROUTINE PlayMain\n"
                                    "height 30\n"
                                    "Width 100\n"
                                    "coordy 12\n"
                                    "Coordx 11\n"
                                    "End Ini\n")),
              MessageNames{});
    ASSERT_EQ(buttonCount, 1);
    const ButtonDef& b = *buttons[0];
    EXPECT_STREQ(b.Label, "Play it");
    EXPECT_STREQ(b.Scriptroutine, "PlayMain");
    EXPECT_EQ(b.Coordx, 11);
    EXPECT_EQ(b.Coordy, 12);
    EXPECT_EQ(b.Width, 100);
    EXPECT_EQ(b.Height, 30);
    EXPECT_EQ(buttons[1], nullptr);
}

TEST(ButtonSection, WithAMissingKeyTakesTheNextWordAsItsLastPair) {
    EXPECT_EQ(Names(ReadDescription("Button One\nCoordx 1\nCoordy 2\nWidth 3\nScriptroutine A\n"
                                    "Button Two\nCoordx 5\nCoordy 6\nWidth 7\nHeight 8\n"
                                    "Scriptroutine B\nEnd Ini\n")),
              MessageNames{"button"});
    // The second keyword was used up, so its lines were loose words: one button, defaults kept.
    ASSERT_EQ(buttonCount, 1);
    EXPECT_EQ(buttons[0]->Height, 23);
    EXPECT_EQ(buttons[0]->Coordx, 1);
    EXPECT_STREQ(buttons[0]->Scriptroutine, "A");

    // A key given twice counts twice; the later value wins and no message is shown.
    EXPECT_EQ(Names(ReadDescription("Button B\nCoordx 1\nCoordx 2\nCoordy 3\nWidth 4\nHeight 5\n"
                                    "End Ini\n")),
              MessageNames{});
    ASSERT_EQ(buttonCount, 1);
    EXPECT_EQ(buttons[0]->Coordx, 2);
    EXPECT_STREQ(buttons[0]->Scriptroutine, "");

    // An empty line after the keyword makes the label a line feed and the whole next line.
    EXPECT_EQ(Names(ReadDescription("Button\n\nCoordx 1\nCoordy 2\nWidth 3\nHeight 4\n"
                                    "Scriptroutine R\nEnd Ini\n")),
              MessageNames({"button", "end"}));
    ASSERT_EQ(buttonCount, 1);
    EXPECT_STREQ(buttons[0]->Label, "\nCoordx 1");
    EXPECT_EQ(buttons[0]->Coordx, 0);
}

TEST(ButtonSection, ThatStopsLeavesNoRecord) {
    EXPECT_EQ(Names(ReadDescription("Button A\nCoordx 1\nCoordy 2\nWidth 3\nHeight 4\n"
                                    "Scriptroutine R\nButton B\nCoordx 5\nCoordy")),
              MessageNames{"end"});
    EXPECT_EQ(buttonCount, 1);
    EXPECT_EQ(buttons[1], nullptr);

    // A value that runs into the end of the text stops a number but not a routine name: the
    // next word read meets the end again.
    EXPECT_EQ(Names(ReadDescription("Button A\nCoordx 1\nCoordy 2\nWidth 3\nHeight 4\n"
                                    "Scriptroutine Last")),
              MessageNames({"end", "end"}));
    ASSERT_EQ(buttonCount, 1);
    EXPECT_STREQ(buttons[0]->Scriptroutine, "Last");
}

TEST(VariableSection, DerivesTheLabelGeometry) {
    struct Row {
        const char* section;
        int32_t coordx, labelX, labelY, labelWidth;
    };
    const Row rows[] = {
        {"Variable Tempo\nCoordx 10\nCoordy 20\nScriptvariable T\n", 30, 0, 23, 30},
        {"Variable Tempo\nCoordx 100\nCoordy 20\nScriptvariable T\n", 100, 70, 23, 30},
        {"Variable Tempo\nCoordx 30\nCoordy -7\nScriptvariable T\n", 30, 0, -4, 30},
        {"Variable Tempo\nCoordx -999\nCoordy 0\nScriptvariable T\n", 30, 0, 3, 30},
        // Defaults 20, 20 when the coordinates are missing (and the section is incomplete).
        {"Variable AB\nScriptvariable T\n", 20, 8, 23, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.section);
        ReadDescription(std::string(row.section) + "End Ini\n");
        ASSERT_EQ(variableCount, 1);
        const VariableDef& v = *variables[0];
        EXPECT_EQ(v.Coordx, row.coordx);
        EXPECT_EQ(v.LabelX, row.labelX);
        EXPECT_EQ(v.LabelY, row.labelY);
        EXPECT_EQ(v.LabelWidth, row.labelWidth);
    }
}

TEST(VariableSection, TakesANotifyRoutineOnlyAsOneOfItsThreePairs) {
    EXPECT_EQ(Names(ReadDescription("Variable V\nNotifyRoutine Changed\nCoordx 80\n"
                                    "Scriptvariable Value\nCoordy 50\nEnd Ini\n")),
              MessageNames{});
    ASSERT_EQ(variableCount, 1);
    EXPECT_EQ(variables[0]->HasNotifyRoutine, 1);
    EXPECT_STREQ(variables[0]->NotifyRoutine, "Changed");
    EXPECT_EQ(variables[0]->Coordy, 20);

    // As a fourth pair it is a loose word, and so is its value.
    EXPECT_EQ(Names(ReadDescription("Variable V\nCoordx 80\nCoordy 50\nScriptvariable Value\n"
                                    "NotifyRoutine Changed\nEnd Ini\n")),
              MessageNames{});
    ASSERT_EQ(variableCount, 1);
    EXPECT_EQ(variables[0]->HasNotifyRoutine, 0);
    EXPECT_STREQ(variables[0]->NotifyRoutine, "");
}

TEST(TextBoxSection, JoinsItsLinesUpToEndText) {
    struct Row {
        const char* textLines;
        const char* text;
    };
    const Row rows[] = {
        {"Text\nEndText\n", ""},
        {"Text A\nB\nEndText\n", "A\nB"},
        {"Text\nA\nendtext\n", "A"},
        // An empty line survives inside the text; right before EndText it is dropped.
        {"Text A\n\nB\n\nEndText\n", "A\n\nB"},
        // EndText with a trailing space is text; the text runs on to the next end line.
        {"Text A\nEndText \nB\nENDTEXT\n", "A\nEndText \nB"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.textLines);
        std::string pairs = std::string("TopLeftX 1\nTopLeftY 2\nWidth 3\nHeight 4\n");
        EXPECT_EQ(Names(ReadDescription("TextBox\n" + pairs + row.textLines + "End Ini\n")),
                  MessageNames{});
        ASSERT_EQ(textBoxCount, 1);
        EXPECT_STREQ(textBoxes[0]->Text, row.text);
    }
    // Without a label line, a caption after the keyword uses up pairs.
    EXPECT_EQ(Names(ReadDescription("TextBox Caption\nTopLeftX 1\nTopLeftY 2\nWidth 3\n"
                                    "Height 4\nText T\nEndText\nEnd Ini\n")),
              MessageNames{"textbox"});
    ASSERT_EQ(textBoxCount, 1);
    EXPECT_STREQ(textBoxes[0]->Text, "");
    EXPECT_EQ(textBoxes[0]->Height, 4);

    // A second Text key appends to the first with no line feed between them.
    EXPECT_EQ(Names(ReadDescription("TextBox\nTopLeftX 1\nText A\nEndText\nTopLeftY 2\n"
                                    "Text B\nC\nEndText\nWidth 3\nEnd Ini\n")),
              MessageNames{});
    ASSERT_EQ(textBoxCount, 1);
    EXPECT_STREQ(textBoxes[0]->Text, "AB\nC");
    EXPECT_EQ(textBoxes[0]->Height, 70);
}

TEST(TextBoxSection, StoresAtMost1999CharactersOfText) {
    const std::string pairs = "TopLeftX 1\nTopLeftY 2\nWidth 3\nHeight 4\n";
    const std::string threePairs = "TopLeftX 1\nTopLeftY 2\nWidth 3\n";
    const std::string line1000(1000, 'a');
    const std::string line998(998, 'b');

    // 1000 + line feed + 998 = 1999 characters: everything fits, no message.
    EXPECT_EQ(Names(ReadDescription("TextBox\n" + pairs + "Text " + line1000 + "\n" + line998 +
                                    "\nEndText\nEnd Ini\n")),
              MessageNames{});
    ASSERT_EQ(textBoxCount, 1);
    EXPECT_EQ(std::string(textBoxes[0]->Text), line1000 + "\n" + line998);

    // One more line: the joining line feed no longer fits. The message comes once, and the
    // rest of this text and of a later Text key is read but not stored.
    EXPECT_EQ(Names(ReadDescription("TextBox\n" + threePairs + "Text " + line1000 + "\n" + line998 +
                                    "\nmore\nand more\nEndText\nText later\n"
                                    "EndText\nTitle After\nEnd Ini\n")),
              MessageNames{"size"});
    ASSERT_EQ(textBoxCount, 1);
    EXPECT_EQ(std::string(textBoxes[0]->Text), line1000 + "\n" + line998);
    EXPECT_STREQ(demoSettings.Title, "After");

    // A line too long for the line buffer is split at 1998 characters, its 1999th dropped; the
    // line feed that would join the rest then no longer fits.
    const std::string long2000(1998, 'c');
    EXPECT_EQ(Names(ReadDescription("TextBox\n" + pairs + "Text " + long2000 + "XYZ\n" +
                                    "EndText\nEnd Ini\n")),
              MessageNames({"size", "size"}));
    ASSERT_EQ(textBoxCount, 1);
    EXPECT_EQ(std::string(textBoxes[0]->Text), long2000 + "\n");
}

TEST(LyricViewSection, ReplacesAnEarlierOneAndKeepsDefaultsForMissingSizes) {
    EXPECT_EQ(Names(ReadDescription("LyricView\nTopLeftX 1\nTopLeftY 2\nWidth 3\nHeight 4\n"
                                    "LyricView\nTopLeftX 10\nTopLeftY 20\nWidth 30\n"
                                    "Title T\n")),
              MessageNames({"lyricview", "end"}));
    ASSERT_EQ(hasLyricView, 1);
    EXPECT_EQ(lyricView->TopLeftX, 10);
    EXPECT_EQ(lyricView->Width, 30);
    EXPECT_EQ(lyricView->Height, 25);

    // A section that stops sets nothing, but its record has already taken the earlier one's
    // place, so a view counted before shows the new values.
    EXPECT_EQ(Names(ReadDescription("LyricView\nTopLeftX 1\nTopLeftY 2\nWidth 3\nHeight 4\n"
                                    "LyricView\nTopLeftX 10\nTopLeftY")),
              MessageNames{"end"});
    ASSERT_EQ(hasLyricView, 1);
    EXPECT_EQ(lyricView->TopLeftX, 10);
    EXPECT_EQ(lyricView->Width, 120);

    EXPECT_EQ(Names(ReadDescription("LyricView\nTopLeftX 5")), MessageNames({"end", "end"}));
    EXPECT_EQ(hasLyricView, 0);
}

TEST(FullTables, ReadFurtherSectionsButNeverEnterThem) {
    const std::string button = "Button B\nCoordx 1\nCoordy 2\nWidth 3\nHeight 4\nScriptroutine R\n";
    EXPECT_EQ(Names(ReadDescription(Repeat(button, 50) +
                                    "Button Extra\nCoordx 9\n"
                                    "Scriptroutine X\nfour five six\nTitle T\nEnd Ini\n")),
              MessageNames({"size", "button"}));
    EXPECT_EQ(buttonCount, 50);
    EXPECT_STREQ(buttons[49]->Scriptroutine, "R");
    EXPECT_STREQ(demoSettings.Title, "T");

    const std::string variable = "Variable V\nCoordx 100\nCoordy 2\nScriptvariable S\n";
    EXPECT_EQ(Names(ReadDescription(Repeat(variable, 26) + "End Ini\n")), MessageNames{"size"});
    EXPECT_EQ(variableCount, 25);

    const std::string textBox =
        "TextBox\nTopLeftX 1\nTopLeftY 2\nWidth 3\nHeight 4\nText T\nEndText\n";
    EXPECT_EQ(Names(ReadDescription(Repeat(textBox, 27) + "Title Done\nEnd Ini\n")),
              MessageNames({"size", "size"}));
    EXPECT_EQ(textBoxCount, 25);
    EXPECT_STREQ(demoSettings.Title, "Done");
}

}  // namespace
