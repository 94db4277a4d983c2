// Findings about the files beside the description: the script file and the audiopath file in
// RuntimeFiles, and every routine and variable the description names that the script lacks.
#pragma once

#include <string>

#include "findings.h"
#include "reading_analysis.h"

// `folder` is where the description file lies (Harpix's current directory), "" for this one.
void FindScriptProblems(const ReadingAnalysis& reading, const std::string& folder,
                        Findings& findings);
