// No exception may cross a COM boundary: the COM methods work inside CatchOutOfMemory, which
// answers a failed allocation with E_OUTOFMEMORY. Their locks are held by scopes: none stays taken.
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
