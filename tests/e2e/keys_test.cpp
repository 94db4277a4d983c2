// The real window under keys: the controls a small file asks for, Tab around its ring, and the
// About box opened with Alt+/ typed on the keyboard.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

const char kSmallDemo[] =
    "ScriptFileName e2e.spt\nTitle Keys\nWindowWidth 400\nWindowHeight 300\n"
    "Button Play\nCoordx 10\nCoordy 10\nWidth 95\nHeight 23\nScriptroutine Play\n"
    "Button Stop\nCoordx 110\nCoordy 10\nWidth 80\nHeight 25\nScriptroutine Stop\n"
    "Variable Tempo\nCoordx 80\nCoordy 50\nScriptvariable T\n"
    "Variable Vol\nCoordx 10\nNotifyRoutine VolChanged\nScriptvariable V\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText Press Play.\nEndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n"
    "End Ini\n";

TEST(Keys, TheRealWindowHasTheControlsOfTheFileAndTabGoesAroundTheRingForward) {
    DemoFolder folder;
    folder.WriteEmptyScript();
    folder.Write("Harpix.ini", kSmallDemo);
    Process harpix = StartIn(folder);
    HWND main = harpix.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    std::string controls;
    for (HWND c : ChildrenOf(main)) {
        controls += std::to_string(GetDlgCtrlID(c)) + " " + ClassNameOf(c) + " " + TextOf(c) + "|";
    }
    // Wine's own script object runs nothing: the boxes keep the 0 the program presets.
    EXPECT_EQ(controls,
              "0 Button Play|1 Button Stop|50 Edit 0|75 Static Tempo|51 Edit 0|76 Static Vol|"
              "200 Static Press Play.|550 Static |");

    const DWORD thread = harpix.ThreadId();
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, 0); }))
        << "the first button starts with the focus";
    for (int id : {1, 50, 51, 0, 1}) {
        SCOPED_TRACE(id);
        PressKey(thread, VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(thread) == GetDlgItem(main, id); }))
            << "the focus is on " << GetDlgCtrlID(FocusOf(thread));
    }
}

TEST(Keys, AltSlashTypedAtTheMainWindowOpensTheAboutBoxAndOkClosesIt) {
    // No buttons: the focus is on the window itself, where the accelerator works (a focused
    // button swallows it).
    DemoFolder folder;
    folder.WriteEmptyScript();
    folder.Write("Harpix.ini",
                 "ScriptFileName e2e.spt\nWindowWidth 320\nWindowHeight 240\nEnd Ini\n");
    Process harpix = StartIn(folder);
    HWND main = harpix.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // A key pressed before Harpix holds the foreground is lost (Alt pressed as the main window
    // shows: the '/' after it arrives alone). Start-up moves the foreground from the wait window
    // to the main window and then destroys the wait window: type once that is over and Harpix
    // waits for input.
    ASSERT_TRUE(WaitUntil([&] { return harpix.FindWindow("Harpix  ") == nullptr; }));
    ASSERT_TRUE(harpix.WaitIdle());
    ASSERT_TRUE(TypeRealKeys(main, {VK_MENU, VK_OEM_2, -VK_OEM_2, -VK_MENU}));
    HWND about = harpix.WaitForWindow("#32770");
    ASSERT_NE(about, nullptr) << "Alt+/ did not open the About box";
    EXPECT_EQ(TextOf(about), "About Harpix");
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal";
    ASSERT_TRUE(PressOk(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

}  // namespace
