// The main window over fake DirectMusic, from start-up to teardown, and the keyboard at it.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <algorithm>
#include <cstdio>

#include "audio_engine.h"
#include "demo_in_process.h"
#include "demo_state.h"
#include "key_filter.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "object_records.h"
#include "resource.h"
#include "window_geometry.h"

namespace {

const char kDemo[] =
    "Title Demo\nWindowWidth 420\nWindowHeight 320\nScriptFileName demo.spt\nAutoExecRoutine Start"
    "\nButton Play\nCoordx 10\nCoordy 12\nWidth 95\nHeight 23\nScriptroutine PlayMain\n"
    "Button Stop\nCoordx 110\nCoordy 12\nWidth 60\nHeight 25\nScriptroutine StopAll\n"
    "Variable Tempo\nCoordx 10\nCoordy 50\nScriptvariable TempoValue\n"
    "Variable Vol\nCoordx 150\nNotifyRoutine VolChanged\nScriptvariable VolValue\n"
    "TextBox\nTopLeftX 10\nTopLeftY 110\nWidth 200\nHeight 40\nText First line\nSecond\nEndText\n"
    "LyricView\nTopLeftX 10\nTopLeftY 160\nWidth 200\nHeight 25\n";

// Class, styles (less what Windows adds), text, place in the parent's client area, and size.
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
    DemoInProcess demo(std::string(kDemo) + "End Ini\n");
    demo.world.script.variableValue = -42;
    ASSERT_TRUE(demo.Start());
    EXPECT_EQ(Describe(mainWindow), "HARPIX 10ca0000 0 'Demo' 201,149 420x320");  // 1024 x 768
    // A label is 6 pixels a character, ends where its box begins and is 3 pixels lower.
    const std::pair<int, const char*> controls[] = {
        {0, "Button 50000001 0 'Play' 10,12 95x23"},
        {1, "Button 50000001 0 'Stop' 110,12 60x25"},
        {50, "Edit 50412004 20000 '-42' 30,50 30x20"},
        {75, "Static 50000000 0 'Tempo' 0,53 30x20"},
        {51, "Edit 50412004 20000 '-42' 150,20 30x20"},
        {76, "Static 50000000 0 'Vol' 132,23 18x20"},
        {200, "Static 50400001 20000 'First line\nSecond' 10,110 200x40"},
        {550, "Static 50400081 20000 '' 10,160 200x25"},  // SS_NOPREFIX: a lyric's "&" shows
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
    // harpix-check's widths are this font's, for every byte from the space on (code page 1252).
    HDC dc = GetDC(demo.Child(75));
    HGDIOBJ old = SelectObject(dc, controlFont);
    std::string differ;
    for (int c = 0x20; c <= 0xFF; ++c) {
        const char text[] = {static_cast<char>(c), '\0'};
        SIZE size = {};
        if (!GetTextExtentPoint32A(dc, text, 1, &size) || size.cx != EstimatedTextWidth(text)) {
            differ += std::to_string(c) + ":" + std::to_string(size.cx) + " ";
        }
    }
    SelectObject(dc, old);
    ReleaseDC(demo.Child(75), dc);
    EXPECT_EQ(differ, "") << "byte:width where harpix-check gives another width";
    Calls calls = demo.world.log.Take();
    EXPECT_LT(FirstCall(calls, "Script.CallRoutine(Start"),
              FirstCall(calls, "Script.GetVariableNumber(TempoValue"));
    // A click shows the latest lyric but leaves its WM_LYRIC queued: the next lyric posts none.
    for (const wchar_t* lyric : {L"Rock", L"Rock & Roll"}) {
        LyricMessage sung(DMUS_PMSGT_LYRIC, lyric, &demo.world.graph);
        audioEngine->GetLyricTool()->ProcessPMsg(nullptr, sung.Get());
        SendMessageA(mainWindow, WM_COMMAND, 0, 0);
    }
    MSG queued;
    EXPECT_TRUE(PeekMessageA(&queued, mainWindow, WM_LYRIC, WM_LYRIC, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&queued, mainWindow, WM_LYRIC, WM_LYRIC, PM_REMOVE)) << "a second";
    EXPECT_EQ(TextOf(demo.Child(kLyricViewId)), "Rock & Roll");

    HFONT font = controlFont;
    // A lyric served while the engine goes must find nothing to write into.
    demo.world.performance.onStop = [] { SendMessageA(mainWindow, WM_LYRIC, 0, 0); };
    SendMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
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

TEST(StartUp, WhenTheDemoCannotStartSaysWhyAfterTheReaderAndEndsWithCode0) {
    const std::tuple<const char*, HRESULT, const char*> rows[] = {
        {"Performance.InitAudio", E_FAIL,
         "Script Load Error [main window, stop]: Harpix could not initialize. This could be due "
         "to a missing audiopath file, lack of audio drivers, lack of audio service, a problem "
         "with DSound, or a problem with DMusic. Harpix is exiting."},
        {"Script.Init", DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR,
         "Script Load Error [main window, stop]: The script could not load properly.  Harpix is "
         "exiting."},
    };
    for (const auto& [failing, result, message] : rows) {
        DemoInProcess demo(kDemo);  // without End Ini: the reader says so first
        demo.world.log.Fail(failing, result);
        EXPECT_FALSE(demo.Start()) << failing;
        EXPECT_EQ(demo.boxes, Calls({"Harpix [none, stop]: Unexpected end of file in Harpix.ini.\n"
                                     "One or more items are incomplete or incorrect.\n"
                                     "You may see this message multiple times.",
                                     message}));
        demo.Pump();
        EXPECT_EQ(demo.quitCode, 0);
        EXPECT_FALSE(IsWindow(mainWindow) || audioEngine || activeScript);
        demo.world.ExpectNoReferencesLeft();
    }
}

// Buttons run Click<n>; boxes set Value<n>, the first with NotifyRoutine Changed for Coordy.
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

TEST(StartUp, LooksForTheScriptInTheDeepestCurrentFolderThatFitsAndRefusesOneDeeper) {
    char temp[MAX_PATH] = {};
    const std::string base(temp, GetTempPathA(sizeof temp, temp));  // ends in a backslash
    for (const size_t length : {246u, 247u}) {  // with "\RuntimeFiles", 259 and 260 characters
        DemoInProcess demo(Demo(0, 0));
        const std::string folder = base + std::string(length - base.size(), 'd');
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());  // start-up enters the program's own folder
        const bool started = CreateWindowExA(0, windowClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                             100, nullptr, nullptr, nullptr, nullptr) != nullptr;
        SetCurrentDirectoryA(base.c_str());
        RemoveDirectoryA(folder.c_str());
        const Calls calls = demo.world.log.Take();
        EXPECT_EQ(started, length == 246) << length;
        EXPECT_EQ(FirstCall(calls, (folder + "\\RuntimeFiles, 0)").c_str()) < calls.size(),
                  started);
        EXPECT_EQ(demo.boxes, started ? std::vector<std::string>{}
                                      : std::vector<std::string>{
                                            "Script Load Error [main window, stop]: The script "
                                            "could not load properly.  Harpix is exiting."});
    }
}

// The control with the focus (-1: none), and for an edit box its selection: "50 0-2".
std::string Focused() {
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != mainWindow) {
        return "-1";
    }
    std::string seen = std::to_string(GetDlgCtrlID(focus));
    DWORD start = 0, end = 0;
    if (GetDlgCtrlID(focus) >= kEditIdBase) {
        SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        seen += " " + std::to_string(start) + "-" + std::to_string(end);
    }
    return seen;
}

TEST(KeyFilter, EnterCommitsEveryBoxInTableOrderAndAClickFirstTheBoxItLeaves) {
    DemoInProcess demo(Demo(1, 3));
    demo.world.script.variableValue = -1;  // short: a full box takes no more
    ASSERT_TRUE(demo.Start());
    HWND edit = demo.Child(kEditIdBase);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    SetWindowTextA(demo.Child(kEditIdBase + 1), "");
    demo.world.log.Take();
    PostMessageA(edit, WM_KEYDOWN, '3', MapVirtualKeyA('3', 0) << 16 | 1);
    demo.Pump();
    EXPECT_EQ(TextOf(edit), "-13") << "other keys pass the filter";
    // Swallowed: a message no window handles, so that no character is made of the key.
    MSG enter = {edit, WM_KEYDOWN, VK_RETURN, 0x001C0001, 1234, {5, 6}};
    FilterKeys(enter);
    EXPECT_EQ(std::make_tuple(enter.hwnd, enter.message, enter.wParam, enter.lParam, enter.pt.y),
              std::make_tuple(edit, 0x01CAu, WPARAM(0), LPARAM(0), 6L));
    EXPECT_EQ(Focused(), "50 0-3") << "the box being edited is selected again";
    SendMessageA(demo.Child(0), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(demo.Child(0), WM_LBUTTONUP, 0, 0);  // a click, the focus taken on the press
    EXPECT_EQ(
        demo.world.log.Take(),
        Calls({"Script.SetVariableNumber(Value0, -13, null)", "Script.CallRoutine(Changed, null)",
               "Script.SetVariableNumber(Value1, 0, null)",
               "Script.SetVariableNumber(Value2, -1, null)",
               "Script.SetVariableNumber(Value0, -13, null)", "Script.CallRoutine(Changed, null)",
               "Script.CallRoutine(Click0, null)"}));
}

TEST(KeyFilter, TabMovesOnFromTheClickedOrFirstButtonThroughTheButtonsThenTheBoxesSelectingEach) {
    const std::tuple<int, int, int, std::vector<std::string>> rows[] = {
        // buttons, variables, the button clicked first (-1: none), then the focus after each Tab
        {2, 2, -1, {"1", "50 0-2", "51 0-2", "0", "1"}},
        {3, 0, -1, {"1", "2", "2"}},
        {1, 0, -1, {"0"}},
        {0, 3, -1, {"51 0-2", "52 0-2", "52 0-2"}},
        {0, 0, -1, {"-1"}},
        {3, 1, 1, {"2", "50 0-2", "0"}},
        {3, 1, 2, {"50 0-2", "0"}},
    };
    for (const auto& [buttons, variables, clicked, expected] : rows) {
        DemoInProcess demo(Demo(buttons, variables));
        demo.world.script.variableValue = 42;
        ASSERT_TRUE(demo.Start());
        if (clicked >= 0) {
            SendMessageA(demo.Child(clicked), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(demo.Child(clicked), WM_LBUTTONUP, 0, 0);
        }
        std::vector<std::string> seen;
        for (size_t i = 0; i < expected.size(); ++i) {
            MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
            FilterKeys(tab);
            EXPECT_EQ(tab.message, 0x01CAu) << "swallowed";
            seen.push_back(Focused());
        }
        EXPECT_EQ(seen, expected) << buttons << " buttons, " << variables << " variables, "
                                  << clicked << " clicked";
        if (variables == 3) {  // the text selected, a digit typed replaces it
            PostMessageA(GetFocus(), WM_KEYDOWN, '7', MapVirtualKeyA('7', 0) << 16 | 1);
            demo.Pump();
            EXPECT_EQ(TextOf(GetFocus()), "7");
        }
    }
}

TEST(AboutBox, OpensWithAltSlashAtTheMainWindowShowsTheVersionAndClosesEachWay) {
    DemoInProcess demo("WindowWidth 1625\nWindowHeight 1070\n" + Demo(1, 0));
    ASSERT_TRUE(demo.Start());
    RECT r = {};
    GetWindowRect(mainWindow, &r);  // larger than the screen: (1024 - 1625) / 3, toward zero
    EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(-200L, -100L));
    // The message, its target and key; the inputs then, to OK (SC_CLOSE to the box); none: no box.
    const std::tuple<UINT, HWND, WPARAM, std::vector<std::pair<UINT, WPARAM>>> rows[] = {
        {WM_SYSCHAR, mainWindow, '/', {{BM_CLICK, 0}}},
        {WM_SYSCHAR, mainWindow, '?', {{WM_KEYDOWN, VK_RETURN}}},
        {WM_COMMAND, mainWindow, IDM_ABOUT, {{WM_KEYDOWN, VK_TAB}, {WM_KEYDOWN, VK_ESCAPE}}},
        {WM_COMMAND, mainWindow, IDM_ABOUT, {{WM_SYSCOMMAND, SC_CLOSE}}},
        {WM_SYSCHAR, demo.Child(0), '/', {}},
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
