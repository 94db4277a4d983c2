// Going over a recorded reading: the messages where they arose, the traps that show no message,
// and what each section became, for the layout and script checks that follow.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "findings.h"
#include "reading_trace.h"
#include "source_positions.h"

struct SectionInfo {
    SectionKind kind;
    int32_t keyword;  // where its keyword stands
    std::string label;
    int record = -1;  // its slot in its table; -1 when it was not counted (or was replaced)
    std::map<std::string, int32_t> valueAt;  // each key matched, where its value began (the last)
    std::map<std::string, std::string> values;
};

struct ReadingAnalysis {
    Findings findings;
    std::vector<SectionInfo> sections;
    std::map<std::string, int32_t> settingAt;  // each top-level key, where its value began
};

ReadingAnalysis AnalyseReading(const ReadingTrace& trace, const SourcePositions& places);

// The section's name in findings, e.g. "Button 'Play'" or "TextBox".
std::string DescribeSection(const SectionInfo& section);
