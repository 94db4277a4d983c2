// The engine torn down again and again while the performance's message thread floods the tool
// with lyrics from inside the performance's lock: teardown must never wait for a thread that
// waits for the window, and the window must never read a tool that is on its way out.
#include <gtest/gtest.h>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "lyric_tool.h"
#include "test_window.h"

namespace {

TEST(LyricTeardown, ThousandTeardownsDuringALyricFlood) {
    AudioEngine* engine = nullptr;
    bool tearingDown = false;
    LONG served = 0;
    LONG toolReadDuringTeardown = 0;
    TestWindow window([&](WPARAM, LPARAM) {
        // What the main window does: read the current lyric through the engine, if any.
        ++served;
        if (LyricTool* tool = engine != nullptr ? engine->GetLyricTool() : nullptr) {
            toolReadDuringTeardown += tearingDown ? 1 : 0;
            EXPECT_FALSE(WasDeleted()) << "the window read a deleted tool";
            char text[kLyricTextSize];
            tool->CopyLyricText(text, sizeof text);
        }
    });

    for (int round = 0; round < 1000; ++round) {
        FakeDirectMusic world;
        engine = new AudioEngine();
        ASSERT_EQ(engine->Initialize(window.Handle(), "", 128, 1), S_OK);
        engine->InstallLyricTool(window.Handle());
        ASSERT_NE(engine->GetLyricTool(), nullptr);
        WatchForDeletion(engine->GetLyricTool());
        world.performance.StartMessageThread(L"la la la", 0);

        // A few lyrics reach the window, then teardown starts while more are on their way;
        // once the tool is silenced, what is still queued is served during teardown.
        LONG target = served + 1 + round % 3;
        ASSERT_TRUE(WaitUntil([&] { return served >= target; }))
            << "no lyric reached the window in round " << round;
        world.performance.onStop = ServeMessages;
        tearingDown = true;
        delete engine;
        engine = nullptr;
        tearingDown = false;
        EXPECT_TRUE(WasDeleted()) << "the tool outlived the engine in round " << round;
        world.ExpectNoReferencesLeft();
        if (HasFailure()) {
            break;
        }
    }
    EXPECT_EQ(toolReadDuringTeardown, 0) << "the window read a tool being torn down";
}

}  // namespace
