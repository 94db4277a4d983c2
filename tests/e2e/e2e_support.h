// What the end-to-end tests need to drive Harpix.exe from outside: demo folders, its process,
// its windows read as a user sees them, and keys. Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bounded_wait.h"
#include "job_process.h"
#include "keys.h"
#include "paths.h"
#include "window_text.h"

// From the driver's command line (main.cpp), as Windows paths: Harpix.exe, harpix-check.exe,
// the compiled test scripts, the bundled demo's sources.
extern std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

// A temporary folder with a copy of Harpix.exe, removed with all it holds. Its name has a blank,
// as real users' folders often do; names are ANSI (Windows-1252).
class DemoFolder {
public:
    explicit DemoFolder(const char* exeName = "Harpix.exe", const char* stem = "harpix demo");
    ~DemoFolder();
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;
    // Writes `content` byte for byte, making the folders it needs.
    void Write(const std::string& relativeName, const std::string& content) const;
    // A script file without source: Wine's own script object loads it, the stand-in refuses it.
    void WriteEmptyScript(const std::string& relativeName = "RuntimeFiles\\e2e.spt") const;
    void Keep() { keep_ = true; }  // left behind for reading, not removed
    const std::string& Path() const { return path_; }
    std::string ExePath() const { return path_ + "\\" + exeName_; }

private:
    std::string path_, exeName_;
    bool keep_ = false;
};

// A JobProcess whose failure to start fails the test.
class Process : public JobProcess {
public:
    Process(const std::string& exePath, std::string commandLine, const std::string& folder,
            const std::string& outputFile = "");
    // Null, with a failure that says how the program ended, when no main window comes.
    HWND WaitForMainWindow() const;
};

inline Process StartIn(const DemoFolder& folder) {  // as the shell starts it
    return Process(folder.ExePath(), "", folder.Path());
}

RECT ClientRectOf(HWND control);  // in its parent's client coordinates
std::vector<HWND> ChildrenOf(HWND parent);

struct MessageBoxSeen {
    HWND box = nullptr;  // null when no box came
    std::string caption, text;
    HWND owner = nullptr;
    bool stopIcon = false;
};
MessageBoxSeen WaitForMessageBox(const Process& process);
bool PressOk(HWND box);  // true once the box has gone

void StartWatchdog(int seconds);       // ends all, the driver too, when a test runs over `seconds`
void RearmWatchdog(const char* what);  // `seconds` again, from now, for a test of many steps
