// One run of a program for the start-up and memory benchmarks: started in its folder, timed
// from process creation until its main window is shown and idle, and never left behind. Every
// wait is bounded: a program that does not get there is a failure with a message, not a hang.
#pragma once

#include <windows.h>

#include <string>

#include "job_process.h"
#include "paths.h"

// The value of "--name=value" when `argument` is that option.
bool OptionValue(const char* argument, const char* name, std::string& value);

class ProgramRun {
public:
    // Starts `exePath` with `arguments` in `folder`; the clock starts just before the process
    // is created.
    ProgramRun(const std::string& exePath, const std::string& arguments, const std::string& folder);
    bool Started() const { return process.Started(); }

    // Waits until a window of `className` is the program's only visible top-level window (so a
    // wait window has gone and no message box shows) and its thread serves a message sent to it
    // (so it has reached its message loop). On success `milliseconds` is the time since process
    // creation; otherwise `problem` says what was seen instead.
    bool WaitUntilShownAndIdle(const char* className, DWORD patience, double& milliseconds,
                               std::string& problem);

    // When, in milliseconds since process creation, the first visible window of the program
    // was seen, and its window of the class waited for; known after WaitUntilShownAndIdle.
    double FirstWindowSeen() const { return firstWindowSeen; }
    double WindowSeen() const { return windowSeen; }

    // The most memory the program has had in its working set so far, in bytes; 0 if unknown.
    SIZE_T PeakWorkingSet() const;

    // Closes the main window as its close button does and waits for the exit code.
    bool Close(DWORD patience, DWORD& exitCode, std::string& problem);

private:
    LARGE_INTEGER startTicks;  // before `process`, which starts the program
    JobProcess process;        // ended, if it still runs, with this object
    HWND mainWindow = nullptr;
    double firstWindowSeen = 0;
    double windowSeen = 0;
};
