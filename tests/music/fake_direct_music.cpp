// The fakes' recorded calls and their few behaviours.
#include "fake_direct_music.h"

#include <cstdio>

#include "lyric_message.h"

std::string Narrow(const WCHAR* text) {
    if (text == nullptr) {
        return "null";
    }
    std::string narrow;
    for (; *text != 0; ++text) {
        narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return narrow;
}

std::string GuidName(REFGUID guid) {
    static const struct {
        const GUID* guid;
        const char* name;
    } names[] = {
        {&GUID_NULL, "GUID_NULL"},
        {&IID_IUnknown, "IUnknown"},
        {&GUID_DirectMusicAllTypes, "AllTypes"},
        {&CLSID_DirectMusicAudioPathConfig, "AudioPathConfig"},
        {&CLSID_DirectMusicScript, "Script"},
        {&IID_IDirectMusicScript, "IDirectMusicScript"},
        {&IID_IDirectMusicGraph, "IDirectMusicGraph"},
        {&IID_IDirectMusicLoader8, "IDirectMusicLoader8"},
        {&IID_IDirectMusicPerformance8, "IDirectMusicPerformance8"},
    };
    for (const auto& known : names) {
        if (IsEqualGUID(guid, *known.guid)) {
            return known.name;
        }
    }
    return "unknown GUID";
}

std::string WhichFake(FakeDirectMusic& world, const void* object) {
    if (object == nullptr) {
        return "null";
    }
    const std::pair<const void*, const char*> fakes[] = {
        {static_cast<IUnknown*>(&world.configuration), "Configuration"},
        {static_cast<IDirectMusicGraph*>(&world.graph), "Graph"},
        {static_cast<IDirectMusicAudioPath*>(&world.standardPath), "StandardPath"},
        {static_cast<IDirectMusicAudioPath*>(&world.configuredPath), "ConfiguredPath"},
        {static_cast<IDirectMusicScript*>(&world.script), "Script"},
        {static_cast<IDirectMusicLoader8*>(&world.loader), "Loader"},
        {static_cast<IDirectMusicPerformance8*>(&world.performance), "Performance"},
    };
    for (const auto& fake : fakes) {
        if (fake.first == object) {
            return fake.second;
        }
    }
    return "other";
}

// --- Graph

void FakeGraph::DropTools() {
    for (IDirectMusicTool* tool : tools) {
        tool->Release();
    }
    tools.clear();
}

STDMETHODIMP FakeGraph::StampPMsg(DMUS_PMSG* message) {
    lastStamped = message;
    return stampResult;
}

STDMETHODIMP FakeGraph::InsertTool(IDirectMusicTool* tool, DWORD* channels, DWORD channelCount,
                                   LONG index) {
    HRESULT result =
        Record("InsertTool", std::string(tool != nullptr ? "tool" : "null") + ", " +
                                 (channels != nullptr ? "list" : "null") + ", " +
                                 std::to_string(channelCount) + ", " + std::to_string(index));
    if (SUCCEEDED(result) && tool != nullptr) {
        tool->AddRef();
        tools.push_back(tool);
        if (onInsert) {
            onInsert(tool);
        }
    }
    return result;
}

// --- Audiopaths

STDMETHODIMP FakeAudioPath::GetObjectInPath(DWORD channel, DWORD stage, DWORD buffer,
                                            REFGUID objectClass, WORD index, REFGUID iid,
                                            void** object) {
    HRESULT result =
        Record("GetObjectInPath", std::to_string(channel) + ", " + std::to_string(stage) + ", " +
                                      std::to_string(buffer) + ", " + GuidName(objectClass) + ", " +
                                      std::to_string(index) + ", " + GuidName(iid));
    *object = nullptr;
    if (SUCCEEDED(result) && !world.graphMissing) {
        world.graph.AddRef();
        *object = static_cast<IDirectMusicGraph*>(&world.graph);
    }
    return result;
}

// --- Script

STDMETHODIMP FakeScript::Init(IDirectMusicPerformance* performance, DMUS_SCRIPT_ERRORINFO* info) {
    return Record("Init", WhichFake(world, performance) + ", " + (info ? "info" : "null"));
}

STDMETHODIMP FakeScript::CallRoutine(WCHAR* name, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    lastName = name;
    return Record("CallRoutine", Narrow(name) + ", " + (info ? "info" : "null"));
}

STDMETHODIMP FakeScript::SetVariableNumber(WCHAR* name, LONG value, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    lastName = name;
    return Record("SetVariableNumber",
                  Narrow(name) + ", " + std::to_string(value) + ", " + (info ? "info" : "null"));
}

STDMETHODIMP FakeScript::GetVariableNumber(WCHAR* name, LONG* value, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    lastName = name;
    HRESULT result = Record("GetVariableNumber", Narrow(name) + ", " + (info ? "info" : "null"));
    if (SUCCEEDED(result)) {
        *value = variableValue;
    }
    return result;
}

// --- Loader

STDMETHODIMP FakeLoader::SetSearchDirectory(REFGUID objectClass, WCHAR* path, WINBOOL clear) {
    lastPath = path;
    return Record("SetSearchDirectory",
                  GuidName(objectClass) + ", " + Narrow(path) + ", " + std::to_string(clear));
}

STDMETHODIMP FakeLoader::ScanDirectory(REFGUID objectClass, WCHAR* extension, WCHAR* cacheFile) {
    return Record("ScanDirectory",
                  GuidName(objectClass) + ", " + Narrow(extension) + ", " + Narrow(cacheFile));
}

STDMETHODIMP_(void) FakeLoader::CollectGarbage() {
    Record("CollectGarbage", "");
}

STDMETHODIMP FakeLoader::ReleaseObjectByUnknown(IUnknown* object) {
    return Record("ReleaseObjectByUnknown", WhichFake(world, object));
}

STDMETHODIMP FakeLoader::LoadObjectFromFile(REFGUID objectClass, REFIID iid, WCHAR* path,
                                            void** object) {
    lastPath = path;
    HRESULT result = Record("LoadObjectFromFile",
                            GuidName(objectClass) + ", " + GuidName(iid) + ", " + Narrow(path));
    *object = nullptr;
    if (FAILED(result)) {
        return result;
    }
    if (IsEqualGUID(objectClass, CLSID_DirectMusicScript)) {
        world.script.AddRef();
        *object = static_cast<IDirectMusicScript*>(&world.script);
    } else if (!world.configurationMissing) {
        world.configuration.AddRef();
        *object = static_cast<IUnknown*>(&world.configuration);
    }
    return result;
}

// --- Performance

FakePerformance::FakePerformance(CallLog& log, FakeDirectMusic& world)
    : FakeUnknown(log, "Performance", IID_IDirectMusicPerformance8),
      inTool(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      world(world) {
    InitializeCriticalSection(&lock);
}

FakePerformance::~FakePerformance() {
    InterlockedExchange(&closing, 1);
    JoinMessageThread();
    CloseHandle(inTool);
    DeleteCriticalSection(&lock);
}

void FakePerformance::StartMessageThread(const std::wstring& text, LONG count) {
    lyric = text;
    lyricCount = count;
    InterlockedExchange(&closing, 0);
    messageThread = CreateThread(nullptr, 0, MessageThread, this, 0, nullptr);
}

DWORD WINAPI FakePerformance::MessageThread(void* self) {
    auto* performance = static_cast<FakePerformance*>(self);
    LyricMessage message(DMUS_PMSGT_LYRIC, performance->lyric, &performance->world.graph);
    for (LONG i = 0; performance->lyricCount == 0 || i < performance->lyricCount; ++i) {
        PerformanceLockHolder hold(*performance);
        if (InterlockedCompareExchange(&performance->closing, 0, 0) != 0) {
            break;
        }
        SetEvent(performance->inTool);
        for (IDirectMusicTool* tool : performance->world.graph.tools) {
            tool->ProcessPMsg(performance, message.Get());
        }
        InterlockedIncrement(&performance->delivered);
    }
    return 0;
}

void FakePerformance::JoinMessageThread() {
    if (messageThread == nullptr) {
        return;
    }
    if (WaitForSingleObject(messageThread, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr,
                     "FAILED: the performance's message thread is stuck in a tool: a "
                     "deadlock with the window's thread\n");
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    CloseHandle(messageThread);
    messageThread = nullptr;
}

STDMETHODIMP FakePerformance::InitAudio(IDirectMusic** music, IDirectSound** sound, HWND window,
                                        DWORD pathType, DWORD channelCount, DWORD flags,
                                        DMUS_AUDIOPARAMS* params) {
    // The parameters the engine sets; anything else set, or any object asked for, shows as "?".
    const bool asExpected = music == nullptr && sound == nullptr && params != nullptr &&
                            params->dwSize == sizeof *params && params->fInitNow &&
                            params->dwValidData == DMUS_AUDIOPARAMS_SAMPLERATE &&
                            params->dwFeatures == 0 && params->dwVoices == 0;
    char arguments[96];
    std::snprintf(arguments, sizeof arguments, "%s%p, %lu, %lu, 0x%lx, %lu Hz",
                  asExpected ? "" : "?, ", static_cast<void*>(window),
                  static_cast<unsigned long>(pathType), static_cast<unsigned long>(channelCount),
                  static_cast<unsigned long>(flags),
                  params != nullptr ? static_cast<unsigned long>(params->dwSampleRate) : 0ul);
    HRESULT result = Record("InitAudio", arguments);
    if (SUCCEEDED(result) && pathType != 0) {
        world.standardPath.AddRef();
        defaultPath = &world.standardPath;
    }
    return result;
}

STDMETHODIMP FakePerformance::CreateAudioPath(IUnknown* configuration, WINBOOL activate,
                                              IDirectMusicAudioPath** path) {
    HRESULT result = Record("CreateAudioPath",
                            WhichFake(world, configuration) + ", " + std::to_string(activate));
    *path = nullptr;
    if (SUCCEEDED(result)) {
        world.configuredPath.AddRef();
        *path = &world.configuredPath;
    }
    return result;
}

STDMETHODIMP FakePerformance::SetDefaultAudioPath(IDirectMusicAudioPath* path) {
    HRESULT result = Record("SetDefaultAudioPath", WhichFake(world, path));
    if (SUCCEEDED(result)) {
        path->AddRef();
        if (defaultPath != nullptr) {
            defaultPath->Release();
        }
        defaultPath = path;
    }
    return result;
}

STDMETHODIMP FakePerformance::GetDefaultAudioPath(IDirectMusicAudioPath** path) {
    HRESULT result = Record("GetDefaultAudioPath", "");
    *path = nullptr;
    if (SUCCEEDED(result) && defaultPath != nullptr) {
        defaultPath->AddRef();
        *path = defaultPath;
    }
    return result;
}

STDMETHODIMP FakePerformance::Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state,
                                   MUSIC_TIME time, DWORD flags) {
    if (onStop) {
        onStop();
    }
    PerformanceLockHolder hold(*this);
    return Record("Stop", std::string(segment ? "segment" : "null") + ", " +
                              (state ? "state" : "null") + ", " + std::to_string(time) + ", " +
                              std::to_string(flags));
}

STDMETHODIMP FakePerformance::CloseDown() {
    if (onStop) {
        onStop();
    }
    InterlockedExchange(&closing, 1);
    JoinMessageThread();
    PerformanceLockHolder hold(*this);
    HRESULT result = Record("CloseDown", "");
    // A performance that closes down lets go of its audiopaths and of the tools in its graph.
    world.graph.DropTools();
    if (defaultPath != nullptr) {
        defaultPath->Release();
        defaultPath = nullptr;
    }
    return result;
}

// --- Class factories and registration

STDMETHODIMP FakeClassFactory::QueryInterface(REFIID riid, void** result) {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory)) {
        *result = this;
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeClassFactory::CreateInstance(IUnknown*, REFIID riid, void** result) {
    log.Add("Create." + name);
    *result = nullptr;
    HRESULT failure = log.ResultFor("Create." + name);
    if (FAILED(failure)) {
        return failure;
    }
    return object.QueryInterface(riid, result);
}

FakeDirectMusic::FakeDirectMusic() {
    CoInitialize(nullptr);
    HRESULT result = CoRegisterClassObject(CLSID_DirectMusicLoader, &loaderFactory,
                                           CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &loaderCookie);
    EXPECT_EQ(result, S_OK) << "registering the fake loader";
    result = CoRegisterClassObject(CLSID_DirectMusicPerformance, &performanceFactory,
                                   CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &performanceCookie);
    EXPECT_EQ(result, S_OK) << "registering the fake performance";
}

FakeDirectMusic::~FakeDirectMusic() {
    CoRevokeClassObject(loaderCookie);
    CoRevokeClassObject(performanceCookie);
    CoUninitialize();
}

void FakeDirectMusic::ExpectNoReferencesLeft() {
    EXPECT_EQ(configuration.ExtraReferences(), 0) << "configuration";
    EXPECT_EQ(graph.ExtraReferences(), 0) << "graph";
    EXPECT_EQ(standardPath.ExtraReferences(), 0) << "standard audiopath";
    EXPECT_EQ(configuredPath.ExtraReferences(), 0) << "configured audiopath";
    EXPECT_EQ(script.ExtraReferences(), 0) << "script";
    EXPECT_EQ(loader.ExtraReferences(), 0) << "loader";
    EXPECT_EQ(performance.ExtraReferences(), 0) << "performance";
    EXPECT_TRUE(graph.tools.empty()) << "the graph still holds a tool";
}
