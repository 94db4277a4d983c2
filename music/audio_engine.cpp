// AudioEngine: start-up of DirectMusic, the search directory, script loading, the lyric tool's
// installation and the ordered teardown.
#include "audio_engine.h"

#include <cstring>
#include <new>

#include "lyric_tool.h"
#include "script_wrapper.h"
#include "start_up_trace.h"
#include "widen_text.h"

namespace {

// Releases a COM pointer that this code owns and clears it.
template <typename Interface>
void ReleaseAndClear(Interface*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// "RuntimeFiles\<fileName>" through the path buffer, read from a path relative to the current
// directory: the loader has no search directory yet.
HRESULT LoadAudioPathConfiguration(IDirectMusicLoader8* loader, const char* fileName,
                                   IUnknown** configuration) {
    char path[kAudioPathBufferSize] = {};
    std::strcpy(path, kRuntimeFilesFolder);
    std::strcat(path, "\\");
    std::strcat(path, fileName);
    WCHAR widePath[kWideNameCapacity];
    WidenText(widePath, path, -1);
    HRESULT result = loader->LoadObjectFromFile(CLSID_DirectMusicAudioPathConfig, IID_IUnknown,
                                                widePath, reinterpret_cast<void**>(configuration));
    if (FAILED(result)) {
        *configuration = nullptr;
        return result;
    }
    // A loader that reports success without an object would leave no default audiopath.
    return *configuration != nullptr ? S_OK : E_FAIL;
}

HRESULT StartPerformance(IDirectMusicPerformance8* performance, HWND window, DWORD defaultPathType,
                         DWORD pchannelCount) {
    DMUS_AUDIOPARAMS params = {};
    params.dwSize = sizeof params;
    params.fInitNow = TRUE;
    params.dwValidData = DMUS_AUDIOPARAMS_SAMPLERATE;
    params.dwSampleRate = 44100;
    return performance->InitAudio(nullptr, nullptr, window, defaultPathType, pchannelCount,
                                  DMUS_AUDIOF_ALL, &params);
}

// Makes the configured audiopath the performance's default; releases `configuration`.
HRESULT UseConfiguredAudioPath(IDirectMusicPerformance8* performance, IUnknown* configuration) {
    IDirectMusicAudioPath* audioPath = nullptr;
    HRESULT result = performance->CreateAudioPath(configuration, TRUE, &audioPath);
    configuration->Release();
    if (FAILED(result)) {
        return result;
    }
    // The performance keeps its own reference to its default audiopath.
    result = performance->SetDefaultAudioPath(audioPath);
    ReleaseAndClear(audioPath);
    return FAILED(result) ? result : S_OK;
}

}  // namespace

AudioEngine::AudioEngine()
    : loader(nullptr), performance(nullptr), graph(nullptr), lyricTool(nullptr) {
    // S_FALSE (COM already entered on this thread) counts too and is balanced in teardown; a
    // failure such as another threading model must not be balanced by our CoUninitialize.
    comEntered = SUCCEEDED(CoInitialize(nullptr));
}

AudioEngine::~AudioEngine() {
    if (performance != nullptr) {
        SilenceLyricTool();
        // Hidden from GetLyricTool, so that a WM_LYRIC still queued reads nothing from a tool
        // that is on its way out.
        LyricTool* tool = lyricTool;
        lyricTool = nullptr;
        if (loader != nullptr) {
            loader->CollectGarbage();
        }
        ReleaseAndClear(loader);
        // Both may wait for DirectMusic's threads, the lyric tool's caller among them; the tool
        // never waits for this thread, so they finish.
        performance->Stop(nullptr, nullptr, 0, 0);
        performance->CloseDown();
        ReleaseAndClear(tool);
        ReleaseAndClear(graph);
        ReleaseAndClear(performance);
    }
    // A loader without a performance (the performance could not be created or did not start)
    // is released too, so that no reference outlives the engine.
    ReleaseAndClear(loader);
    if (comEntered) {
        CoUninitialize();
    }
}

HRESULT AudioEngine::Initialize(HWND window, const char* audioPathFileName, DWORD pchannelCount,
                                DWORD defaultPathType) {
    if (audioPathFileName == nullptr) {
        audioPathFileName = "";
    }
    if (std::strlen(audioPathFileName) > kLongestAudioPathFileName) {
        return TraceIfFailed("the audiopath file's name, too long", E_INVALIDARG);
    }
    // Once only: a second start would lose the first loader and performance.
    if (loader != nullptr || performance != nullptr) {
        return TraceIfFailed("a second start of the music", E_UNEXPECTED);
    }
    HRESULT result =
        TraceIfFailed("the DirectMusic loader",
                      CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                                       IID_IDirectMusicLoader8, reinterpret_cast<void**>(&loader)));
    if (FAILED(result)) {
        loader = nullptr;
        return result;
    }
    result = TraceIfFailed(
        "the DirectMusic performance",
        CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                         IID_IDirectMusicPerformance8, reinterpret_cast<void**>(&performance)));
    if (FAILED(result)) {
        performance = nullptr;
        return result;
    }

    IUnknown* configuration = nullptr;
    if (audioPathFileName[0] != '\0') {
        result =
            TraceIfFailed("the audiopath file",
                          LoadAudioPathConfiguration(loader, audioPathFileName, &configuration));
        // The configured audiopath replaces the standard one.
        defaultPathType = 0;
    }
    if (SUCCEEDED(result)) {
        result =
            TraceIfFailed("InitAudio (DirectSound)",
                          StartPerformance(performance, window, defaultPathType, pchannelCount));
    }
    if (FAILED(result)) {
        // A performance that never started is no use to teardown, whichever step failed:
        // without it teardown only releases the loader and leaves COM.
        ReleaseAndClear(configuration);
        ReleaseAndClear(performance);
        return result;
    }
    return configuration != nullptr
               ? TraceIfFailed("the configured audiopath",
                               UseConfiguredAudioPath(performance, configuration))
               : S_OK;
}

void AudioEngine::CollectGarbage() {
    if (loader != nullptr) {
        loader->CollectGarbage();
    }
}

HRESULT AudioEngine::SetSearchDirectory(const char* folder) {
    if (loader == nullptr) {
        return E_UNEXPECTED;
    }
    WCHAR wideFolder[kWideNameCapacity];
    if (!WidenName(wideFolder, folder)) {
        return E_INVALIDARG;
    }
    // FALSE: what the loader has cached so far stays.
    loader->SetSearchDirectory(GUID_DirectMusicAllTypes, wideFolder, FALSE);
    return loader->ScanDirectory(CLSID_DirectMusicScript, nullptr, nullptr);
}

BOOL AudioEngine::InstallLyricTool(HWND window) {
    if (lyricTool != nullptr) {
        return TRUE;
    }
    LyricTool* tool = new (std::nothrow) LyricTool();
    if (tool == nullptr) {
        return TRUE;
    }
    tool->SetTargetWindow(window);

    IDirectMusicGraph* toolGraph = nullptr;
    IDirectMusicAudioPath* audioPath = GetDefaultAudioPath();
    if (audioPath != nullptr) {
        HRESULT result =
            audioPath->GetObjectInPath(0, DMUS_PATH_PERFORMANCE_GRAPH, 0, GUID_NULL, 0,
                                       IID_IDirectMusicGraph, reinterpret_cast<void**>(&toolGraph));
        if (FAILED(result)) {
            toolGraph = nullptr;
        }
        audioPath->Release();
    }
    if (toolGraph == nullptr) {
        // No graph to hear lyrics in: no tool, and the lyric view stays empty.
        tool->Release();
        return TRUE;
    }
    lyricTool = tool;
    graph = toolGraph;
    // Every channel (no list), at the head of the graph; the graph takes its own reference.
    graph->InsertTool(lyricTool, nullptr, 0, 0);
    return TRUE;
}

IDirectMusicAudioPath* AudioEngine::GetDefaultAudioPath() {
    if (performance == nullptr) {
        return nullptr;
    }
    IDirectMusicAudioPath* audioPath = nullptr;
    if (FAILED(performance->GetDefaultAudioPath(&audioPath))) {
        return nullptr;
    }
    return audioPath;
}

HRESULT AudioEngine::LoadScript(ScriptWrapper** out, const char* fileName) {
    if (out == nullptr) {
        return E_POINTER;
    }
    WCHAR wideName[kWideNameCapacity];
    if (!WidenName(wideName, fileName)) {
        return TraceIfFailed("the script file's name, too long", E_INVALIDARG);
    }
    if (loader == nullptr || performance == nullptr) {
        return TraceIfFailed("the script load, without music", E_UNEXPECTED);
    }
    // The name is relative: the loader looks for it in its search directory.
    IDirectMusicScript* script = nullptr;
    HRESULT result =
        TraceIfFailed("the script file's load",
                      loader->LoadObjectFromFile(CLSID_DirectMusicScript, IID_IDirectMusicScript,
                                                 wideName, reinterpret_cast<void**>(&script)));
    if (FAILED(result)) {
        return result;
    }
    result = TraceIfFailed("the script's Init", script->Init(performance, nullptr));
    if (FAILED(result)) {
        loader->ReleaseObjectByUnknown(script);
        script->Release();
        return result;
    }
    *out = new (std::nothrow) ScriptWrapper(performance, loader, script);
    if (*out == nullptr) {
        loader->ReleaseObjectByUnknown(script);
        script->Release();
        return TraceIfFailed("the script wrapper", E_OUTOFMEMORY);
    }
    return result;
}

LyricTool* AudioEngine::GetLyricTool() {
    return lyricTool;
}

void AudioEngine::SilenceLyricTool() {
    if (lyricTool != nullptr) {
        lyricTool->StopNotifying();
    }
}
