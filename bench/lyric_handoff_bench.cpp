// Lyric hand-off benchmark, a Windows program run under Wine, with two figures. The music
// thread's time in the lyric tool's ProcessPMsg, against a bare PostMessageA from the same
// thread; and the time from a lyric entering ProcessPMsg to the lyric view receiving its text,
// against a bare cross-thread SendMessageA reaching the same view. Both run in this one process,
// alternately, with the program's own main window over the fake DirectMusic of the music tests,
// its thread in a GetMessage loop as in Harpix. Each lyric waits until the view has it, so that
// every lyric is handed over on its own.
#include <windows.h>
#include <dmerror.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio_engine.h"
#include "bench_summary.h"
#include "demo_settings.h"
#include "demo_state.h"
#include "description_reader.h"
#include "description_text.h"
#include "fake_direct_music.h"
#include "lyric_message.h"
#include "lyric_tool.h"
#include "main_window.h"
#include "program_run.h"
#include "resource.h"
#include "shell_state.h"
#include "start_up.h"
#include "test_window.h"

namespace {

// The bundled demo's window and lyric view.
const char kDescription[] =
    "Title Lyric hand-off\nWindowWidth 440\nWindowHeight 345\nScriptFileName MorningHarp.spt\n"
    "LyricView\nTopLeftX 10\nTopLeftY 170\nWidth 410\nHeight 40\nEnd Ini\n";

// Consecutive lyrics differ, so that the view really changes its text every time.
constexpr size_t kDistinctLyrics = 16;
// Checking what the view shows is a send of its own; it is done between timed lyrics, now and
// then, and for the last lyric of each series.
constexpr int kCheckEvery = 97;

class SilentMessages : public ReaderMessages {
public:
    void Show(const char*) override {}
};

double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static const double perTick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1e6 / static_cast<double>(frequency.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * perTick;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t unit : text) {
        narrow += static_cast<char>(unit);
    }
    return narrow;
}

// A line of the song, numbered so that each differs from the one before, of exactly `length`
// characters when `length` is given.
std::wstring LyricText(size_t index, size_t length) {
    std::wstring text = L"Line " + std::to_wstring(index) + L": the harp wakes up in the morning";
    if (length == 0) {
        return text;
    }
    const std::wstring filler = L" and hums a tune, la la la";
    while (text.size() < length) {
        text += filler;
    }
    text.resize(length);
    return text;
}

struct Series {
    const char* name;
    size_t length;
    std::vector<double> inTool;    // ProcessPMsg, on the music thread
    std::vector<double> barePost;  // PostMessageA, on the music thread
    std::vector<double> toView;    // ProcessPMsg's start to the view's WM_SETTEXT
    std::vector<double> bareSend;  // SendMessageA's start to the view's ping
};

// The lyric view, subclassed: the time its text last arrived, or the ping of a bare send.
constexpr UINT WM_PING = WM_APP + 7;
WNDPROC viewProcedure = nullptr;
HANDLE viewReached = nullptr;
LARGE_INTEGER viewReachedAt;

LRESULT CALLBACK TimedViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT || message == WM_PING) {
        QueryPerformanceCounter(&viewReachedAt);
        SetEvent(viewReached);
        if (message == WM_PING) {
            return 0;
        }
    }
    return CallWindowProcA(viewProcedure, view, message, wParam, lParam);
}

bool WaitForView() {
    return WaitForSingleObject(viewReached, kPatience) == WAIT_OBJECT_0;
}

struct Job {
    HWND window;
    HWND lyricView;
    LyricTool* tool;
    IDirectMusicGraph* graph;
    IDirectMusicPerformance* performance;
    int lyrics;
    std::vector<Series>* series;
    std::string problem;
    DWORD mainThread;
};

// Runs on the second thread, as DirectMusic's own thread calls the tool.
DWORD WINAPI Deliver(void* data) {
    Job& job = *static_cast<Job*>(data);
    for (Series& series : *job.series) {
        std::vector<std::unique_ptr<LyricMessage>> messages;
        std::vector<std::string> expected;
        for (size_t i = 0; i < kDistinctLyrics; ++i) {
            const std::wstring text = LyricText(i, series.length);
            messages.push_back(std::make_unique<LyricMessage>(DMUS_PMSGT_LYRIC, text, job.graph));
            expected.push_back(Narrow(text));
        }
        for (int i = 0; i < job.lyrics && job.problem.empty(); ++i) {
            LyricMessage& lyric = *messages[static_cast<size_t>(i) % kDistinctLyrics];
            LARGE_INTEGER start, handedOff, posted;
            // Alternate which of the two goes first, so that neither always follows the other.
            HRESULT result = S_OK;
            bool reached = true;
            for (int turn = 0; turn < 2; ++turn) {
                if ((turn + i) % 2 == 0) {
                    QueryPerformanceCounter(&start);
                    result = job.tool->ProcessPMsg(job.performance, lyric.Get());
                    QueryPerformanceCounter(&handedOff);
                    reached = WaitForView() && reached;
                    series.inTool.push_back(Microseconds(start, handedOff));
                    series.toView.push_back(Microseconds(start, viewReachedAt));
                } else {
                    QueryPerformanceCounter(&start);
                    PostMessageA(job.window, WM_NULL, 0, 0);
                    QueryPerformanceCounter(&posted);
                    series.barePost.push_back(Microseconds(start, posted));
                    QueryPerformanceCounter(&start);
                    SendMessageA(job.lyricView, WM_PING, 0, 0);
                    reached = WaitForView() && reached;
                    series.bareSend.push_back(Microseconds(start, viewReachedAt));
                }
            }
            if (result != DMUS_S_REQUEUE) {
                job.problem = "ProcessPMsg returned " + std::to_string(result);
            } else if (!reached) {
                job.problem = std::string(series.name) + ": nothing reached the view in 30 s";
            } else if (i % kCheckEvery == 0 || i + 1 == job.lyrics) {
                char shown[512] = {};
                GetWindowTextA(job.lyricView, shown, sizeof shown);
                const std::string& wanted = expected[static_cast<size_t>(i) % kDistinctLyrics];
                if (wanted != shown) {
                    job.problem = std::string(series.name) + ": the lyric view shows \"" + shown +
                                  "\" instead of \"" + wanted + "\"";
                }
            }
        }
    }
    PostThreadMessageA(job.mainThread, WM_QUIT, 0, 0);
    return 0;
}

void PrintRows(const Series& series) {
    const SampleSummary inTool = Summarize(series.inTool);
    const SampleSummary post = Summarize(series.barePost);
    const SampleSummary toView = Summarize(series.toView);
    const SampleSummary send = Summarize(series.bareSend);
    const std::string what = std::string("lyric hand-off, ") + series.name;
    PrintTableRow(what + ", music thread, median", FormatValue(inTool.median, "us"),
                  FormatSpread(inTool, "us"), "bare post " + FormatValue(post.median, "us"),
                  inTool.median / post.median, "<= 1.5x");
    PrintTableRow(what + ", to the view, median", FormatValue(toView.median, "us"),
                  FormatSpread(toView, "us"),
                  "bare cross-thread send " + FormatValue(send.median, "us"),
                  toView.median / send.median, "<= 2x");
    PrintTableRow(what + ", to the view, 99th percentile", FormatValue(toView.p99, "us"), "-",
                  "bare cross-thread send " + FormatValue(send.p99, "us"), toView.p99 / send.p99,
                  "-");
}

}  // namespace

int main(int argc, char** argv) {
    int lyrics = 10000;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (OptionValue(argv[i], "--lyrics", value) && std::atoi(value.c_str()) > 0) {
            lyrics = std::atoi(value.c_str());
        } else {
            std::fprintf(stderr, "usage: %s [--lyrics=N]  (N lyrics of each length)\n", argv[0]);
            return 2;
        }
    }
    // A stuck send cannot be bounded any other way: the whole run fails instead of hanging.
    Watchdog watchdog("the lyric hand-off benchmark", 600000);

    FakeDirectMusic world;
    LoadDescriptionText(kDescription, sizeof kDescription - 1);
    SilentMessages silent;
    InterpretDescriptionText(silent);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDC_HARPIX, windowClassName, sizeof windowClassName);
    RegisterMainWindowClass(instance);
    appInstance = instance;
    HWND window = CreateWindowExA(0, windowClassName, demoSettings.Title, kMainWindowStyle, 0, 0,
                                  demoSettings.WindowWidth, demoSettings.WindowHeight, nullptr,
                                  nullptr, instance, nullptr);
    LyricTool* tool = audioEngine != nullptr ? audioEngine->GetLyricTool() : nullptr;
    if (window == nullptr || tool == nullptr) {
        std::fprintf(stderr, "the main window or its lyric tool could not be made\n");
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    viewReached = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    viewProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(GetDlgItem(window, kLyricViewId), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(TimedViewProcedure)));

    std::vector<Series> series{{"40-char lyric", 40, {}, {}, {}, {}},
                               {"255-char lyric", 255, {}, {}, {}, {}}};
    Job job{window,
            GetDlgItem(window, kLyricViewId),
            tool,
            &world.graph,
            &world.performance,
            lyrics,
            &series,
            "",
            GetCurrentThreadId()};
    HANDLE worker = CreateThread(nullptr, 0, Deliver, &job, 0, nullptr);
    // The program's own loop: the sends are served while this thread waits in GetMessage.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
    DestroyWindow(window);

    if (!job.problem.empty()) {
        std::fprintf(stderr, "%s\n", job.problem.c_str());
        return 1;
    }
    for (const Series& s : series) {
        PrintRows(s);
    }
    return 0;
}
