// The demo window over fake DirectMusic: the order of its creation, what each failure leaves,
// the controls it makes, commands and lyrics, and its teardown.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <algorithm>

#include "demo_harness.h"
#include "demo_settings.h"
#include "demo_state.h"
#include "demo_window.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "object_records.h"
#include "shell_state.h"

namespace {

const char kDemo[] =
    "Title Demo\nWindowWidth 420\nWindowHeight 320\nScriptFileName demo.spt\n"
    "AutoExecRoutine Start\n"
    "Button Play\nCoordx 10\nCoordy 12\nWidth 95\nHeight 23\nScriptroutine PlayMain\n"
    "Button Stop\nCoordx 110\nCoordy 12\nWidth 60\nHeight 25\nScriptroutine StopAll\n"
    "Variable Tempo\nCoordx 10\nCoordy 50\nScriptvariable TempoValue\n"
    "Variable Vol\nCoordx 150\nNotifyRoutine VolChanged\nScriptvariable VolValue\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText First line\nSecond\nEndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n"
    "End Ini\n";

std::string TextOf(HWND control) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

RECT ClientRect(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Sends a lyric through the tool in the fake graph, as DirectMusic delivers one.
HRESULT DeliverLyric(DemoWindowRun& run, const wchar_t* text) {
    if (run.world.graph.tools.empty()) {
        ADD_FAILURE() << "no tool in the graph";
        return E_FAIL;
    }
    LyricMessage lyric(DMUS_PMSGT_LYRIC, text, &run.world.graph);
    return run.world.graph.tools[0]->ProcessPMsg(&run.world.performance, lyric.Get());
}

TEST(DemoWindowCreation, RunsItsStepsInOrder) {
    DemoWindowRun run(kDemo);
    ASSERT_NE(run.Create(), nullptr);
    const Calls calls = run.world.log.Take();
    EXPECT_TRUE(
        InOrder(calls, {
                           "Create.Loader",
                           "Create.Performance",
                           "Performance.InitAudio",
                           "Loader.CollectGarbage()",
                           "Loader.SetSearchDirectory",
                           "Loader.ScanDirectory",
                           "Graph.InsertTool",
                           "Loader.LoadObjectFromFile(Script, IDirectMusicScript, demo.spt)",
                           "Script.Init(Performance",
                           "Script.CallRoutine(Start",
                           "Window.button(0)",
                           "Window.button(1)",
                           "Window.edit(50)",
                           "Script.GetVariableNumber(TempoValue",
                           "Window.static(75)",
                           "Window.edit(51)",
                           "Script.GetVariableNumber(VolValue",
                           "Window.static(76)",
                           "Window.static(200)",
                           "Window.static(550)",
                       }));
    // The loader looks for the script in the RuntimeFiles folder of the current directory.
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    EXPECT_EQ(Positions(calls, std::string(directory) + "\\RuntimeFiles").size(), 1u);
    EXPECT_TRUE(run.boxes.Boxes().empty());
}

TEST(DemoWindowCreation, StopsWithItsMessageWhenTheMusicOrTheScriptCannotStart) {
    struct Row {
        const char* failing;
        HRESULT result;
        const char* message;
    };
    const Row rows[] = {
        {"Create.Loader", REGDB_E_CLASSNOTREG, kInitializeFailedMessage},
        {"Performance.InitAudio", E_FAIL, kInitializeFailedMessage},
        {"Loader.LoadObjectFromFile", DMUS_E_LOADER_FAILEDOPEN, kScriptLoadFailedMessage},
        {"Script.Init", DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR, kScriptLoadFailedMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.failing);
        DemoWindowRun run(kDemo);
        run.world.log.Fail(row.failing, row.result);
        EXPECT_EQ(run.Create(), nullptr) << "the window should destroy itself";
        const Calls calls = run.world.log.Take();
        EXPECT_TRUE(Positions(calls, "Window.").empty()) << "no control is made";
        EXPECT_TRUE(Positions(calls, "Script.CallRoutine").empty()) << "no routine runs";
        int exitCode = -1;
        EXPECT_TRUE(run.QuitPosted(&exitCode));
        EXPECT_EQ(exitCode, 0);
        const auto boxes = run.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Script Load Error");
        EXPECT_EQ(boxes[0].text, row.message);
        EXPECT_EQ(boxes[0].owner, run.CreatedWindow()) << "owned by the main window";
        EXPECT_EQ(boxes[0].iconStyle, static_cast<UINT>(MB_ICONHAND));
        EXPECT_EQ(audioEngine, nullptr);
        EXPECT_EQ(activeScript, nullptr);
        run.world.ExpectNoReferencesLeft();
    }
}

TEST(DemoWindowCreation, WithAWorkingDirectoryTooLongRefusesToLoadTheScript) {
    // A real folder too deep for the search folder to fit DirectMusic's 260-character buffers.
    char start[MAX_PATH];
    GetCurrentDirectoryA(sizeof start, start);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string deep = std::string(temp) + "harpix-deep";
    CreateDirectoryA(deep.c_str(), nullptr);
    std::vector<std::string> made = {deep};
    // 250 characters: a folder Windows can enter, with no room left for "\\RuntimeFiles".
    while (deep.size() < 250) {
        deep += "\\" + std::string(std::min<size_t>(40, 250 - deep.size() - 1), 'd');
        CreateDirectoryA(deep.c_str(), nullptr);
        made.push_back(deep);
    }
    ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str())) << "cannot enter a long folder here";
    {
        DemoWindowRun run(kDemo);
        EXPECT_EQ(run.Create(), nullptr);
        const Calls calls = run.world.log.Take();
        EXPECT_TRUE(Positions(calls, "SetSearchDirectory").empty()) << "the folder is refused";
        EXPECT_TRUE(Positions(calls, "LoadObjectFromFile").empty()) << "nothing is loaded";
        const auto boxes = run.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kScriptLoadFailedMessage);
    }
    SetCurrentDirectoryA(start);
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
        RemoveDirectoryA(folder->c_str());
    }
}

TEST(DemoWindowControls, AreMadeAsDescribed) {
    DemoWindowRun run(kDemo);
    run.world.script.variableValue = -42;
    ASSERT_NE(run.Create(), nullptr);
    struct Row {
        int id;
        const char* className;
        DWORD style;
        DWORD exStyle;
        const char* text;
        RECT rect;
    };
    const DWORD edgeFrame = WS_EX_STATICEDGE;
    const Row rows[] = {
        {0, "Button", 0x50000001, 0, "Play", {10, 12, 105, 35}},
        {1, "Button", 0x50000001, 0, "Stop", {110, 12, 170, 37}},
        {50, "Edit", 0x50412004, edgeFrame, "-42", {30, 50, 60, 70}},
        {75, "Static", 0x50000000, 0, "Tempo", {0, 53, 30, 73}},
        {51, "Edit", 0x50412004, edgeFrame, "-42", {150, 20, 180, 40}},
        {76, "Static", 0x50000000, 0, "Vol", {132, 23, 150, 43}},
        {200, "Static", 0x50400001, edgeFrame, "First line\nSecond", {10, 110, 210, 150}},
        {550, "Static", 0x50400001, edgeFrame, "", {10, 160, 210, 185}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        HWND control = run.Child(row.id);
        ASSERT_NE(control, nullptr);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STREQ(className, row.className);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), row.style)
            << std::hex << GetWindowLongA(control, GWL_STYLE);
        // Windows may add the window-edge bit to a framed control of its own accord.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE,
                  row.exStyle)
            << std::hex << GetWindowLongA(control, GWL_EXSTYLE);
        EXPECT_EQ(TextOf(control), row.text);
        RECT rect = ClientRect(control);
        EXPECT_EQ(rect.left, row.rect.left);
        EXPECT_EQ(rect.top, row.rect.top);
        EXPECT_EQ(rect.right, row.rect.right);
        EXPECT_EQ(rect.bottom, row.rect.bottom);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), controlFont);
    }
    LOGFONTA font = {};
    ASSERT_NE(GetObjectA(controlFont, sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, 15);
    EXPECT_EQ(font.lfWidth, 5);
    EXPECT_EQ(font.lfWeight, 500);
    EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
}

TEST(DemoWindowControls, TakeTheInitialFocusFromTheFirstButtonOrEditBox) {
    struct Row {
        const char* description;
        int focusedId;  // -1: no control of the window has the focus
        int cursor;
    };
    const std::string script = "ScriptFileName demo.spt\n";
    const Row rows[] = {
        {"Button A\nCoordx 1\nCoordy 1\nWidth 9\nHeight 9\nScriptroutine A\n"
         "Variable V\nCoordx 90\nCoordy 1\nScriptvariable V\nEnd Ini\n",
         0, 0},
        {"Variable V\nCoordx 90\nCoordy 1\nScriptvariable V\nEnd Ini\n", 50, 50},
        {"TextBox\nTopLeftX 1\nTopLeftY 1\nWidth 9\nHeight 9\nText T\nEndText\nEnd Ini\n", -1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        DemoWindowRun run(script + row.description);
        ASSERT_NE(run.Create(), nullptr);
        HWND focus = GetFocus();
        if (row.focusedId < 0) {
            EXPECT_TRUE(focus == nullptr || GetParent(focus) != run.Window());
        } else {
            EXPECT_EQ(focus, run.Child(row.focusedId));
        }
        EXPECT_EQ(focusCursor, row.cursor);
    }
}

TEST(DemoWindowCommands, ClickWhileAnEditBoxHasTheFocusCommitsItFirst) {
    DemoWindowRun run(kDemo);
    ASSERT_NE(run.Create(), nullptr);
    HWND vol = run.Child(51);
    SetFocus(vol);
    EXPECT_EQ(activeEditId, 51);
    EXPECT_EQ(focusCursor, 51);
    SendMessageA(vol, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12"));
    run.world.log.Take();

    // A click: the button takes the focus on the press and reports the click on the release.
    HWND stop = run.Child(1);
    SendMessageA(stop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(stop, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    run.Pump();
    const Calls calls = run.world.log.Take();
    EXPECT_TRUE(InOrder(calls, {"Script.SetVariableNumber(VolValue, 12",
                                "Script.CallRoutine(VolChanged", "Script.CallRoutine(StopAll"}));
    EXPECT_EQ(Positions(calls, "Script.").size(), 3u);
    EXPECT_EQ(activeEditId, 0);
    EXPECT_EQ(focusCursor, 1);

    // An empty box commits 0; a box without a notify routine runs none.
    HWND tempo = run.Child(50);
    SetFocus(tempo);
    SendMessageA(tempo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SetFocus(run.Child(0));
    const Calls leaving = run.world.log.Take();
    EXPECT_TRUE(InOrder(leaving, {"Script.SetVariableNumber(TempoValue, 0"}));
    EXPECT_EQ(Positions(leaving, "Script.CallRoutine").size(), 0u);
}

TEST(DemoWindowLyrics, ShowTheLatestLyricAndRefreshAfterCommands) {
    DemoWindowRun run(kDemo);
    ASSERT_NE(run.Create(), nullptr);
    EXPECT_EQ(DeliverLyric(run, L"Hello there"), DMUS_S_REQUEUE);
    EXPECT_EQ(TextOf(run.Child(550)), "Hello there");
    EXPECT_EQ(DeliverLyric(run, L"Caf\u00e9 again"), DMUS_S_REQUEUE);
    EXPECT_EQ(TextOf(run.Child(550)), "Caf\xe9 again");

    // A command refreshes the view from the tool's text even without a new WM_LYRIC.
    SetWindowTextA(run.Child(550), "stale");
    SendMessageA(run.Window(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(run.Child(550)), "Caf\xe9 again");
}

TEST(DemoWindowLyrics, WithoutALyricViewAreIgnored) {
    DemoWindowRun run(
        "ScriptFileName demo.spt\nButton A\nCoordx 1\nCoordy 1\nWidth 9\nHeight 9\n"
        "Scriptroutine A\nEnd Ini\n");
    ASSERT_NE(run.Create(), nullptr);
    EXPECT_EQ(DeliverLyric(run, L"Nobody sees this"), DMUS_S_REQUEUE);
    EXPECT_EQ(SendMessageA(run.Window(), WM_LYRIC, 0, 0), 0);
    EXPECT_EQ(run.Child(550), nullptr);
}

TEST(DemoWindowTeardown, FreesTheRecordsTheScriptThenTheEngineAndEndsTheLoop) {
    DemoWindowRun run(kDemo);
    ASSERT_NE(run.Create(), nullptr);
    HFONT font = controlFont;
    run.world.log.Take();
    // A lyric served while the engine goes must find nothing to write into.
    run.world.performance.onStop = [&] { SendMessageA(run.CreatedWindow(), WM_LYRIC, 0, 0); };

    SendMessageA(run.Window(), WM_COMMAND, 105, 0);
    EXPECT_FALSE(IsWindow(run.CreatedWindow()));
    const Calls calls = run.world.log.Take();
    EXPECT_TRUE(InOrder(
        calls, {"Loader.ReleaseObjectByUnknown(Script)", "Script.Release",
                "Loader.CollectGarbage()", "Loader.Release", "Performance.Stop(null, null, 0, 0)",
                "Performance.CloseDown()", "Graph.Release", "Performance.Release"}));
    EXPECT_EQ(buttonCount, 0);
    EXPECT_EQ(variableCount, 0);
    EXPECT_EQ(hasLyricView, 0);
    EXPECT_EQ(GetObjectType(font), 0u) << "the font is deleted";
    EXPECT_EQ(audioEngine, nullptr);
    EXPECT_EQ(activeScript, nullptr);
    int exitCode = -1;
    EXPECT_TRUE(run.QuitPosted(&exitCode));
    EXPECT_EQ(exitCode, 0);
    run.world.ExpectNoReferencesLeft();
}

}  // namespace
