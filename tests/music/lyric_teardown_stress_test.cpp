// The lyric hand-off during teardown, many times over: DirectMusic's thread sends lyrics as fast
// as it can while the window's thread destroys the engine, and the fake performance's Stop and
// CloseDown wait for that thread to leave ProcessPMsg, as DirectMusic does. A teardown that let
// the thread block in SendMessageA would deadlock here; the fakes' bookkeeping shows any use of
// the tool after its deletion.
#include <gtest/gtest.h>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "test_window.h"

namespace {

const int kTeardowns = 1000;
// How long Stop waits for the delivering thread before the test calls it a deadlock.
const DWORD kStopWaitMs = 2000;

struct Counts {
    volatile LONG lyricsServed = 0;
    volatile LONG servedDuringTeardown = 0;
    volatile LONG servedAfterStopBegan = 0;
    volatile LONG deadlocks = 0;
    volatile LONG usesAfterDeletion = 0;
    volatile LONG toolShownDuringTeardown = 0;
};

// DirectMusic's delivering thread: ProcessPMsg on the graph's tool until Stop.
class Delivery {
public:
    Delivery(IDirectMusicTool* tool, IDirectMusicGraph* graph, Counts& counts)
        : tool(tool), graph(graph), counts(counts) {
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~Delivery() { CloseHandle(thread); }

    // What Stop does: ask the thread to end and wait for it without serving messages.
    void Stop() {
        InterlockedExchange(&stopping, 1);
        if (WaitForSingleObject(thread, kStopWaitMs) == WAIT_OBJECT_0) {
            return;
        }
        InterlockedIncrement(&counts.deadlocks);
        // Undo the deadlock so that the run can go on and report it.
        PumpUntil([this] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 5000);
    }
    bool Finished() { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }

private:
    static DWORD WINAPI Run(void* self) {
        auto* delivery = static_cast<Delivery*>(self);
        LyricMessage message(DMUS_PMSGT_LYRIC, L"la la la", delivery->graph);
        while (InterlockedCompareExchange(&delivery->stopping, 0, 0) == 0) {
            if (WasDeleted()) {
                InterlockedIncrement(&delivery->counts.usesAfterDeletion);
                break;
            }
            delivery->tool->ProcessPMsg(nullptr, message.Get());
        }
        return 0;
    }

    IDirectMusicTool* tool;
    IDirectMusicGraph* graph;
    Counts& counts;
    volatile LONG stopping = 0;
    HANDLE thread;
};

TEST(LyricTeardown, NeverDeadlocksNorTouchesTheDeletedTool) {
    Counts counts;
    AudioEngine* engine = nullptr;
    bool tearingDown = false;
    bool stopBegan = false;
    TestWindow window([&](WPARAM, LPARAM) {
        // What the main window does: read the current lyric through the engine.
        InterlockedIncrement(&counts.lyricsServed);
        if (tearingDown) {
            InterlockedIncrement(&counts.servedDuringTeardown);
        }
        if (stopBegan) {
            InterlockedIncrement(&counts.servedAfterStopBegan);
        }
        if (LyricTool* tool = engine != nullptr ? engine->GetLyricTool() : nullptr) {
            if (tearingDown) {
                InterlockedIncrement(&counts.toolShownDuringTeardown);
            }
            if (WasDeleted()) {
                InterlockedIncrement(&counts.usesAfterDeletion);
            }
            char text[kLyricTextSize];
            tool->CopyLyricText(text, sizeof text);
        }
    });

    Watchdog watchdog("the lyric teardown stress test", 60000);
    for (int round = 0; round < kTeardowns; ++round) {
        FakeDirectMusic world;
        Delivery* delivery = nullptr;
        world.graph.onInsert = [&](IDirectMusicTool* tool) {
            // Watched before the thread starts, so that it never sees the last round's tool.
            WatchForDeletion(tool);
            delivery = new Delivery(tool, &world.graph, counts);
        };
        world.performance.onStop = [&] {
            stopBegan = true;
            if (delivery != nullptr) {
                delivery->Stop();
            }
        };

        engine = new AudioEngine();
        ASSERT_EQ(engine->Initialize(window.Handle(), "", 128, 1), S_OK);
        engine->InstallLyricTool(window.Handle());
        ASSERT_NE(delivery, nullptr) << "the tool never reached the graph";
        ASSERT_EQ(static_cast<IDirectMusicTool*>(engine->GetLyricTool()), world.graph.tools[0]);

        // Let a few lyrics through, then tear down while the next one is on its way.
        LONG target = counts.lyricsServed + 1 + round % 3;
        bool served = PumpUntil([&] { return counts.lyricsServed >= target; }, 5000);
        EXPECT_TRUE(served) << "no lyric reached the window in round " << round;
        tearingDown = true;
        delete engine;
        engine = nullptr;
        tearingDown = false;
        stopBegan = false;

        EXPECT_TRUE(delivery->Finished());
        delete delivery;
        EXPECT_TRUE(WasDeleted()) << "the tool outlived the engine in round " << round;
        world.ExpectNoReferencesLeft();
        world.log.Take();
        if (!served || counts.deadlocks != 0 || counts.usesAfterDeletion != 0) {
            break;
        }
    }
    EXPECT_EQ(counts.deadlocks, 0) << "Stop waited for a tool blocked in SendMessageA";
    EXPECT_EQ(counts.usesAfterDeletion, 0) << "the tool was used after its deletion";
    EXPECT_EQ(counts.servedAfterStopBegan, 0) << "a lyric was sent after the music stopped";
    EXPECT_EQ(counts.toolShownDuringTeardown, 0) << "the window read a tool being torn down";
    // The case that matters did happen: sends in flight when teardown began, served by it.
    EXPECT_GT(counts.servedDuringTeardown, 0) << "no teardown met a send in flight";
}

}  // namespace
