// Replacements of the global nothrow new and of delete, for allocation_watch.h. They allocate
// with malloc and free with free, as the library's own operators do.
#include "allocation_watch.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

volatile LONG failNext = 0;
const void* volatile watched = nullptr;
volatile LONG watchedDeleted = 0;
std::function<void()>* onWatchedDelete = nullptr;

void* NothrowAllocate(std::size_t size) {
    if (InterlockedExchange(&failNext, 0) != 0) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void FailNextNothrowAllocation() {
    InterlockedExchange(&failNext, 1);
}

void CancelAllocationFailure() {
    InterlockedExchange(&failNext, 0);
}

void WatchForDeletion(const void* object, std::function<void()> onDelete) {
    delete onWatchedDelete;
    onWatchedDelete = new std::function<void()>(std::move(onDelete));
    InterlockedExchange(&watchedDeleted, 0);
    watched = object;
}

bool WasDeleted() {
    return InterlockedCompareExchange(&watchedDeleted, 0, 0) != 0;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return NothrowAllocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return NothrowAllocate(size);
}

void operator delete(void* object) noexcept {
    if (object != nullptr && object == watched) {
        watched = nullptr;
        if (onWatchedDelete != nullptr && *onWatchedDelete) {
            (*onWatchedDelete)();
        }
        InterlockedExchange(&watchedDeleted, 1);
    }
    std::free(object);
}

void operator delete(void* object, std::size_t) noexcept {
    operator delete(object);
}
