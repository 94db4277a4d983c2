// The lyric tool: its COM identity, which messages it takes, ProcessPMsg's cases, and the
// hand-off to the window, which must never wait for the window's thread.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <string>
#include <vector>

#include "allocation_watch.h"
#include "audio_engine.h"
#include "fake_direct_music.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "script_wrapper.h"
#include "test_window.h"

namespace {

std::string LyricOf(LyricTool* tool) {
    char text[kLyricTextSize + 8];
    tool->CopyLyricText(text, sizeof text);
    return text;
}

TEST(LyricTool, IsACountedComObjectThatAsksForTheTwoLyricTypesOnly) {
    LyricTool* tool = new LyricTool();
    void* object = tool;
    EXPECT_EQ(tool->QueryInterface(IID_IDirectMusicTool8, &object), E_NOINTERFACE) << "no Clone";
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(tool->QueryInterface(IID_IDirectMusicTool, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDirectMusicTool*>(tool));

    DWORD types[3] = {99, 99, 99};
    DWORD* array = types;
    EXPECT_EQ(tool->GetMediaTypes(&array, 3), E_FAIL);
    EXPECT_EQ(types[0], 99u) << "a refused count wrote the array";
    EXPECT_EQ(tool->GetMediaTypes(&array, 2), S_OK);
    EXPECT_EQ(types[0], static_cast<DWORD>(DMUS_PMSGT_LYRIC));
    EXPECT_EQ(types[1], static_cast<DWORD>(DMUS_PMSGT_SCRIPTLYRIC));
    EXPECT_EQ(types[2], 99u);

    WatchForDeletion(tool);
    EXPECT_EQ(tool->Release(), 1u);
    EXPECT_FALSE(WasDeleted());
    EXPECT_EQ(tool->Release(), 0u);
    EXPECT_TRUE(WasDeleted());
}

// ProcessPMsg on the window's own thread; the window serves its queue after each message.
class ProcessPMsgTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool->SetTargetWindow(window.Handle());
        Process(DMUS_PMSGT_LYRIC, L"previous", &graph);
    }
    void TearDown() override { tool->Release(); }

    HRESULT Process(DWORD type, const std::wstring& text, IDirectMusicGraph* messageGraph) {
        LyricMessage message(type, text, messageGraph);
        auto before = message.Bytes();
        graph.lastStamped = nullptr;
        HRESULT result = tool->ProcessPMsg(nullptr, message.Get());
        EXPECT_EQ(message.Bytes(), before) << "the message was changed";
        if (messageGraph != nullptr) {
            EXPECT_EQ(graph.lastStamped, message.Get()) << "the message was not stamped";
        }
        reads.clear();
        ServeMessages();
        return result;
    }

    CallLog log;
    FakeGraph graph{log};
    LyricTool* tool = new LyricTool();
    std::vector<std::string> reads;  // the text the window read at each WM_LYRIC
    TestWindow window{[this](WPARAM wParam, LPARAM lParam) {
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(lParam, 0);
        reads.push_back(LyricOf(tool));
    }};
};

TEST_F(ProcessPMsgTest, KeepsLyricsAsLatin1AndTellsTheWindow) {
    struct Row {
        const char* name;
        DWORD type;
        std::wstring text;
        std::string lyric;  // lyricText afterwards; the window is told when it changed
    };
    const Row rows[] = {
        {"lyric", DMUS_PMSGT_LYRIC, L"abc", "abc"},
        {"script lyric", DMUS_PMSGT_SCRIPTLYRIC, L"abc", "abc"},
        {"shorter than before", DMUS_PMSGT_LYRIC, L"a", "a"},
        {"empty", DMUS_PMSGT_LYRIC, L"", "previous"},
        {"note", DMUS_PMSGT_NOTE, L"abc", "previous"},
        {"Latin-1", DMUS_PMSGT_LYRIC, L"\u00e9t\u00e9 \u00ff", "\xE9t\xE9 \xFF"},
        {"stops above U+00FF", DMUS_PMSGT_LYRIC, L"ab\u0101de", "ab"},
        {"starts above U+00FF", DMUS_PMSGT_LYRIC, L"\u20acab", ""},
        {"300 characters", DMUS_PMSGT_LYRIC, std::wstring(300, L'x'), std::string(255, 'x')},
        {"5000 characters", DMUS_PMSGT_SCRIPTLYRIC, std::wstring(5000, L'y'),
         std::string(255, 'y')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Process(DMUS_PMSGT_LYRIC, L"previous", &graph);
        EXPECT_EQ(Process(row.type, row.text, &graph), DMUS_S_REQUEUE);
        EXPECT_EQ(LyricOf(tool), row.lyric);
        const bool told = row.lyric != "previous";
        EXPECT_EQ(reads, told ? std::vector<std::string>{row.lyric} : std::vector<std::string>{});
    }
}

TEST_F(ProcessPMsgTest, LeavesTheTextAloneWhenTheMessageCannotGoOn) {
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"abc", nullptr), DMUS_S_FREE) << "no graph";
    graph.stampResult = DMUS_E_NOT_INIT;
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"abc", &graph), DMUS_S_FREE) << "stamping failed";
    EXPECT_EQ(LyricOf(tool), "previous");
    EXPECT_TRUE(reads.empty()) << reads.size() << " reads";

    char small[4] = {'#', '#', '#', '#'};
    tool->CopyLyricText(small, 4);
    EXPECT_STREQ(small, "pre") << "cut to the caller's buffer";
}

TEST_F(ProcessPMsgTest, AFloodQueuesOneNotificationThatShowsTheLatestLyric) {
    // Before the tool has a window nothing is posted (to no window, a post goes to the thread).
    tool->SetTargetWindow(nullptr);
    Process(DMUS_PMSGT_LYRIC, L"before the window", &graph);
    tool->SetTargetWindow(window.Handle());
    for (int i = 1; i <= 500; ++i) {
        LyricMessage message(DMUS_PMSGT_LYRIC, L"lyric " + std::to_wstring(i), &graph);
        tool->ProcessPMsg(nullptr, message.Get());
    }
    ServeMessages();
    EXPECT_EQ(reads, std::vector<std::string>{"lyric 500"});
    Process(DMUS_PMSGT_LYRIC, L"after the read", &graph);
    EXPECT_EQ(reads, std::vector<std::string>{"after the read"});
}

// The performance's message thread holds the performance's lock while it hands the tool a lyric;
// meanwhile the window's thread runs a routine, which needs the same lock. A tool that waited for
// the window here would wait forever.
TEST(LyricHandOff, NeverWaitsForTheWindowWhileThePerformanceHoldsItsLock) {
    FakeDirectMusic world;
    AudioEngine* engine = new AudioEngine();
    std::vector<std::string> shown;
    DWORD windowThread = GetCurrentThreadId();
    TestWindow window([&](WPARAM, LPARAM) {
        EXPECT_EQ(GetCurrentThreadId(), windowThread);
        shown.push_back(LyricOf(engine->GetLyricTool()));
    });
    ASSERT_EQ(engine->Initialize(window.Handle(), "", 128, 1), S_OK);
    engine->InstallLyricTool(window.Handle());
    ScriptWrapper* script = nullptr;
    ASSERT_EQ(engine->LoadScript(&script, "demo.spt"), S_OK);

    {
        Watchdog watchdog("a routine called while the tool hands over a lyric");
        world.performance.StartMessageThread(L"sung", 1);
        ASSERT_EQ(WaitForSingleObject(world.performance.inTool, kPatience), WAIT_OBJECT_0);
        EXPECT_EQ(script->CallRoutine("Play"), S_OK);
        world.performance.JoinMessageThread();
    }
    EXPECT_TRUE(WaitUntil([&] { return !shown.empty(); })) << "the lyric never arrived";
    EXPECT_EQ(shown, std::vector<std::string>{"sung"});
    delete script;
    delete engine;
    world.ExpectNoReferencesLeft();
}

}  // namespace
