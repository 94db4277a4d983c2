// The demo window with Wine's own DirectMusic, from outside: the controls the description asks
// for, the focus ring under real keys, and the messages when the music or the script cannot
// start.
#include <gtest/gtest.h>

#include "demo_run.h"

namespace {

const char kDemo[] =
    "Title Wine demo\nWindowWidth 400\nWindowHeight 300\n"
    "Button Play\nCoordx 10\nCoordy 10\nWidth 95\nHeight 23\nScriptroutine Play\n"
    "Button Stop\nCoordx 110\nCoordy 10\nWidth 80\nHeight 25\nScriptroutine Stop\n"
    "Variable Tempo\nCoordx 80\nCoordy 50\nScriptvariable T\n"
    "Variable Vol\nCoordx 10\nNotifyRoutine VolChanged\nScriptvariable V\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText Press Play.\nThen Stop.\n"
    "EndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n"
    "End Ini\n";

RECT ClientRectOf(HWND control) {
    RECT rect = OuterRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(DemoWindow, BuildsExactlyTheWindowsDescribed) {
    DemoRun run(kDemo);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    struct Row {
        int id;
        const char* className;
        DWORD style;
        const char* text;
        RECT rect;
    };
    // Wine's script object leaves every variable at the 0 the program presets.
    const Row rows[] = {
        {0, "Button", 0x50000001, "Play", {10, 10, 105, 33}},
        {1, "Button", 0x50000001, "Stop", {110, 10, 190, 35}},
        {50, "Edit", 0x50412004, "0", {80, 50, 110, 70}},
        {75, "Static", 0x50000000, "Tempo", {50, 53, 80, 73}},
        {51, "Edit", 0x50412004, "0", {18, 20, 48, 40}},
        {76, "Static", 0x50000000, "Vol", {0, 23, 18, 43}},
        {200, "Static", 0x50400001, "Press Play.\nThen Stop.", {10, 110, 210, 150}},
        {550, "Static", 0x50400001, "", {10, 160, 210, 185}},
    };
    int children = 0;
    for (HWND c = GetWindow(main, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        ++children;
    }
    EXPECT_EQ(children, 8);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        HWND control = GetDlgItem(main, row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassNameOf(control), row.className);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), row.style)
            << std::hex << GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(ControlText(control), row.text);
        RECT rect = ClientRectOf(control);
        EXPECT_EQ(rect.left, row.rect.left);
        EXPECT_EQ(rect.top, row.rect.top);
        EXPECT_EQ(rect.right, row.rect.right);
        EXPECT_EQ(rect.bottom, row.rect.bottom);
    }
    EXPECT_EQ(FocusOf(run.process->ThreadId()), GetDlgItem(main, 0)) << "the first button";
}

TEST(DemoWindow, TabAndShiftTabMoveTheFocusForwardAroundTheRing) {
    DemoRun run(kDemo);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const DWORD thread = run.process->ThreadId();
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 0); }));
    const std::vector<int> ring = {1, 50, 51, 0, 1};
    std::vector<int> seen;
    for (size_t i = 0; i < ring.size(); ++i) {
        HWND expected = GetDlgItem(main, ring[i]);
        PressKey(thread, VK_TAB);
        WaitUntil([&] { return FocusOf(thread) == expected; }, 2000);
        seen.push_back(GetDlgCtrlID(FocusOf(thread)));
    }
    EXPECT_EQ(seen, ring);

    // Shift held, with real keys: still forward. A keystroke lost on the way is typed again;
    // one that arrived moves the focus, so it is never typed twice.
    HWND from = FocusOf(thread);
    for (int attempt = 0; attempt < 3 && FocusOf(thread) == from; ++attempt) {
        TypeKeys(main, {VK_SHIFT, VK_TAB, -VK_TAB, -VK_SHIFT});
        WaitUntil([&] { return FocusOf(thread) != from; }, 2000);
    }
    EXPECT_EQ(FocusOf(thread), GetDlgItem(main, 50)) << "Shift+Tab moves forward, to box 50";
}

TEST(DemoWindow, EnterClicksAndEditsLeaveItRunning) {
    DemoRun run(kDemo);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND tempo = GetDlgItem(main, 50);
    const DWORD thread = run.process->ThreadId();
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 0); }));
    PressKey(thread, VK_TAB);
    PressKey(thread, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == tempo; }));
    TypeText(thread, "42");
    PressKey(thread, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(tempo) == "42"; }, 3000))
        << "got " << ControlText(tempo);
    PressButton(main, 1);
    PressButton(main, 0);
    Sleep(300);
    EXPECT_NE(FindWindowOfClass(run.Id(), "HARPIX"), nullptr);
    EXPECT_EQ(FindWindowOfClass(run.Id(), "#32770"), nullptr);
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(DemoWindow, AboutAcceleratorTypedAtAButtonDoesNothing) {
    DemoRun run(kDemo);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(run.process->ThreadId()) == GetDlgItem(main, 0); }));
    // The keystroke goes to the focused button, which ignores the command it becomes.
    TypeKeys(main, {VK_MENU, VK_OEM_2, -VK_OEM_2, -VK_MENU});
    Sleep(700);
    EXPECT_EQ(FindWindowOfClass(run.Id(), "#32770"), nullptr);
    // From the menu it opens all the same.
    PostMessageA(main, WM_COMMAND, 104, 0);
    HWND about = WaitForWindowOfClass(run.Id(), "#32770");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(CaptionOf(about), "About Harpix");
    PressButton(about, IDOK);
}

TEST(DemoWindow, SaysWhyWhenTheScriptOrTheAudiopathCannotLoad) {
    struct Row {
        const char* what;
        std::string description;
        const char* message;
    };
    const Row rows[] = {
        {"missing script", "ScriptFileName missing.spt\nTitle T\nEnd Ini\n",
         "The script could not load properly.  Harpix is exiting."},
        {"no script named", "Title T\nEnd Ini\n",
         "The script could not load properly.  Harpix is exiting."},
        {"missing audiopath file",
         std::string(kScriptLine) + "AudioPathFileName missing.aud\nTitle T\nEnd Ini\n",
         "Harpix could not initialize. This could be due to a missing audiopath file, lack of "
         "audio drivers, lack of audio service, a problem with DSound, or a problem with DMusic. "
         "Harpix is exiting."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DemoRun run(row.description, false);
        MessageBoxSeen box = WaitForMessageBox(run.Id());
        ASSERT_NE(box.box, nullptr);
        EXPECT_EQ(box.caption, "Script Load Error");
        EXPECT_EQ(box.text, row.message);
        ASSERT_NE(box.owner, nullptr) << "owned by the main window";
        EXPECT_EQ(ClassNameOf(box.owner), "HARPIX");
        EXPECT_TRUE(box.stopIcon);
        PressButton(box.box, IDOK);
        EXPECT_EQ(run.ExitCode(), 0u);
    }
}

}  // namespace
