// The keyboard as the message loop serves it: Enter, Tab and the About box's accelerators; the
// About box itself, and the commit of a box the focus leaves.
#include <gtest/gtest.h>

#include "demo_in_process.h"
#include "resource.h"

namespace {

// Buttons running Click0, Click1, ...; boxes for Value0, Value1, ..., the first with the notify
// routine Changed in place of its Coordy: a variable reads three key lines.
std::string Demo(int buttons, int variables) {
    std::string text = "ScriptFileName demo.spt\n";
    for (int i = 0; i < buttons + variables; ++i) {
        const std::string n = std::to_string(i < buttons ? i : i - buttons);
        text += i < buttons ? "Button B\nCoordx 0\nCoordy 0\nWidth 9\nHeight 9\nScriptroutine Click"
                            : "Variable V\nCoordx 90\n" +
                                  std::string(n == "0" ? "NotifyRoutine Changed" : "Coordy 9") +
                                  "\nScriptvariable Value";
        text += n + "\n";
    }
    return text + "End Ini\n";
}

void Press(DemoInProcess& demo, HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, MapVirtualKeyA(static_cast<UINT>(key), 0) << 16 | 1);
    demo.Pump();
}

int SelectionLength(HWND edit) {
    const LRESULT selection = SendMessageA(edit, EM_GETSEL, 0, 0);
    return HIWORD(selection) - LOWORD(selection);
}

TEST(KeyFilter, EnterCommitsEveryBoxInTableOrderAndAClickFirstTheBoxItLeaves) {
    DemoInProcess demo(Demo(1, 3));
    demo.world.script.variableValue = -1;  // short: a full box takes no more
    ASSERT_TRUE(demo.Start());
    HWND edit = demo.Child(50);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    SetWindowTextA(demo.Child(51), "");
    demo.world.log.Take();
    Press(demo, edit, '3');
    Press(demo, edit, VK_RETURN);
    EXPECT_EQ(TextOf(edit), "-13") << "a digit types, Enter does not";
    EXPECT_EQ(SelectionLength(edit), 3) << "the box being edited is selected";
    // The button takes the focus on the press and reports the click on the release.
    SendMessageA(demo.Child(0), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(demo.Child(0), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(
        demo.world.log.Take(),
        Calls({"Script.SetVariableNumber(Value0, -13, null)", "Script.CallRoutine(Changed, null)",
               "Script.SetVariableNumber(Value1, 0, null)",
               "Script.SetVariableNumber(Value2, -1, null)",
               "Script.SetVariableNumber(Value0, -13, null)", "Script.CallRoutine(Changed, null)",
               "Script.CallRoutine(Click0, null)"}));
}

TEST(KeyFilter, TabMovesOnFromTheFirstButtonOrBoxThroughTheButtonsThenTheBoxes) {
    const std::tuple<int, int, std::vector<int>> rows[] = {
        // buttons, variables, the control with the focus at start and after each Tab (-1: none)
        {2, 2, {0, 1, 50, 51, 0, 1}}, {3, 0, {0, 1, 2, 2}}, {1, 0, {0, 0}},
        {0, 3, {50, 51, 52, 52}},     {0, 0, {-1, -1}},
    };
    for (const auto& [buttons, variables, expected] : rows) {
        DemoInProcess demo(Demo(buttons, variables));
        demo.world.script.variableValue = 56;
        ASSERT_TRUE(demo.Start());
        std::vector<int> seen;
        for (size_t i = 0; i < expected.size(); ++i) {
            HWND focus = GetFocus();
            seen.push_back(focus && GetParent(focus) == mainWindow ? GetDlgCtrlID(focus) : -1);
            EXPECT_TRUE(i == 0 || seen.back() < 50 || SelectionLength(focus) == 2);
            Press(demo, focus, VK_TAB);
        }
        EXPECT_EQ(seen, expected) << buttons << " buttons, " << variables << " variables";
        EXPECT_TRUE(variables == 0 || TextOf(demo.Child(50)) == "56") << "Tab typed nothing";
    }
}

TEST(AboutBox, OpensWithAltSlashAtTheMainWindowShowsTheVersionAndClosesEachWay) {
    using Input = std::pair<UINT, WPARAM>;  // posted to OK, to the box for the close button
    const Input ok{BM_CLICK, 0}, enter{WM_KEYDOWN, VK_RETURN}, tab{WM_KEYDOWN, VK_TAB},
        esc{WM_KEYDOWN, VK_ESCAPE}, close{WM_SYSCOMMAND, SC_CLOSE};
    DemoInProcess demo(Demo(1, 0));
    ASSERT_TRUE(demo.Start());
    // The message, its target and its key; the inputs then, none when no box may open.
    const std::tuple<UINT, HWND, WPARAM, std::vector<Input>> rows[] = {
        {WM_SYSCHAR, mainWindow, '/', {ok}},
        {WM_SYSCHAR, mainWindow, '?', {enter}},
        {WM_COMMAND, mainWindow, IDM_ABOUT, {tab, esc}},
        {WM_COMMAND, mainWindow, IDM_ABOUT, {close}},
        {WM_SYSCHAR, demo.Child(0), '/', {}},
        {WM_CHAR, mainWindow, '/', {}},
    };
    for (const auto& row : rows) {
        const auto& [message, target, key, inputs] = row;
        std::string shown;
        demo.onDialog = [&](HWND dialog) {
            HWND ok = GetDlgItem(dialog, IDOK);
            shown =
                TextOf(dialog) + "|" + TextOf(GetDlgItem(dialog, IDC_STATIC)) + "|" + TextOf(ok);
            for (const auto& [input, code] : std::get<3>(row)) {  // a binding cannot be captured
                PostMessageA(input == WM_SYSCOMMAND ? dialog : ok, input, code, 0);
            }
        };
        // The accelerators look at the keyboard's state, not at the message's.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = message == WM_SYSCHAR ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(target, message, key, 0);
        demo.Pump();
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(shown, inputs.empty() ? "" : "About Harpix|Harpix 2.11|OK") << &row - rows;
    }
}

}  // namespace
