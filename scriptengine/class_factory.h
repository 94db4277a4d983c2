// The class factory of the stand-in script object: one static instance, whose references and
// LockServer calls keep the DLL loaded.
#pragma once

#include <windows.h>

class ClassFactory : public IClassFactory {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) override;
    STDMETHOD(LockServer)(WINBOOL lock) override;
};

ClassFactory& ScriptClassFactory();
