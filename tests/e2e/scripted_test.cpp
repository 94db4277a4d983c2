// The whole chain with a script that really runs (the stand-in engine registered in the Wine
// prefix): the start-up routine, clicks, edits, Enter and lyrics as the user sees them.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

const char kProbeDemo[] =
    "Title Probe\nWindowWidth 360\nWindowHeight 220\n"
    "ScriptFileName probe.spt\nAutoExecRoutine Start\n"
    "Button Ping\nCoordx 10\nCoordy 10\nWidth 80\nHeight 25\nScriptroutine Ping\n"
    "Button Flood\nCoordx 100\nCoordy 10\nWidth 80\nHeight 25\nScriptroutine FloodAll\n"
    "Variable Speed\nCoordx 60\nScriptvariable Speed\nNotifyRoutine SpeedChanged\n"
    "Variable Mood\nCoordx 160\nScriptvariable Mood\nNotifyRoutine MoodChanged\n"
    "LyricView\nTopLeftX 10\nTopLeftY 100\nWidth 300\nHeight 30\n"
    "End Ini\n";

// True once the lyric view shows `text`; says what it shows otherwise.
testing::AssertionResult LyricBecomes(HWND main, const std::string& text) {
    HWND view = GetDlgItem(main, 550);
    if (WaitUntil([&] { return TextOf(view) == text; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the lyric view shows \"" << TextOf(view) << "\"";
}

TEST(Scripted, StartUpRoutineClickEditEnterAndClosingReachTheScript) {
    DemoFolder folder;
    folder.Write("Harpix.ini", kProbeDemo);
    folder.Write("RuntimeFiles\\probe.spt", ReadFileBytes(scriptsFolder + "\\probe.spt"));
    Process harpix = StartIn(folder);
    HWND main = harpix.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // The start-up routine ran before the boxes were filled.
    ASSERT_TRUE(LyricBecomes(main, "started"));
    EXPECT_EQ(TextOf(GetDlgItem(main, 50)), "42");
    EXPECT_EQ(TextOf(GetDlgItem(main, 51)), "-7");

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, 0)));
    EXPECT_TRUE(LyricBecomes(main, "pinged"));

    // Tab past the two buttons into the first box, whose text is then selected: typing
    // replaces it, Tab again leaves it, which sets the variable and runs the notify routine.
    const DWORD thread = harpix.ThreadId();
    HWND speed = GetDlgItem(main, 50);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 0); }));
    PressKey(thread, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 1); }));
    PressKey(thread, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == speed; }));
    TypeText(thread, "77");
    PressKey(thread, VK_TAB);
    EXPECT_TRUE(LyricBecomes(main, "speed is 77"));

    // Enter sends every box in table order: Speed's routine (1 again), then Mood's (2); the
    // order they ran in shows as digits.
    PressKey(thread, VK_RETURN);
    EXPECT_TRUE(LyricBecomes(main, "112"));

    // Closing while sixty lyrics pour in ends cleanly.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, 1)));
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

}  // namespace
