// The audio engine against fake DirectMusic: Initialize's calls and results at every step, the
// teardown that follows each outcome, the search directory, the lyric tool's installation and
// the engine's use of COM.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <map>
#include <string>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "lyric_tool.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);

const char kCreateLoader[] = "Create.Loader(null, IDirectMusicLoader8)";
const char kCreatePerformance[] = "Create.Performance(null, IDirectMusicPerformance8)";
const char kLoadConfig[] =
    "Loader.LoadObjectFromFile(AudioPathConfig, IUnknown, RuntimeFiles\\demo.aud)";
const char kInitAudioStandard[] =
    "Performance.InitAudio(null, null, 0x1234, 1, 128, 0x3f, "
    "{size 40, initNow 1, valid 0x4, rate 44100})";
const char kInitAudioConfigured[] =
    "Performance.InitAudio(null, null, 0x1234, 0, 128, 0x3f, "
    "{size 40, initNow 1, valid 0x4, rate 44100})";
const char kCreateAudioPath[] = "Performance.CreateAudioPath(Configuration, 1)";
const char kSetDefault[] = "Performance.SetDefaultAudioPath(ConfiguredPath)";
// The teardown of an engine whose performance stays.
const Calls kStop = {"Loader.CollectGarbage()", "Loader.Release",
                     "Performance.Stop(null, null, 0, 0)", "Performance.CloseDown()"};

TEST(AudioEngineInitialize, ResultsCallsAndTeardownOfEveryOutcome) {
    struct Row {
        const char* name;
        const char* audioPathFile;
        std::map<std::string, HRESULT> failures;
        HRESULT result;
        Calls calls;
        Calls teardown;
    };
    const Calls stopStandard = Join(kStop, {"StandardPath.Release", "Performance.Release"});
    const Calls stopConfigured = Join(kStop, {"ConfiguredPath.Release", "Performance.Release"});
    const Calls created = {kCreateLoader, kCreatePerformance};
    const Row rows[] = {
        {"standard audiopath", "", {}, S_OK, Join(created, {kInitAudioStandard}), stopStandard},
        {"configured audiopath",
         "demo.aud",
         {},
         S_OK,
         Join(created, {kLoadConfig, kInitAudioConfigured, kCreateAudioPath,
                        "Configuration.Release", kSetDefault, "ConfiguredPath.Release"}),
         stopConfigured},
        {"loader not created",
         "",
         {{"Create.Loader", REGDB_E_CLASSNOTREG}},
         REGDB_E_CLASSNOTREG,
         {kCreateLoader},
         {}},
        {"performance not created",
         "demo.aud",
         {{"Create.Performance", E_OUTOFMEMORY}},
         E_OUTOFMEMORY,
         created,
         {"Loader.Release"}},
        {"configuration missing",
         "demo.aud",
         {{"Loader.LoadObjectFromFile", DMUS_E_LOADER_FAILEDOPEN}},
         DMUS_E_LOADER_FAILEDOPEN,
         Join(created, {kLoadConfig}),
         Join(kStop, {"Performance.Release"})},
        {"no audio device",
         "",
         {{"Performance.InitAudio", E_INVALIDARG}},
         E_INVALIDARG,
         Join(created, {kInitAudioStandard, "Performance.Release"}),
         {"Loader.Release"}},
        {"no audio device, configured",
         "demo.aud",
         {{"Performance.InitAudio", DSERR_NODRIVER}},
         DSERR_NODRIVER,
         Join(created,
              {kLoadConfig, kInitAudioConfigured, "Configuration.Release", "Performance.Release"}),
         {"Loader.Release"}},
        {"audiopath not created",
         "demo.aud",
         {{"Performance.CreateAudioPath", DMUS_E_AUDIOPATHS_NOT_VALID}},
         DMUS_E_AUDIOPATHS_NOT_VALID,
         Join(created,
              {kLoadConfig, kInitAudioConfigured, kCreateAudioPath, "Configuration.Release"}),
         Join(kStop, {"Performance.Release"})},
        {"default not set",
         "demo.aud",
         {{"Performance.SetDefaultAudioPath", E_FAIL}},
         E_FAIL,
         Join(created, {kLoadConfig, kInitAudioConfigured, kCreateAudioPath,
                        "Configuration.Release", kSetDefault, "ConfiguredPath.Release"}),
         Join(kStop, {"Performance.Release"})},
        {"default set with S_FALSE is success",
         "demo.aud",
         {{"Performance.SetDefaultAudioPath", S_FALSE}},
         S_OK,
         Join(created, {kLoadConfig, kInitAudioConfigured, kCreateAudioPath,
                        "Configuration.Release", kSetDefault, "ConfiguredPath.Release"}),
         stopConfigured},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        for (const auto& failure : row.failures) {
            world.log.Fail(failure.first, failure.second);
        }
        auto* engine = new AudioEngine();
        HRESULT result = engine->Initialize(kWindow, row.audioPathFile, 128, 1);
        EXPECT_EQ(result, row.result) << "got " << Hex(result);
        EXPECT_EQ(world.log.Take(), row.calls);
        delete engine;
        EXPECT_EQ(world.log.Take(), row.teardown);
        world.ExpectNoReferencesLeft();
    }
}

TEST(AudioEngineInitialize, RefusesAnAudiopathNameThatDoesNotFitItsPath) {
    FakeDirectMusic world;
    {
        AudioEngine engine;
        EXPECT_EQ(engine.Initialize(kWindow, std::string(87, 'a').c_str(), 128, 1), E_INVALIDARG);
        EXPECT_EQ(engine.Initialize(kWindow, std::string(400, 'a').c_str(), 128, 1), E_INVALIDARG);
        EXPECT_EQ(world.log.Take(), Calls{}) << "DirectMusic was called for a refused name";

        std::string longest(86, 'a');
        EXPECT_EQ(engine.Initialize(kWindow, longest.c_str(), 128, 1), S_OK);
        EXPECT_EQ(Narrow(world.loader.lastPath.c_str()), "RuntimeFiles\\" + longest);
    }
    world.ExpectNoReferencesLeft();
}

TEST(AudioEngineInitialize, StartsOnlyOnceAndTakesANullNameAsEmpty) {
    FakeDirectMusic world;
    {
        AudioEngine engine;
        EXPECT_EQ(engine.Initialize(kWindow, nullptr, 128, 1), S_OK);
        EXPECT_EQ(world.log.Take(),
                  Join({kCreateLoader, kCreatePerformance}, {kInitAudioStandard}));
        EXPECT_EQ(engine.Initialize(kWindow, "", 128, 1), E_UNEXPECTED);
        EXPECT_EQ(world.log.Take(), Calls{});
    }
    world.ExpectNoReferencesLeft();
}

TEST(AudioEngine, SetsTheSearchDirectoryAndPassesTheScanResultBack) {
    FakeDirectMusic world;
    AudioEngine engine;
    EXPECT_EQ(engine.SetSearchDirectory("C:\\demo\\RuntimeFiles"), E_UNEXPECTED) << "no loader";
    ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
    world.log.Take();

    const Calls calls = {"Loader.SetSearchDirectory(AllTypes, C:\\demo\\RuntimeFiles, 0)",
                         "Loader.ScanDirectory(Script, null, null)"};
    EXPECT_EQ(engine.SetSearchDirectory("C:\\demo\\RuntimeFiles"), S_OK);
    EXPECT_EQ(world.log.Take(), calls);

    world.log.Fail("Loader.ScanDirectory", S_FALSE);
    EXPECT_EQ(engine.SetSearchDirectory("C:\\demo\\RuntimeFiles"), S_FALSE);
    // The directory's own result is not looked at; the scan's is returned.
    world.log.Fail("Loader.SetSearchDirectory", DMUS_E_LOADER_BADPATH);
    world.log.Fail("Loader.ScanDirectory", DMUS_E_NOT_FOUND);
    EXPECT_EQ(engine.SetSearchDirectory("C:\\demo\\RuntimeFiles"), DMUS_E_NOT_FOUND);
    EXPECT_EQ(world.log.Take(), Join(calls, calls));

    std::string longest = "C:\\" + std::string(256, 'd');
    engine.SetSearchDirectory(longest.c_str());
    EXPECT_EQ(Narrow(world.loader.lastPath.c_str()), longest) << "a 259-character folder was cut";
    world.log.Take();
    EXPECT_EQ(engine.SetSearchDirectory((longest + "x").c_str()), E_INVALIDARG);
    EXPECT_EQ(engine.SetSearchDirectory(nullptr), E_INVALIDARG);
    EXPECT_EQ(world.log.Take(), Calls{}) << "DirectMusic was called for a refused folder";
}

TEST(AudioEngine, CollectsGarbageOnlyWithALoader) {
    FakeDirectMusic world;
    AudioEngine engine;
    engine.CollectGarbage();
    EXPECT_EQ(world.log.Take(), Calls{});
    ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
    world.log.Take();
    engine.CollectGarbage();
    EXPECT_EQ(world.log.Take(), Calls{"Loader.CollectGarbage()"});
}

TEST(AudioEngine, GivesTheDefaultAudiopathWithAReference) {
    FakeDirectMusic world;
    AudioEngine engine;
    EXPECT_EQ(engine.GetDefaultAudioPath(), nullptr) << "no performance";
    ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
    IDirectMusicAudioPath* path = engine.GetDefaultAudioPath();
    EXPECT_EQ(WhichFake(world, path), "StandardPath");
    EXPECT_EQ(world.standardPath.ExtraReferences(), 2) << "the performance's and the caller's";
    path->Release();
    world.log.Fail("Performance.GetDefaultAudioPath", DMUS_E_NOT_INIT);
    EXPECT_EQ(engine.GetDefaultAudioPath(), nullptr);
}

TEST(AudioEngineLyricTool, GoesFirstInTheGraphAndIsDeletedInTeardownOrder) {
    FakeDirectMusic world;
    auto* engine = new AudioEngine();
    ASSERT_EQ(engine->Initialize(kWindow, "", 128, 1), S_OK);
    world.log.Take();

    EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
    EXPECT_EQ(world.log.Take(),
              (Calls{"Performance.GetDefaultAudioPath()",
                     "StandardPath.GetObjectInPath(0, 0x3200, 0, GUID_NULL, 0, IDirectMusicGraph)",
                     "StandardPath.Release", "Graph.InsertTool(tool, null, 0, 0)"}));
    LyricTool* tool = engine->GetLyricTool();
    ASSERT_NE(tool, nullptr);
    ASSERT_EQ(world.graph.tools.size(), 1u);
    EXPECT_EQ(world.graph.tools[0], static_cast<IDirectMusicTool*>(tool));
    EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
    EXPECT_EQ(world.graph.tools.size(), 1u) << "a second installation added a second tool";

    WatchForDeletion(tool, [&] { world.log.Add("LyricTool deleted"); });
    delete engine;
    EXPECT_EQ(world.log.Take(), Join(kStop, {"StandardPath.Release", "LyricTool deleted",
                                             "Graph.Release", "Performance.Release"}));
    world.ExpectNoReferencesLeft();
}

TEST(AudioEngineLyricTool, WithoutAGraphTheEngineHasNoTool) {
    struct Row {
        const char* name;
        const char* failure;  // the call that fails, or null
        bool graphMissing;
        bool allocationFails;
        bool initialized;
        Calls calls;
    };
    const Calls gotPath = {"Performance.GetDefaultAudioPath()"};
    const Calls askedGraph = Join(
        gotPath, {"StandardPath.GetObjectInPath(0, 0x3200, 0, GUID_NULL, 0, IDirectMusicGraph)",
                  "StandardPath.Release"});
    const Row rows[] = {
        {"no default audiopath", "Performance.GetDefaultAudioPath", false, false, true, gotPath},
        {"graph refused", "StandardPath.GetObjectInPath", false, false, true, askedGraph},
        {"graph missing", nullptr, true, false, true, askedGraph},
        {"no memory for the tool", nullptr, false, true, true, {}},
        {"no performance", nullptr, false, false, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        auto* engine = new AudioEngine();
        if (row.initialized) {
            ASSERT_EQ(engine->Initialize(kWindow, "", 128, 1), S_OK);
        }
        world.log.Take();
        if (row.failure != nullptr) {
            world.log.Fail(row.failure, E_FAIL);
        }
        world.graphMissing = row.graphMissing;
        if (row.allocationFails) {
            FailNextNothrowAllocation();
        }
        EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
        CancelAllocationFailure();
        EXPECT_EQ(world.log.Take(), row.calls);
        EXPECT_EQ(engine->GetLyricTool(), nullptr);
        delete engine;
        world.ExpectNoReferencesLeft();
    }
}

TEST(AudioEngineLyricTool, KeepsTheToolWhenTheGraphRefusesIt) {
    FakeDirectMusic world;
    world.log.Fail("Graph.InsertTool", E_FAIL);
    auto* engine = new AudioEngine();
    ASSERT_EQ(engine->Initialize(kWindow, "", 128, 1), S_OK);
    EXPECT_EQ(engine->InstallLyricTool(kWindow), TRUE);
    LyricTool* tool = engine->GetLyricTool();
    ASSERT_NE(tool, nullptr) << "the insertion's result is not looked at";
    WatchForDeletion(tool);
    delete engine;
    EXPECT_TRUE(WasDeleted()) << "the engine's reference was not released";
    world.ExpectNoReferencesLeft();
}

// COM is entered by the constructor and left by the destructor; a thread that already runs
// COM in another model keeps it.
TEST(AudioEngine, LeavesComAsItFoundIt) {
    {
        AudioEngine engine;
        EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "the engine did not enter COM";
        CoUninitialize();
    }
    EXPECT_EQ(CoInitialize(nullptr), S_OK) << "the engine did not leave COM";
    CoUninitialize();

    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    { AudioEngine engine; }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE)
        << "the engine left a COM it had not entered";
    CoUninitialize();
    CoUninitialize();
}

}  // namespace
