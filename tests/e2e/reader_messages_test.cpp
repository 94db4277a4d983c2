// Problems in the description file as the user meets them: message boxes one after another over
// the wait window, and a missing file that ends the program without a word.
#include <gtest/gtest.h>

#include "demo_run.h"
#include "reader_messages.h"

namespace {

TEST(ReaderMessages, ComeOneAfterAnotherOverTheWaitWindowAndStartUpGoesOn) {
    // A value too long for its field, a button missing a key (the word after it is taken as its
    // last pair), then the end of the text without End Ini: three messages in that order.
    DemoRun run(
        "Title Messages\nWindowWidth 300\nWindowHeight 200\n"
        "AutoExecRoutine " +
        std::string(60, 'r') +
        "\n"
        "Button Incomplete\nCoordx 1\nCoordy 2\nWidth 3\nHeight 4\nNotAKey\n");
    const char* expected[] = {kSizeLimitMessage, kButtonIncompleteMessage, kUnexpectedEndMessage};
    for (const char* text : expected) {
        SCOPED_TRACE(text);
        MessageBoxSeen seen = WaitForMessageBox(run.Id());
        ASSERT_NE(seen.box, nullptr) << "no message box came";
        EXPECT_EQ(seen.caption, "Harpix");
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.owner, nullptr) << "reader messages have no owner";
        EXPECT_TRUE(seen.stopIcon) << "expected the stop icon";
        // One box at a time, and no main window while the file is read.
        EXPECT_EQ(FindWindowOfClass(run.Id(), "HARPIX"), nullptr);

        HWND wait = FindWindowOfClass(run.Id(), "Harpix  ");
        ASSERT_NE(wait, nullptr) << "the wait window should show while the file is read";
        EXPECT_EQ(CaptionOf(wait), "Harpix  ");
        // Windows gives every overlapped window a caption and clips its siblings.
        EXPECT_EQ(GetWindowLongA(wait, GWL_STYLE) & ~(WS_CAPTION | WS_CLIPSIBLINGS),
                  WS_OVERLAPPED | WS_VISIBLE);
        RECT rect = OuterRect(wait);
        EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 3);
        EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 3);
        EXPECT_EQ(rect.right - rect.left, 200);
        EXPECT_EQ(rect.bottom - rect.top, 75);

        HWND box = seen.box;
        PressButton(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box did not close";
    }
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "start-up did not go on after the last message";
    EXPECT_EQ(CaptionOf(main), "Messages");
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOfClass(run.Id(), "Harpix  ") == nullptr; }));
    EXPECT_EQ(FindWindowOfClass(run.Id(), "#32770"), nullptr);
}

TEST(ReaderMessages, AMissingDescriptionFileEndsWithExitCodeOneAndNoMessage) {
    DemoRun run;
    run.StartWith("\"" + run.folder.ExePath() + "\"", run.folder.Path());
    bool sawMessageBox = false;
    DWORD code = 0;
    const DWORD start = GetTickCount();
    while (!run.process->WaitForExit(20, code) && GetTickCount() - start < kPatience) {
        sawMessageBox = sawMessageBox || FindWindowOfClass(run.Id(), "#32770") != nullptr;
    }
    EXPECT_EQ(code, 1u);
    EXPECT_FALSE(sawMessageBox);
}

}  // namespace
