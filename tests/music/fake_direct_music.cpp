// The fakes' behaviours that involve more than one of them, and the performance's message thread.
#include "fake_direct_music.h"

#include <cstdio>

#include "bounded_wait.h"
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
    const std::pair<const GUID*, const char*> names[] = {
        {&GUID_NULL, "GUID_NULL"},
        {&IID_IUnknown, "IUnknown"},
        {&GUID_DirectMusicAllTypes, "AllTypes"},
        {&CLSID_DirectMusicAudioPathConfig, "AudioPathConfig"},
        {&CLSID_DirectMusicScript, "Script"},
        {&IID_IDirectMusicScript, "IDirectMusicScript"},
        {&IID_IDirectMusicGraph, "IDirectMusicGraph"},
    };
    for (const auto& known : names) {
        if (IsEqualGUID(guid, *known.first)) {
            return known.second;
        }
    }
    return "unknown GUID";
}

std::string WhichFake(FakeDirectMusic& world, const void* object) {
    const std::pair<const void*, const char*> fakes[] = {
        {nullptr, "null"},
        {static_cast<IUnknown*>(&world.configuration), "Configuration"},
        {static_cast<IDirectMusicAudioPath*>(&world.standardPath), "StandardPath"},
        {static_cast<IDirectMusicAudioPath*>(&world.configuredPath), "ConfiguredPath"},
        {static_cast<IDirectMusicScript*>(&world.script), "Script"},
        {static_cast<IDirectMusicPerformance8*>(&world.performance), "Performance"},
    };
    for (const auto& fake : fakes) {
        if (fake.first == object) {
            return fake.second;
        }
    }
    return "other";
}

STDMETHODIMP FakeAudioPath::GetObjectInPath(DWORD channel, DWORD stage, DWORD buffer,
                                            REFGUID objectClass, WORD index, REFGUID iid,
                                            void** object) {
    HRESULT result = Record("GetObjectInPath", Args(channel, stage, buffer, GuidName(objectClass),
                                                    index, GuidName(iid)));
    *object = nullptr;
    if (SUCCEEDED(result) && !world.graphMissing) {
        world.graph.AddRef();
        *object = static_cast<IDirectMusicGraph*>(&world.graph);
    }
    return result;
}

STDMETHODIMP FakeScript::Init(IDirectMusicPerformance* performance, DMUS_SCRIPT_ERRORINFO* info) {
    return Record("Init", Args(WhichFake(world, performance), info ? "info" : "null"));
}

STDMETHODIMP FakeScript::CallRoutine(WCHAR* name, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    return Record("CallRoutine", Args(Narrow(name), info ? "info" : "null"));
}

STDMETHODIMP FakeScript::SetVariableNumber(WCHAR* name, LONG value, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    return Record("SetVariableNumber", Args(Narrow(name), value, info ? "info" : "null"));
}

STDMETHODIMP FakeScript::GetVariableNumber(WCHAR* name, LONG* value, DMUS_SCRIPT_ERRORINFO* info) {
    PerformanceLockHolder hold(world.performance);
    HRESULT result = Record("GetVariableNumber", Args(Narrow(name), info ? "info" : "null"));
    if (SUCCEEDED(result)) {
        *value = variableValue;
    }
    return result;
}

STDMETHODIMP FakeLoader::ReleaseObjectByUnknown(IUnknown* object) {
    return Record("ReleaseObjectByUnknown", WhichFake(world, object));
}

STDMETHODIMP FakeLoader::LoadObjectFromFile(REFGUID objectClass, REFIID iid, WCHAR* path,
                                            void** object) {
    lastPath = path;
    HRESULT result =
        Record("LoadObjectFromFile", Args(GuidName(objectClass), GuidName(iid), Narrow(path)));
    *object = nullptr;
    if (SUCCEEDED(result) && IsEqualGUID(objectClass, CLSID_DirectMusicScript)) {
        world.script.AddRef();
        *object = static_cast<IDirectMusicScript*>(&world.script);
    } else if (SUCCEEDED(result) && !world.configurationMissing) {
        world.configuration.AddRef();
        *object = static_cast<IUnknown*>(&world.configuration);
    }
    return result;
}

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
    }
    return 0;
}

void FakePerformance::JoinMessageThread() {
    if (messageThread == nullptr) {
        return;
    }
    if (WaitForSingleObject(messageThread, kPatience) != WAIT_OBJECT_0) {
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
    // The window as a number, spelt alike by both builds (%p is as wide as a pointer).
    std::snprintf(arguments, sizeof arguments, "%s0x%llx, %lu, %lu, 0x%lx, %lu Hz",
                  asExpected ? "" : "?, ",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
                  static_cast<unsigned long>(pathType), static_cast<unsigned long>(channelCount),
                  static_cast<unsigned long>(flags),
                  params != nullptr ? static_cast<unsigned long>(params->dwSampleRate) : 0ul);
    HRESULT result = Record("InitAudio", arguments);
    started = SUCCEEDED(result);
    if (started && pathType != 0) {
        world.standardPath.AddRef();
        defaultPath = &world.standardPath;
    }
    return result;
}

STDMETHODIMP FakePerformance::CreateAudioPath(IUnknown* configuration, WINBOOL activate,
                                              IDirectMusicAudioPath** path) {
    HRESULT result = Record("CreateAudioPath", Args(WhichFake(world, configuration), activate));
    *path = SUCCEEDED(result) ? &world.configuredPath : nullptr;
    if (*path != nullptr) {
        world.configuredPath.AddRef();
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

STDMETHODIMP FakePerformance::Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state,
                                   MUSIC_TIME time, DWORD flags) {
    EXPECT_TRUE(started) << "Stop (and then CloseDown) on a performance that never started";
    if (onStop) {
        onStop();
    }
    PerformanceLockHolder hold(*this);
    return Record("Stop",
                  Args(segment ? "segment" : "null", state ? "state" : "null", time, flags));
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
    for (IDirectMusicTool* tool : world.graph.tools) {
        tool->Release();
    }
    world.graph.tools.clear();
    if (defaultPath != nullptr) {
        defaultPath->Release();
        defaultPath = nullptr;
    }
    return result;
}

FakeDirectMusic::FakeDirectMusic() {
    CoInitialize(nullptr);
    EXPECT_EQ(CoRegisterClassObject(CLSID_DirectMusicLoader, &loaderFactory, CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &loaderCookie),
              S_OK);
    EXPECT_EQ(CoRegisterClassObject(CLSID_DirectMusicPerformance, &performanceFactory,
                                    CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &performanceCookie),
              S_OK);
}

FakeDirectMusic::~FakeDirectMusic() {
    CoRevokeClassObject(loaderCookie);
    CoRevokeClassObject(performanceCookie);
    CoUninitialize();
}

void FakeDirectMusic::ExpectNoReferencesLeft() {
    const std::pair<LONG, const char*> references[] = {
        {configuration.ExtraReferences(), "configuration"},
        {graph.ExtraReferences(), "graph"},
        {standardPath.ExtraReferences(), "standard audiopath"},
        {configuredPath.ExtraReferences(), "configured audiopath"},
        {script.ExtraReferences(), "script"},
        {loader.ExtraReferences(), "loader"},
        {performance.ExtraReferences(), "performance"},
    };
    for (const auto& reference : references) {
        EXPECT_EQ(reference.first, 0) << reference.second;
    }
    EXPECT_TRUE(graph.tools.empty()) << "the graph still holds a tool";
}
