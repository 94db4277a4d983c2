// A strict reader of harpix-check's JSON for the reader's fuzz target: the report of any
// description file must be valid JSON whose strings give back the bytes they were made from.
#pragma once

#include <string>
#include <vector>

// True when `text` is one valid JSON value and nothing else. Each string found is appended to
// `strings` decoded to bytes: harpix-check writes byte b as U+00bb, so a character beyond
// U+00FF is refused too.
bool ParseReportJson(const std::string& text, std::vector<std::string>& strings);
