// One run of Harpix.exe: started with a given command line and folder, never left behind.
#pragma once

#include <windows.h>

#include <string>

class HarpixProcess {
public:
    // `commandLine` is exactly what the program's GetCommandLine will return.
    HarpixProcess(const std::string& exePath, const std::string& commandLine,
                  const std::string& currentDirectory);
    // Ends the program if it still runs, so that a failed check leaves nothing behind.
    ~HarpixProcess();
    HarpixProcess(const HarpixProcess&) = delete;
    HarpixProcess& operator=(const HarpixProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }

    // True, with the exit code, when the program ended within `milliseconds`.
    bool WaitForExit(DWORD milliseconds, DWORD& exitCode) const;

private:
    PROCESS_INFORMATION info_ = {};
};
