// The real window under real keys: the About box opened with Alt+/ typed on the keyboard. (Tab
// and Enter through the program's own loop are the scripted tests' and demo.tour's; the controls
// and the Tab ring in full are the in-process tests'.)
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "resource.h"

namespace {

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
    // Keys go to whichever thread holds the foreground as each arrives: an Alt pressed before
    // the main window holds it is lost, and the '/' after it arrives alone. Start-up moves the
    // foreground from the wait window to the main window and then destroys the wait window:
    // type once that is over and Harpix waits for input.
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
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

}  // namespace
