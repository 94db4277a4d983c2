// No exception may cross a COM boundary: the engine's COM methods do their work inside
// CatchOutOfMemory, which answers a failed allocation with E_OUTOFMEMORY. Every lock they take
// is held by a scope (LockHolder, PerformanceLock), so such a failure leaves none held.
#pragma once

#include <windows.h>

#include <new>

template <typename Work>
HRESULT CatchOutOfMemory(Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
