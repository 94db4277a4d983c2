// Enter and Tab as the message loop serves them, and the commit of a box the focus leaves.
#include <gtest/gtest.h>

#include "demo_in_process.h"

namespace {

// Buttons running Click0, Click1, ...; edit boxes for Value0, Value1, ...; the second box has a
// notify routine in place of its Coordy (20), as a variable reads three key lines.
std::string Demo(int buttons, int variables) {
    std::string text = "ScriptFileName demo.spt\n";
    for (int i = 0; i < buttons; ++i) {
        text += "Button B\nCoordx " + std::to_string(60 * i) +
                "\nCoordy 0\nWidth 50\nHeight 20\nScriptroutine Click" + std::to_string(i) + "\n";
    }
    for (int i = 0; i < variables; ++i) {
        text += "Variable V\nCoordx 100\n" +
                (i == 1 ? "NotifyRoutine Changed1" : "Coordy " + std::to_string(50 + 30 * i)) +
                "\nScriptvariable Value" + std::to_string(i) + "\n";
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
    ASSERT_TRUE(demo.Start());
    HWND edit = demo.Child(50);
    SetFocus(edit);
    SetWindowTextA(demo.Child(51), "");
    SetWindowTextA(demo.Child(52), "-7");
    SetWindowTextA(edit, "12");
    SendMessageA(edit, EM_SETSEL, 2, 2);
    demo.world.log.Take();
    Press(demo, edit, '3');
    Press(demo, edit, VK_RETURN);
    EXPECT_EQ(demo.world.log.Take(), Calls({"Script.SetVariableNumber(Value0, 123, null)",
                                            "Script.SetVariableNumber(Value1, 0, null)",
                                            "Script.CallRoutine(Changed1, null)",
                                            "Script.SetVariableNumber(Value2, -7, null)"}));
    EXPECT_EQ(TextOf(edit), "123") << "a digit types, Enter does not";
    EXPECT_EQ(SelectionLength(edit), 3) << "the box being edited is selected";
    // The button takes the focus on the press and reports the click on the release.
    SetFocus(demo.Child(51));
    demo.world.log.Take();
    SendMessageA(demo.Child(0), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(demo.Child(0), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(demo.world.log.Take(),
              Calls({"Script.SetVariableNumber(Value1, 0, null)",
                     "Script.CallRoutine(Changed1, null)", "Script.CallRoutine(Click0, null)"}));
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
        for (int i = 0; i < variables; ++i) {
            EXPECT_EQ(TextOf(demo.Child(50 + i)), "56") << "Tab typed nothing";
        }
    }
}

}  // namespace
