// The lyric tool: its COM identity and reference count, its answers to the graph, ProcessPMsg's
// cases, and the hand-off of a lyric to a real window from another thread.
#include <gtest/gtest.h>

#include <dmerror.h>

#include <string>

#include "allocation_watch.h"
#include "fake_direct_music.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "test_window.h"

namespace {

std::string LyricOf(LyricTool* tool) {
    char text[kLyricTextSize + 8];
    tool->CopyLyricText(text, sizeof text);
    return text;
}

TEST(LyricTool, AnswersOnlyForIUnknownAndIDirectMusicTool) {
    struct Row {
        const char* name;
        const IID* iid;
        HRESULT result;
    };
    const Row rows[] = {
        {"IUnknown", &IID_IUnknown, S_OK},
        {"IDirectMusicTool", &IID_IDirectMusicTool, S_OK},
        {"IDirectMusicTool8", &IID_IDirectMusicTool8, E_NOINTERFACE},
        {"IDirectMusicGraph", &IID_IDirectMusicGraph, E_NOINTERFACE},
    };
    LyricTool* tool = new LyricTool();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(tool->QueryInterface(*row.iid, &object), row.result);
        if (row.result == S_OK) {
            EXPECT_EQ(object, static_cast<IDirectMusicTool*>(tool));
            EXPECT_EQ(tool->Release(), 1u) << "QueryInterface took one reference";
        } else {
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(tool->AddRef(), 2u) << "a refused QueryInterface took a reference";
            tool->Release();
        }
    }
    EXPECT_EQ(tool->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    tool->Release();
}

TEST(LyricTool, TheLastReleaseDeletesIt) {
    LyricTool* tool = new LyricTool();
    WatchForDeletion(tool);
    EXPECT_EQ(tool->AddRef(), 2u);
    EXPECT_EQ(tool->Release(), 1u);
    EXPECT_FALSE(WasDeleted());
    EXPECT_EQ(tool->Release(), 0u);
    EXPECT_TRUE(WasDeleted());
}

TEST(LyricTool, AnswersTheGraph) {
    LyricTool* tool = new LyricTool();
    EXPECT_EQ(tool->Init(nullptr), E_NOTIMPL);
    EXPECT_EQ(tool->Flush(nullptr, nullptr, 0), E_NOTIMPL);

    DWORD value = 0;
    EXPECT_EQ(tool->GetMsgDeliveryType(&value), S_OK);
    EXPECT_EQ(value, 8u) << "DMUS_PMSGF_TOOL_QUEUE";
    EXPECT_EQ(tool->GetMediaTypeArraySize(&value), S_OK);
    EXPECT_EQ(value, 2u);

    DWORD types[3] = {99, 99, 99};
    DWORD* array = types;
    EXPECT_EQ(tool->GetMediaTypes(&array, 2), S_OK);
    EXPECT_EQ(types[0], 13u) << "DMUS_PMSGT_LYRIC";
    EXPECT_EQ(types[1], 14u) << "DMUS_PMSGT_SCRIPTLYRIC";
    EXPECT_EQ(types[2], 99u);
    for (DWORD count : {0u, 1u, 3u}) {
        types[0] = types[1] = 99;
        EXPECT_EQ(tool->GetMediaTypes(&array, count), E_FAIL) << "count " << count;
        EXPECT_EQ(types[0], 99u) << "count " << count << " wrote the array";
    }
    tool->Release();
}

// ProcessPMsg on the window's own thread, where SendMessageA calls the window at once.
class ProcessPMsgTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool->SetTargetWindow(window.Handle());
        Process(DMUS_PMSGT_LYRIC, L"previous", &graph);
        sends.clear();
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
        return result;
    }

    CallLog log;
    FakeGraph graph{log};
    LyricTool* tool = new LyricTool();
    std::vector<std::string> sends;  // the text the window read at each WM_LYRIC
    TestWindow window{[this](WPARAM wParam, LPARAM lParam) {
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(lParam, 0);
        sends.push_back(LyricOf(tool));
    }};
};

TEST_F(ProcessPMsgTest, KeepsLyricsAsLatin1AndTellsTheWindow) {
    struct Row {
        const char* name;
        DWORD type;
        std::wstring text;
        HRESULT result;
        std::string lyric;  // lyricText afterwards
        std::vector<std::string> sends;
    };
    const std::string latin1 = "\xE9t\xE9 \xFF";
    const Row rows[] = {
        {"lyric", DMUS_PMSGT_LYRIC, L"abc", DMUS_S_REQUEUE, "abc", {"abc"}},
        {"script lyric", DMUS_PMSGT_SCRIPTLYRIC, L"abc", DMUS_S_REQUEUE, "abc", {"abc"}},
        {"shorter than before", DMUS_PMSGT_LYRIC, L"a", DMUS_S_REQUEUE, "a", {"a"}},
        {"empty", DMUS_PMSGT_LYRIC, L"", DMUS_S_REQUEUE, "previous", {}},
        {"note", DMUS_PMSGT_NOTE, L"abc", DMUS_S_REQUEUE, "previous", {}},
        {"tempo", DMUS_PMSGT_TEMPO, L"", DMUS_S_REQUEUE, "previous", {}},
        {"Latin-1", DMUS_PMSGT_LYRIC, L"\u00e9t\u00e9 \u00ff", DMUS_S_REQUEUE, latin1, {latin1}},
        {"stops above U+00FF", DMUS_PMSGT_LYRIC, L"ab\u0101de", DMUS_S_REQUEUE, "ab", {"ab"}},
        {"starts above U+00FF", DMUS_PMSGT_LYRIC, L"\u20acab", DMUS_S_REQUEUE, "", {""}},
        {"300 characters",
         DMUS_PMSGT_LYRIC,
         std::wstring(300, L'x'),
         DMUS_S_REQUEUE,
         std::string(255, 'x'),
         {std::string(255, 'x')}},
        {"5000 characters",
         DMUS_PMSGT_SCRIPTLYRIC,
         std::wstring(5000, L'y'),
         DMUS_S_REQUEUE,
         std::string(255, 'y'),
         {std::string(255, 'y')}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Process(DMUS_PMSGT_LYRIC, L"previous", &graph);
        sends.clear();
        EXPECT_EQ(Process(row.type, row.text, &graph), row.result);
        EXPECT_EQ(LyricOf(tool), row.lyric);
        EXPECT_EQ(sends, row.sends);
    }
}

TEST_F(ProcessPMsgTest, FreesWhatCannotGoOn) {
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"abc", nullptr), DMUS_S_FREE) << "no graph";
    log.Fail("Graph.StampPMsg", DMUS_E_NOT_INIT);
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"abc", &graph), DMUS_S_FREE) << "stamping failed";
    EXPECT_EQ(LyricOf(tool), "previous");
    EXPECT_TRUE(sends.empty()) << sends.size() << " sends";
    EXPECT_EQ(tool->ProcessPMsg(nullptr, nullptr), E_POINTER);
}

TEST_F(ProcessPMsgTest, KeepsTheTextWhenNoBufferCanBeHad) {
    FailNextNothrowAllocation();
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"new", &graph), DMUS_S_REQUEUE);
    CancelAllocationFailure();
    EXPECT_EQ(LyricOf(tool), "previous");
    EXPECT_TRUE(sends.empty()) << sends.size() << " sends";
}

TEST_F(ProcessPMsgTest, CopiesCutToTheCallersBuffer) {
    char small[4] = {'#', '#', '#', '#'};
    tool->CopyLyricText(small, 4);
    EXPECT_STREQ(small, "pre");
    small[0] = '#';
    tool->CopyLyricText(small, 0);
    EXPECT_EQ(small[0], '#') << "a zero-size copy wrote";
}

TEST_F(ProcessPMsgTest, SendsNothingOnceStopped) {
    tool->StopNotifying();
    EXPECT_EQ(Process(DMUS_PMSGT_LYRIC, L"later", &graph), DMUS_S_REQUEUE);
    EXPECT_EQ(LyricOf(tool), "later") << "the text is still kept";
    EXPECT_TRUE(sends.empty()) << sends.size() << " sends";
}

// A lyric delivered on another thread, as DirectMusic does.
struct Delivery {
    LyricTool* tool;
    IDirectMusicGraph* graph;
    const wchar_t* text;
    HRESULT result = E_FAIL;

    static DWORD WINAPI Run(void* self) {
        auto* delivery = static_cast<Delivery*>(self);
        LyricMessage message(DMUS_PMSGT_LYRIC, delivery->text, delivery->graph);
        delivery->result = delivery->tool->ProcessPMsg(nullptr, message.Get());
        return 0;
    }
};

TEST_F(ProcessPMsgTest, HandsALyricFromAnotherThreadToTheWindowsThread) {
    DWORD windowThread = GetCurrentThreadId();
    bool servedHere = false;
    bool wasSent = false;
    TestWindow receiver([&](WPARAM, LPARAM) {
        servedHere = GetCurrentThreadId() == windowThread;
        wasSent = InSendMessage() != FALSE;
        sends.push_back(LyricOf(tool));
    });
    tool->SetTargetWindow(receiver.Handle());

    Delivery delivery{tool, &graph, L"hello"};
    HANDLE thread = CreateThread(nullptr, 0, Delivery::Run, &delivery, 0, nullptr);
    bool finished =
        PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 5000);
    ASSERT_TRUE(finished) << "the delivering thread never came back from ProcessPMsg";
    CloseHandle(thread);
    EXPECT_EQ(delivery.result, DMUS_S_REQUEUE);
    EXPECT_EQ(sends, std::vector<std::string>{"hello"});
    EXPECT_TRUE(servedHere) << "WM_LYRIC was served on another thread";
    EXPECT_TRUE(wasSent) << "WM_LYRIC was not sent";
}

TEST_F(ProcessPMsgTest, StopNotifyingServesASendInFlight) {
    Delivery delivery{tool, &graph, L"in flight"};
    HANDLE thread = CreateThread(nullptr, 0, Delivery::Run, &delivery, 0, nullptr);
    // Wait, without serving it, until the delivery's send is waiting for this thread.
    DWORD start = GetTickCount();
    while (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) == 0 && GetTickCount() - start < 5000) {
        Sleep(1);
    }
    ASSERT_TRUE(sends.empty());
    {
        Watchdog watchdog("StopNotifying with a send in flight", 10000);
        tool->StopNotifying();
    }
    EXPECT_EQ(sends, std::vector<std::string>{"in flight"});
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(delivery.result, DMUS_S_REQUEUE);
}

}  // namespace
