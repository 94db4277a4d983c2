// The main window in the test process, over fake DirectMusic: a description read from a string,
// the window created as start-up creates it, message boxes answered from a thread of their own,
// and every child window's creation written into the fakes' call log.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_direct_music.h"

// Answers every message box of this process with OK and remembers what each said.
class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        HWND owner;
        UINT iconStyle;  // the box's icon, as MB_ICON... bits found in its window
    };
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    std::vector<Box> Boxes();

    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    CRITICAL_SECTION lock;
    std::vector<Box> boxes;
    std::vector<HWND> answered;
    volatile LONG stop = 0;
    HANDLE thread;
};

class DemoWindowRun {
public:
    // Reads `description` as the description file; Create then makes the main window, so that
    // a test can tell the fakes to fail in between.
    explicit DemoWindowRun(const std::string& description);
    ~DemoWindowRun();
    HWND Create();

    HWND Window() const { return window; }
    HWND Child(int id) const { return GetDlgItem(window, id); }
    // The main window's handle while it was being created, also when creation failed.
    HWND CreatedWindow() const { return created; }
    // True when the quit message is waiting, with its exit code.
    bool QuitPosted(int* exitCode = nullptr);
    // Serves this thread's messages for a moment, through the program's key filter.
    void Pump();

    FakeDirectMusic world;
    MessageBoxAnswerer boxes;

private:
    HWND window = nullptr;
    HWND created = nullptr;
    HHOOK creationHook = nullptr;
};

// The calls in `log` that contain `part`, in order.
std::vector<size_t> Positions(const Calls& calls, const std::string& part);
// True when each of `parts` occurs in `calls` after the one before it.
::testing::AssertionResult InOrder(const Calls& calls, const std::vector<std::string>& parts);
