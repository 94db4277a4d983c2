// ScriptObject: the object itself, Init and the routines.
#include "script_object.h"

#include <dmerror.h>

#include <cstring>
#include <memory>
#include <utility>

#include "catch_out_of_memory.h"
#include "error_info.h"
#include "lock_holder.h"
#include "module.h"
#include "performance_lock.h"
#include "script_compiler.h"
#include "script_text.h"
#include "wide_text.h"

ScriptObject::ScriptObject() {
    InitializeCriticalSection(&lock);
    std::memset(&descriptor, 0, sizeof descriptor);
    descriptor.dwSize = sizeof descriptor;
    descriptor.dwValidData = DMUS_OBJ_CLASS;
    descriptor.guidClass = CLSID_DirectMusicScript;
    ModuleAddObject();
}

ScriptObject::~ScriptObject() {
    Uninitialize();
    DeleteCriticalSection(&lock);
    ModuleRemoveObject();
}

void ScriptObject::Uninitialize() {
    LyricDelivery* stopping;
    IDirectMusicPerformance* released;
    {
        LockHolder hold(lock);
        stopping = delivery;
        released = performance;
        delivery = nullptr;
        performance = nullptr;
        runtime.reset();
        host.Attach(nullptr, nullptr);
    }
    // Outside the lock: a tool that sends to this thread's windows during a delivery needs this
    // thread to serve it (see LyricDelivery), and one that calls the script must find it free.
    if (stopping != nullptr) {
        stopping->ShutDown();
    }
    if (released != nullptr) {
        released->Release();
    }
}

// ---- IUnknown ----

STDMETHODIMP ScriptObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDirectMusicScript)) {
        *object = static_cast<IDirectMusicScript*>(this);
    } else if (IsEqualGUID(riid, IID_IDirectMusicObject)) {
        *object = static_cast<IDirectMusicObject*>(this);
    } else if (IsEqualGUID(riid, IID_IPersistStream) || IsEqualGUID(riid, IID_IPersist)) {
        *object = static_cast<IPersistStream*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// ---- IDirectMusicScript ----

STDMETHODIMP ScriptObject::Init(IDirectMusicPerformance* newPerformance,
                                DMUS_SCRIPT_ERRORINFO* errorInfo) {
    if (newPerformance == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        LockHolder hold(lock);
        if (!loaded) {
            return DMUS_E_NOT_LOADED;
        }
        if (runtime) {
            return newPerformance == performance ? S_OK : DMUS_E_ALREADY_INITED;
        }
        if (!ScriptLanguageSupported(file.language)) {
            return DMUS_E_SCRIPT_LANGUAGE_INCOMPATIBLE;
        }
        Program program;
        ScriptError error;
        if (!CompileScriptFile(file, program, error)) {
            FillErrorInfo(errorInfo, DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR, ErrorStage::Compilation,
                          error, SourceName());
            return DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR;
        }
        auto compiled = std::make_unique<ScriptRuntime>(std::move(program), file.source);
        delivery = LyricDelivery::Start(newPerformance);
        if (delivery == nullptr) {
            return E_OUTOFMEMORY;
        }
        performance = newPerformance;
        performance->AddRef();
        runtime = std::move(compiled);
        host.Attach(performance, delivery);
        return S_OK;
    });
}

STDMETHODIMP ScriptObject::CallRoutine(WCHAR* routineName, DMUS_SCRIPT_ERRORINFO* errorInfo) {
    if (routineName == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        // Before the object's lock, always: the delivery thread holds the performance's lock
        // while a tool may call this object.
        PerformanceLock performanceLock;
        LockHolder hold(lock);
        if (!runtime) {
            return DMUS_E_NOT_INIT;
        }
        ScriptError error;
        switch (runtime->CallRoutine(FromWide(routineName), host, error)) {
            case RunResult::Ok:
                return S_OK;
            case RunResult::RoutineNotFound:
                return DMUS_E_SCRIPT_ROUTINE_NOT_FOUND;
            case RunResult::RuntimeError:
                break;
        }
        FillErrorInfo(errorInfo, DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR, ErrorStage::Runtime, error,
                      SourceName());
        return DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR;
    });
}

STDMETHODIMP ScriptObject::EnumRoutine(DWORD index, WCHAR* name) {
    return EnumName(&ScriptRuntime::RoutineName, index, name);
}

STDMETHODIMP ScriptObject::EnumVariable(DWORD index, WCHAR* name) {
    return EnumName(&ScriptRuntime::VariableName, index, name);
}

HRESULT ScriptObject::EnumName(bool (ScriptRuntime::*nameAt)(size_t, std::u16string&) const,
                               DWORD index, WCHAR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        LockHolder hold(lock);
        if (!runtime) {
            return DMUS_E_NOT_INIT;
        }
        std::u16string found;
        if (!((*runtime).*nameAt)(index, found)) {
            return S_FALSE;
        }
        CopyToWide(found, name, DMUS_MAX_NAME);
        return S_OK;
    });
}

std::u16string ScriptObject::SourceName() const {
    if (descriptor.dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH)) {
        return FromWide(descriptor.wszFileName, DMUS_MAX_FILENAME);
    }
    return file.name;
}
