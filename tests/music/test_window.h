// A real window on the test thread that receives WM_LYRIC, and the bounded waits of the
// hand-off tests: a pump that gives up after a time, and a watchdog that turns a hang into a
// failed run.
#pragma once

#include <windows.h>

#include <functional>

// A message-only window of the calling thread; `onLyric` runs for every WM_LYRIC it serves.
class TestWindow {
public:
    explicit TestWindow(std::function<void(WPARAM, LPARAM)> onLyric);
    ~TestWindow();
    HWND Handle() const { return window; }

    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::function<void(WPARAM, LPARAM)> onLyric;
    HWND window;
};

// Serves this thread's messages until `done` holds or `milliseconds` have passed; returns
// whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// Ends the whole test process with a message if it is still alive after `milliseconds`: a wait
// that cannot be bounded any other way (a thread stuck in SendMessageA) fails instead of hanging.
class Watchdog {
public:
    Watchdog(const char* what, DWORD milliseconds);
    ~Watchdog();

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    const char* what;
    DWORD milliseconds;
    HANDLE done;
    HANDLE thread;
};
