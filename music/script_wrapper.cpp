// ScriptWrapper: routine calls, variable access and the script's release.
#include "script_wrapper.h"

#include "widen_text.h"

ScriptWrapper::ScriptWrapper(IDirectMusicPerformance8* performance, IDirectMusicLoader8* loader,
                             IDirectMusicScript* script)
    : script(script), loader(loader), performance(performance) {}

ScriptWrapper::~ScriptWrapper() {
    // The loader keeps every object it loaded in its cache; without this the script would
    // outlive its last release there.
    if (loader != nullptr && script != nullptr) {
        loader->ReleaseObjectByUnknown(script);
    }
    loader = nullptr;
    if (script != nullptr) {
        script->Release();
        script = nullptr;
    }
    performance = nullptr;
}

HRESULT ScriptWrapper::CallRoutine(const char* routineName) {
    WCHAR wideName[kWideNameCapacity] = {};
    if (!WidenName(wideName, routineName)) {
        return E_INVALIDARG;
    }
    if (script == nullptr) {
        return S_OK;
    }
    return script->CallRoutine(wideName, nullptr);
}

HRESULT ScriptWrapper::SetVariableNumber(const char* variableName, int32_t value) {
    WCHAR wideName[kWideNameCapacity];
    if (!WidenName(wideName, variableName)) {
        return E_INVALIDARG;
    }
    if (script == nullptr) {
        return E_UNEXPECTED;
    }
    return script->SetVariableNumber(wideName, value, nullptr);
}

HRESULT ScriptWrapper::GetVariableNumber(const char* variableName, int32_t* value) {
    WCHAR wideName[kWideNameCapacity];
    if (!WidenName(wideName, variableName)) {
        return E_INVALIDARG;
    }
    if (value == nullptr) {
        return E_POINTER;
    }
    if (script == nullptr) {
        return E_UNEXPECTED;
    }
    // The script takes a LONG; starting from the caller's value keeps it when nothing is
    // written.
    LONG number = *value;
    HRESULT result = script->GetVariableNumber(wideName, &number, nullptr);
    *value = number;
    return result;
}
