// A value as --explain shows it: in single quotes, line breaks, tabs and control bytes escaped.
#pragma once

#include <string>

std::string Quoted(const std::string& text);
