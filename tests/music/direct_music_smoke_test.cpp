// The engine against Wine's own DirectMusic (with the project's silent ALSA device): start-up
// with a standard audiopath and with a missing configuration, the lyric tool at the head of the
// real graph, the search directory and a missing script, and teardown's references. Tests that
// need sound skip where Wine reports no audio device.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <string>

#include "audio_engine.h"
#include "lyric_tool.h"
#include "script_wrapper.h"
#include "test_window.h"

namespace {

// Puts Wine's real object of `clsid` (from `dll`) in the engine's hands, keeping a reference of
// its own, so that the test can see what is left of it after teardown.
class ObservedClass : public IClassFactory {
public:
    ObservedClass(const char* dll, REFCLSID clsid) {
        module = LoadLibraryA(dll);
        auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
        if (getClassObject != nullptr) {
            getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&real));
        }
        EXPECT_NE(real, nullptr) << "no class factory in " << dll;
        CoRegisterClassObject(clsid, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    }
    ~ObservedClass() {
        CoRevokeClassObject(cookie);
        if (real != nullptr) {
            real->Release();
        }
        FreeLibrary(module);
    }
    // Whether the engine made its object through this class.
    bool Observed() const { return object != nullptr; }
    // Drops the test's reference; returns what is left.
    ULONG ReleaseObserved() {
        ULONG left = object != nullptr ? object->Release() : 0;
        object = nullptr;
        return left;
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** result) override {
        if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory)) {
            *result = this;
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** result) override {
        HRESULT created = real->CreateInstance(outer, riid, result);
        if (SUCCEEDED(created)) {
            object = static_cast<IUnknown*>(*result);
            object->AddRef();
        }
        return created;
    }
    STDMETHOD(LockServer)(WINBOOL) override { return S_OK; }

private:
    HMODULE module;
    IClassFactory* real = nullptr;
    IUnknown* object = nullptr;
    DWORD cookie = 0;
};

class DirectMusicSmokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        // An empty current directory: no RuntimeFiles folder, no audiopath file, no script.
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "hpx", 0, folder);
        DeleteFileA(folder);
        CreateDirectoryA(folder, nullptr);
        GetCurrentDirectoryA(MAX_PATH, previousDirectory);
        SetCurrentDirectoryA(folder);
    }
    void TearDown() override {
        delete engine;
        SetCurrentDirectoryA(previousDirectory);
        RemoveDirectoryA(folder);
        CoUninitialize();
    }
    // Starts the engine with a standard audiopath; false (and the test skipped) without sound.
    bool Start() {
        engine = new AudioEngine();
        HRESULT result = engine->Initialize(window.Handle(), "", 128, 1);
        if (result != S_OK && waveOutGetNumDevs() == 0) {
            return false;
        }
        EXPECT_EQ(result, S_OK) << "got " << std::hex << result;
        return result == S_OK;
    }

    char folder[MAX_PATH] = {};
    char previousDirectory[MAX_PATH] = {};
    TestWindow window{[](WPARAM, LPARAM) {}};
    AudioEngine* engine = nullptr;
};

#define START_OR_SKIP()                                 \
    if (!Start()) {                                     \
        GTEST_SKIP() << "Wine reports no audio device"; \
    }

TEST_F(DirectMusicSmokeTest, StartsWithAStandardAudiopath) {
    START_OR_SKIP();
    IDirectMusicAudioPath* path = engine->GetDefaultAudioPath();
    ASSERT_NE(path, nullptr) << "no default audiopath";
    path->Release();
}

TEST_F(DirectMusicSmokeTest, FailsWithAMissingAudiopathFile) {
    // Refused by the loader, before any audio device is needed.
    engine = new AudioEngine();
    HRESULT result = engine->Initialize(window.Handle(), "missing.aud", 128, 1);
    EXPECT_TRUE(FAILED(result)) << "got " << std::hex << result;
    EXPECT_EQ(engine->GetDefaultAudioPath(), nullptr);
}

TEST_F(DirectMusicSmokeTest, PutsTheLyricToolFirstInTheRealGraph) {
    START_OR_SKIP();
    EXPECT_EQ(engine->InstallLyricTool(window.Handle()), TRUE);
    LyricTool* tool = engine->GetLyricTool();
    ASSERT_NE(tool, nullptr);

    IDirectMusicAudioPath* path = engine->GetDefaultAudioPath();
    ASSERT_NE(path, nullptr);
    IDirectMusicGraph* graph = nullptr;
    path->GetObjectInPath(0, DMUS_PATH_PERFORMANCE_GRAPH, 0, GUID_NULL, 0, IID_IDirectMusicGraph,
                          reinterpret_cast<void**>(&graph));
    path->Release();
    ASSERT_NE(graph, nullptr);
    IDirectMusicTool* first = nullptr;
    EXPECT_EQ(graph->GetTool(0, &first), S_OK);
    EXPECT_EQ(first, static_cast<IDirectMusicTool*>(tool));
    if (first != nullptr) {
        first->Release();
    }
    graph->Release();
}

TEST_F(DirectMusicSmokeTest, SearchesAFolderAndFailsCleanlyOnAMissingScript) {
    START_OR_SKIP();
    HRESULT result = engine->SetSearchDirectory(folder);
    EXPECT_TRUE(SUCCEEDED(result)) << "got " << std::hex << result;
    EXPECT_EQ(engine->SetSearchDirectory(std::string(300, 'f').c_str()), E_INVALIDARG);

    ScriptWrapper* const untouched = reinterpret_cast<ScriptWrapper*>(0x5151);
    ScriptWrapper* wrapper = untouched;
    result = engine->LoadScript(&wrapper, "missing.spt");
    EXPECT_TRUE(FAILED(result)) << "got " << std::hex << result;
    EXPECT_EQ(wrapper, untouched);
}

TEST_F(DirectMusicSmokeTest, TeardownLeavesNoReferenceBehind) {
    ObservedClass loader("dmloader.dll", CLSID_DirectMusicLoader);
    ObservedClass performance("dmime.dll", CLSID_DirectMusicPerformance);
    START_OR_SKIP();
    engine->SetSearchDirectory(folder);
    engine->InstallLyricTool(window.Handle());
    LyricTool* tool = engine->GetLyricTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->AddRef(), 3u) << "the engine's, the graph's and the test's";

    ASSERT_TRUE(loader.Observed() && performance.Observed()) << "the engine made its own objects";

    delete engine;
    engine = nullptr;
    EXPECT_EQ(loader.ReleaseObserved(), 0u) << "the loader outlived the engine";
    EXPECT_EQ(performance.ReleaseObserved(), 0u) << "the performance outlived the engine";
    // Wine 8's graph never lets go of its tools, even when it is destroyed; beyond that one
    // reference nothing may be left.
    EXPECT_LE(tool->Release(), 1u) << "the engine kept its reference to the tool";
}

}  // namespace
