// AudioEngine: the program's one use of DirectMusic: COM, the loader, the performance with its
// default audiopath, the performance's tool graph and the lyric tool in it.
//
// All operations run on the main window's thread. Every DirectMusic result is passed on
// unchanged, and success is exactly S_OK. Names and paths are ANSI; one that would not fit its
// buffer whole gives E_INVALIDARG before DirectMusic is called, rather than being cut.
//
// Teardown (the destructor), in this order: the lyric tool is hidden and stops notifying, collect
// garbage and release the loader, stop all music, close the performance down, release the tool,
// the graph and the performance, and leave COM; without a performance only the loader, if any,
// is released before COM is left.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include "demo_layout.h"

class LyricTool;
class ScriptWrapper;

class AudioEngine {
public:
    // Enters COM on this thread.
    AudioEngine();
    ~AudioEngine();

    // Creates the loader and the performance and starts the performance with a standard
    // audiopath of `defaultPathType` and `pchannelCount` channels, or, when
    // `audioPathFileName` is not empty, with the audiopath configured in
    // "RuntimeFiles\<audioPathFileName>" as the default (kAudioPathBufferSize and
    // kLongestAudioPathFileName in demo_layout.h). A performance that does not start
    // (its configuration or InitAudio failed) is released at once, so teardown never stops or
    // closes down a performance that never started.
    HRESULT Initialize(HWND window, const char* audioPathFileName, DWORD pchannelCount,
                       DWORD defaultPathType);
    void CollectGarbage();
    // Where the loader finds scripts; returns the loader's ScanDirectory result.
    HRESULT SetSearchDirectory(const char* folder);
    // Puts a LyricTool at the head of the performance's graph, notifying `window`. Always TRUE;
    // without a default audiopath or graph (or memory) the engine simply has no tool.
    BOOL InstallLyricTool(HWND window);
    // The performance's default audiopath with a reference for the caller, or null.
    IDirectMusicAudioPath* GetDefaultAudioPath();
    // Loads `fileName` from the search directory and initialises it with the performance; on
    // success writes a new wrapper, owned by the caller, to `out`. Failures leave `out` alone,
    // except that a wrapper that cannot be allocated writes null (E_OUTOFMEMORY).
    HRESULT LoadScript(ScriptWrapper** out, const char* fileName);
    // The installed tool, or null (none installed, or teardown has begun). Not a reference:
    // valid while the engine lives.
    LyricTool* GetLyricTool();
    // Ends the tool's notifications to the window for good; the window's teardown calls it
    // before it releases anything, and the destructor calls it again.
    void SilenceLyricTool();

    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

private:
    IDirectMusicLoader8* loader;
    IDirectMusicPerformance8* performance;
    IDirectMusicGraph* graph;
    LyricTool* lyricTool;
    // Whether the constructor's CoInitialize counted, so that teardown leaves COM only then.
    bool comEntered;
};
