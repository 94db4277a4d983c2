// Bounded waits for the programs that drive others: a wait for a condition, and a watchdog that
// turns a hang into a failed run instead of a run that never ends.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

// Long enough for a busy machine: only a real hang reaches it.
constexpr DWORD kPatience = 30000;

// Serves the messages queued for this thread.
void ServeMessages();

// Serves this thread's messages until `done` holds or `milliseconds` have passed; returns
// whether `done` held.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = kPatience);

// Ends the whole process with a message if it is still alive after `milliseconds`: a wait that
// cannot be bounded any other way (a thread stuck in a lock) fails instead of hanging. `onHang`,
// when given, runs first: a driver ends there what it started.
class Watchdog {
public:
    explicit Watchdog(const char* what, DWORD milliseconds = kPatience, void (*onHang)() = nullptr);
    ~Watchdog();
    // Starts the `milliseconds` again, now for `what` (which must outlive the watchdog).
    void Rearm(const char* what);

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    std::atomic<const char*> what;
    DWORD milliseconds;
    void (*onHang)();
    HANDLE done;
    HANDLE rearmed;
    HANDLE thread;
};
