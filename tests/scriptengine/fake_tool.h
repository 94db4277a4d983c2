// A DirectMusic tool for the delivery tests: it records every message it is handed (on which
// thread, with which type, text, graph and addressee) in a log shared by the tools of a graph,
// answers ProcessPMsg as it is told, and counts any call a tool should never receive.
#pragma once

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <functional>
#include <string>
#include <vector>

struct SeenMessage {
    std::string tool;
    DWORD thread;
    DWORD type;
    std::wstring text;
    IDirectMusicGraph* graph;
    bool addressedToTool;  // pTool was this tool
};

// The messages of all tools, in the order they were handed over; safe from any thread.
class DeliveryLog {
public:
    DeliveryLog();
    ~DeliveryLog();
    void Add(const SeenMessage& message);
    std::vector<SeenMessage> Seen();
    // Waits up to `milliseconds` until `count` messages have been seen; whether they were.
    bool WaitFor(size_t count, DWORD milliseconds);

    DeliveryLog(const DeliveryLog&) = delete;
    DeliveryLog& operator=(const DeliveryLog&) = delete;

private:
    CRITICAL_SECTION lock;
    HANDLE changed;
    std::vector<SeenMessage> seen;
};

class FakeTool : public IDirectMusicTool {
public:
    // `mediaTypes` empty: the tool answers E_NOTIMPL, DirectMusic's "every type".
    FakeTool(const char* name, DeliveryLog& log, std::vector<DWORD> mediaTypes,
             HRESULT answer = DMUS_S_REQUEUE);

    // Runs inside ProcessPMsg, after the message is logged and before the answer.
    std::function<void()> onProcess;
    // Calls no tool of these tests should receive (Flush, GetMsgDeliveryType and others).
    LONG UnexpectedCalls() const { return unexpected; }
    LONG References() const { return refCount; }

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(Init)(IDirectMusicGraph* graph) override;
    STDMETHOD(GetMsgDeliveryType)(DWORD* type) override;
    STDMETHOD(GetMediaTypeArraySize)(DWORD* count) override;
    STDMETHOD(GetMediaTypes)(DWORD** types, DWORD count) override;
    STDMETHOD(ProcessPMsg)(IDirectMusicPerformance* performance, DMUS_PMSG* message) override;
    STDMETHOD(Flush)
    (IDirectMusicPerformance* performance, DMUS_PMSG* message, REFERENCE_TIME time) override;

private:
    std::string name;
    DeliveryLog& log;
    std::vector<DWORD> mediaTypes;
    HRESULT answer;
    // The test's own reference: a fake is never deleted.
    LONG refCount = 1;
    LONG unexpected = 0;
};
