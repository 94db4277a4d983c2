// Enter and Tab as the message loop serves them, and the commit of a box the focus leaves.
#include <gtest/gtest.h>

#include "demo_in_process.h"
#include "demo_state.h"

namespace {

// `buttons` buttons running Click0, Click1, ... and `variables` edit boxes for Value0, ...,
// the second with the notify routine Changed1.
std::string Demo(int buttons, int variables) {
    std::string text = "ScriptFileName demo.spt\n";
    for (int i = 0; i < buttons; ++i) {
        text += "Button B\nCoordx " + std::to_string(60 * i) +
                "\nCoordy 0\nWidth 50\nHeight 20\nScriptroutine Click" + std::to_string(i) + "\n";
    }
    for (int i = 0; i < variables; ++i) {
        // Three key lines: the second box has a notify routine in place of Coordy (20).
        text += "Variable V\nCoordx 100\n" +
                (i == 1 ? "NotifyRoutine Changed1" : "Coordy " + std::to_string(50 + 30 * i)) +
                "\nScriptvariable Value" + std::to_string(i) + "\n";
    }
    return text + "End Ini\n";
}

void Press(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, MapVirtualKeyA(static_cast<UINT>(key), 0) << 16 | 1);
    PostMessageA(target, WM_KEYUP, key, MapVirtualKeyA(static_cast<UINT>(key), 0) << 16 | 1);
}

std::string TextOf(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(KeyFilter, EnterCommitsEveryBoxInTableOrderEachWithItsNotifyRoutineAndTypesNothing) {
    DemoInProcess demo(Demo(1, 3));
    ASSERT_TRUE(demo.Start());
    HWND edit = demo.Child(50);
    SetFocus(edit);
    SetWindowTextA(demo.Child(51), "");
    SetWindowTextA(demo.Child(52), "-7");
    SetWindowTextA(edit, "12");
    SendMessageA(edit, EM_SETSEL, 2, 2);
    demo.world.log.Take();
    Press(edit, '3');
    demo.Pump();  // the digit's character is made before Enter comes
    Press(edit, VK_RETURN);
    demo.Pump();
    EXPECT_EQ(demo.world.log.Take(), Calls({"Script.SetVariableNumber(Value0, 123, null)",
                                            "Script.SetVariableNumber(Value1, 0, null)",
                                            "Script.CallRoutine(Changed1, null)",
                                            "Script.SetVariableNumber(Value2, -7, null)"}));
    EXPECT_EQ(TextOf(edit), "123");
    DWORD start = 9, end = 9;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 3u) << "the box being edited is selected";
}

TEST(KeyFilter, TabMovesOnFromTheFirstButtonOrBoxThroughTheButtonsThenTheBoxes) {
    struct Row {
        int buttons, variables;
        std::vector<int> focus;  // at start, then after each Tab; -1: none of the window's
    };
    const Row rows[] = {
        {2, 2, {0, 1, 50, 51, 0, 1}}, {3, 0, {0, 1, 2, 2}}, {1, 0, {0, 0}},
        {0, 3, {50, 51, 52, 52}},     {0, 0, {-1, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.buttons << " buttons, " << row.variables);
        DemoInProcess demo(Demo(row.buttons, row.variables));
        demo.world.script.variableValue = 56;
        ASSERT_TRUE(demo.Start());
        std::vector<int> seen;
        for (size_t i = 0; i < row.focus.size(); ++i) {
            HWND focus = GetFocus();
            seen.push_back(focus && GetParent(focus) == mainWindow ? GetDlgCtrlID(focus) : -1);
            DWORD start = 9, end = 9;
            SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_TRUE(i == 0 || seen.back() < 50 || end - start == 2u) << "the box's text is selected";
            Press(focus, VK_TAB);
            demo.Pump();
        }
        EXPECT_EQ(seen, row.focus);
        for (int i = 0; i < row.variables; ++i) {
            EXPECT_EQ(TextOf(demo.Child(50 + i)), "56") << "Tab typed nothing";
        }
    }
}

TEST(DemoWindow, ABoxTheFocusLeavesIsCommittedBeforeTheClickedButtonRuns) {
    DemoInProcess demo(Demo(2, 2));
    ASSERT_TRUE(demo.Start());
    SetFocus(demo.Child(51));
    SetWindowTextA(demo.Child(51), "12");
    demo.world.log.Take();
    // The button takes the focus on the press and reports the click on the release.
    SendMessageA(demo.Child(1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(demo.Child(1), WM_LBUTTONUP, 0, 0);
    demo.Pump();
    EXPECT_EQ(demo.world.log.Take(),
              Calls({"Script.SetVariableNumber(Value1, 12, null)",
                     "Script.CallRoutine(Changed1, null)", "Script.CallRoutine(Click1, null)"}));
    EXPECT_EQ(activeEditId, 0);
    EXPECT_EQ(focusCursor, 1);
}

}  // namespace
