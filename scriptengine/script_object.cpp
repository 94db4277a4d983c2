// ScriptObject: the three interfaces over one script file, one compiled program and one lock.
#include "script_object.h"

#include <dmerror.h>

#include <cstring>
#include <new>
#include <vector>

#include "error_info.h"
#include "module.h"
#include "object_descriptor.h"
#include "performance_lock.h"
#include "script_compiler.h"
#include "script_text.h"
#include "stream_reading.h"
#include "wide_text.h"

namespace {

// RAII for the object's lock, so that no return path leaves it held.
class LockHolder {
public:
    explicit LockHolder(CRITICAL_SECTION& lock) : held(lock) { EnterCriticalSection(&held); }
    ~LockHolder() { LeaveCriticalSection(&held); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    CRITICAL_SECTION& held;
};

// The languages whose scripts this engine takes: DirectMusic's own, and VBScript, of which it
// is a subset. A file that names none is taken as AudioVBScript, DirectMusic's default.
bool LanguageSupported(const std::u16string& language) {
    return language.empty() || IsWord(language, "AudioVBScript") || IsWord(language, "VBScript");
}

// The integer kinds of VARIANT a numeric variable can take.
bool VariantToNumber(const VARIANT& value, LONG& number) {
    switch (value.vt) {
        case VT_EMPTY:
            number = 0;
            return true;
        case VT_I1:
            number = value.cVal;
            return true;
        case VT_UI1:
            number = value.bVal;
            return true;
        case VT_I2:
            number = value.iVal;
            return true;
        case VT_UI2:
            number = value.uiVal;
            return true;
        case VT_BOOL:
            number = value.boolVal;
            return true;
        case VT_I4:
            number = value.lVal;
            return true;
        case VT_INT:
            number = value.intVal;
            return true;
        case VT_UI4:
            if (value.ulVal > 0x7FFFFFFFu) {
                return false;
            }
            number = static_cast<LONG>(value.ulVal);
            return true;
        default:
            return false;
    }
}

}  // namespace

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
    // Outside the lock: a tool blocked in a delivery may need this thread (see LyricDelivery),
    // and must not find the object's lock taken if it calls the script meanwhile.
    if (stopping != nullptr) {
        stopping->Stop();
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

STDMETHODIMP_(ULONG) ScriptObject::AddRef() {
    return InterlockedIncrement(&refCount);
}

STDMETHODIMP_(ULONG) ScriptObject::Release() {
    ULONG ref = InterlockedDecrement(&refCount);
    if (ref == 0) {
        delete this;
    }
    return ref;
}

// ---- IDirectMusicScript ----

STDMETHODIMP ScriptObject::Init(IDirectMusicPerformance* newPerformance,
                                DMUS_SCRIPT_ERRORINFO* errorInfo) {
    if (newPerformance == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    if (!loaded) {
        return DMUS_E_NOT_LOADED;
    }
    if (runtime) {
        return newPerformance == performance ? S_OK : DMUS_E_ALREADY_INITED;
    }
    if (!LanguageSupported(file.language)) {
        return DMUS_E_SCRIPT_LANGUAGE_INCOMPATIBLE;
    }
    Program program;
    ScriptError error;
    if (!CompileScriptFile(file, program, error)) {
        FillErrorInfo(errorInfo, DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR, ErrorStage::Compilation, error,
                      SourceName());
        return DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR;
    }
    std::unique_ptr<ScriptRuntime> compiled(new (std::nothrow)
                                                ScriptRuntime(std::move(program), file.source));
    if (!compiled) {
        return E_OUTOFMEMORY;
    }
    delivery = LyricDelivery::Start(newPerformance);
    if (delivery == nullptr) {
        return E_OUTOFMEMORY;
    }
    performance = newPerformance;
    performance->AddRef();
    runtime = std::move(compiled);
    host.Attach(performance, delivery);
    return S_OK;
}

STDMETHODIMP ScriptObject::CallRoutine(WCHAR* routineName, DMUS_SCRIPT_ERRORINFO* errorInfo) {
    if (routineName == nullptr) {
        return E_POINTER;
    }
    // Before the object's lock, always: the delivery thread holds the performance's lock while
    // a tool may call this object.
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
}

HRESULT ScriptObject::CheckVariableCall(const WCHAR* name) const {
    if (name == nullptr) {
        return E_POINTER;
    }
    return runtime ? S_OK : DMUS_E_NOT_INIT;
}

STDMETHODIMP ScriptObject::SetVariableNumber(WCHAR* variableName, LONG value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    PerformanceLock performanceLock;
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    return runtime->SetVariable(FromWide(variableName), value) ? S_OK
                                                               : DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
}

STDMETHODIMP ScriptObject::GetVariableNumber(WCHAR* variableName, LONG* value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    if (value == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    // The caller's number stays as it was when there is no such variable.
    int32_t number;
    if (!runtime->GetVariable(FromWide(variableName), number)) {
        return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
    }
    *value = number;
    return S_OK;
}

STDMETHODIMP ScriptObject::SetVariableVariant(WCHAR* variableName, VARIANT value,
                                              WINBOOL setReference, DMUS_SCRIPT_ERRORINFO*) {
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    int32_t unused;
    if (!runtime->GetVariable(FromWide(variableName), unused)) {
        return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
    }
    LONG number;
    if (setReference || !VariantToNumber(value, number)) {
        return DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
    }
    runtime->SetVariable(FromWide(variableName), number);
    return S_OK;
}

STDMETHODIMP ScriptObject::GetVariableVariant(WCHAR* variableName, VARIANT* value,
                                              DMUS_SCRIPT_ERRORINFO*) {
    if (value == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    int32_t number;
    if (!runtime->GetVariable(FromWide(variableName), number)) {
        return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
    }
    value->vt = VT_I4;
    value->lVal = number;
    return S_OK;
}

// Every variable holds a number: objects are neither stored nor handed out.
STDMETHODIMP ScriptObject::SetVariableObject(WCHAR* variableName, IUnknown* value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    int32_t unused;
    if (!runtime->GetVariable(FromWide(variableName), unused)) {
        return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
    }
    return value == nullptr ? E_POINTER : DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
}

STDMETHODIMP ScriptObject::GetVariableObject(WCHAR* variableName, REFIID, LPVOID* object,
                                             DMUS_SCRIPT_ERRORINFO*) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    LockHolder hold(lock);
    HRESULT checked = CheckVariableCall(variableName);
    if (FAILED(checked)) {
        return checked;
    }
    int32_t unused;
    if (!runtime->GetVariable(FromWide(variableName), unused)) {
        return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
    }
    return DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
}

STDMETHODIMP ScriptObject::EnumRoutine(DWORD index, WCHAR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    if (!runtime) {
        return DMUS_E_NOT_INIT;
    }
    std::u16string found;
    if (!runtime->RoutineName(index, found)) {
        return S_FALSE;
    }
    CopyToWide(found, name, DMUS_MAX_NAME);
    return S_OK;
}

STDMETHODIMP ScriptObject::EnumVariable(DWORD index, WCHAR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    if (!runtime) {
        return DMUS_E_NOT_INIT;
    }
    std::u16string found;
    if (!runtime->VariableName(index, found)) {
        return S_FALSE;
    }
    CopyToWide(found, name, DMUS_MAX_NAME);
    return S_OK;
}

std::u16string ScriptObject::SourceName() const {
    if (descriptor.dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH)) {
        return FromWide(descriptor.wszFileName, DMUS_MAX_FILENAME);
    }
    return file.name;
}

// ---- IDirectMusicObject ----

STDMETHODIMP ScriptObject::GetDescriptor(LPDMUS_OBJECTDESC result) {
    if (result == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    DWORD size = result->dwSize;
    *result = descriptor;
    result->dwSize = size;
    return S_OK;
}

STDMETHODIMP ScriptObject::SetDescriptor(LPDMUS_OBJECTDESC given) {
    if (given == nullptr) {
        return E_POINTER;
    }
    LockHolder hold(lock);
    DWORD refused = MergeDescriptor(*given, descriptor);
    if (refused != 0) {
        // As DirectMusic's objects answer: the caller learns which fields were not taken.
        given->dwValidData &= ~refused;
        return S_FALSE;
    }
    return S_OK;
}

STDMETHODIMP ScriptObject::ParseDescriptor(LPSTREAM stream, LPDMUS_OBJECTDESC result) {
    if (stream == nullptr || result == nullptr) {
        return E_POINTER;
    }
    std::vector<uint8_t> bytes;
    ScriptFile parsed;
    if (!ReadRiffFromStream(stream, bytes) ||
        ReadScriptFile(bytes.data(), bytes.size(), parsed) != ScriptFileFault::None) {
        return DMUS_E_SCRIPT_INVALID_FILE;
    }
    DWORD size = result->dwSize;
    std::memset(result, 0, sizeof *result);
    result->dwSize = size;
    DescribeFile(parsed, *result);
    return S_OK;
}

// ---- IPersistStream ----

STDMETHODIMP ScriptObject::GetClassID(CLSID* classId) {
    if (classId == nullptr) {
        return E_POINTER;
    }
    *classId = CLSID_DirectMusicScript;
    return S_OK;
}

STDMETHODIMP ScriptObject::IsDirty() {
    return S_FALSE;
}

STDMETHODIMP ScriptObject::Load(IStream* stream) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    std::vector<uint8_t> bytes;
    ScriptFile parsed;
    if (!ReadRiffFromStream(stream, bytes) ||
        ReadScriptFile(bytes.data(), bytes.size(), parsed) != ScriptFileFault::None) {
        return DMUS_E_SCRIPT_INVALID_FILE;
    }
    // A script loaded anew must be initialised anew.
    Uninitialize();
    LockHolder hold(lock);
    file = std::move(parsed);
    loaded = true;
    DescribeFile(file, descriptor);
    descriptor.dwValidData |= DMUS_OBJ_LOADED;
    return S_OK;
}

STDMETHODIMP ScriptObject::Save(IStream*, WINBOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP ScriptObject::GetSizeMax(ULARGE_INTEGER*) {
    return E_NOTIMPL;
}
