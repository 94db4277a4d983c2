// Where the description file is: its name and folder, derived from the program's command line.
//
// The name is the last part of the command line after its last '\' or '/', cut at a double quote
// or at a dot among the last six characters of the whole line, with ".ini" added; so
// "C:\Demo\Harpix.exe" and its quoted forms give Harpix.ini. The folder is what stands before
// that separator, without double quotes; the program makes it the current directory.
#pragma once

#include <string>

struct DescriptionFileLocation {
    std::string descriptionFileName;
    std::string directory;  // empty when the command line holds no separator
};

DescriptionFileLocation LocateDescriptionFileName(const std::string& commandLine);
