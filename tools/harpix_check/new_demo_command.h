// harpix-check --new-demo [--force] SCRIPT OUT.ini: the files around MakeNewDemo, and what it
// tells the author.
#pragma once

#include <string>

// Prints what it made, one line each, and returns the exit status: 0 when every routine and
// variable of a script that compiles has its place, 1 when the file was written without some of
// them (or from a script read only in part), 2 when nothing was written (OUT exists and `force`
// is false, the script cannot be read, or it holds no source text).
int RunNewDemo(const std::string& scriptPath, const std::string& outPath, bool force);
