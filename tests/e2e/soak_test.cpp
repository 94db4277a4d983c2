// The bundled demo started and closed again and again, its script running each time: no hang,
// no crash, exit code 0 every time, by File, Exit and by the close button alternately.
#include <gtest/gtest.h>

#include "harpix_process.h"
#include "window_inspection.h"

std::string soakDemoFolder;

namespace {

const int kRounds = 200;

TEST(Soak, TheBundledDemoStartsAndClosesTwoHundredTimes) {
    ASSERT_FALSE(soakDemoFolder.empty()) << "give the staged demo with --demo=FOLDER";
    const std::string exe = soakDemoFolder + "\\Harpix.exe";
    int clean = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        HarpixProcess process(exe, "\"" + exe + "\"", soakDemoFolder);
        ASSERT_TRUE(process.Started());
        HWND main = WaitForWindowOfClass(process.Id(), "HARPIX");
        ASSERT_NE(main, nullptr) << "the demo did not start";
        // The start-up routine's greeting shows that the script ran.
        HWND view = GetDlgItem(main, 550);
        EXPECT_TRUE(WaitUntil([&] { return !ControlText(view).empty(); }, 5000));
        if (round % 2 == 0) {
            PostMessageA(main, WM_COMMAND, 105, 0);
        } else {
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        DWORD code = 0xFFFFFFFF;
        ASSERT_TRUE(process.WaitForExit(kPatience, code)) << "the demo did not end";
        EXPECT_EQ(code, 0u);
        clean += code == 0 ? 1 : 0;
    }
    std::printf("soak: %d of %d runs ended with exit code 0\n", clean, kRounds);
}

}  // namespace
