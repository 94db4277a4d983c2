// What the start-up and memory drivers share: their options, the two programs they compare and
// one measured run of either.
#pragma once

#include <windows.h>

#include <string>

#include "bounded_wait.h"

struct BenchOptions {
    std::string harpix;   // Harpix.exe in the staged demo folder, beside Harpix.ini
    std::string minimal;  // the minimal baseline program
    int runs = 20;        // measured runs of each program
    int warmups = 1;      // runs of each before those, not counted
    DWORD patience = kPatience;
    DWORD holdMilliseconds = 1000;  // how long a shown program is left running (memory)
};

// Reads the options; false, after saying why, when they do not make a run.
bool ParseBenchOptions(int argc, char** argv, BenchOptions& options);

struct Program {
    const char* name;
    std::string exePath;
    std::string arguments;
    const char* className;
};

// Harpix with the bundled demo, and the minimal program with a window of the demo's size.
bool ProgramsUnderTest(const BenchOptions& options, Program& harpix, Program& minimal);

struct RunFigures {
    double firstWindowMilliseconds =
        0;                         // any window of the program visible (Harpix: the wait window)
    double shownMilliseconds = 0;  // its main window visible
    double startMilliseconds = 0;  // its main window the only one, and idle
    double peakWorkingSetMiB = 0;
};

// Starts `program`, waits until it is shown and idle, leaves it running for `hold`
// milliseconds, reads its peak working set and closes it. False, after saying why, when any of
// it fails.
bool MeasureRun(const Program& program, const BenchOptions& options, DWORD hold,
                RunFigures& figures);
