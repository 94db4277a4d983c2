// The programs the start-up and memory drivers compare, and one measured run of either.
#include "demo_under_test.h"

#include <cstdio>
#include <cstdlib>

#include "demo_settings.h"
#include "description_reader.h"
#include "description_text.h"
#include "program_run.h"

namespace {

class SilentMessages : public ReaderMessages {
public:
    void Show(const char*) override {}
};

}  // namespace

bool ParseBenchOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (OptionValue(argv[i], "--harpix", value)) {
            options.harpix = WindowsPath(value);
        } else if (OptionValue(argv[i], "--minimal", value)) {
            options.minimal = WindowsPath(value);
        } else if (OptionValue(argv[i], "--runs", value)) {
            options.runs = std::atoi(value.c_str());
        } else if (OptionValue(argv[i], "--warmups", value)) {
            options.warmups = std::atoi(value.c_str());
        } else if (OptionValue(argv[i], "--hold-ms", value)) {
            options.holdMilliseconds = static_cast<DWORD>(std::atoi(value.c_str()));
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return false;
        }
    }
    if (options.harpix.empty() || options.minimal.empty() || options.runs < 1 ||
        options.warmups < 0) {
        std::fprintf(stderr,
                     "usage: %s --harpix=DEMO/Harpix.exe --minimal=minimal_window.exe "
                     "[--runs=N] [--warmups=N] [--hold-ms=N]\n",
                     argv[0]);
        return false;
    }
    return true;
}

bool ProgramsUnderTest(const BenchOptions& options, Program& harpix, Program& minimal) {
    // The baseline's window gets the size the demo asks for, read as Harpix reads it.
    const std::string description = WindowsFolderOf(options.harpix) + "\\Harpix.ini";
    if (!LoadDescriptionFile(description.c_str())) {
        std::fprintf(stderr, "cannot read %s\n", description.c_str());
        return false;
    }
    SilentMessages silent;
    InterpretDescriptionText(silent);
    harpix = {"Harpix", options.harpix, "", "HARPIX"};
    minimal = {
        "minimal", options.minimal,
        std::to_string(demoSettings.WindowWidth) + " " + std::to_string(demoSettings.WindowHeight),
        "HarpixMinimal"};
    return true;
}

bool MeasureRun(const Program& program, const BenchOptions& options, DWORD hold,
                RunFigures& figures) {
    ProgramRun run(program.exePath, program.arguments, WindowsFolderOf(program.exePath));
    std::string problem;
    if (!run.WaitUntilShownAndIdle(program.className, options.patience, figures.startMilliseconds,
                                   problem)) {
        std::fprintf(stderr, "%s: %s\n", program.name, problem.c_str());
        return false;
    }
    figures.firstWindowMilliseconds = run.FirstWindowSeen();
    figures.shownMilliseconds = run.WindowSeen();
    if (hold > 0) {
        Sleep(hold);
    }
    figures.peakWorkingSetMiB = static_cast<double>(run.PeakWorkingSet()) / (1024.0 * 1024.0);
    DWORD exitCode = 0;
    if (!run.Close(options.patience, exitCode, problem)) {
        std::fprintf(stderr, "%s: %s\n", program.name, problem.c_str());
        return false;
    }
    if (exitCode != 0) {
        std::fprintf(stderr, "%s: exit code %lu after closing\n", program.name,
                     static_cast<unsigned long>(exitCode));
        return false;
    }
    return true;
}
