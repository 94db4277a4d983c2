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

Watchdog::Watchdog(const char* what, DWORD milliseconds, void (*onHang)())
    : what(what),
      milliseconds(milliseconds),
      onHang(onHang),
      done(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      rearmed(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
    CloseHandle(rearmed);
}

void Watchdog::Rearm(const char* now) {
    what = now;
    SetEvent(rearmed);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    const HANDLE either[] = {watchdog->done, watchdog->rearmed};
    DWORD woken;
    while ((woken = WaitForMultipleObjects(2, either, FALSE, watchdog->milliseconds)) ==
           WAIT_OBJECT_0 + 1) {
    }
    if (woken == WAIT_TIMEOUT) {
        std::fprintf(stderr, "FAILED: hang in %s, still waiting after %lu ms\n",
                     watchdog->what.load(), static_cast<unsigned long>(watchdog->milliseconds));
        std::fflush(stderr);
        if (watchdog->onHang != nullptr) {
            watchdog->onHang();
        }
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}
