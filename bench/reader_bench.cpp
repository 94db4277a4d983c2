// Reader benchmark: nanoseconds per description file for the reader (the maximal file and the
// bundled demo's), against one pass over the same bytes that only counts line feeds, both
// measured in the same run with their repetitions interleaved.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_summary.h"
#include "demo_settings.h"
#include "description_reader.h"
#include "description_text.h"
#include "maximal_description.h"
#include "object_records.h"

namespace {

class CountingMessages : public ReaderMessages {
public:
    void Show(const char*) override { ++count; }
    int count = 0;
};

// Everything ReadDescriptionFile does once the file is open, on bytes already in memory, so
// that the figure is the reader's own and not the disk's.
void ReadDescription(const std::string& bytes, ReaderMessages& messages) {
    demoSettings.AudioPathFileName[0] = '\0';
    demoSettings.AutoExecRoutine[0] = '\0';
    ReleaseObjectRecords();
    LoadDescriptionText(bytes.data(), bytes.size());
    InterpretDescriptionText(messages);
}

// The least any reader must do: look at every byte once.
size_t CountLineFeeds(const char* bytes, size_t size) {
    size_t lines = 0;
    for (size_t i = 0; i < size; ++i) {
        lines += bytes[i] == '\n';
    }
    return lines;
}

const std::string& MaximalFile() {
    static const std::string text = MaximalDescription();
    return text;
}

const std::string& DemoFile() {
    static const std::string text = [] {
        std::ifstream file(HARPIX_DEMO_DESCRIPTION, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }();
    return text;
}

// Why a file is no fair measure of the reader, or empty when it is one: it must be read whole,
// without a message, into the controls it describes.
std::string Unfit(const std::string& bytes, bool maximal) {
    if (bytes.empty()) {
        return "the file is empty or missing: " HARPIX_DEMO_DESCRIPTION;
    }
    CountingMessages messages;
    ReadDescription(bytes, messages);
    if (messages.count != 0) {
        return "the reader showed " + std::to_string(messages.count) + " messages";
    }
    if (maximal &&
        (bytes.size() != kMaximalDescriptionSize || buttonCount != kMaxButtons ||
         variableCount != kMaxVariables || textBoxCount != kMaxTextBoxes || hasLyricView != 1)) {
        return "the maximal file has " + std::to_string(bytes.size()) + " characters, " +
               std::to_string(buttonCount) + " buttons, " + std::to_string(variableCount) +
               " variables, " + std::to_string(textBoxCount) + " text boxes";
    }
    return "";
}

void Reader(benchmark::State& state, const std::string& (*file)(), bool maximal) {
    const std::string& bytes = file();
    const std::string unfit = Unfit(bytes, maximal);
    if (!unfit.empty()) {
        state.SkipWithError(unfit.c_str());
        return;
    }
    CountingMessages messages;
    for (auto _ : state) {
        ReadDescription(bytes, messages);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void LineFeeds(benchmark::State& state, const std::string& (*file)()) {
    const std::string& bytes = file();
    if (bytes.empty()) {
        state.SkipWithError("the file is empty or missing");
        return;
    }
    // Read through a volatile each time round, so that the compiler cannot know that the bytes
    // are the same and count them once. (DoNotOptimize on the pointer itself is miscompiled by
    // GCC 12 at -O2 with Google Benchmark 1.7: its "+m,r" constraint lost the pointer.)
    const char* volatile source = bytes.data();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountLineFeeds(source, bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(Reader, maximal, MaximalFile, true);
BENCHMARK_CAPTURE(LineFeeds, maximal, MaximalFile);
BENCHMARK_CAPTURE(Reader, demo, DemoFile, false);
BENCHMARK_CAPTURE(LineFeeds, demo, DemoFile);

// Prints Google Benchmark's own report and keeps every repetition's time per file.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    // Without colours, so that the table rows printed after the report start their lines.
    CollectingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed = true;
            } else if (run.run_type == Run::RT_Iteration) {
                nanoseconds[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, std::vector<double>> nanoseconds;
    bool failed = false;
};

bool PrintRow(CollectingReporter& reporter, const std::string& figure, const char* which,
              const char* target) {
    const std::vector<double>& reads = reporter.nanoseconds[std::string("Reader/") + which];
    const std::vector<double>& counts = reporter.nanoseconds[std::string("LineFeeds/") + which];
    if (reads.empty() || counts.empty()) {
        std::fprintf(stderr, "reader_bench: no figures for %s\n", which);
        return false;
    }
    const SampleSummary read = Summarize(reads);
    const SampleSummary count = Summarize(counts);
    PrintTableRow(figure, FormatValue(read.median, "ns"), FormatSpread(read, "ns"),
                  "line-feed count " + FormatValue(count.median, "ns"), read.median / count.median,
                  target);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Defaults for a real measurement; options given on the command line come later and win.
    std::vector<char*> arguments{argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=21",
                              "--benchmark_enable_random_interleaving=true",
                              "--benchmark_min_time=0.1"};
    for (std::string& option : defaults) {
        arguments.push_back(option.data());
    }
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 2;
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool complete = !reporter.failed;
    complete =
        PrintRow(reporter, "reader, maximal file (9,998 chars)", "maximal", "<= 10x") && complete;
    complete = PrintRow(reporter, "reader, bundled demo's file", "demo", "<= 10x") && complete;
    return complete ? 0 : 1;
}
