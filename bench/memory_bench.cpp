// Memory benchmark, a Windows program run under Wine: the peak working set of Harpix.exe
// running the bundled demo for a while, against the minimal program, started alternately.
#include <cstdio>
#include <vector>

#include "bench_summary.h"
#include "demo_under_test.h"

int main(int argc, char** argv) {
    BenchOptions options;
    options.runs = 5;
    Program harpix, minimal;
    if (!ParseBenchOptions(argc, argv, options) || !ProgramsUnderTest(options, harpix, minimal)) {
        return 2;
    }
    std::vector<double> harpixPeaks, minimalPeaks;
    for (int run = 0; run < options.runs; ++run) {
        for (const Program* program : {&harpix, &minimal}) {
            RunFigures figures;
            if (!MeasureRun(*program, options, options.holdMilliseconds, figures)) {
                return 1;
            }
            if (figures.peakWorkingSetMiB <= 0) {
                std::fprintf(stderr, "%s: no peak working set from GetProcessMemoryInfo\n",
                             program->name);
                return 1;
            }
            std::printf("run %d %-7s %8.2f MiB\n", run, program->name, figures.peakWorkingSetMiB);
            (program == &harpix ? harpixPeaks : minimalPeaks).push_back(figures.peakWorkingSetMiB);
        }
    }
    const SampleSummary a = Summarize(harpixPeaks);
    const SampleSummary b = Summarize(minimalPeaks);
    PrintTableRow("peak working set, Harpix running the bundled demo", FormatValue(a.median, "MiB"),
                  FormatSpread(a, "MiB"), "minimal program " + FormatValue(b.median, "MiB"),
                  a.median / b.median, "-");
    return 0;
}
