// The DLL's live objects and server locks, counted from any thread.
#include "module.h"

#include <windows.h>

namespace {

LONG liveObjects = 0;
LONG serverLocks = 0;

}  // namespace

void ModuleAddObject() {
    InterlockedIncrement(&liveObjects);
}

void ModuleRemoveObject() {
    InterlockedDecrement(&liveObjects);
}

void ModuleLock() {
    InterlockedIncrement(&serverLocks);
}

void ModuleUnlock() {
    InterlockedDecrement(&serverLocks);
}

bool ModuleInUse() {
    return liveObjects != 0 || serverLocks != 0;
}
