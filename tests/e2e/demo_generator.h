// Demo folders made from a seed, full of what authors get wrong: values at and past their
// limits, sections cut short or stopped by the end of the text, full tables, End Ini or none,
// CR LF and Ctrl-Z; and RuntimeFiles with or without a script that compiles, one that does not,
// one without source, an audiopath file, names at and past their limits. Same seed, same folder.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Its files, by their paths in the folder, byte for byte: Harpix.ini (or none, or a folder of
// that name) and what RuntimeFiles holds.
using GeneratedDemo = std::vector<std::pair<std::string, std::string>>;

// `goodScript` compiles and has a routine Start; `brokenScript` is a script file that does not.
GeneratedDemo GenerateDemo(uint32_t seed, const std::string& goodScript,
                           const std::string& brokenScript);
