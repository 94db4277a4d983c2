// Trace's way to the tools, with Wine's own performance and graph and fake tools in it: on the
// engine's own thread, in graph order, only to tools that take script lyrics, stamped, freed;
// and a script released while a tool is blocked sending to the releasing thread's window.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmerror.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <set>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "fake_tool.h"

namespace {

constexpr DWORD kWait = 5000;
const std::vector<DWORD> kLyricTypes = {DMUS_PMSGT_LYRIC, DMUS_PMSGT_SCRIPTLYRIC};

std::vector<std::string> ToolsSeen(DeliveryLog& log) {
    std::vector<std::string> tools;
    for (const SeenMessage& message : log.Seen()) {
        tools.push_back(message.tool);
    }
    return tools;
}

class LyricDeliveryTest : public ComTest {
protected:
    void Insert(FakeTool& tool, DWORD index) {
        inserted.push_back(&tool);
        HRESULT result = performance.Graph()->InsertTool(&tool, nullptr, 0, index);
        ASSERT_EQ(result, S_OK) << "InsertTool gave " << std::hex << result;
    }
    void TearDown() override {
        for (FakeTool* tool : inserted) {
            performance.Graph()->RemoveTool(tool);
            EXPECT_EQ(tool->UnexpectedCalls(), 0);
        }
    }
    TestPerformance performance;
    DeliveryLog log;
    std::vector<FakeTool*> inserted;
};

TEST_F(LyricDeliveryTest, TraceReachesTheToolOnAThreadOfTheEnginesOwn) {
    FakeTool tool("lyrics", log, kLyricTypes);
    Insert(tool, 0);
    LONG toolReferences = tool.References();
    IDirectMusicScript* script = InitialisedScript(
        "Dim n\nSub Sing\n  n = 3\n  Trace \"one\"\n  Trace \"two \xE2\x99\xAA\"\n  Trace n\n"
        "End Sub\n",
        performance.Get());
    ASSERT_NE(script, nullptr);
    ASSERT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Sing"), nullptr), S_OK);
    ASSERT_TRUE(log.WaitFor(3, kWait)) << "seen " << log.Seen().size() << " of 3";
    EXPECT_EQ(script->Release(), 0u);

    std::vector<SeenMessage> seen = log.Seen();
    ASSERT_EQ(seen.size(), 3u);
    const std::wstring texts[] = {L"one", W("two \xE2\x99\xAA"), L"3"};
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(seen[i].text == texts[i]) << "text of " << seen[i].text.size() << " units";
        EXPECT_EQ(seen[i].type, static_cast<DWORD>(DMUS_PMSGT_SCRIPTLYRIC));
        EXPECT_NE(seen[i].thread, GetCurrentThreadId()) << "delivered on the caller's thread";
        EXPECT_EQ(seen[i].thread, seen[0].thread) << "one delivery thread per script";
        EXPECT_EQ(seen[i].graph, performance.Graph()) << "pGraph not the performance's graph";
        EXPECT_TRUE(seen[i].addressedToTool) << "pTool not stamped with the tool";
    }
    // Every message was freed: the references it held to the tool are given back.
    EXPECT_EQ(tool.References(), toolReferences);
}

TEST_F(LyricDeliveryTest, ToolsTakingScriptLyricsGetThemInGraphOrderUntilOneFreesThem) {
    FakeTool onlyTrackLyrics("track lyrics", log, {DMUS_PMSGT_LYRIC});
    FakeTool everything("every type", log, {});
    FakeTool lyrics("lyrics", log, {DMUS_PMSGT_NOTE, DMUS_PMSGT_SCRIPTLYRIC, DMUS_PMSGT_LYRIC});
    FakeTool freeing("frees", log, {DMUS_PMSGT_SCRIPTLYRIC}, DMUS_S_FREE);
    FakeTool last("after the free", log, {DMUS_PMSGT_SCRIPTLYRIC});
    Insert(onlyTrackLyrics, 0);
    Insert(everything, 1);
    Insert(lyrics, 2);
    Insert(freeing, 3);
    Insert(last, 4);
    IDirectMusicScript* script =
        InitialisedScript("Sub Sing\n  Trace \"la\"\nEnd Sub\n", performance.Get());
    ASSERT_NE(script, nullptr);
    ASSERT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Sing"), nullptr), S_OK);
    ASSERT_TRUE(log.WaitFor(3, kWait)) << "seen " << log.Seen().size() << " of 3";
    // Releasing waits for the delivery to end, so nothing more can come after this.
    EXPECT_EQ(script->Release(), 0u);
    EXPECT_EQ(ToolsSeen(log), (std::vector<std::string>{"every type", "lyrics", "frees"}));
    for (const SeenMessage& message : log.Seen()) {
        EXPECT_TRUE(message.addressedToTool) << message.tool << " got a message for another";
    }
    for (FakeTool* tool : {&onlyTrackLyrics, &everything, &lyrics, &freeing, &last}) {
        EXPECT_EQ(tool->References(), 2) << "the test's and the graph's, no more";
    }
}

// A window of the test thread that counts what it is sent.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HarpixStandInTestWindow";
        RegisterClassA(&windowClass);  // already registered after the first window: fine
        window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
        sent = 0;
    }
    ~CountingWindow() { DestroyWindow(window); }
    HWND Handle() const { return window; }
    static LONG Sent() { return sent; }

    static constexpr UINT kSent = WM_APP + 7;
    static constexpr UINT kPosted = WM_APP + 8;
    static constexpr LRESULT kAnswer = 77;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kSent) {
            InterlockedIncrement(&sent);
            return kAnswer;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static LONG sent;
    HWND window;
};

LONG CountingWindow::sent = 0;

TEST_F(LyricDeliveryTest, ReleasingWhileAToolSendsToTheReleasingThreadServesTheSend) {
    CountingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    LONG answered = 0;
    // Like Harpix's lyric tool: a blocking SendMessageA to a window of the thread that will
    // release the script.
    FakeTool sender("sender", log, kLyricTypes);
    sender.onProcess = [&] {
        SetEvent(entered);
        if (SendMessageA(window.Handle(), CountingWindow::kSent, 0, 0) == CountingWindow::kAnswer) {
            InterlockedIncrement(&answered);
        }
    };
    FakeTool after("after the sender", log, kLyricTypes);
    Insert(sender, 0);
    Insert(after, 1);
    IDirectMusicScript* script = InitialisedScript(
        "Sub Sing\n  Trace \"first\"\n  Trace \"second\"\n  Trace \"third\"\nEnd Sub\n",
        performance.Get());
    ASSERT_NE(script, nullptr);
    ASSERT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Sing"), nullptr), S_OK);
    // Not serving messages here: the send stays blocked until the release below.
    ASSERT_EQ(WaitForSingleObject(entered, kWait), WAIT_OBJECT_0) << "no delivery started";
    PostMessageA(window.Handle(), CountingWindow::kPosted, 0, 0);
    {
        Watchdog watchdog("Release while a tool sends to the releasing thread", 10000);
        EXPECT_EQ(script->Release(), 0u);
    }
    EXPECT_EQ(CountingWindow::Sent(), 1) << "the send was not served during the release";
    EXPECT_EQ(answered, 1) << "the tool's send did not return the window's answer";
    // The lyric being delivered goes no further, and those still queued are dropped.
    EXPECT_EQ(ToolsSeen(log), std::vector<std::string>{"sender"});
    MSG posted;
    EXPECT_TRUE(PeekMessageA(&posted, window.Handle(), CountingWindow::kPosted,
                             CountingWindow::kPosted, PM_REMOVE))
        << "a posted message was taken from the thread's queue";
    CloseHandle(entered);
}

TEST_F(LyricDeliveryTest, MasterValuesReachThePerformance) {
    IDirectMusicScript* script = InitialisedScript(
        "Dim tempo\nSub Apply\n  SetMasterTempo 150\n  SetMasterVolume -600\n"
        "  SetMasterGrooveLevel 4\n  SetMasterTranspose 2\n  tempo = GetMasterTempo\nEnd Sub\n",
        performance.Get());
    ASSERT_NE(script, nullptr);
    ASSERT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Apply"), nullptr), S_OK);
    float tempo = 0;
    ASSERT_EQ(performance.Get()->GetGlobalParam(GUID_PerfMasterTempo, &tempo, sizeof tempo), S_OK);
    EXPECT_FLOAT_EQ(tempo, 1.5f);
    long volume = 0;
    ASSERT_EQ(performance.Get()->GetGlobalParam(GUID_PerfMasterVolume, &volume, sizeof volume),
              S_OK);
    EXPECT_EQ(volume, -600);
    char groove = 0;
    ASSERT_EQ(performance.Get()->GetGlobalParam(GUID_PerfMasterGrooveLevel, &groove, sizeof groove),
              S_OK);
    EXPECT_EQ(groove, 4);
    LONG read = 0;
    script->GetVariableNumber(const_cast<WCHAR*>(L"tempo"), &read, nullptr);
    EXPECT_EQ(read, 150);
    script->Release();
}

TEST_F(LyricDeliveryTest, RandStaysWithinItsRangeAndReachesAllOfIt) {
    IDirectMusicScript* script =
        InitialisedScript("Dim r\nSub Roll\n  r = Rand(3)\nEnd Sub\n", performance.Get());
    ASSERT_NE(script, nullptr);
    std::set<LONG> seen;
    for (int i = 0; i < 200; ++i) {
        script->CallRoutine(const_cast<WCHAR*>(L"Roll"), nullptr);
        LONG value = 0;
        script->GetVariableNumber(const_cast<WCHAR*>(L"r"), &value, nullptr);
        ASSERT_TRUE(value >= 1 && value <= 3) << "got " << value;
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 3u) << "200 rolls of 1 to 3 never showed every face";
    script->Release();
}

// The arrangement Harpix makes: a started performance, the tool put in the graph of the
// default audiopath's performance stage.
TEST_F(LyricDeliveryTest, TraceReachesAToolInTheDefaultAudiopathsGraph) {
    TestPerformance started(false);
    HRESULT result =
        started.Get()->InitAudio(nullptr, nullptr, nullptr, DMUS_APATH_SHARED_STEREOPLUSREVERB, 16,
                                 DMUS_AUDIOF_ALL, nullptr);
    if (FAILED(result)) {
        GTEST_SKIP() << "Wine could not start audio: " << std::hex << result;
    }
    IDirectMusicAudioPath* path = nullptr;
    ASSERT_EQ(started.Get()->GetDefaultAudioPath(&path), S_OK);
    IDirectMusicGraph* graph = nullptr;
    path->GetObjectInPath(0, DMUS_PATH_PERFORMANCE_GRAPH, 0, GUID_NULL, 0, IID_IDirectMusicGraph,
                          reinterpret_cast<void**>(&graph));
    path->Release();
    ASSERT_NE(graph, nullptr);
    FakeTool tool("lyrics", log, kLyricTypes);
    graph->InsertTool(&tool, nullptr, 0, 0);
    IDirectMusicScript* script =
        InitialisedScript("Sub Sing\n  Trace \"heard\"\nEnd Sub\n", started.Get());
    ASSERT_NE(script, nullptr);
    script->CallRoutine(const_cast<WCHAR*>(L"Sing"), nullptr);
    EXPECT_TRUE(log.WaitFor(1, kWait)) << "the lyric never came";
    script->Release();
    graph->RemoveTool(&tool);
    graph->Release();
    std::vector<SeenMessage> seen = log.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].text == L"heard");
    EXPECT_EQ(seen[0].graph, graph);
    EXPECT_EQ(tool.UnexpectedCalls(), 0);
}

}  // namespace
