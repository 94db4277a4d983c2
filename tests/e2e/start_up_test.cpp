// Start-up as the user meets it: where the main window stands and how big it is, and how the
// program ends.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

TEST(StartUp, TheMainWindowStandsAtAThirdOfTheRestOfTheScreenWithTheSizeAsked) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(screenWidth, 1024) << "the display the tests start";
    ASSERT_EQ(screenHeight, 768);
    const struct {
        const char* sizes;
        RECT expected;
    } rows[] = {
        {"WindowWidth 400\nWindowHeight 300\n", {208, 156, 608, 456}},
        // Larger than the screen: left and top go negative, rounded toward zero; Windows cuts
        // the size to its maximum tracking size.
        {"WindowWidth 1626\nWindowHeight 1070\n",
         {-200, -100, -200 + GetSystemMetrics(SM_CXMAXTRACK),
          -100 + GetSystemMetrics(SM_CYMAXTRACK)}},
        // No size: a captioned window is never smaller than Windows' minimum tracking size.
        {"",
         {341, 256, 341 + GetSystemMetrics(SM_CXMINTRACK), 256 + GetSystemMetrics(SM_CYMINTRACK)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sizes);
        DemoFolder folder;
        folder.WriteEmptyScript();
        folder.Write("Harpix.ini", std::string("ScriptFileName e2e.spt\nTitle Placed\n") +
                                       row.sizes + "End Ini\n");
        Process harpix = StartIn(folder);
        HWND main = harpix.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(TextOf(main), "Placed");
        RECT r;
        GetWindowRect(main, &r);
        EXPECT_EQ(r.left, row.expected.left);
        EXPECT_EQ(r.top, row.expected.top);
        EXPECT_EQ(r.right, row.expected.right);
        EXPECT_EQ(r.bottom, row.expected.bottom);
        // The program shows the main window first and destroys the wait window after it.
        EXPECT_TRUE(WaitUntil([&] { return harpix.FindWindow("Harpix  ") == nullptr; }))
            << "the wait window stays";
    }
}

TEST(StartUp, ExitCodes) {
    DemoFolder folder;
    folder.WriteEmptyScript();
    folder.Write("Harpix.ini",
                 "ScriptFileName e2e.spt\nWindowWidth 300\nWindowHeight 200\nEnd Ini\n");
    // File, Exit, and the close button.
    for (auto [message, command] :
         {std::pair<UINT, WPARAM>(WM_COMMAND, 105), {WM_SYSCOMMAND, SC_CLOSE}}) {
        SCOPED_TRACE(message);
        Process harpix = StartIn(folder);
        HWND main = harpix.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, message, command, 0);
        EXPECT_EQ(harpix.ExitCode(), 0u);
    }

    // No description file to read, or a folder in its place: exit code 1, without a word.
    DemoFolder bare;
    bare.Write("elsewhere\\Harpix.ini\\in a folder", "");
    for (const std::string& from : {bare.Path(), bare.Path() + "\\elsewhere"}) {
        SCOPED_TRACE(from);
        Process harpix(bare.ExePath(), "Harpix.exe", from);
        bool sawBox = false;
        WaitUntil([&] {
            sawBox = sawBox || harpix.FindWindow("#32770") != nullptr;
            return !harpix.Running();
        });
        EXPECT_EQ(harpix.ExitCode(), 1u);
        EXPECT_FALSE(sawBox);
    }
}

}  // namespace
