// The whole chain with a script that really runs (the stand-in engine registered in the Wine
// prefix): the start-up routine, clicks, edits, Enter and lyrics as the user sees them.
#include <gtest/gtest.h>

#include <iterator>
#include <map>

#include "demo_layout.h"
#include "e2e_support.h"
#include "resource.h"

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
    HWND view = GetDlgItem(main, kLyricViewId);
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
    EXPECT_EQ(TextOf(GetDlgItem(main, kEditIdBase)), "42");
    EXPECT_EQ(TextOf(GetDlgItem(main, kEditIdBase + 1)), "-7");

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, 0)));
    EXPECT_TRUE(LyricBecomes(main, "pinged"));

    // Tab past the two buttons into the first box, whose text is then selected: typing
    // replaces it, Tab again leaves it, which sets the variable and runs the notify routine.
    const DWORD thread = harpix.ThreadId();
    HWND speed = GetDlgItem(main, kEditIdBase);
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
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

// A demo made by harpix-check --new-demo from the bundled demo's script: every button it made runs
// its routine, and a variable's notify routine runs when its box is sent.
TEST(Scripted, ADemoMadeFromTheBundledScriptRunsEachRoutine) {
    DemoFolder folder;
    folder.Write("RuntimeFiles\\MorningHarp.spt",
                 ReadFileBytes(scriptsFolder + "\\MorningHarp.spt"));
    Process check(harpixCheckPath,
                  "harpix-check.exe --new-demo RuntimeFiles\\MorningHarp.spt Harpix.ini",
                  folder.Path());
    ASSERT_EQ(check.ExitCode(), 0u);
    Process harpix = StartIn(folder);
    HWND main = harpix.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(LyricBecomes(main, "Good morning! Press Sing a line."));

    // In an order in which each routine's lyric differs from the one before it.
    const struct {
        const char* button;
        const char* lyric;
    } clicks[] = {
        {"Sing Line", "The harp wakes up in the morning light,"},
        {"Sing Verse Two", "The afternoon is slow and wide,"},
        {"Faster", "A little faster."},
        {"Sing Verse One", "The harp wakes up in the morning light,"},
        {"Slower", "A little slower."},
        {"Start Over", "From the top: verse one."},
    };
    std::map<std::string, HWND> buttons;
    for (int id = 0; GetDlgItem(main, id) != nullptr; ++id) {
        buttons[TextOf(GetDlgItem(main, id))] = GetDlgItem(main, id);
    }
    ASSERT_EQ(buttons.size(), std::size(clicks));
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.button);
        ASSERT_EQ(buttons.count(click.button), 1u);
        PostMessageA(buttons[click.button], BM_CLICK, 0, 0);
        EXPECT_TRUE(LyricBecomes(main, click.lyric));
    }

    // Enter sends every box in table order: a volume of 0 shows Volume's notify routine ran.
    HWND volume = nullptr;
    for (int i = 0; GetDlgItem(main, kLabelIdBase + i) != nullptr; ++i) {
        const bool found = TextOf(GetDlgItem(main, kLabelIdBase + i)) == "Volume:";
        volume = found ? GetDlgItem(main, kEditIdBase + i) : volume;
    }
    ASSERT_NE(volume, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(volume, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"), SMTO_ABORTIFHUNG,
                        kPatience, &ignored);
    PressKey(harpix.ThreadId(), VK_RETURN);
    EXPECT_TRUE(LyricBecomes(main, "Volume set: silent, but the words go on."));
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

}  // namespace
