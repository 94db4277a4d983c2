// A critical section held for one scope, so that no return path (nor an exception) leaves it
// held. The music engine's lyric tool and the stand-in script engine's objects guard their state
// with it.
#pragma once

#include <windows.h>

class LockHolder {
public:
    explicit LockHolder(CRITICAL_SECTION& lock) : held(lock) { EnterCriticalSection(&held); }
    ~LockHolder() { LeaveCriticalSection(&held); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    CRITICAL_SECTION& held;
};
