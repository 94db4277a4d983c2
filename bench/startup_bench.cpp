// Start-up benchmark, a Windows program run under Wine: the time from process creation to the
// main window shown and idle, for Harpix.exe with the bundled demo against the minimal program
// that only starts DirectMusic the same way, started alternately (A B A B ...).
#include <cstdio>
#include <vector>

#include "bench_summary.h"
#include "demo_under_test.h"

int main(int argc, char** argv) {
    BenchOptions options;
    Program harpix, minimal;
    if (!ParseBenchOptions(argc, argv, options) || !ProgramsUnderTest(options, harpix, minimal)) {
        return 2;
    }
    std::vector<double> harpixTimes, minimalTimes;
    for (int run = 0; run < options.warmups + options.runs; ++run) {
        const bool counted = run >= options.warmups;
        for (const Program* program : {&harpix, &minimal}) {
            RunFigures figures;
            if (!MeasureRun(*program, options, 0, figures)) {
                return 1;
            }
            std::printf("run %d %-7s %8.1f ms%s\n", run, program->name, figures.startMilliseconds,
                        counted ? "" : " (warm-up)");
            if (counted) {
                (program == &harpix ? harpixTimes : minimalTimes)
                    .push_back(figures.startMilliseconds);
            }
        }
    }
    const SampleSummary a = Summarize(harpixTimes);
    const SampleSummary b = Summarize(minimalTimes);
    PrintTableRow(
        "start-up to shown and idle, Harpix with the bundled demo", FormatValue(a.median, "ms"),
        FormatSpread(a, "ms"),
        "minimal program " + FormatValue(b.median, "ms") + " (" + FormatSpread(b, "ms") + ")",
        a.median / b.median, "<= 1.20x");
    return 0;
}
