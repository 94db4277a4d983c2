// The COM contract of the stand-in script object and its server: interfaces on one identity
// and one reference count, no aggregation, the factory, DllCanUnloadNow and IPersistStream's
// small methods.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>

#include "engine_test_support.h"

namespace {

class ComContractTest : public ComTest {};

struct InterfaceRow {
    const char* name;
    const IID* iid;
};

TEST_F(ComContractTest, TheScriptInterfacesShareOneIdentity) {
    IUnknown* object = NewEngineObject<IUnknown>(IID_IUnknown);
    ASSERT_NE(object, nullptr);
    const InterfaceRow rows[] = {
        {"IUnknown", &IID_IUnknown},
        {"IDirectMusicScript", &IID_IDirectMusicScript},
        {"IDirectMusicObject", &IID_IDirectMusicObject},
        {"IPersistStream", &IID_IPersistStream},
        {"IPersist", &IID_IPersist},
    };
    for (const InterfaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        IUnknown* asked = nullptr;
        ASSERT_EQ(object->QueryInterface(*row.iid, reinterpret_cast<void**>(&asked)), S_OK);
        ASSERT_NE(asked, nullptr);
        // Back to IUnknown from there: always the same pointer.
        IUnknown* identity = nullptr;
        asked->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
        EXPECT_EQ(identity, object);
        identity->Release();
        EXPECT_EQ(References(object), 2u) << "one count for every interface";
        asked->Release();
    }
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(ComContractTest, OtherInterfacesAreRefusedWithANullPointer) {
    IUnknown* object = NewEngineObject<IUnknown>(IID_IUnknown);
    ASSERT_NE(object, nullptr);
    const InterfaceRow rows[] = {
        {"IDirectMusicTool", &IID_IDirectMusicTool},
        {"IDirectMusicSegment", &IID_IDirectMusicSegment},
        {"IClassFactory", &IID_IClassFactory},
        {"IDispatch", &IID_IDispatch},
        {"IStream", &IID_IStream},
    };
    for (const InterfaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        void* asked = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(object->QueryInterface(*row.iid, &asked), E_NOINTERFACE);
        EXPECT_EQ(asked, nullptr);
    }
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(References(object), 1u) << "a refused interface kept a reference";
    object->Release();
}

TEST_F(ComContractTest, ReferencesTakenThroughAnyInterfaceAddUp) {
    IDirectMusicScript* script = NewEngineObject<IDirectMusicScript>(IID_IDirectMusicScript);
    ASSERT_NE(script, nullptr);
    IDirectMusicObject* object = nullptr;
    script->QueryInterface(IID_IDirectMusicObject, reinterpret_cast<void**>(&object));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->AddRef(), 3u);
    EXPECT_EQ(script->Release(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(ComContractTest, TheFactoryRefusesAggregation) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(EngineGetClassObject(CLSID_DirectMusicScript, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)),
              S_OK);
    IUnknown* outer = NewEngineObject<IUnknown>(IID_IUnknown);  // any object will do
    void* object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDirectMusicTool, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    outer->Release();
    factory->Release();
}

TEST_F(ComContractTest, OnlyTheScriptClassIsServed) {
    void* object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(EngineGetClassObject(CLSID_DirectMusicSegment, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(EngineGetClassObject(CLSID_DirectMusicScript, IID_IDirectMusicScript, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(EngineGetClassObject(CLSID_DirectMusicScript, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ComContractTest, TheServerStaysLoadedWhileAnythingOfItIsInUse) {
    ASSERT_EQ(EngineCanUnloadNow(), S_OK) << "an earlier test left an object alive";
    IUnknown* object = NewEngineObject<IUnknown>(IID_IUnknown);
    EXPECT_EQ(EngineCanUnloadNow(), S_FALSE) << "with a live object";
    object->Release();
    EXPECT_EQ(EngineCanUnloadNow(), S_OK);

    IClassFactory* factory = nullptr;
    EngineGetClassObject(CLSID_DirectMusicScript, IID_IClassFactory,
                         reinterpret_cast<void**>(&factory));
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(EngineCanUnloadNow(), S_FALSE) << "with the factory held";
    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(EngineCanUnloadNow(), S_FALSE) << "with the server locked";
    factory->LockServer(FALSE);
    EXPECT_EQ(EngineCanUnloadNow(), S_OK);
}

TEST_F(ComContractTest, PersistStreamReportsItsClassAndDoesNotSave) {
    IPersistStream* persist = NewEngineObject<IPersistStream>(IID_IPersistStream);
    ASSERT_NE(persist, nullptr);
    CLSID classId = GUID_NULL;
    EXPECT_EQ(persist->GetClassID(&classId), S_OK);
    EXPECT_TRUE(IsEqualGUID(classId, CLSID_DirectMusicScript));
    EXPECT_EQ(persist->GetClassID(nullptr), E_POINTER);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    IStream* stream = MemoryStream({});
    EXPECT_EQ(persist->Save(stream, TRUE), E_NOTIMPL);
    ULARGE_INTEGER size;
    EXPECT_EQ(persist->GetSizeMax(&size), E_NOTIMPL);
    EXPECT_EQ(persist->Load(nullptr), E_POINTER);
    stream->Release();
    persist->Release();
}

}  // namespace
