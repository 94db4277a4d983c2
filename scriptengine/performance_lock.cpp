// PerformanceLock: one critical section for the whole process, never deleted (the DLL stays
// loaded while a delivery thread runs, and nothing else can hold it at unload).
#include "performance_lock.h"

namespace {

CRITICAL_SECTION& TheLock() {
    // Made on first use; C++ guarantees that only one thread makes it.
    static CRITICAL_SECTION* lock = [] {
        static CRITICAL_SECTION section;
        InitializeCriticalSection(&section);
        return &section;
    }();
    return *lock;
}

}  // namespace

PerformanceLock::PerformanceLock() {
    EnterCriticalSection(&TheLock());
}

PerformanceLock::~PerformanceLock() {
    LeaveCriticalSection(&TheLock());
}
