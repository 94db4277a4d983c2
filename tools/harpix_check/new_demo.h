// harpix-check --new-demo: a complete description file made from a script's names. Every routine
// becomes a button, every global variable an edit box; a start-up routine becomes the
// AutoExecRoutine and a variable's notify routine its NotifyRoutine (see demo_names.h for the
// names that mark them); the window is laid out as demo_layout_plan.h says.
//
// What does not fit, whether in the tables (50 buttons, 25 variables), in the largest window or
// in the description file's 9998 characters, is left out from the end: one name at a time from
// the longer of the two lists, buttons and variables, so that the file holds the script's first
// names of each, in its order.
#pragma once

#include <string>
#include <vector>

#include "script_names.h"

struct NewDemo {
    std::string text;                 // the description file, with CR LF line ends
    std::vector<std::string> report;  // what it holds, then "note: " and "warning: " lines
    bool complete = true;             // every routine and variable found has its place
};

// `scriptFileName` is the ScriptFileName value: the script file's name, without its folder.
NewDemo MakeNewDemo(const ScriptNames& names, const std::string& scriptFileName);
