// The name rule that turns the program's command line into the description file's name.
#include "description_file_name.h"

namespace {

// A dot ends the name only when it lies among the last six characters of the whole command
// line, where the program's own extension normally is; an earlier dot belongs to the name.
bool DotEndsName(size_t index, size_t length) {
    return length >= 6 && index >= length - 6;
}

}  // namespace

DescriptionFileLocation LocateDescriptionFileName(const std::string& commandLine) {
    DescriptionFileLocation location;
    const size_t length = commandLine.size();
    const size_t separator = commandLine.find_last_of("\\/");
    if (separator != std::string::npos) {
        // The shell quotes a program path with blanks in it; the folder is entered without them.
        for (size_t i = 0; i < separator; ++i) {
            if (commandLine[i] != '"') {
                location.directory += commandLine[i];
            }
        }
        for (size_t i = separator + 1; i < length; ++i) {
            char c = commandLine[i];
            if (c == '"' || (c == '.' && DotEndsName(i, length))) {
                break;
            }
            location.descriptionFileName += c;
        }
    } else {
        for (size_t i = 0; i < length; ++i) {
            char c = commandLine[i];
            if (c == '"') {
                continue;
            }
            if (c == '.' && DotEndsName(i, length)) {
                break;
            }
            location.descriptionFileName += c;
        }
    }
    location.descriptionFileName += ".ini";
    return location;
}
