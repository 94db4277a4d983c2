// Test hooks into the program's heap: make the next nothrow allocation fail, and see when one
// object is deleted. Work through replacements of the global operators new and delete.
#pragma once

#include <functional>

// The next `new (std::nothrow)`, of an object or of an array, on any thread, returns null.
void FailNextNothrowAllocation();
// Undoes FailNextNothrowAllocation if nothing has used it up.
void CancelAllocationFailure();

// Reports the deletion of the object at `object`: WasDeleted turns true and `onDelete` runs
// (on the deleting thread, before the memory is freed).
void WatchForDeletion(const void* object, std::function<void()> onDelete = {});
bool WasDeleted();
