// One run of a program, ended at the latest with its object, and with the program that started
// it: every process started here joins one job that kills its processes when its last handle
// closes, also when the starter is killed.
#pragma once

#include <windows.h>

#include <string>

#include "bounded_wait.h"

class JobProcess {
public:
    // `commandLine` is what the program's GetCommandLine returns; empty: the quoted path.
    // `outputFile`, when not empty, is made anew and receives the program's standard output.
    JobProcess(const std::string& exePath, std::string commandLine, const std::string& folder,
               const std::string& outputFile = "");
    ~JobProcess();  // ends the program if it still runs
    JobProcess(const JobProcess&) = delete;
    JobProcess& operator=(const JobProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD StartError() const { return startError_; }  // GetLastError of a failed start
    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    bool Running() const { return Started() && !Ended(0); }
    bool Ended(DWORD milliseconds) const;
    DWORD ExitCode() const;  // 0xFFFFFFFF when the program did not end within kPatience
    bool WaitIdle() const { return WaitForInputIdle(info_.hProcess, kPatience) == 0; }
    // A visible top-level window of the program with that class, or null (after the wait, or
    // at once when the program has ended).
    HWND FindWindow(const char* className) const;
    HWND WaitForWindow(const char* className) const;
    // For a failure message: whether the program still runs or with what exit code it ended,
    // and its process id, with which Wine begins each of its lines for it (WINEDEBUG=+pid).
    std::string Outcome() const;

private:
    PROCESS_INFORMATION info_ = {};
    DWORD startError_ = 0;
};

// Ends every program started through JobProcess, at once.
void EndAllStarted();
