// harpix-check --explain: everything worth telling the author of a description file, each at
// its line and column in the file as saved.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "source_positions.h"
#include "start_up_prediction.h"

struct Explanation {
    Findings findings;
    std::vector<std::string>
        messages;  // the reader's messages, in order, as the program shows them
    bool filesChecked = false;
    StartUpPrediction startUp;  // when the files were checked
};

// Reads `bytes` as Harpix reads its description file, leaving the reader's tables filled for
// --preview. `folder` is where the file lies, for the files in RuntimeFiles; with
// `checkFiles` false nothing outside `bytes` is looked at.
Explanation ExplainDescription(const std::string& bytes, const std::string& folder,
                               bool checkFiles);

// One finding a line: "NAME:LINE:COLUMN: warning: TEXT". `marks[i]`, when not 0, is appended as
// " [n]": the number the preview shows on the control.
std::string FormatExplanation(const Explanation& explanation, const SourcePositions& places,
                              const std::string& fileName, const std::vector<int>& marks = {});

// The JSON of `harpix-check FILE` with a "findings" list added, and "startUp" last when the
// files were checked.
std::string ExplanationAsJson(const Explanation& explanation, const SourcePositions& places);

// Messages and warnings make the exit status 1; notes alone do not.
bool HasProblems(const Explanation& explanation);
