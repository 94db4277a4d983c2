// The names a demo is made from: a script file's routines and global variables (the Dims outside
// the routines), in the order the source defines them.
//
// A source the stand-in engine compiles gives its names as the engine sees them. One it cannot
// compile (a real DirectMusic script may use more of the language) is read line by line instead:
// every `Sub NAME` and every `Dim` outside a routine, comments skipped, so that a demo can still be
// made from it.
#pragma once

#include <string>
#include <vector>

struct ScriptNames {
    std::string name;  // the name the file gives the script, "" when it gives none
    std::vector<std::string> routines;
    std::vector<std::string> variables;
    bool compiled = false;
    // When it did not compile: where the compiler stopped (line from 1, column from 1) and why.
    int errorLine = 0;
    int errorColumn = 0;
    std::string error;
    // Lines that declare something the line-by-line reading could not make a name of.
    struct Unread {
        int line;  // from 1
        std::string text;
    };
    std::vector<Unread> unread;
};

enum class ScriptNamesFault {
    None,
    NotAScript,  // `why` says what is wrong with the file
    NoSource,    // the file holds no source text, or only a reference to one
};

ScriptNamesFault ReadScriptNames(const std::string& bytes, ScriptNames& names, std::string& why);

// The line-by-line reading on its own: fills `routines`, `variables` and `unread`. A name
// defined a second time, in any letter case, is not taken again.
void ScanDeclarations(const std::string& source, ScriptNames& names);
