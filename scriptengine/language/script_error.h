// Where and why a script could not be compiled or stopped while it ran.
#pragma once

#include <string>

struct ScriptError {
    int line = 0;    // 1 for the first line of the source
    int column = 0;  // 0 for the first character of the line, counted in UTF-16 units
    std::string description;
    std::u16string lineText;  // the whole line, without its line break
};

// Fills `error` for `description` at `line` and `column` of `source`, with that line's text.
// Returns false, so that the step that failed can return it.
bool FailAt(ScriptError& error, const std::u16string& source, int line, int column,
            const std::string& description);
