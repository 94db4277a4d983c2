// Which description file the real program reads, for the command lines it can be started with.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

TEST(NameRule, ReadsTheFileTheCommandLineNames) {
    const struct {
        const char* how;
        const char* exeName;
        std::string arguments;  // after the program's path; "alone": the program's name only
        bool quoted;
        bool fromElsewhere;
        const char* title;  // the Title of the file it read: its main window's caption
    } rows[] = {
        {"quoted path, as the shell starts it", "Harpix.exe", "", true, false, "Harpix.ini"},
        {"quoted path from another folder", "Harpix.exe", "", true, true, "Harpix.ini"},
        {"plain path from another folder", "Harpix.exe", "", false, true, "Harpix.ini"},
        {"an argument moves the extension out of the last six", "Harpix.exe", " -x", true, false,
         "Harpix.exe.ini"},
        // The folder part then ends in the program's name and cannot be entered.
        {"an argument with a separator names the file", "Harpix.exe", " /other", true, false,
         "other.ini"},
        {"the name alone reads from the current folder", "Harpix.exe", "alone", false, false,
         "current"},
        {"another name, blanks and accents", "D\xe9mo \xe9t\xe9.exe", "", true, false,
         "D\xe9mo \xe9t\xe9.ini"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        DemoFolder folder(row.exeName);
        DemoFolder elsewhere("none.exe", "harpix elsewhere");
        folder.WriteEmptyScript();
        for (const char* name :
             {"Harpix.ini", "Harpix.exe.ini", "other.ini", "D\xe9mo \xe9t\xe9.ini"}) {
            folder.Write(name,
                         std::string("ScriptFileName e2e.spt\nTitle ") + name + "\nEnd Ini\n");
        }
        std::string commandLine = row.quoted ? "\"" + folder.ExePath() + "\"" : folder.ExePath();
        std::string from = row.fromElsewhere ? elsewhere.Path() : folder.Path();
        if (row.arguments == "alone") {
            commandLine = row.exeName;
            from = folder.Path() + "\\current";
            folder.Write("current\\Harpix.ini", "ScriptFileName e2e.spt\nTitle current\nEnd Ini\n");
            folder.WriteEmptyScript("current\\RuntimeFiles\\e2e.spt");
        } else {
            commandLine += row.arguments;
        }
        Process harpix(folder.ExePath(), commandLine, from);
        HWND main = harpix.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(TextOf(main), row.title);
    }
}

}  // namespace
