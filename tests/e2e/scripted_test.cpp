// The whole chain with a script that really runs (the stand-in engine registered in the Wine
// prefix): start-up values, clicks, edits, Enter and lyrics as the user sees them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "demo_run.h"

std::string scriptsDirectory;

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

std::string ScriptBytes(const char* name) {
    std::ifstream file(scriptsDirectory + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A demo folder with a compiled script from the build, started as the shell starts it.
struct ScriptedRun : DemoRun {
    ScriptedRun(const std::string& description, const char* scriptName) {
        folder.Write("Harpix.ini", description);
        std::string script = ScriptBytes(scriptName);
        EXPECT_FALSE(script.empty()) << "no compiled " << scriptName << " in " << scriptsDirectory;
        folder.Write(std::string("RuntimeFiles\\") + scriptName, script);
        StartWith("\"" + folder.ExePath() + "\"", folder.Path());
    }
};

// Waits for the lyric view to show `text`; returns what it shows in the end.
std::string LyricAfterWaiting(HWND main, const std::string& text) {
    HWND view = GetDlgItem(main, 550);
    WaitUntil([&] { return ControlText(view) == text; }, 5000);
    return ControlText(view);
}

TEST(Scripted, StartUpValuesShowInTheEditBoxesAndItsTraceInTheLyricView) {
    ScriptedRun run(kProbeDemo, "probe.spt");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(main, 50)), "42");
    EXPECT_EQ(ControlText(GetDlgItem(main, 51)), "-7");
    EXPECT_EQ(LyricAfterWaiting(main, "started"), "started");
}

TEST(Scripted, AClickRunsItsRoutine) {
    ScriptedRun run(kProbeDemo, "probe.spt");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(LyricAfterWaiting(main, "started"), "started");
    PressButton(main, 0);
    EXPECT_EQ(LyricAfterWaiting(main, "pinged"), "pinged");
}

TEST(Scripted, LeavingAnEditBoxSetsItsVariableAndRunsItsNotifyRoutine) {
    ScriptedRun run(kProbeDemo, "probe.spt");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const DWORD thread = run.process->ThreadId();
    HWND speed = GetDlgItem(main, 50);
    // Tab past the two buttons into the first box, whose text is then selected: typing
    // replaces it; Tab again leaves it.
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 0); }));
    PressKey(thread, VK_TAB);
    PressKey(thread, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == speed; }));
    TypeText(thread, "77");
    PressKey(thread, VK_TAB);
    EXPECT_EQ(LyricAfterWaiting(main, "speed is 77"), "speed is 77");
    EXPECT_EQ(ControlText(speed), "77");
}

TEST(Scripted, EnterCommitsEveryVariableInTableOrder) {
    ScriptedRun run(kProbeDemo, "probe.spt");
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(LyricAfterWaiting(main, "started"), "started");
    PressKey(run.process->ThreadId(), VK_RETURN);
    // Speed's routine ran first (1), then Mood's (2); the last lyric is the order they ran in.
    EXPECT_EQ(LyricAfterWaiting(main, "12"), "12");
}

TEST(Scripted, AScriptThatDoesNotCompileIsAScriptThatCannotLoad) {
    ScriptedRun run("Title Broken\nScriptFileName syntax_error.spt\nEnd Ini\n", "syntax_error.spt");
    MessageBoxSeen box = WaitForMessageBox(run.Id());
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.caption, "Script Load Error");
    EXPECT_EQ(box.text, "The script could not load properly.  Harpix is exiting.");
    PressButton(box.box, IDOK);
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(Scripted, ClosingWhileLyricsAreBeingSentEndsCleanly) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ScriptedRun run(kProbeDemo, "probe.spt");
        HWND main = run.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        PressButton(main, 1);
        // Alternate the two ways out, a moment after the lyrics begin.
        Sleep(20 * round);
        if (round % 2 == 0) {
            PostMessageA(main, WM_COMMAND, 105, 0);
        } else {
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        EXPECT_EQ(run.ExitCode(), 0u);
    }
}

}  // namespace
