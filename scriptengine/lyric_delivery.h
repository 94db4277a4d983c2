// Trace's delivery: lyrics reach the tools of the performance's graph on a thread of the
// engine's own, never on the thread that ran the routine, as DirectMusic does it.
//
// For each lyric the thread allocates a DMUS_LYRIC_PMSG of type DMUS_PMSGT_SCRIPTLYRIC with the
// performance, addresses it to the graph and hands it to each tool whose media types include
// that type (or that answers E_NOTIMPL, meaning every type), in graph order, stamped for that
// tool: pGraph and pTool set, each holding a reference that FreePMsg gives back. DMUS_S_REQUEUE
// sends it on to the next such tool; DMUS_S_FREE or a failure ends its way; S_OK means the tool
// kept it. Then the message is freed. Wine's own StampPMsg leaves pTool as it was, so the
// addressing is done here rather than left to the graph. The tools are called with the
// performance's lock held (see performance_lock.h).
//
// ShutDown ends delivery: lyrics not yet handed over are dropped, and it returns once the thread
// has ended. A tool may be blocked meanwhile in SendMessageA towards a window of the stopping
// thread (Harpix's posts and never waits, but any tool may send), so the wait serves the
// messages sent to the stopping thread; otherwise the two threads would wait for each other
// for ever. Start and Send may throw std::bad_alloc, on the caller's thread; the delivery
// thread allocates nothing of its own, so no exception can leave it.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include <deque>
#include <string>

class LyricDelivery {
public:
    // Starts the thread, with a reference to `performance`; null when Windows cannot.
    static LyricDelivery* Start(IDirectMusicPerformance* performance);

    // Queues one lyric; returns at once.
    void Send(const std::u16string& text);

    // See above. The object must not be used afterwards.
    void ShutDown();

    LyricDelivery(const LyricDelivery&) = delete;
    LyricDelivery& operator=(const LyricDelivery&) = delete;

private:
    explicit LyricDelivery(IDirectMusicPerformance* performance);
    ~LyricDelivery();
    // Two owners, the script and the thread: whichever lets go last deletes the object, so
    // that a script released on the delivery thread itself is still safe.
    void Hold();
    void LetGo();

    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    bool Stopping();
    // Moves the next lyric into `text`; false when there is none or delivery is stopping.
    bool TakeNext(std::u16string& text);
    void Deliver(const std::u16string& text);
    IDirectMusicGraph* FindGraph();
    // To each tool that takes script lyrics, in graph order; then freed, unless a tool kept it.
    void HandToTools(IDirectMusicGraph* graph, DMUS_PMSG* message);

    LONG refCount = 1;
    IDirectMusicPerformance* performance;
    CRITICAL_SECTION lock;  // guards pending and stopping
    std::deque<std::u16string> pending;
    bool stopping = false;
    HANDLE wake = nullptr;  // auto-reset: set when a lyric is queued or ShutDown is called
    HANDLE thread = nullptr;
    DWORD threadId = 0;
};
