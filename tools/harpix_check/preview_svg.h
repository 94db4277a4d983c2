// harpix-check --preview: the demo window drawn as SVG from the reader's tables, in Windows'
// classic look, with each control a <rect id="control-ID" x y width height> in client
// coordinates, and the numbered marks of the findings that concern a control.
#pragma once

#include <string>
#include <vector>

#include "findings.h"

// `marks[i]` receives the number drawn for findings[i], or 0 when it concerns no control.
std::string DrawDemoWindow(const Findings& findings, std::vector<int>& marks);
