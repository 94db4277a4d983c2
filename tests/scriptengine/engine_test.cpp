// The stand-in engine's code, linked in, with Wine's DirectMusic: lyrics delivered under the
// performance's lock, a release in a lyric flood, each call with an allocation failing in turn.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmerror.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bounded_wait.h"
#include "script_file_writer.h"
#include "script_object.h"
#include "script_text.h"

namespace {

// The allocation that operator new (below) fails: the allocationsLeft'th on failingThread.
volatile LONG failingThread = 0;
int allocationsLeft = 0;

const DWORD testThread = GetCurrentThreadId();

WCHAR* W(const wchar_t* text) {
    return const_cast<WCHAR*>(text);
}

// Set when the test's thread finds a lock of the engine taken: it is about to wait for it.
HANDLE lockTaken = CreateEventA(nullptr, FALSE, FALSE, nullptr);
// The system's own, as the import table held it before WatchLocks: the engine's code is linked
// into this program, whose own calls go through the patched table too.
void(WINAPI* enterCriticalSection)(CRITICAL_SECTION*) = nullptr;
void WINAPI EnterWatched(CRITICAL_SECTION* section) {
    if (GetCurrentThreadId() != testThread || !TryEnterCriticalSection(section)) {
        if (GetCurrentThreadId() == testThread) {
            SetEvent(lockTaken);
        }
        enterCriticalSection(section);
    }
}

// Makes the engine's EnterCriticalSection EnterWatched, in the import table of the module that
// holds `code`.
bool WatchLocks(const void* code) {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCSTR>(code), &module);
    auto* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& imports =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base +
                                            reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew)
            ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto enter = reinterpret_cast<ULONG_PTR>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "EnterCriticalSection"));
    // Every slot: a static program may import the function under more than one library name.
    int watched = 0;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + d->FirstThunk); *slot != 0; ++slot) {
            DWORD was = 0;
            if (*slot == enter && VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) {
                enterCriticalSection = reinterpret_cast<decltype(enterCriticalSection)>(*slot);
                *slot = reinterpret_cast<ULONG_PTR>(&EnterWatched);
                watched += VirtualProtect(slot, sizeof *slot, was, &was) != 0;
            }
        }
    }
    return watched > 0;
}

// "tool:text" for each lyric; written on the delivery thread, read once the script is released.
struct Log {
    std::vector<std::string> entries;
    volatile LONG count = 0;
    volatile LONG misdelivered = 0;  // on the caller's thread, or not stamped for the tool
};

// A tool of the graph: it logs each lyric it is handed, runs onLyric, and gives `answer`; no
// types means E_NOTIMPL, every type.
struct Tool : IDirectMusicTool {
    std::string name;
    Log* log;
    std::vector<DWORD> types;
    HRESULT answer;
    std::function<void()> onLyric;  // runs inside ProcessPMsg
    volatile LONG references = 1;
    Tool(const char* n, Log* l, std::vector<DWORD> t, HRESULT a)
        : name(n), log(l), types(std::move(t)), answer(a) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        bool known = IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDirectMusicTool);
        *object = known ? this : nullptr;
        return known ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&references); }
    STDMETHODIMP Init(IDirectMusicGraph*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMsgDeliveryType(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMediaTypeArraySize(DWORD* count) override {
        *count = static_cast<DWORD>(types.size());
        return types.empty() ? E_NOTIMPL : S_OK;
    }
    STDMETHODIMP GetMediaTypes(DWORD** out, DWORD count) override {
        std::copy(types.begin(), types.begin() + std::min<size_t>(count, types.size()), *out);
        return S_OK;
    }
    STDMETHODIMP ProcessPMsg(IDirectMusicPerformance*, DMUS_PMSG* message) override {
        const WCHAR* text = reinterpret_cast<DMUS_LYRIC_PMSG*>(message)->wszString;
        log->entries.push_back(name + ":" + ToUtf8(reinterpret_cast<const char16_t*>(text)));
        if (message->pTool != this || GetCurrentThreadId() == testThread) {
            InterlockedIncrement(&log->misdelivered);
        }
        if (onLyric) {
            onLyric();
        }
        InterlockedIncrement(&log->count);
        return answer;
    }
    STDMETHODIMP Flush(IDirectMusicPerformance*, DMUS_PMSG*, REFERENCE_TIME) override {
        return E_NOTIMPL;
    }
};

// COM, Wine's performance (not started) with a graph of its own, the tools.
class StandIn : public ::testing::Test {
protected:
    StandIn() {
        CoInitialize(nullptr);
        CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                         IID_IDirectMusicPerformance8, reinterpret_cast<void**>(&performance));
        CoCreateInstance(CLSID_DirectMusicGraph, nullptr, CLSCTX_INPROC, IID_IDirectMusicGraph,
                         reinterpret_cast<void**>(&graph));
    }
    void SetUp() override {
        ASSERT_TRUE(performance != nullptr && graph != nullptr);
        ASSERT_EQ(performance->SetGraph(graph), S_OK);
    }
    ~StandIn() override {
        for (const std::unique_ptr<Tool>& tool : tools) {
            graph->RemoveTool(tool.get());
        }
        if (performance != nullptr && graph != nullptr) {
            performance->CloseDown();
            performance->Release();
            graph->Release();
        }
        CoUninitialize();
    }
    // A tool put last in the graph; it lives as long as the test.
    Tool& Insert(const char* name, std::vector<DWORD> types, HRESULT answer = DMUS_S_REQUEUE) {
        tools.push_back(std::make_unique<Tool>(name, &log, std::move(types), answer));
        EXPECT_EQ(graph->InsertTool(tools.back().get(), nullptr, 0, tools.size() - 1), S_OK);
        return *tools.back();
    }
    static IStream* ScriptStream(const char* source) {
        ScriptFileContents contents;
        Utf8ToUtf16(source, contents.source);
        std::vector<uint8_t> bytes = WriteScriptFile(contents);
        return SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    // Loaded and initialised as Wine's loader and Harpix do it.
    IDirectMusicScript* NewScript(const char* source) {
        IStream* stream = ScriptStream(source);
        ScriptObject* script = new ScriptObject;
        EXPECT_EQ(script->Load(stream), S_OK);
        EXPECT_EQ(script->Init(performance, nullptr), S_OK);
        stream->Release();
        return script;
    }

    IDirectMusicPerformance8* performance = nullptr;
    IDirectMusicGraph* graph = nullptr;
    Log log;
    std::vector<std::unique_ptr<Tool>> tools;
    // The whole test, its tools' removal included.
    Watchdog watchdog{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(StandIn, LyricsReachTheToolsThatTakeThemInGraphOrderOnAThreadOfItsOwn) {
    Insert("track", {DMUS_PMSGT_LYRIC});
    Insert("every", {});
    Insert("lyrics", {DMUS_PMSGT_NOTE, DMUS_PMSGT_SCRIPTLYRIC});
    Insert("frees", {DMUS_PMSGT_SCRIPTLYRIC}, DMUS_S_FREE);
    Insert("after", {DMUS_PMSGT_SCRIPTLYRIC});
    IDirectMusicScript* script = NewScript(
        "Dim n\nSub Sing\n  n = 3\n  Trace \"\"\"\xC3\xA9t\xC3\xA9\"\" \xE2\x99\xAA\"\n  Trace "
        "n\nEnd Sub\n");
    ASSERT_EQ(script->CallRoutine(W(L"Sing"), nullptr), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return log.count == 6; }));
    EXPECT_EQ(script->Release(), 0u);  // waits for the delivery thread to end
    const std::string sung = "\"\xC3\xA9t\xC3\xA9\" \xE2\x99\xAA";  // "été" ♪
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"every:" + sung, "lyrics:" + sung, "frees:" + sung,
                                        "every:3", "lyrics:3", "frees:3"}));
    EXPECT_EQ(log.misdelivered, 0);
    for (const std::unique_ptr<Tool>& tool : tools) {
        EXPECT_EQ(tool->references, 2) << "every message freed: the test's and the graph's";
    }
}

TEST_F(StandIn, CallsFromTheWindowsThreadWaitWhileAToolIsHandedALyric) {
    IDirectMusicScript* script = nullptr;
    HANDLE entered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE called = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD whileInside = WAIT_FAILED;
    Insert("tool", {DMUS_PMSGT_SCRIPTLYRIC}).onLyric = [&] {
        // The delivering thread holds the lock, and may take it again.
        EXPECT_EQ(script->SetVariableNumber(W(L"n"), 10, nullptr), S_OK);
        EXPECT_EQ(script->CallRoutine(W(L"Mark"), nullptr), S_OK);
        ResetEvent(lockTaken);  // the test thread waits for `entered`, touching no lock
        SetEvent(entered);
        // The test thread's call either waits for the lock or, without it, is done.
        const HANDLE either[] = {called, lockTaken};
        whileInside = WaitForMultipleObjects(2, either, FALSE, kPatience);
    };
    script =
        NewScript("Dim n\nSub Sing\n  Trace \"hold\"\nEnd Sub\nSub Mark\n  n = n + 1\nEnd Sub\n");
    ASSERT_NE(script, nullptr);
    ASSERT_TRUE(WatchLocks(*reinterpret_cast<void**>(script)));
    for (bool setVariable : {false, true}) {
        SCOPED_TRACE(setVariable ? "SetVariableNumber" : "CallRoutine");
        ResetEvent(called);
        ASSERT_EQ(script->CallRoutine(W(L"Sing"), nullptr), S_OK);
        ASSERT_EQ(WaitForSingleObject(entered, kPatience), WAIT_OBJECT_0);
        EXPECT_EQ(setVariable ? script->SetVariableNumber(W(L"n"), 20, nullptr)
                              : script->CallRoutine(W(L"Mark"), nullptr),
                  S_OK);
        SetEvent(called);
        ASSERT_TRUE(WaitUntil([&] { return log.count == (setVariable ? 2 : 1); }));
        EXPECT_EQ(whileInside, WAIT_OBJECT_0 + 1) << "the call did not wait";
    }
    script->Release();
    CloseHandle(entered);
    CloseHandle(called);
}

TEST_F(StandIn, ReleasingDuringALyricFloodServesTheToolsSendAndWaitsForIt) {
    // A window of this thread that answers 1 (its text's length) to what the tool sends.
    HWND window =
        CreateWindowExA(0, "STATIC", "x", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    volatile LONG inside = 0;
    volatile LONG answered = 0;
    // As a blocking lyric tool does: the send waits for this thread, which only the release
    // serves.
    Insert("sender", {DMUS_PMSGT_SCRIPTLYRIC}).onLyric = [&] {
        InterlockedIncrement(&inside);
        InterlockedExchangeAdd(&answered,
                               static_cast<LONG>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)));
        InterlockedDecrement(&inside);
    };
    const int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        IDirectMusicScript* script = NewScript(
            "Dim depth\nSub Flood\n  depth = depth + 1\n  Trace \"flood\"\n"
            "  If depth < 60 Then Flood\nEnd Sub\n");
        ASSERT_EQ(script->CallRoutine(W(L"Flood"), nullptr), S_OK);
        // Every other time the release begins while the tool is blocked in its send; this wait
        // serves no messages, so the send stays blocked.
        for (const DWORD start = GetTickCount();
             round % 2 == 0 && inside != 1 && GetTickCount() - start < kPatience;) {
            Sleep(1);
        }
        ASSERT_TRUE(round % 2 == 1 || inside == 1);
        ASSERT_EQ(script->Release(), 0u);
        ASSERT_EQ(inside, 0) << "the release returned while a tool still had a lyric";
    }
    // One lyric at most a round: the one in its send when the release began.
    EXPECT_GE(log.count, kRounds / 2);
    EXPECT_LE(log.count, kRounds);
    EXPECT_EQ(answered, log.count) << "a send was not answered";
    EXPECT_EQ(tools[0]->references, 2) << "a message was not freed";
    DestroyWindow(window);
}

TEST_F(StandIn, EveryCallThatCannotAllocateAnswersOutOfMemoryAndLeavesTheObjectWhole) {
    // Names and text long enough to be allocated, not kept inside their strings. The verse is
    // counted after its lyric, so that a routine stopped by a failed allocation wrote nothing.
    IStream* stream = ScriptStream(
        "Dim versesSung\nSub SingAlong\n  Trace \"la la la\"\n  versesSung = versesSung + 1\n"
        "End Sub\nSub Stumbling\n  versesSung = 1 \\ 0\nEnd Sub\n");
    // Each call in turn on a new object, after the calls above it; its result; and versesSung
    // once it has succeeded (-1: no variable to read before Init).
    struct Call {
        std::function<HRESULT(ScriptObject&)> run;
        HRESULT result;
        LONG verses;
    };
    const Call calls[] = {
        {[&](ScriptObject& s) {
             return s.Load((stream->Seek({}, STREAM_SEEK_SET, nullptr), stream));
         },
         S_OK, -1},
        {[&](ScriptObject& s) { return s.Init(performance, nullptr); }, S_OK, 0},
        {[](ScriptObject& s) { return s.CallRoutine(W(L"SingAlong"), nullptr); }, S_OK, 1},
        {[](ScriptObject& s) { return s.CallRoutine(W(L"Stumbling"), nullptr); },
         DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR, 1},
        {[](ScriptObject& s) { return s.SetVariableNumber(W(L"versesSung"), 7, nullptr); }, S_OK,
         7},
    };
    auto verses = [](ScriptObject& s) {
        LONG number = -1;
        s.GetVariableNumber(W(L"versesSung"), &number, nullptr);
        return number;
    };
    // Its 1st allocation failing, its 2nd...: E_OUTOFMEMORY, the variable as the calls before it
    // left it, and the same call again gives its own result.
    int initDoneWithout = 0;
    for (size_t c = 0; c < std::size(calls); ++c) {
        for (int nth = 1, failed = 1; failed; ++nth) {
            ScriptObject* script = new ScriptObject;
            for (size_t before = 0; before < c; ++before) {
                ASSERT_EQ(calls[before].run(*script), calls[before].result) << before;
            }
            allocationsLeft = nth;
            failingThread = static_cast<LONG>(GetCurrentThreadId());
            const HRESULT result = calls[c].run(*script);
            failed = InterlockedExchange(&failingThread, 0) == 0;
            // The one allocation that may fail unseen, in Init: the buffer that std::stable_sort
            // asks for (without throwing) to put the script's names in source order; without
            // it, it sorts them in place.
            const bool doneWithout = failed && c == 1 && result == S_OK && ++initDoneWithout == 1;
            if (failed && !doneWithout) {
                EXPECT_EQ(result, E_OUTOFMEMORY) << c << ", allocation " << nth;
                EXPECT_EQ(verses(*script), c == 0 ? -1 : calls[c - 1].verses) << c << ", " << nth;
                EXPECT_EQ(calls[c].run(*script), calls[c].result) << c << " again, " << nth;
            } else {
                EXPECT_EQ(result, calls[c].result) << c;
            }
            EXPECT_EQ(verses(*script), calls[c].verses) << c << ", allocation " << nth;
            // It waits for the delivery thread: no lock may stay taken.
            EXPECT_EQ(script->Release(), 0u) << c << ", allocation " << nth;
        }
    }
    stream->Release();
}

}  // namespace

// The library's own, but that the allocation the test chose fails. Never inlined, nor are its
// partners below: inlined, the compiler would pair malloc with operator delete and warn.
__attribute__((noinline)) void* operator new(std::size_t size) {
    bool fails = failingThread == static_cast<LONG>(GetCurrentThreadId()) && --allocationsLeft == 0;
    void* memory = fails ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        failingThread = 0;
        throw std::bad_alloc();
    }
    return memory;
}

// Its partners, so that what the replaced operator new gives is freed as it was taken.
__attribute__((noinline)) void operator delete(void* object) noexcept {
    std::free(object);
}

__attribute__((noinline)) void operator delete(void* object, std::size_t) noexcept {
    std::free(object);
}
