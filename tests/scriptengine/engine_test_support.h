// Helpers of the engine's Windows-side tests: the engine DLL itself, reached as COM reaches it
// (DllGetClassObject, the class factory), script files in memory streams, and a real Wine
// performance with a graph of its own.
#pragma once

#include <windows.h>
#include <dmusici.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The engine DLL beside the test program, loaded once for the whole run.
HRESULT EngineGetClassObject(REFCLSID clsid, REFIID riid, void** object);
HRESULT EngineCanUnloadNow();

// A new script object of the engine, asked for `riid`; fails the test if it cannot be made.
template <typename Interface>
Interface* NewEngineObject(REFIID riid) {
    IClassFactory* factory = nullptr;
    HRESULT result = EngineGetClassObject(CLSID_DirectMusicScript, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory));
    EXPECT_EQ(result, S_OK) << "DllGetClassObject gave " << std::hex << result;
    if (factory == nullptr) {
        return nullptr;
    }
    Interface* object = nullptr;
    result = factory->CreateInstance(nullptr, riid, reinterpret_cast<void**>(&object));
    EXPECT_EQ(result, S_OK) << "CreateInstance gave " << std::hex << result;
    factory->Release();
    return object;
}

// A script file holding `source`, named "Test", whose container holds objects of these aliases.
std::vector<uint8_t> ScriptFileBytes(const std::string& source,
                                     const std::vector<std::string>& objects = {});
// An IStream over a copy of `bytes`, positioned at the start.
IStream* MemoryStream(const std::vector<uint8_t>& bytes);

// A script object with `bytes` loaded (asserting that Load succeeded).
IDirectMusicScript* LoadedScript(const std::vector<uint8_t>& bytes);

// Wine's own performance, not started (no audio needed), with a graph of its own set unless
// `withGraph` is false.
class TestPerformance {
public:
    explicit TestPerformance(bool withGraph = true);
    ~TestPerformance();
    IDirectMusicPerformance8* Get() const { return performance; }
    IDirectMusicGraph* Graph() const { return graph; }

    TestPerformance(const TestPerformance&) = delete;
    TestPerformance& operator=(const TestPerformance&) = delete;

private:
    IDirectMusicPerformance8* performance = nullptr;
    IDirectMusicGraph* graph = nullptr;
};

// An initialised script of `source` on `performance`.
IDirectMusicScript* InitialisedScript(const std::string& source,
                                      IDirectMusicPerformance* performance);

// The UTF-16 form of an ASCII or UTF-8 test text, for COM's WCHAR* parameters.
std::wstring W(const std::string& utf8);

// The references an object has, seen by taking one and giving it back.
ULONG References(IUnknown* object);

// Ends the whole test process with a message if it is still alive after `milliseconds`: a
// wait that cannot be bounded any other way (a thread stuck in SendMessageA, a Release that
// never returns) fails the run instead of hanging it.
class Watchdog {
public:
    Watchdog(const char* what, DWORD milliseconds);
    ~Watchdog();

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    const char* what;
    DWORD milliseconds;
    HANDLE done;
    HANDLE thread;
};

// COM for each test, on the test's thread: begun in the constructor and ended in the
// destructor, so that the COM objects of the test's own members live inside it.
class ComTest : public ::testing::Test {
protected:
    ComTest() { CoInitialize(nullptr); }
    ~ComTest() override { CoUninitialize(); }
};
