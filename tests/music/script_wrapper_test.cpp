// Loading a script through the engine, the wrapper's calls by name, and its release.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <functional>
#include <map>
#include <string>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "script_wrapper.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);
const char kLoadScript[] = "Loader.LoadObjectFromFile(Script, IDirectMusicScript, demo.spt)";
const char kInitScript[] = "Script.Init(Performance, null)";
const Calls kDropScript = {"Loader.ReleaseObjectByUnknown(Script)", "Script.Release"};
ScriptWrapper* const kUntouched = reinterpret_cast<ScriptWrapper*>(0x5151);

TEST(LoadScript, LoadsInitialisesAndWrapsTheScript) {
    FakeDirectMusic world;
    {
        AudioEngine engine;
        ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
        world.log.Take();
        ScriptWrapper* wrapper = kUntouched;
        EXPECT_EQ(engine.LoadScript(&wrapper, "demo.spt"), S_OK);
        EXPECT_EQ(world.log.Take(), (Calls{kLoadScript, kInitScript}));
        ASSERT_NE(wrapper, kUntouched);
        ASSERT_NE(wrapper, nullptr);
        EXPECT_EQ(world.script.ExtraReferences(), 1);

        // The cache lets go of the script before its last reference goes.
        delete wrapper;
        EXPECT_EQ(world.log.Take(), kDropScript);
        EXPECT_EQ(world.script.ExtraReferences(), 0);
    }
    world.ExpectNoReferencesLeft();
}

TEST(LoadScript, FailuresPassTheirResultAndWriteNoWrapper) {
    struct Row {
        const char* name;
        std::map<std::string, HRESULT> failures;
        const char* fileName;
        bool allocationFails;
        HRESULT result;
        ScriptWrapper* out;  // kUntouched, or null
        Calls calls;
    };
    const std::string tooLong(260, 's');
    const Row rows[] = {
        {"file not found",
         {{"Loader.LoadObjectFromFile", DMUS_E_LOADER_FAILEDOPEN}},
         "demo.spt",
         false,
         DMUS_E_LOADER_FAILEDOPEN,
         kUntouched,
         {kLoadScript}},
        {"Init fails",
         {{"Script.Init", DMUS_E_SCRIPT_ERROR_IN_SCRIPT}},
         "demo.spt",
         false,
         DMUS_E_SCRIPT_ERROR_IN_SCRIPT,
         kUntouched,
         Join(Calls{kLoadScript, kInitScript}, kDropScript)},
        {"no memory for the wrapper",
         {},
         "demo.spt",
         true,
         E_OUTOFMEMORY,
         nullptr,
         Join(Calls{kLoadScript, kInitScript}, kDropScript)},
        {"name too long", {}, tooLong.c_str(), false, E_INVALIDARG, kUntouched, {}},
        {"no name", {}, nullptr, false, E_INVALIDARG, kUntouched, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        {
            AudioEngine engine;
            ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
            world.log.Take();
            for (const auto& failure : row.failures) {
                world.log.Fail(failure.first, failure.second);
            }
            if (row.allocationFails) {
                FailNextNothrowAllocation();
            }
            ScriptWrapper* wrapper = kUntouched;
            HRESULT result = engine.LoadScript(&wrapper, row.fileName);
            CancelAllocationFailure();
            EXPECT_EQ(result, row.result) << "got " << Hex(result);
            EXPECT_EQ(wrapper, row.out);
            EXPECT_EQ(world.log.Take(), row.calls);
        }
        world.ExpectNoReferencesLeft();
    }
}

TEST(LoadScript, NeedsAStartedEngine) {
    FakeDirectMusic world;
    AudioEngine engine;
    ScriptWrapper* wrapper = kUntouched;
    EXPECT_EQ(engine.LoadScript(&wrapper, "demo.spt"), E_UNEXPECTED);
    EXPECT_EQ(engine.LoadScript(nullptr, "demo.spt"), E_POINTER);
    EXPECT_EQ(wrapper, kUntouched);
    EXPECT_EQ(world.log.Take(), Calls{});
}

// A wrapper made directly over the fakes, as LoadScript makes it.
class ScriptWrapperTest : public ::testing::Test {
protected:
    ScriptWrapper* MakeWrapper() {
        world.script.AddRef();
        return new ScriptWrapper(&world.performance, &world.loader, &world.script);
    }
    FakeDirectMusic world;
};

TEST_F(ScriptWrapperTest, CallsTheScriptByNameAndPassesItsResultOn) {
    struct Row {
        const char* name;
        std::function<HRESULT(ScriptWrapper&)> call;
        const char* failure;  // made to fail with DMUS_E_SCRIPT_ROUTINE_NOT_FOUND, or null
        HRESULT result;
        Calls calls;
    };
    const std::string longest(259, 'r');
    const Row rows[] = {
        {"routine",
         [](ScriptWrapper& w) { return w.CallRoutine("Start"); },
         nullptr,
         S_OK,
         {"Script.CallRoutine(Start, null)"}},
        {"missing routine",
         [](ScriptWrapper& w) { return w.CallRoutine("Nope"); },
         "Script.CallRoutine",
         DMUS_E_SCRIPT_ROUTINE_NOT_FOUND,
         {"Script.CallRoutine(Nope, null)"}},
        {"empty routine name",
         [](ScriptWrapper& w) { return w.CallRoutine(""); },
         nullptr,
         S_OK,
         {"Script.CallRoutine(, null)"}},
        {"longest routine name",
         [&](ScriptWrapper& w) { return w.CallRoutine(longest.c_str()); },
         nullptr,
         S_OK,
         {"Script.CallRoutine(" + longest + ", null)"}},
        {"routine name too long",
         [&](ScriptWrapper& w) { return w.CallRoutine((longest + "r").c_str()); },
         nullptr,
         E_INVALIDARG,
         {}},
        {"set variable",
         [](ScriptWrapper& w) { return w.SetVariableNumber("Tempo", -120); },
         nullptr,
         S_OK,
         {"Script.SetVariableNumber(Tempo, -120, null)"}},
        {"set missing variable",
         [](ScriptWrapper& w) { return w.SetVariableNumber("X", 1); },
         "Script.SetVariableNumber",
         DMUS_E_SCRIPT_ROUTINE_NOT_FOUND,
         {"Script.SetVariableNumber(X, 1, null)"}},
        {"set variable name too long",
         [&](ScriptWrapper& w) { return w.SetVariableNumber((longest + "v").c_str(), 1); },
         nullptr,
         E_INVALIDARG,
         {}},
        {"get variable name too long",
         [&](ScriptWrapper& w) {
             int32_t value = 0;
             return w.GetVariableNumber((longest + "v").c_str(), &value);
         },
         nullptr,
         E_INVALIDARG,
         {}},
        {"get into nothing",
         [](ScriptWrapper& w) { return w.GetVariableNumber("Tempo", nullptr); },
         nullptr,
         E_POINTER,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptWrapper* wrapper = MakeWrapper();
        if (row.failure != nullptr) {
            world.log.Fail(row.failure, DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
        }
        HRESULT result = row.call(*wrapper);
        EXPECT_EQ(result, row.result) << "got " << Hex(result);
        EXPECT_EQ(world.log.Take(), row.calls);
        if (row.failure != nullptr) {
            world.log.Fail(row.failure, S_OK);
        }
        delete wrapper;
        world.log.Take();
    }
    world.ExpectNoReferencesLeft();
}

TEST_F(ScriptWrapperTest, GetsAVariableOrLeavesTheCallersNumber) {
    ScriptWrapper* wrapper = MakeWrapper();
    world.script.variableValue = -42;
    int32_t value = 0;
    EXPECT_EQ(wrapper->GetVariableNumber("Tempo", &value), S_OK);
    EXPECT_EQ(value, -42);
    EXPECT_EQ(world.log.Take(), Calls{"Script.GetVariableNumber(Tempo, null)"});

    world.log.Fail("Script.GetVariableNumber", DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
    value = 0;
    EXPECT_EQ(wrapper->GetVariableNumber("Nope", &value), DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
    EXPECT_EQ(value, 0) << "the caller's preset was overwritten";
    delete wrapper;
}

TEST_F(ScriptWrapperTest, WithoutAScriptCallsNothing) {
    ScriptWrapper wrapper(&world.performance, &world.loader, nullptr);
    EXPECT_EQ(wrapper.CallRoutine("Start"), S_OK);
    EXPECT_EQ(world.log.Take(), Calls{}) << "a wrapper without a script called DirectMusic";
}

}  // namespace
