// ScriptObject's variable methods: the script's global variables, which all hold numbers.
#include <dmerror.h>

#include "catch_out_of_memory.h"
#include "lock_holder.h"
#include "performance_lock.h"
#include "script_object.h"
#include "wide_text.h"

namespace {

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

template <typename Action>
HRESULT ScriptObject::WithVariable(const WCHAR* name, Action action) {
    if (name == nullptr) {
        return E_POINTER;
    }
    return CatchOutOfMemory([&]() -> HRESULT {
        LockHolder hold(lock);
        if (!runtime) {
            return DMUS_E_NOT_INIT;
        }
        std::u16string key = FromWide(name);
        int32_t value;
        if (!runtime->GetVariable(key, value)) {
            return DMUS_E_SCRIPT_VARIABLE_NOT_FOUND;
        }
        return action(key, value);
    });
}

STDMETHODIMP ScriptObject::SetVariableNumber(WCHAR* variableName, LONG value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    PerformanceLock performanceLock;
    return WithVariable(variableName, [&](const std::u16string& key, int32_t) {
        runtime->SetVariable(key, value);
        return S_OK;
    });
}

// The caller's number stays as it was when there is no such variable.
STDMETHODIMP ScriptObject::GetVariableNumber(WCHAR* variableName, LONG* value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    if (value == nullptr) {
        return E_POINTER;
    }
    return WithVariable(variableName, [&](const std::u16string&, int32_t number) {
        *value = number;
        return S_OK;
    });
}

STDMETHODIMP ScriptObject::SetVariableVariant(WCHAR* variableName, VARIANT value,
                                              WINBOOL setReference, DMUS_SCRIPT_ERRORINFO*) {
    return WithVariable(variableName, [&](const std::u16string& key, int32_t) {
        LONG number;
        if (setReference || !VariantToNumber(value, number)) {
            return DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
        }
        runtime->SetVariable(key, number);
        return S_OK;
    });
}

STDMETHODIMP ScriptObject::GetVariableVariant(WCHAR* variableName, VARIANT* value,
                                              DMUS_SCRIPT_ERRORINFO*) {
    if (value == nullptr) {
        return E_POINTER;
    }
    return WithVariable(variableName, [&](const std::u16string&, int32_t number) {
        value->vt = VT_I4;
        value->lVal = number;
        return S_OK;
    });
}

// Every variable holds a number: objects are neither stored nor handed out.
STDMETHODIMP ScriptObject::SetVariableObject(WCHAR* variableName, IUnknown* value,
                                             DMUS_SCRIPT_ERRORINFO*) {
    return WithVariable(variableName, [&](const std::u16string&, int32_t) {
        return value == nullptr ? E_POINTER : DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
    });
}

STDMETHODIMP ScriptObject::GetVariableObject(WCHAR* variableName, REFIID, LPVOID* object,
                                             DMUS_SCRIPT_ERRORINFO*) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    return WithVariable(variableName, [](const std::u16string&, int32_t) {
        return DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE;
    });
}
