// ClassFactory: makes ScriptObjects; no aggregation.
#include "class_factory.h"

#include <new>

#include "module.h"
#include "script_object.h"

ClassFactory& ScriptClassFactory() {
    static ClassFactory factory;
    return factory;
}

STDMETHODIMP ClassFactory::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The factory is never deleted: its references only keep the DLL loaded.
STDMETHODIMP_(ULONG) ClassFactory::AddRef() {
    ModuleLock();
    return 2;
}

STDMETHODIMP_(ULONG) ClassFactory::Release() {
    ModuleUnlock();
    return 1;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    ScriptObject* script = new (std::nothrow) ScriptObject();
    if (script == nullptr) {
        return E_OUTOFMEMORY;
    }
    // The new object's own reference goes once the caller has the one it asked for (or none).
    HRESULT result = script->QueryInterface(riid, object);
    script->Release();
    return result;
}

STDMETHODIMP ClassFactory::LockServer(WINBOOL lock) {
    if (lock) {
        ModuleLock();
    } else {
        ModuleUnlock();
    }
    return S_OK;
}
