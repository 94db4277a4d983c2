// The About box: the accelerators and the menu command that open it, what it shows, where the
// focus is, and each way to close it.
#include <gtest/gtest.h>

#include "demo_in_process.h"
#include "resource.h"

namespace {

std::string TextOf(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void PostToFocus(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
}

TEST(AboutBox, OpensWithAltSlashAtTheMainWindowShowsTheVersionAndClosesEachWay) {
    using Input = void (*)(HWND dialog);
    struct Row {
        const char* way;
        bool atButton;
        UINT message;
        WPARAM key;
        std::vector<Input> inputs;  // one each time the box waits; none: it must not open
    };
    const Row rows[] = {
        {"Alt+/, OK", false, WM_SYSCHAR, '/', {[](HWND d) {
             PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
         }}},
        {"Alt+?, Enter", false, WM_SYSCHAR, '?', {[](HWND) { PostToFocus(VK_RETURN); }}},
        {"Help About, Esc", false, WM_COMMAND, IDM_ABOUT, {[](HWND) { PostToFocus(VK_ESCAPE); }}},
        {"Help About, close", false, WM_COMMAND, IDM_ABOUT, {[](HWND d) {
             PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
         }}},
        {"Help About, Tab, Enter",
         false,
         WM_COMMAND,
         IDM_ABOUT,
         {[](HWND) { PostToFocus(VK_TAB); }, [](HWND) { PostToFocus(VK_RETURN); }}},
        {"Alt+/ at a button", true, WM_SYSCHAR, '/', {}},
        {"/ without Alt", false, WM_CHAR, '/', {}},
    };
    DemoInProcess demo(
        "ScriptFileName demo.spt\nButton B\nCoordx 0\nCoordy 0\nWidth 9\nHeight 9\n"
        "Scriptroutine B\nEnd Ini\n");
    ASSERT_TRUE(demo.Start());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.way);
        size_t waits = 0;
        demo.onDialogIdle = [&](HWND dialog, int step) {
            HWND ok = GetDlgItem(dialog, IDOK);
            EXPECT_EQ(GetFocus(), ok) << "OK, the only tab stop, has the focus";
            EXPECT_EQ(
                TextOf(dialog) + "|" + TextOf(GetDlgItem(dialog, IDC_STATIC)) + "|" + TextOf(ok),
                "About Harpix|Harpix 2.11|OK");
            waits = step + 1;
            if (waits <= row.inputs.size()) {
                row.inputs[step](dialog);
            }
        };
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = row.message == WM_SYSCHAR ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(row.atButton ? demo.Child(0) : mainWindow, row.message, row.key, 0);
        demo.Pump();
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(waits, row.inputs.size()) << "opened, then closed by the last input";
    }
}

}  // namespace
