// Findings about the window's layout: controls beyond the client area or on top of each other,
// labels that may be cut, edit boxes moved to make room, and a window of size 0.
#pragma once

#include "findings.h"
#include "reading_analysis.h"

void FindLayoutProblems(const ReadingAnalysis& reading, Findings& findings);
