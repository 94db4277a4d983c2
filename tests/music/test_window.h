// A real window on the test thread that receives WM_LYRIC.
#pragma once

#include <windows.h>

#include <functional>

#include "bounded_wait.h"
#include "lyric_tool.h"

// A message-only window of the calling thread; `onLyric` runs for every WM_LYRIC it serves.
class TestWindow {
public:
    explicit TestWindow(std::function<void(WPARAM, LPARAM)> onLyric) : onLyric(onLyric) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "HarpixMusicTestWindow";
        RegisterClassA(&windowClass);  // already registered after the first window: fine
        window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, nullptr, this);
    }
    ~TestWindow() { DestroyWindow(window); }
    HWND Handle() const { return window; }

    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_LYRIC && self != nullptr) {
            self->onLyric(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::function<void(WPARAM, LPARAM)> onLyric;
    HWND window;
};
