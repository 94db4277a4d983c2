// What every end-to-end test needs to drive Harpix.exe from outside: demo folders, the program's
// process, its windows read the way a user sees them, and keys; every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Long enough for a busy machine; only a real hang reaches it.
constexpr DWORD kPatience = 30000;

// The driver's options (main.cpp): Harpix.exe, harpix-check.exe, the compiled test scripts and
// the bundled demo's folder, as Windows paths.
extern std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

// A Unix path from the build as Wine's programs see it (drive Z:).
std::string WindowsPath(std::string path);
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatience);
std::string ReadFileBytes(const std::string& path);

// A temporary folder with a copy of Harpix.exe, removed with all it holds. Its name has a blank,
// as real users' folders often do; names are ANSI (Windows-1252).
class DemoFolder {
public:
    explicit DemoFolder(const char* exeName = "Harpix.exe", const char* stem = "harpix demo");
    ~DemoFolder();
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;
    // Writes `content` byte for byte to `relativeName`, making the folders it needs.
    void Write(const std::string& relativeName, const std::string& content) const;
    // Writes the smallest script file Wine's own script object loads (it runs nothing).
    void WriteEmptyScript(const std::string& relativeName = "RuntimeFiles\\e2e.spt") const;
    // A chain of sub-folders whose path is `length` characters long; returns that path.
    std::string MakeDeepFolder(size_t length) const;
    const std::string& Path() const { return path_; }
    std::string ExePath() const { return path_ + "\\" + exeName_; }

private:
    std::string path_;
    std::string exeName_;
};

// One run of a program; ended at the latest when the object goes, and with the driver too (a
// job that kills its processes when its last handle closes).
class Process {
public:
    // `commandLine` is exactly what the program's GetCommandLine returns; empty: the quoted path.
    Process(const std::string& exePath, std::string commandLine, const std::string& folder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    // The exit code, or 0xFFFFFFFF when the program did not end within kPatience.
    DWORD ExitCode() const;
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The first visible top-level window of the program with that class, or null after the wait.
    HWND WaitForWindow(const char* className) const;
    HWND FindWindow(const char* className) const;
    HWND WaitForMainWindow() const { return WaitForWindow("HARPIX"); }

private:
    PROCESS_INFORMATION info_ = {};
};

// Harpix started in `folder` as the shell starts it.
inline Process StartIn(const DemoFolder& folder) {
    return Process(folder.ExePath(), "", folder.Path());
}

std::string ClassNameOf(HWND window);
// A window's text through WM_GETTEXT, bounded: "<no answer>" when the program did not reply.
std::string TextOf(HWND window);
// A control's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND control);
std::vector<HWND> ChildrenOf(HWND parent);

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string caption, text;
    HWND owner = nullptr;
    bool stopIcon = false;
};
// Waits for a message box of the program and reads it as shown; `box` is null when none came.
MessageBoxSeen WaitForMessageBox(const Process& process);
// Presses the box's OK button; true once the box has gone.
bool PressOk(HWND box);

// Keys posted to the window with the focus in the program's thread: they pass its message loop
// and its key filter like typed keys, without needing the foreground.
HWND FocusOf(DWORD threadId);
void PressKey(DWORD threadId, WPARAM key);
void TypeText(DWORD threadId, const char* text);
// Real keyboard input (SendInput) to `window`'s top-level window, brought to the foreground
// first: needed where a modifier must be held. A negative entry releases the key -entry.
bool TypeRealKeys(HWND window, const std::vector<int>& keys);

// Kills everything the driver started and ends it when one test runs longer than `seconds`.
void StartWatchdog(int seconds);
