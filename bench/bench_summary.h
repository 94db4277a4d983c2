// Medians and spreads of a benchmark's samples, and the one row format that scripts/bench
// gathers from every benchmark program into its table.
#pragma once

#include <string>
#include <vector>

struct SampleSummary {
    size_t count = 0;
    double median = 0;
    double p25 = 0;  // the spread is quoted as the middle half of the samples, p25 to p75
    double p75 = 0;
    double p99 = 0;
};

// Nearest-rank percentiles of `samples` (taken by value: they are sorted here).
SampleSummary Summarize(std::vector<double> samples);

// One line "row<TAB>figure<TAB>median<TAB>spread<TAB>baseline<TAB>ratio<TAB>target", which
// scripts/bench picks out of the program's output. `ratio` is measured / baseline.
void PrintTableRow(const std::string& figure, const std::string& median, const std::string& spread,
                   const std::string& baseline, double ratio, const std::string& target);

// "12.3 unit"-style text with a precision that suits the size of the value.
std::string FormatValue(double value, const char* unit);
// "p25-p75" of a summary, in the same unit.
std::string FormatSpread(const SampleSummary& summary, const char* unit);
