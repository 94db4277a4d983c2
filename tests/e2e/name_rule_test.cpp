// Which description file the program reads, and from where, for the ways it can be started.
#include <gtest/gtest.h>

#include "demo_run.h"

namespace {

std::string Described(const char* title) {
    return std::string(kScriptLine) + "Title " + title +
           "\nWindowWidth 300\nWindowHeight 200\nEnd Ini\n";
}

// Starts the program and returns the caption of its main window: the Title of the file it read.
std::string CaptionWhenStarted(DemoRun& run, const std::string& commandLine,
                               const std::string& currentDirectory) {
    run.StartWith(commandLine, currentDirectory);
    HWND main = run.WaitForMainWindow();
    if (main == nullptr) {
        return "<no main window>";
    }
    std::string caption = CaptionOf(main);
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(run.ExitCode(), 0u);
    return caption;
}

TEST(NameRule, ReadsTheFileTheCommandLineNames) {
    ScratchFolder elsewhere;
    struct Row {
        const char* how;
        std::string arguments;  // after the program's path
        bool quoted;
        bool fromElsewhere;
        const char* title;
    };
    const Row rows[] = {
        {"quoted path, as the shell starts it", "", true, false, "Harpix.ini"},
        {"quoted path from another folder", "", true, true, "Harpix.ini"},
        {"plain path from another folder", "", false, true, "Harpix.ini"},
        {"an argument moves the extension out of the last six", " -x", true, false,
         "Harpix.exe.ini"},
        // The folder part then ends in the program's name and cannot be entered.
        {"an argument with a separator names the file", " /other", true, false, "other.ini"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        DemoRun run;
        run.folder.Write("Harpix.ini", Described("Harpix.ini"));
        run.folder.Write("Harpix.exe.ini", Described("Harpix.exe.ini"));
        run.folder.Write("other.ini", Described("other.ini"));
        std::string path = row.quoted ? "\"" + run.folder.ExePath() + "\"" : run.folder.ExePath();
        std::string from = row.fromElsewhere ? elsewhere.Path() : run.folder.Path();
        EXPECT_EQ(CaptionWhenStarted(run, path + row.arguments, from), row.title);
    }
}

TEST(NameRule, TheProgramNameAloneReadsFromTheCurrentFolder) {
    DemoRun run;
    run.folder.Write("Harpix.ini", Described("name alone"));
    EXPECT_EQ(CaptionWhenStarted(run, "Harpix.exe", run.folder.Path()), "name alone");
}

}  // namespace
