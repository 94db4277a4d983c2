// What harpix-check says a description file makes Harpix show: the expected message boxes of
// the bad-input tests come from the checker, so the program and the checker must agree.
#pragma once

#include <string>
#include <vector>

// Where harpix-check.exe is; set by the driver's main.
extern std::string harpixCheckPath;

// Runs harpix-check on `descriptionFile` and returns its "messages", in order. Fails the test
// (and returns nothing) when the checker cannot run or its output cannot be read.
std::vector<std::string> CheckerMessages(const std::string& descriptionFile);

// Reads the JSON string that starts at `json[position]` (at its opening quote), each character
// U+0000 to U+00FF becoming the byte of the same value; moves `position` behind it.
bool ReadJsonString(const std::string& json, size_t& position, std::string& text);
