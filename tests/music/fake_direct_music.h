// Fake DirectMusic for the engine's and the window's tests: a loader, a performance, audiopaths,
// a graph, a script and an audiopath configuration that record their calls in one CallLog and
// fail any call they are told to. FakeDirectMusic puts the loader and the performance in place
// of the real ones with CoRegisterClassObject, so that the engine's own CoCreateInstance finds
// them. A call no fake expects fails the test.
#pragma once

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

using Calls = std::vector<std::string>;

// Calls come from the test's thread and from the performance's message thread.
class CallLog {
public:
    void Add(const std::string& call) {
        std::lock_guard<std::mutex> hold(lock);
        calls.push_back(call);
    }
    // The calls so far, forgetting them.
    Calls Take() {
        std::lock_guard<std::mutex> hold(lock);
        return std::move(calls);
    }
    // From now on the call named `call` (as logged, up to its argument list) returns `result`.
    void Fail(const std::string& call, HRESULT result) {
        std::lock_guard<std::mutex> hold(lock);
        results[call] = result;
    }
    HRESULT ResultFor(const std::string& call) {
        std::lock_guard<std::mutex> hold(lock);
        auto found = results.find(call);
        return found == results.end() ? S_OK : found->second;
    }

private:
    std::mutex lock;
    Calls calls;
    std::map<std::string, HRESULT> results;
};

// Short readable forms of call arguments: ASCII text ('?' for anything else), known GUIDs, and
// a list of them as "a, b, c".
std::string Narrow(const WCHAR* text);
std::string GuidName(REFGUID guid);
template <typename... Parts>
std::string Args(const Parts&... parts) {
    std::ostringstream text;
    const char* separator = "";
    ((text << separator << parts, separator = ", "), ...);
    return text.str();
}

// IUnknown of every fake: the count starts at 1, the reference of the test itself, so a fake is
// never deleted; Release is logged as "<name>.Release", and taking the count to 0 is a fault.
template <typename Interface>
class FakeUnknown : public Interface {
public:
    FakeUnknown(CallLog& log, const char* name, REFIID iid) : log(log), name(name), iid(iid) {}
    virtual ~FakeUnknown() = default;

    // References held by anyone but the test.
    LONG ExtraReferences() const { return refCount - 1; }

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override {
        const bool known = IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, iid);
        *object = known ? this : nullptr;
        return known ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return InterlockedIncrement(&refCount); }
    STDMETHOD_(ULONG, Release)() override {
        ULONG ref = InterlockedDecrement(&refCount);
        log.Add(name + ".Release");
        EXPECT_NE(ref, 0u) << name << " was released once more than it was referenced";
        return ref;
    }

protected:
    HRESULT Unexpected(const char* method) {
        ADD_FAILURE() << "unexpected call " << name << "." << method;
        return E_NOTIMPL;
    }
    // Logs "<name>.<method>(<arguments>)" and returns the result set for the method.
    HRESULT Record(const char* method, const std::string& arguments) {
        std::string call = name + "." + method;
        log.Add(call + "(" + arguments + ")");
        return log.ResultFor(call);
    }

    CallLog& log;

private:
    std::string name;
    const IID& iid;
    LONG refCount = 1;
};

// A method the engine must never call.
#define FAKE_UNEXPECTED(method, parameters) \
    STDMETHOD(method) parameters override { \
        return Unexpected(#method);         \
    }

class FakeDirectMusic;

class FakeGraph : public FakeUnknown<IDirectMusicGraph> {
public:
    explicit FakeGraph(CallLog& log) : FakeUnknown(log, "Graph", IID_IDirectMusicGraph) {}

    // Not in the log: the stress test and the benchmark stamp many thousands of messages.
    STDMETHOD(StampPMsg)(DMUS_PMSG* message) override {
        lastStamped = message;
        return stampResult;
    }
    STDMETHOD(InsertTool)
    (IDirectMusicTool* tool, DWORD* channels, DWORD channelCount, LONG index) override {
        HRESULT result =
            Record("InsertTool",
                   Args(tool ? "tool" : "null", channels ? "list" : "null", channelCount, index));
        if (SUCCEEDED(result) && tool != nullptr) {
            tool->AddRef();
            tools.push_back(tool);
        }
        return result;
    }
    FAKE_UNEXPECTED(GetTool, (DWORD, IDirectMusicTool**))
    FAKE_UNEXPECTED(RemoveTool, (IDirectMusicTool*))

    std::vector<IDirectMusicTool*> tools;
    HRESULT stampResult = S_OK;
    DMUS_PMSG* lastStamped = nullptr;
};

class FakeAudioPath : public FakeUnknown<IDirectMusicAudioPath> {
public:
    FakeAudioPath(CallLog& log, const char* name, FakeDirectMusic& world)
        : FakeUnknown(log, name, IID_IDirectMusicAudioPath), world(world) {}

    STDMETHOD(GetObjectInPath)
    (DWORD channel, DWORD stage, DWORD buffer, REFGUID objectClass, WORD index, REFGUID iid,
     void** object) override;
    FAKE_UNEXPECTED(Activate, (WINBOOL))
    FAKE_UNEXPECTED(SetVolume, (LONG, DWORD))
    FAKE_UNEXPECTED(ConvertPChannel, (DWORD, DWORD*))

private:
    FakeDirectMusic& world;
};

// Its calls take the performance's lock, as a real script's calls into the performance do.
class FakeScript : public FakeUnknown<IDirectMusicScript> {
public:
    FakeScript(CallLog& log, FakeDirectMusic& world)
        : FakeUnknown(log, "Script", IID_IDirectMusicScript), world(world) {}

    STDMETHOD(Init)(IDirectMusicPerformance* performance, DMUS_SCRIPT_ERRORINFO* info) override;
    STDMETHOD(CallRoutine)(WCHAR* name, DMUS_SCRIPT_ERRORINFO* info) override;
    STDMETHOD(SetVariableNumber)(WCHAR* name, LONG value, DMUS_SCRIPT_ERRORINFO* info) override;
    STDMETHOD(GetVariableNumber)(WCHAR* name, LONG* value, DMUS_SCRIPT_ERRORINFO* info) override;
    FAKE_UNEXPECTED(SetVariableVariant, (WCHAR*, VARIANT, WINBOOL, DMUS_SCRIPT_ERRORINFO*))
    FAKE_UNEXPECTED(GetVariableVariant, (WCHAR*, VARIANT*, DMUS_SCRIPT_ERRORINFO*))
    FAKE_UNEXPECTED(SetVariableObject, (WCHAR*, IUnknown*, DMUS_SCRIPT_ERRORINFO*))
    FAKE_UNEXPECTED(GetVariableObject, (WCHAR*, REFIID, LPVOID*, DMUS_SCRIPT_ERRORINFO*))
    FAKE_UNEXPECTED(EnumRoutine, (DWORD, WCHAR*))
    FAKE_UNEXPECTED(EnumVariable, (DWORD, WCHAR*))

    LONG variableValue = 0;  // what GetVariableNumber gives when it succeeds

private:
    FakeDirectMusic& world;
};

class FakeLoader : public FakeUnknown<IDirectMusicLoader8> {
public:
    FakeLoader(CallLog& log, FakeDirectMusic& world)
        : FakeUnknown(log, "Loader", IID_IDirectMusicLoader8), world(world) {}

    STDMETHOD(SetSearchDirectory)(REFGUID objectClass, WCHAR* path, WINBOOL clear) override {
        lastPath = path;
        return Record("SetSearchDirectory", Args(GuidName(objectClass), Narrow(path), clear));
    }
    STDMETHOD(ScanDirectory)(REFGUID objectClass, WCHAR* extension, WCHAR* cacheFile) override {
        return Record("ScanDirectory",
                      Args(GuidName(objectClass), Narrow(extension), Narrow(cacheFile)));
    }
    STDMETHOD_(void, CollectGarbage)() override { Record("CollectGarbage", ""); }
    STDMETHOD(ReleaseObjectByUnknown)(IUnknown* object) override;
    STDMETHOD(LoadObjectFromFile)
    (REFGUID objectClass, REFIID iid, WCHAR* path, void** object) override;
    FAKE_UNEXPECTED(GetObject, (LPDMUS_OBJECTDESC, REFIID, LPVOID*))
    FAKE_UNEXPECTED(SetObject, (LPDMUS_OBJECTDESC))
    FAKE_UNEXPECTED(CacheObject, (IDirectMusicObject*))
    FAKE_UNEXPECTED(ReleaseObject, (IDirectMusicObject*))
    FAKE_UNEXPECTED(ClearCache, (REFGUID))
    FAKE_UNEXPECTED(EnableCache, (REFGUID, WINBOOL))
    FAKE_UNEXPECTED(EnumObject, (REFGUID, DWORD, LPDMUS_OBJECTDESC))

    std::wstring lastPath;  // the last path or folder received, whole

private:
    FakeDirectMusic& world;
};

// Like newer DirectMusic performances, the fake has a lock that its message thread holds while
// it calls the graph's tools, and that Stop, CloseDown and every script call take too.
class FakePerformance : public FakeUnknown<IDirectMusicPerformance8> {
public:
    FakePerformance(CallLog& log, FakeDirectMusic& world);
    ~FakePerformance() override;

    // Starts the message thread: it hands `lyric` to the graph's tools `count` times (or until
    // CloseDown when `count` is 0), each time inside the lock, after setting inTool.
    void StartMessageThread(const std::wstring& lyric, LONG count);
    // Waits for the message thread to end; a thread that does not within 30 s is a deadlock,
    // and the test process ends with a message saying so.
    void JoinMessageThread();

    CRITICAL_SECTION lock;
    HANDLE inTool;  // auto-reset: the message thread holds the lock and is calling a tool
    // Runs at the start of Stop and of CloseDown, which on Windows wait for DirectMusic's
    // threads.
    std::function<void()> onStop;

    STDMETHOD(InitAudio)
    (IDirectMusic** music, IDirectSound** sound, HWND window, DWORD pathType, DWORD channelCount,
     DWORD flags, DMUS_AUDIOPARAMS* params) override;
    STDMETHOD(CreateAudioPath)
    (IUnknown* configuration, WINBOOL activate, IDirectMusicAudioPath** path) override;
    STDMETHOD(SetDefaultAudioPath)(IDirectMusicAudioPath* path) override;
    STDMETHOD(GetDefaultAudioPath)(IDirectMusicAudioPath** path) override {
        HRESULT result = Record("GetDefaultAudioPath", "");
        *path = SUCCEEDED(result) ? defaultPath : nullptr;
        if (*path != nullptr) {
            defaultPath->AddRef();
        }
        return result;
    }
    STDMETHOD(Stop)
    (IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME time,
     DWORD flags) override;
    STDMETHOD(CloseDown)() override;

    FAKE_UNEXPECTED(Init, (IDirectMusic**, LPDIRECTSOUND, HWND))
    FAKE_UNEXPECTED(PlaySegment, (IDirectMusicSegment*, DWORD, __int64, IDirectMusicSegmentState**))
    FAKE_UNEXPECTED(GetSegmentState, (IDirectMusicSegmentState**, MUSIC_TIME))
    FAKE_UNEXPECTED(SetPrepareTime, (DWORD))
    FAKE_UNEXPECTED(GetPrepareTime, (DWORD*))
    FAKE_UNEXPECTED(SetBumperLength, (DWORD))
    FAKE_UNEXPECTED(GetBumperLength, (DWORD*))
    FAKE_UNEXPECTED(SendPMsg, (DMUS_PMSG*))
    FAKE_UNEXPECTED(MusicToReferenceTime, (MUSIC_TIME, REFERENCE_TIME*))
    FAKE_UNEXPECTED(ReferenceToMusicTime, (REFERENCE_TIME, MUSIC_TIME*))
    FAKE_UNEXPECTED(IsPlaying, (IDirectMusicSegment*, IDirectMusicSegmentState*))
    FAKE_UNEXPECTED(GetTime, (REFERENCE_TIME*, MUSIC_TIME*))
    FAKE_UNEXPECTED(AllocPMsg, (ULONG, DMUS_PMSG**))
    FAKE_UNEXPECTED(FreePMsg, (DMUS_PMSG*))
    FAKE_UNEXPECTED(GetGraph, (IDirectMusicGraph**))
    FAKE_UNEXPECTED(SetGraph, (IDirectMusicGraph*))
    FAKE_UNEXPECTED(SetNotificationHandle, (HANDLE, REFERENCE_TIME))
    FAKE_UNEXPECTED(GetNotificationPMsg, (DMUS_NOTIFICATION_PMSG**))
    FAKE_UNEXPECTED(AddNotificationType, (REFGUID))
    FAKE_UNEXPECTED(RemoveNotificationType, (REFGUID))
    FAKE_UNEXPECTED(AddPort, (IDirectMusicPort*))
    FAKE_UNEXPECTED(RemovePort, (IDirectMusicPort*))
    FAKE_UNEXPECTED(AssignPChannelBlock, (DWORD, IDirectMusicPort*, DWORD))
    FAKE_UNEXPECTED(AssignPChannel, (DWORD, IDirectMusicPort*, DWORD, DWORD))
    FAKE_UNEXPECTED(PChannelInfo, (DWORD, IDirectMusicPort**, DWORD*, DWORD*))
    FAKE_UNEXPECTED(DownloadInstrument,
                    (IDirectMusicInstrument*, DWORD, IDirectMusicDownloadedInstrument**,
                     DMUS_NOTERANGE*, DWORD, IDirectMusicPort**, DWORD*, DWORD*))
    FAKE_UNEXPECTED(Invalidate, (MUSIC_TIME, DWORD))
    FAKE_UNEXPECTED(GetParam, (REFGUID, DWORD, DWORD, MUSIC_TIME, MUSIC_TIME*, void*))
    FAKE_UNEXPECTED(SetParam, (REFGUID, DWORD, DWORD, MUSIC_TIME, void*))
    FAKE_UNEXPECTED(GetGlobalParam, (REFGUID, void*, DWORD))
    FAKE_UNEXPECTED(SetGlobalParam, (REFGUID, void*, DWORD))
    FAKE_UNEXPECTED(GetLatencyTime, (REFERENCE_TIME*))
    FAKE_UNEXPECTED(GetQueueTime, (REFERENCE_TIME*))
    FAKE_UNEXPECTED(AdjustTime, (REFERENCE_TIME))
    FAKE_UNEXPECTED(GetResolvedTime, (REFERENCE_TIME, REFERENCE_TIME*, DWORD))
    FAKE_UNEXPECTED(MIDIToMusic, (BYTE, DMUS_CHORD_KEY*, BYTE, BYTE, WORD*))
    FAKE_UNEXPECTED(MusicToMIDI, (WORD, DMUS_CHORD_KEY*, BYTE, BYTE, BYTE*))
    FAKE_UNEXPECTED(TimeToRhythm, (MUSIC_TIME, DMUS_TIMESIGNATURE*, WORD*, BYTE*, BYTE*, short*))
    FAKE_UNEXPECTED(RhythmToTime, (WORD, BYTE, BYTE, short, DMUS_TIMESIGNATURE*, MUSIC_TIME*))
    FAKE_UNEXPECTED(PlaySegmentEx, (IUnknown*, WCHAR*, IUnknown*, DWORD, __int64,
                                    IDirectMusicSegmentState**, IUnknown*, IUnknown*))
    FAKE_UNEXPECTED(StopEx, (IUnknown*, __int64, DWORD))
    FAKE_UNEXPECTED(ClonePMsg, (DMUS_PMSG*, DMUS_PMSG**))
    FAKE_UNEXPECTED(CreateStandardAudioPath, (DWORD, DWORD, WINBOOL, IDirectMusicAudioPath**))
    FAKE_UNEXPECTED(GetParamEx, (REFGUID, DWORD, DWORD, DWORD, MUSIC_TIME, MUSIC_TIME*, void*))

private:
    static DWORD WINAPI MessageThread(void* self);
    FakeDirectMusic& world;
    IDirectMusicAudioPath* defaultPath = nullptr;  // a reference the performance holds
    HANDLE messageThread = nullptr;
    std::wstring lyric;
    LONG lyricCount = 0;
    volatile LONG closing = 0;
    bool started = false;  // InitAudio succeeded
};

// Holds the performance's lock for as long as it lives.
class PerformanceLockHolder {
public:
    explicit PerformanceLockHolder(FakePerformance& performance) : held(performance.lock) {
        EnterCriticalSection(&held);
    }
    ~PerformanceLockHolder() { LeaveCriticalSection(&held); }
    PerformanceLockHolder(const PerformanceLockHolder&) = delete;
    PerformanceLockHolder& operator=(const PerformanceLockHolder&) = delete;

private:
    CRITICAL_SECTION& held;
};

// Hands out one fake for the engine's CoCreateInstance; "Create.<name>" can be told to fail.
class FakeClassFactory : public IClassFactory {
public:
    FakeClassFactory(CallLog& log, const char* name, IUnknown& object)
        : log(log), name(name), object(object) {}
    STDMETHOD(QueryInterface)(REFIID, void** result) override {
        *result = this;
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(CreateInstance)(IUnknown*, REFIID riid, void** result) override {
        log.Add("Create." + name);
        *result = nullptr;
        HRESULT failure = log.ResultFor("Create." + name);
        return FAILED(failure) ? failure : object.QueryInterface(riid, result);
    }
    STDMETHOD(LockServer)(WINBOOL) override { return S_OK; }

private:
    CallLog& log;
    std::string name;
    IUnknown& object;
};

// The whole fake DirectMusic of one test, registered on the calling thread for its lifetime.
class FakeDirectMusic {
public:
    FakeDirectMusic();
    ~FakeDirectMusic();
    // Expects that nothing but the test holds a reference to any fake.
    void ExpectNoReferencesLeft();

    CallLog log;
    FakeUnknown<IUnknown> configuration{log, "Configuration", IID_IUnknown};
    FakeGraph graph{log};
    FakeAudioPath standardPath{log, "StandardPath", *this};
    FakeAudioPath configuredPath{log, "ConfiguredPath", *this};
    FakeScript script{log, *this};
    FakeLoader loader{log, *this};
    FakePerformance performance{log, *this};
    // GetObjectInPath, or the loading of an audiopath configuration, succeeds without an object.
    bool graphMissing = false;
    bool configurationMissing = false;

    FakeDirectMusic(const FakeDirectMusic&) = delete;
    FakeDirectMusic& operator=(const FakeDirectMusic&) = delete;

private:
    FakeClassFactory loaderFactory{log, "Loader", loader};
    FakeClassFactory performanceFactory{log, "Performance", performance};
    DWORD loaderCookie = 0;
    DWORD performanceCookie = 0;
};

// The identity of a pointer the fakes hand out: "Loader", "Script", ... or "other".
std::string WhichFake(FakeDirectMusic& world, const void* object);
