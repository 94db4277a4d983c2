// The audio engine against fake DirectMusic: what each start-up outcome leaves, the teardown
// order, refused names, the lyric tool's place in the graph, and COM.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <string>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "lyric_tool.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);

TEST(AudioEngineInitialize, EveryOutcomeGivesItsResultAndLeavesNoReference) {
    struct Row {
        const char* name;
        const char* audioPathFile;
        const char* failingCall;  // fails with `result`, or null
        HRESULT result;
        const char* defaultPath;  // the fake that is the default audiopath afterwards, or "null"
    };
    const Row rows[] = {
        {"standard audiopath", "", nullptr, S_OK, "StandardPath"},
        {"null name is the standard audiopath", nullptr, nullptr, S_OK, "StandardPath"},
        {"configured audiopath", "demo.aud", nullptr, S_OK, "ConfiguredPath"},
        {"loader not created", "", "Create.Loader", REGDB_E_CLASSNOTREG, "null"},
        {"performance not created", "demo.aud", "Create.Performance", E_OUTOFMEMORY, "null"},
        {"configuration missing", "demo.aud", "Loader.LoadObjectFromFile", DMUS_E_LOADER_FAILEDOPEN,
         "null"},
        {"configuration loaded as nothing", "demo.aud", nullptr, E_FAIL, "null"},
        {"no audio device", "", "Performance.InitAudio", E_INVALIDARG, "null"},
        {"no audio device, configured", "demo.aud", "Performance.InitAudio", DSERR_NODRIVER,
         "null"},
        {"audiopath not created", "demo.aud", "Performance.CreateAudioPath",
         DMUS_E_AUDIOPATHS_NOT_VALID, "null"},
        {"default not set", "demo.aud", "Performance.SetDefaultAudioPath", E_FAIL, "null"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        if (row.failingCall != nullptr) {
            world.log.Fail(row.failingCall, row.result);
        }
        world.configurationMissing = std::string(row.name) == "configuration loaded as nothing";
        auto* engine = new AudioEngine();
        HRESULT result = engine->Initialize(kWindow, row.audioPathFile, 128, 1);
        EXPECT_EQ(result, row.result);
        IDirectMusicAudioPath* path = engine->GetDefaultAudioPath();
        EXPECT_EQ(WhichFake(world, path), row.defaultPath);
        if (path != nullptr) {
            path->Release();
        }
        if (result == S_OK) {
            EXPECT_EQ(engine->Initialize(kWindow, "", 128, 1), E_UNEXPECTED) << "started twice";
        }
        delete engine;
        world.ExpectNoReferencesLeft();
    }
}

TEST(AudioEngine, RefusesNamesThatWouldBeCutBeforeCallingDirectMusic) {
    FakeDirectMusic world;
    AudioEngine engine;
    EXPECT_EQ(engine.Initialize(kWindow, std::string(87, 'a').c_str(), 128, 1), E_INVALIDARG);
    EXPECT_EQ(world.log.Take(), Calls{}) << "DirectMusic was called for a refused name";
    // Whole, and in the ANSI code page (1252 here): names reach DirectMusic as they were written.
    const std::string longest = std::string(85, 'a') + "\xE9";
    ASSERT_EQ(engine.Initialize(kWindow, longest.c_str(), 128, 1), S_OK);
    EXPECT_EQ(world.loader.lastPath, L"RuntimeFiles\\" + std::wstring(85, L'a') + L"\u00e9");
    world.log.Take();

    // A folder of 259 characters reaches the loader whole: the app test
    // StartUp.LooksForTheScriptInTheDeepestCurrentFolderThatFitsAndRefusesOneDeeper.
    EXPECT_EQ(engine.SetSearchDirectory(std::string(260, 'd').c_str()), E_INVALIDARG);
    EXPECT_EQ(engine.SetSearchDirectory(nullptr), E_INVALIDARG);
    EXPECT_EQ(world.log.Take(), Calls{}) << "DirectMusic was called for a refused folder";

    // The scan's result is what the caller gets.
    world.log.Fail("Loader.ScanDirectory", DMUS_E_NOT_FOUND);
    EXPECT_EQ(engine.SetSearchDirectory("C:\\demo"), DMUS_E_NOT_FOUND);
}

TEST(AudioEngine, PutsTheToolFirstInTheGraphAndTearsDownInOrder) {
    FakeDirectMusic world;
    auto* engine = new AudioEngine();
    ASSERT_EQ(engine->Initialize(kWindow, "", 128, 1), S_OK);
    EXPECT_EQ(world.log.Take().back(), "Performance.InitAudio(0x1234, 1, 128, 0x3f, 44100 Hz)");
    EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
    EXPECT_EQ(world.log.Take(),
              (Calls{"Performance.GetDefaultAudioPath()",
                     "StandardPath.GetObjectInPath(0, 12800, 0, GUID_NULL, 0, IDirectMusicGraph)",
                     "StandardPath.Release", "Graph.InsertTool(tool, null, 0, 0)"}));
    LyricTool* tool = engine->GetLyricTool();
    ASSERT_EQ(world.graph.tools, std::vector<IDirectMusicTool*>{tool});
    engine->InstallLyricTool(kWindow);
    EXPECT_EQ(world.graph.tools.size(), 1u) << "a second installation added a second tool";

    // The music stops and the performance closes down before the tool, graph and performance go.
    WatchForDeletion(tool, [&] { world.log.Add("LyricTool deleted"); });
    delete engine;
    EXPECT_EQ(
        world.log.Take(),
        (Calls{"Loader.CollectGarbage()", "Loader.Release", "Performance.Stop(null, null, 0, 0)",
               "Performance.CloseDown()", "StandardPath.Release", "LyricTool deleted",
               "Graph.Release", "Performance.Release"}));
    world.ExpectNoReferencesLeft();
}

TEST(AudioEngine, WithoutAGraphOrMemoryTheEngineHasNoTool) {
    struct Row {
        const char* name;
        const char* failingCall;
        bool graphMissing;
        bool allocationFails;
        bool started;
    };
    const Row rows[] = {
        {"no default audiopath", "Performance.GetDefaultAudioPath", false, false, true},
        {"graph refused", "StandardPath.GetObjectInPath", false, false, true},
        {"graph missing", nullptr, true, false, true},
        {"no memory for the tool", nullptr, false, true, true},
        {"no performance", nullptr, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        auto* engine = new AudioEngine();
        if (row.started) {
            ASSERT_EQ(engine->Initialize(kWindow, "", 128, 1), S_OK);
        }
        if (row.failingCall != nullptr) {
            world.log.Fail(row.failingCall, E_FAIL);
        }
        world.graphMissing = row.graphMissing;
        if (row.allocationFails) {
            FailNextNothrowAllocation();
        }
        EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
        CancelAllocationFailure();
        EXPECT_EQ(engine->GetLyricTool(), nullptr);
        delete engine;
        world.ExpectNoReferencesLeft();
    }
}

}  // namespace
