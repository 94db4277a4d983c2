// TestWindow, PumpUntil and Watchdog.
#include "test_window.h"

#include <cstdio>

#include "lyric_tool.h"

namespace {

constexpr char kClassName[] = "HarpixMusicTestWindow";

}  // namespace

TestWindow::TestWindow(std::function<void(WPARAM, LPARAM)> onLyric) : onLyric(std::move(onLyric)) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // already registered after the first window: fine
    window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleA(nullptr), this);
}

TestWindow::~TestWindow() {
    DestroyWindow(window);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return false;
        }
        // Short naps: `done` may turn true without any message arriving here.
        DWORD nap = milliseconds - elapsed < 10 ? milliseconds - elapsed : 10;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, nap, QS_ALLINPUT);
    }
}

Watchdog::Watchdog(const char* what, DWORD milliseconds)
    : what(what), milliseconds(milliseconds), done(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done, watchdog->milliseconds) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "FAILED: hang in %s, still waiting after %lu ms\n", watchdog->what,
                     static_cast<unsigned long>(watchdog->milliseconds));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}
