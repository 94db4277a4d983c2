// How the program ends, as the user meets it. (Where its window stands is the in-process
// tests' business: the same start-up code places it. A description file that cannot be opened
// is among the differential check's folders.)
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "resource.h"

namespace {

TEST(StartUp, ExitCodes) {
    DemoFolder folder;
    folder.WriteEmptyScript();
    folder.Write("Harpix.ini",
                 "ScriptFileName e2e.spt\nWindowWidth 300\nWindowHeight 200\nEnd Ini\n");
    // File, Exit, and the close button.
    for (auto [message, command] :
         {std::pair<UINT, WPARAM>(WM_COMMAND, IDM_EXIT), {WM_SYSCOMMAND, SC_CLOSE}}) {
        SCOPED_TRACE(message);
        Process harpix = StartIn(folder);
        HWND main = harpix.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, message, command, 0);
        EXPECT_EQ(harpix.ExitCode(), 0u);
    }
}

}  // namespace
