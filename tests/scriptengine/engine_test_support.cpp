// The engine DLL, memory streams, the test performance and the watchdog.
#include "engine_test_support.h"

#include <cstdio>
#include <cstring>

#include "riff_writer.h"
#include "script_file_writer.h"
#include "script_text.h"

namespace {

using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(WINAPI*)();

HMODULE Engine() {
    // Copied beside the test program by the build; found there first by LoadLibrary.
    static HMODULE module = LoadLibraryA("harpix_script_engine.dll");
    return module;
}

template <typename Function>
Function Export(const char* name) {
    HMODULE module = Engine();
    if (module == nullptr) {
        ADD_FAILURE() << "harpix_script_engine.dll did not load: error " << GetLastError();
        return nullptr;
    }
    Function function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    EXPECT_NE(function, nullptr) << name << " is not exported";
    return function;
}

}  // namespace

HRESULT EngineGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    GetClassObject function = Export<GetClassObject>("DllGetClassObject");
    return function != nullptr ? function(clsid, riid, object) : E_FAIL;
}

HRESULT EngineCanUnloadNow() {
    CanUnloadNow function = Export<CanUnloadNow>("DllCanUnloadNow");
    return function != nullptr ? function() : E_FAIL;
}

std::wstring W(const std::string& utf8) {
    std::u16string text;
    EXPECT_TRUE(Utf8ToUtf16(utf8, text));
    return std::wstring(text.begin(), text.end());
}

std::vector<uint8_t> ScriptFileBytes(const std::string& source,
                                     const std::vector<std::string>& objects) {
    ScriptFileContents contents;
    contents.name = u"Test";
    Utf8ToUtf16(source, contents.source);
    std::vector<uint8_t> bytes = WriteScriptFile(contents);
    if (objects.empty()) {
        return bytes;
    }
    // The writer's container is empty: a second container with the objects goes on the end of
    // the form, and as the later one it is the one read.
    RiffWriter container;
    container.BeginRiff(kContainerForm);
    container.BeginList(kContainedObjectsList);
    for (const std::string& alias : objects) {
        std::u16string wide;
        Utf8ToUtf16(alias, wide);
        container.BeginList(kContainedObjectList);
        container.TextChunk(kContainedAliasChunk, wide);
        container.End();
    }
    container.End();
    container.End();
    const std::vector<uint8_t>& extra = container.Bytes();
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    uint32_t size = static_cast<uint32_t>(bytes.size() - 8);
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = static_cast<uint8_t>((size >> (8 * i)) & 0xFF);
    }
    return bytes;
}

IStream* MemoryStream(const std::vector<uint8_t>& bytes) {
    IStream* stream = nullptr;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    EXPECT_EQ(result, S_OK) << "CreateStreamOnHGlobal gave " << std::hex << result;
    if (stream == nullptr) {
        return nullptr;
    }
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

IDirectMusicScript* LoadedScript(const std::vector<uint8_t>& bytes) {
    IPersistStream* persist = NewEngineObject<IPersistStream>(IID_IPersistStream);
    if (persist == nullptr) {
        return nullptr;
    }
    IStream* stream = MemoryStream(bytes);
    HRESULT result = persist->Load(stream);
    EXPECT_EQ(result, S_OK) << "Load gave " << std::hex << result;
    stream->Release();
    IDirectMusicScript* script = nullptr;
    persist->QueryInterface(IID_IDirectMusicScript, reinterpret_cast<void**>(&script));
    persist->Release();
    return script;
}

IDirectMusicScript* InitialisedScript(const std::string& source,
                                      IDirectMusicPerformance* performance) {
    IDirectMusicScript* script = LoadedScript(ScriptFileBytes(source));
    if (script == nullptr) {
        return nullptr;
    }
    HRESULT result = script->Init(performance, nullptr);
    EXPECT_EQ(result, S_OK) << "Init gave " << std::hex << result;
    return script;
}

TestPerformance::TestPerformance(bool withGraph) {
    HRESULT result =
        CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                         IID_IDirectMusicPerformance8, reinterpret_cast<void**>(&performance));
    EXPECT_EQ(result, S_OK) << "no performance: " << std::hex << result;
    if (!withGraph) {
        return;
    }
    result = CoCreateInstance(CLSID_DirectMusicGraph, nullptr, CLSCTX_INPROC, IID_IDirectMusicGraph,
                              reinterpret_cast<void**>(&graph));
    EXPECT_EQ(result, S_OK) << "no graph: " << std::hex << result;
    if (performance != nullptr && graph != nullptr) {
        result = performance->SetGraph(graph);
        EXPECT_EQ(result, S_OK) << "SetGraph gave " << std::hex << result;
    }
}

TestPerformance::~TestPerformance() {
    if (performance != nullptr) {
        performance->CloseDown();
        performance->Release();
    }
    if (graph != nullptr) {
        graph->Release();
    }
}

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

Watchdog::Watchdog(const char* what, DWORD milliseconds)
    : what(what), milliseconds(milliseconds), done(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done, watchdog->milliseconds) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "FAILED: hang in %s, still waiting after %lu ms\n", watchdog->what,
                     static_cast<unsigned long>(watchdog->milliseconds));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}
