// Loading a script through the engine, the wrapper's calls by name, and its release.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <string>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "script_wrapper.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);
ScriptWrapper* const kUntouched = reinterpret_cast<ScriptWrapper*>(0x5151);

TEST(LoadScript, GivesAWrapperOnlyForAnInitialisedScriptAndLeavesNoReference) {
    struct Row {
        const char* name;
        const char* failingCall;  // fails with `result`, or null
        const char* fileName;
        bool started;
        bool allocationFails;
        HRESULT result;
    };
    const std::string tooLong(260, 's');
    const Row rows[] = {
        {"loaded", nullptr, "demo.spt", true, false, S_OK},
        {"file not found", "Loader.LoadObjectFromFile", "demo.spt", true, false,
         DMUS_E_LOADER_FAILEDOPEN},
        {"Init fails", "Script.Init", "demo.spt", true, false, DMUS_E_SCRIPT_ERROR_IN_SCRIPT},
        {"no memory for the wrapper", nullptr, "demo.spt", true, true, E_OUTOFMEMORY},
        {"name too long", nullptr, tooLong.c_str(), true, false, E_INVALIDARG},
        {"no name", nullptr, nullptr, true, false, E_INVALIDARG},
        {"engine not started", nullptr, "demo.spt", false, false, E_UNEXPECTED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDirectMusic world;
        {
            AudioEngine engine;
            if (row.started) {
                ASSERT_EQ(engine.Initialize(kWindow, "", 128, 1), S_OK);
            }
            if (row.failingCall != nullptr) {
                world.log.Fail(row.failingCall, row.result);
            }
            if (row.allocationFails) {
                FailNextNothrowAllocation();
            }
            world.log.Take();
            ScriptWrapper* wrapper = kUntouched;
            HRESULT result = engine.LoadScript(&wrapper, row.fileName);
            CancelAllocationFailure();
            EXPECT_EQ(result, row.result);
            const Calls calls = world.log.Take();
            if (result == S_OK) {
                EXPECT_EQ(calls, (Calls{"Loader.LoadObjectFromFile(Script, IDirectMusicScript, "
                                        "demo.spt)",
                                        "Script.Init(Performance, null)"}));
                // The loader's cache lets go of the script before its last reference goes.
                delete wrapper;
                EXPECT_EQ(world.log.Take(),
                          (Calls{"Loader.ReleaseObjectByUnknown(Script)", "Script.Release"}));
            } else {
                EXPECT_EQ(wrapper, row.allocationFails ? nullptr : kUntouched);
            }
        }
        world.ExpectNoReferencesLeft();
    }
}

TEST(ScriptWrapper, CallsTheScriptByNameAndPassesItsResultOn) {
    FakeDirectMusic world;
    {
        world.script.AddRef();
        ScriptWrapper wrapper(&world.performance, &world.loader, &world.script);
        const std::string longest(259, 'r');
        world.script.variableValue = -42;
        int32_t value = 0;
        EXPECT_EQ(wrapper.CallRoutine("Start"), S_OK);
        EXPECT_EQ(wrapper.CallRoutine(longest.c_str()), S_OK);
        EXPECT_EQ(wrapper.SetVariableNumber("Tempo", -120), S_OK);
        EXPECT_EQ(wrapper.GetVariableNumber("Tempo", &value), S_OK);
        EXPECT_EQ(value, -42);
        EXPECT_EQ(world.log.Take(), (Calls{"Script.CallRoutine(Start, null)",
                                           "Script.CallRoutine(" + longest + ", null)",
                                           "Script.SetVariableNumber(Tempo, -120, null)",
                                           "Script.GetVariableNumber(Tempo, null)"}));

        // A name that would be cut, or nowhere to put the number, never reaches the script.
        EXPECT_EQ(wrapper.CallRoutine((longest + "r").c_str()), E_INVALIDARG);
        EXPECT_EQ(wrapper.SetVariableNumber((longest + "v").c_str(), 1), E_INVALIDARG);
        EXPECT_EQ(wrapper.GetVariableNumber((longest + "v").c_str(), &value), E_INVALIDARG);
        EXPECT_EQ(wrapper.GetVariableNumber("Tempo", nullptr), E_POINTER);
        EXPECT_EQ(world.log.Take(), Calls{});

        // The script's own failures pass through, and the caller's number stays.
        world.log.Fail("Script.CallRoutine", DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
        world.log.Fail("Script.GetVariableNumber", DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
        EXPECT_EQ(wrapper.CallRoutine("Nope"), DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
        value = 7;
        EXPECT_EQ(wrapper.GetVariableNumber("Nope", &value), DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
        EXPECT_EQ(value, 7) << "the caller's number was overwritten";

        ScriptWrapper empty(&world.performance, &world.loader, nullptr);
        world.log.Take();
        EXPECT_EQ(empty.CallRoutine("Start"), S_OK);
        EXPECT_EQ(world.log.Take(), Calls{}) << "a wrapper without a script called DirectMusic";
    }
    world.ExpectNoReferencesLeft();
}

}  // namespace
