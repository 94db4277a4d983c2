// The stand-in script object: IDirectMusicScript, IDirectMusicObject and IPersistStream on one
// object and one reference count.
//
// Load reads a script file; Init compiles its source and keeps the performance (one
// reference, given back when the object goes) and starts the lyric delivery; from then on the
// routines can be called and the global variables read and written. Every method may be called
// from any thread: one lock keeps the object's state whole, and it is never held while the
// delivery thread is waited for. CallRoutine and SetVariableNumber first take the performance's
// lock, as a routine that plays or stops something does (see performance_lock.h). A call that
// cannot allocate what it needs answers E_OUTOFMEMORY.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include <memory>

#include "lyric_delivery.h"
#include "performance_host.h"
#include "reference_counted.h"
#include "script_file.h"
#include "script_runtime.h"

class ScriptObject
    : public ReferenceCounted<IDirectMusicScript, IDirectMusicObject, IPersistStream> {
public:
    // One reference, nothing loaded.
    ScriptObject();

    // IUnknown (one for all three interfaces)
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;

    // IDirectMusicScript
    STDMETHOD(Init)
    (IDirectMusicPerformance* performance, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(CallRoutine)(WCHAR* routineName, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(SetVariableVariant)
    (WCHAR* variableName, VARIANT value, WINBOOL setReference,
     DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(GetVariableVariant)
    (WCHAR* variableName, VARIANT* value, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(SetVariableNumber)
    (WCHAR* variableName, LONG value, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(GetVariableNumber)
    (WCHAR* variableName, LONG* value, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(SetVariableObject)
    (WCHAR* variableName, IUnknown* value, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(GetVariableObject)
    (WCHAR* variableName, REFIID riid, LPVOID* object, DMUS_SCRIPT_ERRORINFO* errorInfo) override;
    STDMETHOD(EnumRoutine)(DWORD index, WCHAR* name) override;
    STDMETHOD(EnumVariable)(DWORD index, WCHAR* name) override;

    // IDirectMusicObject
    STDMETHOD(GetDescriptor)(LPDMUS_OBJECTDESC descriptor) override;
    STDMETHOD(SetDescriptor)(LPDMUS_OBJECTDESC descriptor) override;
    STDMETHOD(ParseDescriptor)(LPSTREAM stream, LPDMUS_OBJECTDESC descriptor) override;

    // IPersist and IPersistStream
    STDMETHOD(GetClassID)(CLSID* classId) override;
    STDMETHOD(IsDirty)() override;
    STDMETHOD(Load)(IStream* stream) override;
    STDMETHOD(Save)(IStream* stream, WINBOOL clearDirty) override;
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER* size) override;

private:
    // Only Release deletes the object, when the last reference goes.
    ~ScriptObject() override;

    // Drops what Init made: the delivery (waited for), the runtime and the performance. Called
    // without the lock held.
    void Uninitialize();
    // EnumRoutine and EnumVariable, with the runtime's list of names to look in.
    HRESULT EnumName(bool (ScriptRuntime::*nameAt)(size_t, std::u16string&) const, DWORD index,
                     WCHAR* name);
    // The name runtime errors give as their source: the loader's file name, else the script's.
    std::u16string SourceName() const;
    // Under the object's lock, with the script initialised and its global variable `name`
    // found: `action(key, value)` with the variable's name and value.
    template <typename Action>
    HRESULT WithVariable(const WCHAR* name, Action action);

    CRITICAL_SECTION lock;
    bool loaded = false;
    ScriptFile file;
    DMUS_OBJECTDESC descriptor;
    IDirectMusicPerformance* performance = nullptr;
    LyricDelivery* delivery = nullptr;
    std::unique_ptr<ScriptRuntime> runtime;
    PerformanceHost host;
};
