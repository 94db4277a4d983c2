// The About box: the accelerators and the menu command that open it, what it shows, where the
// focus is, and each way to close it.
#include <gtest/gtest.h>

#include "demo_in_process.h"
#include "resource.h"

namespace {

constexpr WPARAM kClickOk = 1, kCloseButton = 2;  // besides the keys

TEST(AboutBox, OpensWithAltSlashAtTheMainWindowShowsTheVersionAndClosesEachWay) {
    const std::tuple<const char*, bool, UINT, WPARAM, std::vector<WPARAM>> rows[] = {
        // how, at the button, the message and its key, the input for each wait (none: no box)
        {"Alt+/", false, WM_SYSCHAR, '/', {kClickOk}},
        {"Alt+?", false, WM_SYSCHAR, '?', {VK_RETURN}},
        {"Help, About", false, WM_COMMAND, IDM_ABOUT, {VK_ESCAPE}},
        {"Help, About", false, WM_COMMAND, IDM_ABOUT, {kCloseButton}},
        {"Help, About", false, WM_COMMAND, IDM_ABOUT, {VK_TAB, VK_RETURN}},
        {"Alt+/ at a button", true, WM_SYSCHAR, '/', {}},
        {"/ without Alt", false, WM_CHAR, '/', {}},
    };
    DemoInProcess demo(
        "ScriptFileName demo.spt\nButton B\nCoordx 0\nCoordy 0\nWidth 9\nHeight 9\n"
        "Scriptroutine B\nEnd Ini\n");
    ASSERT_TRUE(demo.Start());
    for (const auto& [how, atButton, message, key, inputs] : rows) {
        SCOPED_TRACE(how);
        size_t waits = 0;
        demo.onDialogIdle = [&](HWND dialog) {
            HWND ok = GetDlgItem(dialog, IDOK);
            EXPECT_EQ(GetFocus(), ok) << "OK, the only tab stop, has the focus";
            EXPECT_EQ(
                TextOf(dialog) + "|" + TextOf(GetDlgItem(dialog, IDC_STATIC)) + "|" + TextOf(ok),
                "About Harpix|Harpix 2.11|OK");
            const WPARAM input = ++waits <= inputs.size() ? inputs[waits - 1] : 0;
            if (input == kClickOk) {
                PostMessageA(ok, BM_CLICK, 0, 0);
            } else if (input == kCloseButton) {
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else if (input != 0) {
                PostMessageA(ok, WM_KEYDOWN, input, 1);
            }
        };
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = message == WM_SYSCHAR ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(atButton ? demo.Child(0) : mainWindow, message, key, 0);
        demo.Pump();
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(waits, inputs.size()) << "it opened and the last input closed it";
    }
}

}  // namespace
