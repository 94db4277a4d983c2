// The main window as start-up makes it, its place and controls, and its teardown; the messages
// when the demo cannot start.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <algorithm>
#include <cstdio>

#include "demo_in_process.h"
#include "demo_state.h"
#include "lyric_tool.h"
#include "object_records.h"

namespace {

const char kDemo[] =
    "Title Demo\nWindowWidth 420\nWindowHeight 320\nScriptFileName demo.spt\n"
    "AutoExecRoutine Start\n"
    "Button Play\nCoordx 10\nCoordy 12\nWidth 95\nHeight 23\nScriptroutine PlayMain\n"
    "Button Stop\nCoordx 110\nCoordy 12\nWidth 60\nHeight 25\nScriptroutine StopAll\n"
    "Variable Tempo\nCoordx 10\nCoordy 50\nScriptvariable TempoValue\n"
    "Variable Vol\nCoordx 150\nNotifyRoutine VolChanged\nScriptvariable VolValue\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText First line\nSecond\nEndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n";

// Class, styles, text, place in the parent's client area (the screen's for the main window) and
// size; without the style bits Windows adds of its own accord.
std::string Describe(HWND window) {
    char name[16] = {}, line[160];
    GetClassNameA(window, name, sizeof name);
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    std::snprintf(line, sizeof line, "%s %lx %lx '%s' %ld,%ld %ldx%ld", name,
                  GetWindowLongA(window, GWL_STYLE) & ~WS_CLIPSIBLINGS,
                  GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, TextOf(window).c_str(),
                  r.left, r.top, r.right - r.left, r.bottom - r.top);
    return line;
}

size_t FirstCall(const Calls& calls, const char* part) {  // calls.size() for none
    auto has = [&](const std::string& call) { return call.find(part) != std::string::npos; };
    return std::find_if(calls.begin(), calls.end(), has) - calls.begin();
}

TEST(DemoWindow, IsMadeAsDescribedAfterTheStartUpRoutineAndTornDownInOrderOnExit) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN) * 1000 + GetSystemMetrics(SM_CYSCREEN), 1024768)
        << "the test display is 1024 x 768";
    DemoInProcess demo(std::string(kDemo) + "End Ini\n");
    demo.world.script.variableValue = -42;
    ASSERT_TRUE(demo.Start());
    EXPECT_EQ(Describe(mainWindow), "HARPIX 10ca0000 0 'Demo' 201,149 420x320");
    // A label is 6 pixels a character, ends where its box begins and is 3 pixels lower.
    const std::pair<int, const char*> controls[] = {
        {0, "Button 50000001 0 'Play' 10,12 95x23"},
        {1, "Button 50000001 0 'Stop' 110,12 60x25"},
        {50, "Edit 50412004 20000 '-42' 30,50 30x20"},
        {75, "Static 50000000 0 'Tempo' 0,53 30x20"},
        {51, "Edit 50412004 20000 '-42' 150,20 30x20"},
        {76, "Static 50000000 0 'Vol' 132,23 18x20"},
        {200, "Static 50400001 20000 'First line\nSecond' 10,110 200x40"},
        {550, "Static 50400001 20000 '' 10,160 200x25"},
    };
    for (const auto& [id, expected] : controls) {
        EXPECT_EQ(Describe(demo.Child(id)), expected) << id;
        EXPECT_EQ(SendMessageA(demo.Child(id), WM_GETFONT, 0, 0), LRESULT(controlFont)) << id;
    }
    LOGFONTA f = {};
    GetObjectA(controlFont, sizeof f, &f);
    EXPECT_EQ(std::make_tuple(f.lfHeight, f.lfWidth, f.lfWeight, f.lfPitchAndFamily,
                              std::string(f.lfFaceName)),
              std::make_tuple(15L, 5L, 500L, BYTE(VARIABLE_PITCH | FF_SWISS), "MS Sans Serif"));
    Calls calls = demo.world.log.Take();
    EXPECT_LT(FirstCall(calls, "Script.CallRoutine(Start"),
              FirstCall(calls, "Script.GetVariableNumber(TempoValue"));

    HFONT font = controlFont;
    // A lyric served while the engine goes must find nothing to write into.
    demo.world.performance.onStop = [] { SendMessageA(mainWindow, WM_LYRIC, 0, 0); };
    SendMessageA(mainWindow, WM_COMMAND, 105, 0);  // File, Exit
    demo.Pump();
    calls = demo.world.log.Take();
    EXPECT_LT(FirstCall(calls, "Script.Release"), FirstCall(calls, "Performance.CloseDown"));
    // Emptied, so that a key still queued finds no record.
    EXPECT_EQ(buttonCount + variableCount + textBoxCount + hasLyricView, 0);
    EXPECT_EQ(GetObjectType(font), 0u) << "the font is deleted";
    EXPECT_FALSE(IsWindow(mainWindow) || audioEngine || activeScript);
    EXPECT_EQ(demo.quitCode, 0);
    demo.world.ExpectNoReferencesLeft();
}

TEST(MainWindow, LargerThanTheScreenStartsAboveAndLeftOfIt) {
    DemoInProcess demo("WindowWidth 1625\nWindowHeight 1070\nScriptFileName demo.spt\nEnd Ini\n");
    ASSERT_TRUE(demo.Start());
    RECT r = {};
    GetWindowRect(mainWindow, &r);
    // (1024 - 1625) / 3 and (768 - 1070) / 3, truncated toward zero.
    EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(-200L, -100L));
}

TEST(StartUp, WhenTheDemoCannotStartSaysWhyAfterTheReaderAndEndsWithCode0) {
    const char* initFailed =
        "Script Load Error [main window, stop]: Harpix could not initialize. This could be due to "
        "a missing audiopath file, lack of audio drivers, lack of audio service, a problem with "
        "DSound, or a problem with DMusic. Harpix is exiting.";
    const char* loadFailed =
        "Script Load Error [main window, stop]: The script could not load properly.  Harpix is "
        "exiting.";
    const std::tuple<const char*, HRESULT, const char*> rows[] = {
        {"Create.Loader", REGDB_E_CLASSNOTREG, initFailed},
        {"Performance.InitAudio", E_FAIL, initFailed},
        {"Loader.LoadObjectFromFile", DMUS_E_LOADER_FAILEDOPEN, loadFailed},
        {"Script.Init", DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR, loadFailed},
    };
    for (const auto& [failing, result, message] : rows) {
        DemoInProcess demo(kDemo);  // without End Ini: the reader says so first
        demo.world.log.Fail(failing, result);
        EXPECT_FALSE(demo.Start()) << failing;
        EXPECT_EQ(demo.boxes, std::vector<std::string>(
                                  {"Harpix [none, stop]: Unexpected end of file in Harpix.ini.\n"
                                   "One or more items are incomplete or incorrect.\n"
                                   "You may see this message multiple times.",
                                   message}));
        demo.Pump();
        EXPECT_EQ(demo.quitCode, 0);
        EXPECT_FALSE(IsWindow(mainWindow) || audioEngine || activeScript);
        demo.world.ExpectNoReferencesLeft();
    }
}

}  // namespace
