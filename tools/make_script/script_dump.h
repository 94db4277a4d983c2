// What harpix-make-script --dump prints about a script file: its fields, its container's
// objects, whether the stand-in engine compiles its source, and the source itself.
#pragma once

#include <string>

#include "script_file.h"

std::string DescribeScriptFile(const ScriptFile& file);
