// The server's exports: DllGetClassObject hands out the one class factory; DllCanUnloadNow
// lets COM unload the DLL once no object and no lock is left.
#include "module.h"

#include <windows.h>
#include <dmusici.h>

#include "class_factory.h"

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

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualGUID(clsid, CLSID_DirectMusicScript)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return ScriptClassFactory().QueryInterface(riid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}
