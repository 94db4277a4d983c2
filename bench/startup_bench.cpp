// Start-up benchmark, a Windows program run under Wine: the time from process creation to the
// main window shown and idle, for Harpix.exe with the bundled demo against the minimal program
// that only starts DirectMusic the same way, started alternately (A B A B ...). Besides the
// table row it prints every run and, to show where the time goes, the median moments at which
// each program's first window and its main window became visible.
#include <cstdio>
#include <vector>

#include "bench_summary.h"
#include "demo_under_test.h"

namespace {

struct Timeline {
    std::vector<double> firstWindow;
    std::vector<double> shown;
    std::vector<double> idle;
};

void PrintTimeline(const char* name, const Timeline& timeline) {
    std::printf("%-7s median: first window %.1f ms, main window %.1f ms, shown and idle %.1f ms\n",
                name, Summarize(timeline.firstWindow).median, Summarize(timeline.shown).median,
                Summarize(timeline.idle).median);
}

}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    Program harpix, minimal;
    if (!ParseBenchOptions(argc, argv, options) || !ProgramsUnderTest(options, harpix, minimal)) {
        return 2;
    }
    Timeline harpixTimes, minimalTimes;
    for (int run = 0; run < options.warmups + options.runs; ++run) {
        const bool counted = run >= options.warmups;
        for (const Program* program : {&harpix, &minimal}) {
            RunFigures figures;
            if (!MeasureRun(*program, options, 0, figures)) {
                return 1;
            }
            std::printf("run %d %-7s %8.1f ms (first window %.1f, main window %.1f)%s\n", run,
                        program->name, figures.startMilliseconds, figures.firstWindowMilliseconds,
                        figures.shownMilliseconds, counted ? "" : " (warm-up)");
            if (counted) {
                Timeline& timeline = program == &harpix ? harpixTimes : minimalTimes;
                timeline.firstWindow.push_back(figures.firstWindowMilliseconds);
                timeline.shown.push_back(figures.shownMilliseconds);
                timeline.idle.push_back(figures.startMilliseconds);
            }
        }
    }
    PrintTimeline(harpix.name, harpixTimes);
    PrintTimeline(minimal.name, minimalTimes);
    // Each Harpix run against the minimal run right after it: steadier than the ratio of the
    // medians when the machine's load drifts during the measurement.
    std::vector<double> pairRatios;
    for (size_t i = 0; i < harpixTimes.idle.size(); ++i) {
        pairRatios.push_back(harpixTimes.idle[i] / minimalTimes.idle[i]);
    }
    const SampleSummary pairs = Summarize(pairRatios);
    std::printf("run by run: median ratio %.2fx (%.2fx-%.2fx)\n", pairs.median, pairs.p25,
                pairs.p75);
    const SampleSummary a = Summarize(harpixTimes.idle);
    const SampleSummary b = Summarize(minimalTimes.idle);
    PrintTableRow(
        "start-up to shown and idle, Harpix with the bundled demo", FormatValue(a.median, "ms"),
        FormatSpread(a, "ms"),
        "minimal program " + FormatValue(b.median, "ms") + " (" + FormatSpread(b, "ms") + ")",
        a.median / b.median, "<= 1.20x");
    return 0;
}
