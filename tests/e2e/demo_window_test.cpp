// The demo window with Wine's own DirectMusic: the controls the description asks for, the focus
// ring, and the messages when the music or the script cannot start.
#include <gtest/gtest.h>

#include "demo_run.h"

namespace {

const char kDemo[] =
    "Title Wine demo\nWindowWidth 400\nWindowHeight 300\n"
    "Button Play\nCoordx 10\nCoordy 10\nWidth 95\nHeight 23\nScriptroutine Play\n"
    "Button Stop\nCoordx 110\nCoordy 10\nWidth 80\nHeight 25\nScriptroutine Stop\n"
    "Variable Tempo\nCoordx 80\nCoordy 50\nScriptvariable T\n"
    "Variable Vol\nCoordx 10\nCoordy 80\nScriptvariable V\nNotifyRoutine VolChanged\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText Press Play.\nThen Stop.\n"
    "EndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n"
    "End Ini\n";

TEST(DemoWindow, StartsWithWinesDirectMusic) {
    DemoRun run(kDemo);
    HWND main = run.WaitForMainWindow();
    MessageBoxSeen box = WaitForMessageBox(run.Id(), 500);
    EXPECT_EQ(box.box, nullptr) << box.caption << ": " << box.text;
    ASSERT_NE(main, nullptr);
}

}  // namespace
