// Enter and Tab through the program's key filter: committing every variable, the focus ring, and
// the swallowed key that makes no character.
#include <gtest/gtest.h>

#include "demo_harness.h"
#include "demo_state.h"
#include "key_filter.h"
#include "object_records.h"

namespace {

std::string Buttons(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        text += "Button B" + n + "\nCoordx " + std::to_string(10 + 60 * i) +
                "\nCoordy 10\nWidth 50\nHeight 20\nScriptroutine Click" + n + "\n";
    }
    return text;
}

std::string Variables(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        text += "Variable V" + n + "\nCoordx 100\nCoordy " + std::to_string(50 + 30 * i) +
                "\nScriptvariable Value" + n + "\n";
    }
    return text;
}

MSG KeyDown(HWND target, WPARAM key) {
    MSG message = {};
    message.hwnd = target;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 0x001C0001;
    message.time = 1234;
    return message;
}

// The id of the control with the focus, -1 when it is none of the window's.
int FocusedId(const DemoWindowRun& run) {
    HWND focus = GetFocus();
    return focus != nullptr && GetParent(focus) == run.Window() ? GetDlgCtrlID(focus) : -1;
}

TEST(KeyFilter, EnterCommitsEveryVariableInOrderWithItsNotifyRoutine) {
    DemoWindowRun run("ScriptFileName demo.spt\n" + Buttons(1) +
                      "Variable A\nCoordx 100\nCoordy 50\nScriptvariable First\n"
                      "Variable B\nCoordx 100\nNotifyRoutine SecondChanged\nScriptvariable Second\n"
                      "Variable C\nNotifyRoutine ThirdChanged\nCoordx 100\nScriptvariable Third\n"
                      "End Ini\n");
    ASSERT_NE(run.Create(), nullptr);
    SetWindowTextA(run.Child(50), "12");
    SetWindowTextA(run.Child(51), "");
    SetWindowTextA(run.Child(52), "-7");
    run.world.log.Take();

    // With the focus on a button: the button is not pressed.
    MSG enter = KeyDown(run.Child(0), VK_RETURN);
    FilterKeys(enter);
    EXPECT_EQ(run.world.log.Take(), Calls({"Script.SetVariableNumber(First, 12, null)",
                                           "Script.SetVariableNumber(Second, 0, null)",
                                           "Script.CallRoutine(SecondChanged, null)",
                                           "Script.SetVariableNumber(Third, -7, null)",
                                           "Script.CallRoutine(ThirdChanged, null)"}));
    // Swallowed: another message number, no parameters, the rest as it was.
    EXPECT_EQ(enter.message, kSwallowedKeyMessage);
    EXPECT_EQ(enter.wParam, 0u);
    EXPECT_EQ(enter.lParam, 0);
    EXPECT_EQ(enter.hwnd, run.Child(0));
    EXPECT_EQ(enter.time, 1234u);

    // Other keys and key releases pass untouched.
    MSG release = KeyDown(run.Child(0), VK_RETURN);
    release.message = WM_KEYUP;
    MSG letter = KeyDown(run.Child(0), 'A');
    FilterKeys(release);
    FilterKeys(letter);
    EXPECT_EQ(release.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(letter.wParam, static_cast<WPARAM>('A'));
    EXPECT_TRUE(run.world.log.Take().empty());
}

TEST(KeyFilter, EnterInAnEditBoxSelectsItsTextAndTypesNothing) {
    DemoWindowRun run("ScriptFileName demo.spt\n" + Variables(1) + "End Ini\n");
    ASSERT_NE(run.Create(), nullptr);
    HWND edit = run.Child(50);
    SetWindowTextA(edit, "345");
    SendMessageA(edit, EM_SETSEL, 3, 3);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    run.Pump();
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "345") << "no line break or character reached the box";
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST(KeyFilter, TabMovesAroundTheRingOfButtonsThenEditBoxes) {
    struct Row {
        const char* name;
        int buttons;
        int variables;
        std::vector<int> focusAfterEachTab;  // -1: none of the window's controls
    };
    const Row rows[] = {
        {"buttons and variables", 2, 2, {1, 50, 51, 0, 1}},
        {"buttons only, the last one stays", 3, 0, {1, 2, 2}},
        {"one button stays", 1, 0, {0, 0}},
        {"variables only, the last one stays", 0, 3, {51, 52, 52}},
        {"nothing to move through", 0, 0, {-1, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DemoWindowRun run("ScriptFileName demo.spt\n" + Buttons(row.buttons) +
                          Variables(row.variables) + "TextBox\nText T\nEndText\nEnd Ini\n");
        ASSERT_NE(run.Create(), nullptr);
        std::vector<int> seen;
        for (size_t i = 0; i < row.focusAfterEachTab.size(); ++i) {
            MSG tab = KeyDown(GetFocus(), VK_TAB);
            FilterKeys(tab);
            EXPECT_EQ(tab.message, kSwallowedKeyMessage);
            seen.push_back(FocusedId(run));
        }
        EXPECT_EQ(seen, row.focusAfterEachTab);
        if (seen.back() >= 0) {
            EXPECT_EQ(focusCursor, seen.back());
        }
    }
}

TEST(KeyFilter, TabIntoAnEditBoxSelectsItsText) {
    DemoWindowRun run("ScriptFileName demo.spt\n" + Buttons(1) + Variables(2) + "End Ini\n");
    run.world.script.variableValue = 56;
    ASSERT_NE(run.Create(), nullptr);
    for (int expected : {50, 51}) {
        MSG tab = KeyDown(GetFocus(), VK_TAB);
        FilterKeys(tab);
        HWND edit = run.Child(expected);
        EXPECT_EQ(GetFocus(), edit);
        DWORD start = 9, end = 9;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u) << expected;
        EXPECT_EQ(end, 2u) << expected;
    }
    // Leaving the first box for the second committed it.
    EXPECT_FALSE(Positions(run.world.log.Take(), "Script.SetVariableNumber(Value0, 56").empty());
}

TEST(KeyFilter, DoesNothingOnceTheWindowIsGone) {
    DemoWindowRun run("ScriptFileName demo.spt\n" + Buttons(2) + Variables(2) + "End Ini\n");
    ASSERT_NE(run.Create(), nullptr);
    SetFocus(run.Child(51));
    DestroyWindow(run.Window());
    run.world.log.Take();
    MSG enter = KeyDown(nullptr, VK_RETURN);
    MSG tab = KeyDown(nullptr, VK_TAB);
    FilterKeys(enter);
    FilterKeys(tab);
    EXPECT_TRUE(run.world.log.Take().empty());
    EXPECT_EQ(enter.message, kSwallowedKeyMessage);
}

}  // namespace
