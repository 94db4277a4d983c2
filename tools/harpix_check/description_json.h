// The JSON report of harpix-check: what the program would run with after reading a file.
#pragma once

#include <string>
#include <vector>

// Settings, counted records, the lyric view and `messages`, from the reader's global state.
std::string DescribeReadingAsJson(const std::vector<std::string>& messages);

std::string DescribeLocationAsJson(const std::string& descriptionFileName,
                                   const std::string& directory);
