// The DLL's count of live objects and server locks, which DllCanUnloadNow reports to COM.
#pragma once

void ModuleAddObject();
void ModuleRemoveObject();
void ModuleLock();
void ModuleUnlock();
// Whether an object or a lock is left.
bool ModuleInUse();
