// DeliveryLog and FakeTool.
#include "fake_tool.h"

#include <dmerror.h>

DeliveryLog::DeliveryLog() : changed(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock);
}

DeliveryLog::~DeliveryLog() {
    CloseHandle(changed);
    DeleteCriticalSection(&lock);
}

void DeliveryLog::Add(const SeenMessage& message) {
    EnterCriticalSection(&lock);
    seen.push_back(message);
    LeaveCriticalSection(&lock);
    SetEvent(changed);
}

std::vector<SeenMessage> DeliveryLog::Seen() {
    EnterCriticalSection(&lock);
    std::vector<SeenMessage> copy = seen;
    LeaveCriticalSection(&lock);
    return copy;
}

bool DeliveryLog::WaitFor(size_t count, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (Seen().size() >= count) {
            return true;
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return false;
        }
        WaitForSingleObject(changed, milliseconds - elapsed);
    }
}

FakeTool::FakeTool(const char* name, DeliveryLog& log, std::vector<DWORD> mediaTypes,
                   HRESULT answer)
    : name(name), log(log), mediaTypes(std::move(mediaTypes)), answer(answer) {}

STDMETHODIMP FakeTool::QueryInterface(REFIID riid, void** object) {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDirectMusicTool)) {
        *object = static_cast<IDirectMusicTool*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeTool::AddRef() {
    return InterlockedIncrement(&refCount);
}

STDMETHODIMP_(ULONG) FakeTool::Release() {
    LONG ref = InterlockedDecrement(&refCount);
    if (ref <= 0) {
        InterlockedIncrement(&unexpected);  // released once more than it was referenced
    }
    return ref;
}

// The graph calls Init when the tool is inserted: expected, and refused as many tools do.
STDMETHODIMP FakeTool::Init(IDirectMusicGraph*) {
    return E_NOTIMPL;
}

STDMETHODIMP FakeTool::GetMsgDeliveryType(DWORD* type) {
    InterlockedIncrement(&unexpected);
    *type = DMUS_PMSGF_TOOL_IMMEDIATE;
    return S_OK;
}

STDMETHODIMP FakeTool::GetMediaTypeArraySize(DWORD* count) {
    if (mediaTypes.empty()) {
        return E_NOTIMPL;
    }
    *count = static_cast<DWORD>(mediaTypes.size());
    return S_OK;
}

STDMETHODIMP FakeTool::GetMediaTypes(DWORD** types, DWORD count) {
    if (count != mediaTypes.size()) {
        InterlockedIncrement(&unexpected);
        return E_FAIL;
    }
    for (DWORD i = 0; i < count; ++i) {
        (*types)[i] = mediaTypes[i];
    }
    return S_OK;
}

STDMETHODIMP FakeTool::ProcessPMsg(IDirectMusicPerformance*, DMUS_PMSG* message) {
    SeenMessage seen;
    seen.tool = name;
    seen.thread = GetCurrentThreadId();
    seen.type = message->dwType;
    if (message->dwType == DMUS_PMSGT_SCRIPTLYRIC || message->dwType == DMUS_PMSGT_LYRIC) {
        seen.text = reinterpret_cast<DMUS_LYRIC_PMSG*>(message)->wszString;
    }
    seen.graph = message->pGraph;
    seen.addressedToTool = message->pTool == static_cast<IDirectMusicTool*>(this);
    log.Add(seen);
    if (onProcess) {
        onProcess();
    }
    return answer;
}

STDMETHODIMP FakeTool::Flush(IDirectMusicPerformance*, DMUS_PMSG*, REFERENCE_TIME) {
    InterlockedIncrement(&unexpected);
    return E_NOTIMPL;
}
