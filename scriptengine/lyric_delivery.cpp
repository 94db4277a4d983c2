// LyricDelivery: the queue, the thread, and one lyric's way through the graph.
#include "lyric_delivery.h"

#include <dmerror.h>
#include <dmplugin.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "lock_holder.h"
#include "performance_lock.h"

namespace {

// More media types than any tool could mean: such an answer is not believed. Read into an array
// on the stack: the delivery thread allocates nothing of its own, so nothing on it can throw.
constexpr DWORD kMaxMediaTypes = 1024;

bool AcceptsScriptLyrics(IDirectMusicTool* tool) {
    DWORD count = 0;
    HRESULT result = tool->GetMediaTypeArraySize(&count);
    if (result == E_NOTIMPL) {
        return true;  // DirectMusic's convention for a tool that takes every type
    }
    if (FAILED(result) || count == 0 || count > kMaxMediaTypes) {
        return false;
    }
    DWORD types[kMaxMediaTypes];
    DWORD* typesPointer = types;
    if (FAILED(tool->GetMediaTypes(&typesPointer, count))) {
        return false;
    }
    return std::find(types, types + count, static_cast<DWORD>(DMUS_PMSGT_SCRIPTLYRIC)) !=
           types + count;
}

// Waits for `handle`, serving the messages that other threads send to this one meanwhile
// (posted messages stay queued for the thread's own loop).
void WaitServingSentMessages(HANDLE handle) {
    for (;;) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) {
            return;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            WaitForSingleObject(handle, INFINITE);
            return;
        }
    }
}

}  // namespace

LyricDelivery* LyricDelivery::Start(IDirectMusicPerformance* performance) {
    LyricDelivery* delivery = new LyricDelivery(performance);
    if (delivery->wake == nullptr) {
        delivery->LetGo();
        return nullptr;
    }
    // The thread's own reference, given back when it ends.
    delivery->Hold();
    delivery->thread = CreateThread(nullptr, 0, ThreadMain, delivery, 0, &delivery->threadId);
    if (delivery->thread == nullptr) {
        delivery->LetGo();
        delivery->LetGo();
        return nullptr;
    }
    return delivery;
}

LyricDelivery::LyricDelivery(IDirectMusicPerformance* performance)
    : performance(performance), wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    performance->AddRef();
    InitializeCriticalSection(&lock);
}

LyricDelivery::~LyricDelivery() {
    if (thread != nullptr) {
        CloseHandle(thread);
    }
    if (wake != nullptr) {
        CloseHandle(wake);
    }
    DeleteCriticalSection(&lock);
    performance->Release();
}

void LyricDelivery::Hold() {
    InterlockedIncrement(&refCount);
}

void LyricDelivery::LetGo() {
    LONG ref = InterlockedDecrement(&refCount);
    if (ref == 0) {
        delete this;
    }
}

void LyricDelivery::Send(const std::u16string& text) {
    {
        LockHolder hold(lock);
        pending.push_back(text);
    }
    SetEvent(wake);
}

void LyricDelivery::ShutDown() {
    {
        LockHolder hold(lock);
        stopping = true;
        pending.clear();
    }
    SetEvent(wake);
    // On the delivery thread itself (a tool let go of the script) there is nothing to wait for:
    // the thread ends when the tool returns, and its reference keeps this object until then.
    if (GetCurrentThreadId() != threadId) {
        WaitServingSentMessages(thread);
    }
    LetGo();
}

bool LyricDelivery::Stopping() {
    LockHolder hold(lock);
    return stopping;
}

DWORD WINAPI LyricDelivery::ThreadMain(void* self) {
    // The DLL stays loaded while its code runs here, even if COM would unload it meanwhile.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&LyricDelivery::ThreadMain), &module);
    LyricDelivery* delivery = static_cast<LyricDelivery*>(self);
    // Tools may use COM themselves.
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    delivery->Run();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    delivery->LetGo();
    if (module != nullptr) {
        FreeLibraryAndExitThread(module, 0);
    }
    return 0;
}

void LyricDelivery::Run() {
    while (!Stopping()) {
        WaitForSingleObject(wake, INFINITE);
        std::u16string text;
        while (TakeNext(text)) {
            Deliver(text);
        }
    }
}

bool LyricDelivery::TakeNext(std::u16string& text) {
    LockHolder hold(lock);
    if (stopping || pending.empty()) {
        return false;
    }
    // Moved, not copied: a copy could fail to allocate on a thread that has no one to tell.
    text = std::move(pending.front());
    pending.pop_front();
    return true;
}

IDirectMusicGraph* LyricDelivery::FindGraph() {
    IDirectMusicGraph* graph = nullptr;
    if (SUCCEEDED(performance->GetGraph(&graph)) && graph != nullptr) {
        return graph;
    }
    // A performance whose graph nobody has asked for yet: the default audiopath's
    // performance stage is the same graph, made on first request.
    graph = nullptr;
    IDirectMusicPerformance8* performance8 = nullptr;
    if (SUCCEEDED(performance->QueryInterface(IID_IDirectMusicPerformance8,
                                              reinterpret_cast<void**>(&performance8)))) {
        IDirectMusicAudioPath* path = nullptr;
        if (SUCCEEDED(performance8->GetDefaultAudioPath(&path)) && path != nullptr) {
            if (FAILED(path->GetObjectInPath(0, DMUS_PATH_PERFORMANCE_GRAPH, 0, GUID_NULL, 0,
                                             IID_IDirectMusicGraph,
                                             reinterpret_cast<void**>(&graph)))) {
                graph = nullptr;
            }
            path->Release();
        }
        performance8->Release();
    }
    return graph;
}

void LyricDelivery::Deliver(const std::u16string& text) {
    IDirectMusicGraph* graph = FindGraph();
    if (graph == nullptr) {
        return;  // no graph, no tools: nobody to tell
    }
    size_t size = offsetof(DMUS_LYRIC_PMSG, wszString) + (text.size() + 1) * sizeof(WCHAR);
    size = std::max(size, sizeof(DMUS_LYRIC_PMSG));
    DMUS_PMSG* message = nullptr;
    if (FAILED(performance->AllocPMsg(static_cast<ULONG>(size), &message)) || message == nullptr) {
        graph->Release();
        return;
    }
    DMUS_LYRIC_PMSG* lyric = reinterpret_cast<DMUS_LYRIC_PMSG*>(message);
    REFERENCE_TIME now = 0;
    MUSIC_TIME musicNow = 0;
    lyric->dwFlags = DMUS_PMSGF_TOOL_QUEUE;
    if (SUCCEEDED(performance->GetTime(&now, &musicNow))) {
        lyric->rtTime = now;
        lyric->mtTime = musicNow;
        lyric->dwFlags |= DMUS_PMSGF_REFTIME | DMUS_PMSGF_MUSICTIME;
    }
    lyric->dwPChannel = 0;
    lyric->dwVirtualTrackID = 0;
    lyric->pTool = nullptr;
    lyric->dwType = DMUS_PMSGT_SCRIPTLYRIC;
    lyric->dwVoiceID = 0;
    lyric->dwGroupID = 0xFFFFFFFF;
    lyric->punkUser = nullptr;
    std::memcpy(lyric->wszString, text.data(), text.size() * sizeof(WCHAR));
    lyric->wszString[text.size()] = 0;
    // The message owns this reference to the graph from here on.
    lyric->pGraph = graph;
    // As a performance does: the tools are called with its lock held, so a routine called
    // meanwhile on another thread waits until this lyric has been handed over.
    PerformanceLock performanceLock;
    HandToTools(graph, message);
}

void LyricDelivery::HandToTools(IDirectMusicGraph* graph, DMUS_PMSG* message) {
    for (DWORD index = 0;; ++index) {
        IDirectMusicTool* tool = nullptr;
        if (FAILED(graph->GetTool(index, &tool)) || tool == nullptr) {
            break;
        }
        if (!AcceptsScriptLyrics(tool)) {
            tool->Release();
            continue;
        }
        // Stamped for this tool: the message takes over GetTool's reference to it.
        if (message->pTool != nullptr) {
            message->pTool->Release();
        }
        message->pTool = tool;
        HRESULT result = tool->ProcessPMsg(performance, message);
        if (result == S_OK) {
            return;  // the tool keeps it and will free it
        }
        if (result != DMUS_S_REQUEUE || Stopping()) {
            break;
        }
    }
    performance->FreePMsg(message);
}
