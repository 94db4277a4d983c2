// The description file's name and folder, derived from the program's command line.
#include <gtest/gtest.h>

#include <string>

#include "description_file_name.h"

namespace {

TEST(LocateDescriptionFileName, FollowsTheNameRule) {
    struct Row {
        std::string commandLine;
        std::string name;
        std::string directory;
    };
    const Row rows[] = {
        // The usual ways a program is started: quoted, quoted with a blank, bare, name alone.
        {"\"C:\\Demo\\Harpix.exe\"", "Harpix.ini", "C:\\Demo"},
        {"\"C:\\Demo\\Harpix.exe\" ", "Harpix.ini", "C:\\Demo"},
        {"C:\\Demo\\Harpix.exe", "Harpix.ini", "C:\\Demo"},
        {"\"Harpix.exe\"", "Harpix.ini", ""},
        // An argument moves the extension out of the last six characters.
        {"\"C:\\Demo\\Harpix.exe\" -x", "Harpix.exe.ini", "C:\\Demo"},
        // The last separator counts, even inside an argument.
        {"\"C:\\Demo\\Harpix.exe\" /x", "x.ini", "C:\\Demo\\Harpix.exe "},
        {"C:/Demo/Other.exe", "Other.ini", "C:/Demo"},
        {"\"C:\\My Demos\\v1.2\\Harpix.exe\"", "Harpix.ini", "C:\\My Demos\\v1.2"},
        {"C:\\Demo\\", ".ini", "C:\\Demo"},
        // Shorter than six characters: a dot never ends the name.
        {"a.exe", "a.exe.ini", ""},
        {"\\a.b", "a.b.ini", ""},
        {"x\\a.bc", "a.ini", "x"},
        {"", ".ini", ""},
        // Without a separator a quote is skipped, not an end.
        {"Har\"pix\".exe", "Harpix.ini", ""},
        // No length limit: a path far beyond MAX_PATH is kept whole.
        {"C:\\" + std::string(300, 'd') + "\\" + std::string(280, 'n') + ".exe",
         std::string(280, 'n') + ".ini", "C:\\" + std::string(300, 'd')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.commandLine);
        DescriptionFileLocation location = LocateDescriptionFileName(row.commandLine);
        EXPECT_EQ(location.descriptionFileName, row.name);
        EXPECT_EQ(location.directory, row.directory);
    }
}

}  // namespace
