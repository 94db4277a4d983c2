// ScriptWrapper: one loaded DirectMusic script, its routines and numeric variables called by
// their ANSI names.
//
// The wrapper owns the script's reference and borrows the engine's loader and performance
// without references, so it must be deleted before the engine. Results of the script are passed
// on unchanged; no error information is ever collected. A name that is null or too long for the
// 260-unit conversion buffer gives E_INVALIDARG without a call to the script.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include <cstdint>

class ScriptWrapper {
public:
    // Stores the three pointers; takes over the script's reference and no other.
    ScriptWrapper(IDirectMusicPerformance8* performance, IDirectMusicLoader8* loader,
                  IDirectMusicScript* script);
    // Drops the script from the loader's cache, then releases it.
    virtual ~ScriptWrapper();

    // S_OK without a call when the wrapper holds no script.
    HRESULT CallRoutine(const char* routineName);
    HRESULT SetVariableNumber(const char* variableName, int32_t value);
    // `value` keeps what it held when the script does not write it.
    HRESULT GetVariableNumber(const char* variableName, int32_t* value);

    ScriptWrapper(const ScriptWrapper&) = delete;
    ScriptWrapper& operator=(const ScriptWrapper&) = delete;

private:
    IDirectMusicScript* script;
    IDirectMusicLoader8* loader;
    IDirectMusicPerformance8* performance;
};
