// What the end-to-end tests need to drive Harpix.exe from outside: demo folders, its process,
// its windows read as a user sees them, and keys. Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bounded_wait.h"

// From the driver's command line (main.cpp), as Windows paths: Harpix.exe, harpix-check.exe,
// the compiled test scripts, the bundled demo's sources.
extern std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

std::string WindowsPath(std::string unixPath);  // on drive Z:, as Wine's programs see it
std::string ReadFileBytes(const std::string& path);

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
    // The smallest script file Wine's own script object loads (it runs nothing).
    void WriteEmptyScript(const std::string& relativeName = "RuntimeFiles\\e2e.spt") const;
    // A chain of sub-folders whose path is `length` characters long; returns that path.
    std::string MakeDeepFolder(size_t length) const;
    const std::string& Path() const { return path_; }
    std::string ExePath() const { return path_ + "\\" + exeName_; }

private:
    std::string path_, exeName_;
};

// One run of a program, ended at the latest with this object, and with the driver (a job that
// kills its processes when its last handle closes, also when the driver is killed).
class Process {
public:
    // `commandLine` is what the program's GetCommandLine returns; empty: the quoted path.
    Process(const std::string& exePath, std::string commandLine, const std::string& folder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    DWORD ThreadId() const { return info_.dwThreadId; }
    DWORD ExitCode() const;  // 0xFFFFFFFF when the program did not end within kPatience
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitIdle() const { return WaitForInputIdle(info_.hProcess, kPatience) == 0; }
    // A visible top-level window of the program with that class, or null (after the wait, or
    // at once when the program has ended).
    HWND FindWindow(const char* className) const;
    HWND WaitForWindow(const char* className) const;
    HWND WaitForMainWindow() const { return WaitForWindow("HARPIX"); }

private:
    PROCESS_INFORMATION info_ = {};
};

inline Process StartIn(const DemoFolder& folder) {  // as the shell starts it
    return Process(folder.ExePath(), "", folder.Path());
}

std::string ClassNameOf(HWND window);
std::string TextOf(HWND window);  // WM_GETTEXT, bounded: "<no answer>" when none came
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

// Keys posted to the focused window of the program's thread: they pass its message loop and
// key filter as typed keys do, without needing the foreground.
HWND FocusOf(DWORD threadId);
void PressKey(DWORD threadId, WPARAM key);
void TypeText(DWORD threadId, const char* text);
// Real keyboard input to `window`'s top-level window, once it is in the foreground: where a
// modifier must be held. A negative entry releases the key -entry. Input goes to the thread in
// the foreground as each key arrives, so all go in one SendInput; false if the window lost the
// foreground meanwhile.
bool TypeRealKeys(HWND window, const std::vector<int>& keys);

void StartWatchdog(int seconds);  // ends all, the driver too, when a test runs over `seconds`
