// A new demo written out as a description file that reads without a trap: every key at the start
// of its line with one space before its value, every section with exactly its key lines.
#pragma once

#include <string>

#include "demo_layout_plan.h"

struct DemoHeader {
    std::string title;
    std::string scriptFileName;
    std::string autoExecRoutine;  // "" for none
};

// With LF line ends, as the reader sees the file once loaded.
std::string DescriptionText(const DemoHeader& header, const DemoLayout& layout);

// LF to CR LF, the line ends Windows' own editors expect.
std::string WithCrLf(const std::string& text);
