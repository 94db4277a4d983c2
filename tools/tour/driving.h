// Driving a running Harpix.exe from outside: its process, its windows and keys, every wait
// bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

constexpr DWORD kPatience = 30000;

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatience);
// A Unix path as Wine's programs see it (drive Z:); a Windows path as it is.
std::string WindowsPath(std::string path);

class Harpix {
public:
    // Starts `exePath` as the shell does, in its own folder.
    explicit Harpix(const std::string& exePath);
    ~Harpix();  // ends the program if it still runs
    Harpix(const Harpix&) = delete;
    Harpix& operator=(const Harpix&) = delete;
    HWND WaitForWindow(const char* className) const;
    // Ends the program with File, Exit; true when it ended with exit code 0.
    bool Exit(HWND main) const;
    DWORD ThreadId() const { return info_.dwThreadId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// A window's text, asked for with a bounded WM_GETTEXT; "" when the program does not answer.
std::string TextOf(HWND window);
// Keys and clicks as the program's message loop sees them.
HWND FocusOf(DWORD threadId);
void PressKey(DWORD threadId, WPARAM key);
void TypeText(DWORD threadId, const char* text);
void Click(HWND main, int buttonId);
