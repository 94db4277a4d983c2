// Bad input, as people hand it to Harpix: broken, huge or crafted description files, missing or
// garbled content, awkward names and folders. Each run must show exactly the right message boxes
// in order and then run or end with the right exit code; it never crashes and never hangs.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "demo_run.h"
#include "expected_messages.h"
#include "reader_messages.h"

namespace {

const char kLoadFailed[] = "The script could not load properly.  Harpix is exiting.";
const char kInitializeFailed[] =
    "Harpix could not initialize. This could be due to a missing audiopath file, lack of audio "
    "drivers, lack of audio service, a problem with DSound, or a problem with DMusic. Harpix is "
    "exiting.";

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

std::string Repeat(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += part;
    }
    return text;
}

// After the reader's messages: the window runs, or the demo cannot start and says why.
struct Ending {
    const char* loadMessage;  // null: the main window shows and runs
};
const Ending kRuns = {nullptr};
const Ending kCannotLoad = {kLoadFailed};
const Ending kCannotInitialize = {kInitializeFailed};

// Answers the message boxes of `run` one by one, checking each against what harpix-check says
// the description file makes the reader show, then the ending. Returns the main window when it
// runs (the caller closes it), else null.
HWND ExpectMessagesThen(DemoRun& run, const std::string& descriptionFile, const Ending& ending) {
    std::vector<std::string> expected = CheckerMessages(descriptionFile);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("reader message " + std::to_string(i + 1) + ": " + expected[i]);
        MessageBoxSeen seen = WaitForMessageBox(run.Id());
        if (seen.box == nullptr) {
            ADD_FAILURE() << "no box came";
            return nullptr;
        }
        EXPECT_EQ(seen.caption, "Harpix");
        EXPECT_EQ(seen.text, expected[i]);
        EXPECT_EQ(seen.owner, nullptr);
        EXPECT_TRUE(seen.stopIcon);
        HWND box = seen.box;
        PressButton(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    if (ending.loadMessage != nullptr) {
        MessageBoxSeen seen = WaitForMessageBox(run.Id());
        EXPECT_NE(seen.box, nullptr) << "expected: " << ending.loadMessage;
        if (seen.box != nullptr) {
            EXPECT_EQ(seen.caption, "Script Load Error");
            EXPECT_EQ(seen.text, ending.loadMessage);
            EXPECT_NE(seen.owner, nullptr);
            PressButton(seen.box, IDOK);
        }
        EXPECT_EQ(run.ExitCode(), 0u);
        return nullptr;
    }
    HWND main = run.WaitForMainWindow();
    EXPECT_NE(main, nullptr) << "the window should run";
    MessageBoxSeen extra = WaitForMessageBox(run.Id(), 300);
    EXPECT_EQ(extra.box, nullptr) << "an unexpected box: " << extra.text;
    return main;
}

void CloseAndExpectExitZero(DemoRun& run, HWND main) {
    if (main != nullptr) {
        PostMessageA(main, WM_COMMAND, 105, 0);
        EXPECT_EQ(run.ExitCode(), 0u);
    }
}

TEST(BadInput, BrokenDescriptionFilesShowTheirMessagesThenCarryOn) {
    struct Row {
        const char* name;
        std::string description;
        Ending ending;
    };
    const std::string script = kScriptLine;
    const Row rows[] = {
        {"an empty file", "", kCannotLoad},
        {"only a zero byte", std::string(1, '\0'), kCannotLoad},
        {"only line feeds", std::string(5000, '\n'), kCannotLoad},
        {"line feeds past the limit", std::string(12000, '\n'), kCannotLoad},
        {"10 MB of random bytes", RandomBytes(10 * 1024 * 1024, 2026), kCannotLoad},
        {"a script line, then random bytes", script + RandomBytes(20000, 7), kRuns},
        {"a zero byte after the script line", script + std::string(1, '\0') + "Title never\n",
         kRuns},
        {"values at and past every field size",
         script + "Title " + std::string(48, 't') + "\nTitle " + std::string(60, 'T') +
             "\nAutoExecRoutine " + std::string(49, 'r') + "\nWindowWidth 12345\n" +
             "WindowHeight 99999\nButton " + std::string(49, 'L') +
             "\nCoordx 123456\nCoordy 1\nWidth 50\nHeight 20\nScriptroutine " +
             std::string(60, 's') + "\nVariable " + std::string(48, 'V') +
             "\nCoordx 9999\nCoordy -999\nScriptvariable " + std::string(49, 'v') +
             "\nTextBox\nTopLeftX 1\nTopLeftY 1\nWidth 300\nHeight 300\nText " +
             std::string(1998, 'x') + "\n" + std::string(1999, 'y') + "\nEndText\nEnd Ini\n",
         kRuns},
        {"sections that stop inside", script + "Button A\nCoordx 1\nCoordy", kRuns},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DemoRun run(row.description, false);
        HWND main = ExpectMessagesThen(run, run.folder.Path() + "\\Harpix.ini", row.ending);
        CloseAndExpectExitZero(run, main);
    }
}

TEST(BadInput, EveryMessageOfTheReaderArrivesInOrder) {
    const std::string description =
        std::string(kScriptLine) + "Title " + std::string(60, 't') + "\n" +  // size limit
        "Button B\nCoordx 1\nCoordy 1\nWidth 9\nHeight 9\nWord\n" +          // button
        "Variable V\nCoordx 90\nWord\nWord\n" +                              // variable
        "TextBox\nTopLeftX 1\nWord\nWord\nWord\nWord\n" +                    // text box
        "LyricView\nTopLeftX 1\nTopLeftY 1\nWidth 1\nWord\n" +               // lyric view
        Repeat("filler ", 1500);                                             // too long
    DemoRun run(description, false);
    const std::string file = run.folder.Path() + "\\Harpix.ini";
    const std::vector<std::string> expected = CheckerMessages(file);
    for (const char* kind :
         {kSizeLimitMessage, kButtonIncompleteMessage, kVariableIncompleteMessage,
          kTextBoxIncompleteMessage, kLyricViewIncompleteMessage, kTooLongMessage}) {
        EXPECT_NE(std::find(expected.begin(), expected.end(), kind), expected.end())
            << "this file should also show: " << kind;
    }
    HWND main = ExpectMessagesThen(run, file, kRuns);
    CloseAndExpectExitZero(run, main);

    DemoRun cut(std::string(kScriptLine) + "Title Cut short", false);
    EXPECT_EQ(CheckerMessages(cut.folder.Path() + "\\Harpix.ini"),
              std::vector<std::string>{kUnexpectedEndMessage});
    CloseAndExpectExitZero(cut, ExpectMessagesThen(cut, cut.folder.Path() + "\\Harpix.ini", kRuns));
}

TEST(BadInput, FullTablesAndAHugeTextBoxKeepWhatFits) {
    std::string description = kScriptLine;
    for (int i = 0; i < 60; ++i) {
        description += "Button " + std::to_string(i) + "\nCoordx " + std::to_string(i * 7) +
                       "\nCoordy 1\nWidth 6\nHeight 9\nScriptroutine R\n";
    }
    for (int i = 0; i < 30; ++i) {
        description +=
            "Variable V\nCoordx 20\nCoordy " + std::to_string(30 + i) + "\nScriptvariable S\n";
        description += "TextBox\nTopLeftX 300\nTopLeftY 1\nWidth 9\nHeight 9\nText T\nEndText\n";
    }
    description += "End Ini\n";
    DemoRun run(description, false);
    HWND main = ExpectMessagesThen(run, run.folder.Path() + "\\Harpix.ini", kRuns);
    int children = 0;
    for (HWND c = GetWindow(main, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        ++children;
    }
    EXPECT_EQ(children, 50 + 25 * 2 + 25) << "buttons, edit boxes with labels, text boxes";
    CloseAndExpectExitZero(run, main);

    DemoRun big(std::string(kScriptLine) +
                    "TextBox\nTopLeftX 1\nTopLeftY 1\nWidth 300\nHeight 200\nText " +
                    std::string(5000, 'w') + "\nEndText\nEnd Ini\n",
                false);
    main = ExpectMessagesThen(big, big.folder.Path() + "\\Harpix.ini", kRuns);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(main, 200)).size(), 1999u);
    CloseAndExpectExitZero(big, main);
}

TEST(BadInput, MissingOrGarbledContentSaysWhyAndEnds) {
    struct Row {
        const char* name;
        std::function<void(const DemoFolder&)> prepare;
        std::string description;
        Ending ending;
    };
    const std::string script = kScriptLine;
    const Row rows[] = {
        {"no RuntimeFiles folder",
         [](const DemoFolder& f) {
             f.Remove("RuntimeFiles\\e2e.spt");
             f.Remove("RuntimeFiles");
         },
         script + "End Ini\n", kCannotLoad},
        {"a script that is not there", [](const DemoFolder&) {},
         "ScriptFileName not-there.spt\nEnd Ini\n", kCannotLoad},
        {"a script of random bytes",
         [](const DemoFolder& f) { f.Write("RuntimeFiles\\random.spt", RandomBytes(4096, 3)); },
         "ScriptFileName random.spt\nEnd Ini\n", kCannotLoad},
        {"an audiopath file of random bytes",
         [](const DemoFolder& f) { f.Write("RuntimeFiles\\random.aud", RandomBytes(4096, 4)); },
         script + "AudioPathFileName random.aud\nEnd Ini\n", kCannotInitialize},
        {"an audiopath name too long for its path", [](const DemoFolder&) {},
         script + "AudioPathFileName " + std::string(90, 'a') + "\nEnd Ini\n", kCannotInitialize},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DemoRun run;
        run.folder.Write("Harpix.ini", row.description);
        row.prepare(run.folder);
        run.StartWith("\"" + run.folder.ExePath() + "\"", run.folder.Path());
        ExpectMessagesThen(run, run.folder.Path() + "\\Harpix.ini", row.ending);
    }
}

TEST(BadInput, ADescriptionFileThatIsAFolderEndsWithExitCodeOne) {
    DemoRun run;
    CreateDirectoryA((run.folder.Path() + "\\Harpix.ini").c_str(), nullptr);
    run.StartWith("\"" + run.folder.ExePath() + "\"", run.folder.Path());
    EXPECT_EQ(run.ExitCode(), 1u);
    EXPECT_EQ(FindWindowOfClass(run.Id(), "#32770"), nullptr);
}

TEST(BadInput, NamesWithBlanksAndAccentsWork) {
    // Windows-1252: "Démo" and "été".
    DemoFolder folder("harpix d\xe9mo", "D\xe9mo Harpix.exe");
    folder.Write("D\xe9mo Harpix.ini",
                 "Title \xc9t\xe9 \xe0 la plage\nScriptFileName mon script \xe9t\xe9.spt\n"
                 "Button \xc9"
                 "couter\nCoordx 1\nCoordy 1\nWidth 90\nHeight 25\nScriptroutine A\n"
                 "End Ini\n");
    folder.Write("RuntimeFiles\\mon script \xe9t\xe9.spt",
                 std::string("RIFF\x10\0\0\0DMSCschd\x08\0\0\0\0\0\0\0\0\0\0\0", 24));
    HarpixProcess process(folder.ExePath(), "\"" + folder.ExePath() + "\"", folder.Path());
    HWND main = WaitForWindowOfClass(process.Id(), "HARPIX");
    ASSERT_NE(main, nullptr) << "the demo with accented names did not start";
    EXPECT_EQ(CaptionOf(main), "\xc9t\xe9 \xe0 la plage");
    EXPECT_EQ(ControlText(GetDlgItem(main, 0)),
              "\xc9"
              "couter");
    PostMessageA(main, WM_COMMAND, 105, 0);
    DWORD code = 0xFFFFFFFF;
    EXPECT_TRUE(process.WaitForExit(kPatience, code));
    EXPECT_EQ(code, 0u);
}

TEST(BadInput, AWorkingDirectoryTooLongForTheSearchFolderRefusesTheScript) {
    DemoRun run;
    // 247 characters: the description file still fits in 260 beside it, but the search folder
    // with "\RuntimeFiles" does not.
    std::string deep = run.folder.Path();
    std::vector<std::string> made;
    while (deep.size() < 247) {
        deep += "\\" + std::string(std::min<size_t>(30, 247 - deep.size() - 1), 'd');
        CreateDirectoryA(deep.c_str(), nullptr);
        made.push_back(deep);
    }
    const std::string description = std::string(kScriptLine) + "Title Deep\nEnd Ini\n";
    HANDLE file = CreateFileA((deep + "\\Harpix.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, description.data(), static_cast<DWORD>(description.size()), &written, nullptr);
    CloseHandle(file);
    // The program name alone: the folder it reads from and looks below is the working one.
    run.StartWith("Harpix.exe", deep);
    MessageBoxSeen box = WaitForMessageBox(run.Id());
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.caption, "Script Load Error");
    EXPECT_EQ(box.text, kLoadFailed);
    PressButton(box.box, IDOK);
    EXPECT_EQ(run.ExitCode(), 0u);
    DeleteFileA((deep + "\\Harpix.ini").c_str());
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
        RemoveDirectoryA(folder->c_str());
    }
}

}  // namespace
