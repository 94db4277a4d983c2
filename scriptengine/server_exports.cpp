// The server's exports (see harpix_script_engine.def): DllGetClassObject hands out the one class
// factory; DllCanUnloadNow lets COM unload the DLL once no object and no lock is left.
#include <windows.h>
#include <dmusici.h>

#include "class_factory.h"
#include "module.h"

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
    return ModuleInUse() ? S_FALSE : S_OK;
}
