// Start-up as the user meets it: the main window's place, size, caption, class and style, and
// the program's resources.
#include <gtest/gtest.h>

#include "demo_run.h"

namespace {

const DWORD kMainStyle = 0x10CA0000;

// What Windows itself adds to every top-level window.
DWORD Own(DWORD style) {
    return style & ~WS_CLIPSIBLINGS;
}

TEST(MainWindow, HasTheCaptionSizeAndPlaceOfTheDescription) {
    DemoRun run("Title Tempo demo\nWindowWidth 400\nWindowHeight 300\nEnd Ini\n");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(CaptionOf(main), "Tempo demo");
    EXPECT_EQ(Own(GetWindowLongA(main, GWL_STYLE)), kMainStyle)
        << std::hex << GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(GetWindowLongA(main, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0)
        << std::hex << GetWindowLongA(main, GWL_EXSTYLE);
    EXPECT_NE(GetMenu(main), nullptr) << "the class menu is missing";

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT rect = OuterRect(main);
    EXPECT_EQ(rect.left, (screenWidth - 400) / 3);
    EXPECT_EQ(rect.top, (screenHeight - 300) / 3);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);

    // The wait window is gone once the main window shows.
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOfClass(run.Id(), "Harpix  ") == nullptr; }));
    EXPECT_TRUE(TopLevelWindowsOf(run.Id()).size() >= 1u);
}

TEST(MainWindow, LargerThanTheScreenStartsAboveAndLeftOfIt) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = screenWidth + 600;
    const int height = screenHeight + 300;
    DemoRun run("Title Big\nWindowWidth " + std::to_string(width) + "\nWindowHeight " +
                std::to_string(height) + "\nEnd Ini\n");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    RECT rect = OuterRect(main);
    // Signed division that truncates toward zero.
    EXPECT_EQ(rect.left, -600 / 3);
    EXPECT_EQ(rect.top, -300 / 3);
    EXPECT_LT(rect.left, 0);
}

TEST(MainWindow, WithoutSizesIsAsSmallAsWindowsAllowsAtAThirdOfTheScreen) {
    DemoRun run("Title No size\nEnd Ini\n");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    RECT rect = OuterRect(main);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 3);
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 3);
    // Asked for 0 x 0, a captioned window gets Windows' minimum tracking size.
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYMINTRACK));
    EXPECT_EQ(CaptionOf(main), "No size");
}

TEST(MainWindow, EndsWithExitCodeZeroFromFileExitAndFromTheCloseButton) {
    DemoRun exitRun("Title Exit\nWindowWidth 300\nWindowHeight 200\nEnd Ini\n");
    HWND main = exitRun.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(exitRun.ExitCode(), 0u);

    DemoRun closeRun("Title Close\nWindowWidth 300\nWindowHeight 200\nEnd Ini\n");
    main = closeRun.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closeRun.ExitCode(), 0u);
}

}  // namespace
