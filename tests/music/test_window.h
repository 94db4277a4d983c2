// A real window on the test thread that receives WM_LYRIC.
#pragma once

#include <windows.h>

#include <functional>

#include "bounded_wait.h"

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
