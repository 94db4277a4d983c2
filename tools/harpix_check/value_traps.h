// The values of a description file that do not say what their author meant: blanks that become
// part of a value, a value taken from the next line, a number that is no plain number.
#pragma once

#include <string>

#include "reading_trace.h"

bool IsBlank(char c);  // a blank that a value keeps: space, tab or carriage return
std::string WithoutLeadingBlanks(const std::string& text);

// The warning about the value of `key` read at `value`, "" when it reads as meant. When the value
// is the whole next line, `swallowedKey` says whether it took a section's keyword with it.
std::string ValueTrap(const std::string& key, const ReadEvent& value, bool& swallowedKey);
