// ServeMessages, WaitUntil and Watchdog.
#include "bounded_wait.h"

#include <cstdio>

void ServeMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    for (const DWORD start = GetTickCount();;) {
        ServeMessages();
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        // Short naps: `done` may turn true without any message arriving here.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
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
