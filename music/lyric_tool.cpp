// LyricTool: the tool's answers to its graph, and the lyric hand-off.
#include "lyric_tool.h"

#include <dmerror.h>

#include <cstring>

#include "lock_holder.h"

LyricTool::LyricTool() : targetWindow(nullptr), notifying(true), notificationPending(false) {
    std::memset(lyricText, 0, sizeof lyricText);
    InitializeCriticalSection(&lock);
}

LyricTool::~LyricTool() {
    DeleteCriticalSection(&lock);
}

BOOL LyricTool::SetTargetWindow(HWND window) {
    targetWindow = window;
    return TRUE;
}

void LyricTool::CopyLyricText(char* dest, size_t size) {
    Copy(dest, size, true);
}

void LyricTool::PeekLyricText(char* dest, size_t size) {
    Copy(dest, size, false);
}

void LyricTool::Copy(char* dest, size_t size, bool servesNotification) {
    if (dest == nullptr || size == 0) {
        return;
    }
    // The copy and the mark under one lock: a lyric in between would otherwise find the mark
    // still set, post nothing, and wait unseen for the lyric after it.
    LockHolder hold(lock);
    size_t length = strnlen(lyricText, size - 1);
    std::memcpy(dest, lyricText, length);
    dest[length] = '\0';
    if (servesNotification) {
        notificationPending = false;
    }
}

void LyricTool::StopNotifying() {
    LockHolder hold(lock);
    notifying = false;
}

STDMETHODIMP LyricTool::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    // Not IDirectMusicTool8: the tool has no Clone.
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDirectMusicTool)) {
        *object = static_cast<IDirectMusicTool*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP LyricTool::Init(IDirectMusicGraph*) {
    return E_NOTIMPL;
}

STDMETHODIMP LyricTool::GetMsgDeliveryType(DWORD* deliveryType) {
    if (deliveryType == nullptr) {
        return E_POINTER;
    }
    // At queue time, shortly before the lyric is heard, so the window shows it in step.
    *deliveryType = DMUS_PMSGF_TOOL_QUEUE;
    return S_OK;
}

STDMETHODIMP LyricTool::GetMediaTypeArraySize(DWORD* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 2;
    return S_OK;
}

STDMETHODIMP LyricTool::GetMediaTypes(DWORD** mediaTypes, DWORD count) {
    if (count != 2) {
        return E_FAIL;
    }
    if (mediaTypes == nullptr || *mediaTypes == nullptr) {
        return E_POINTER;
    }
    // Lyric-track events and the lyrics that scripts send.
    (*mediaTypes)[0] = DMUS_PMSGT_LYRIC;
    (*mediaTypes)[1] = DMUS_PMSGT_SCRIPTLYRIC;
    return S_OK;
}

STDMETHODIMP LyricTool::ProcessPMsg(IDirectMusicPerformance*, DMUS_PMSG* message) {
    if (message == nullptr) {
        return E_POINTER;
    }
    // Without a graph, or unstamped, the message cannot go on: the performance frees it.
    if (message->pGraph == nullptr || FAILED(message->pGraph->StampPMsg(message))) {
        return DMUS_S_FREE;
    }
    // From here every message goes on to the next tool unchanged.
    if (message->dwType != DMUS_PMSGT_LYRIC && message->dwType != DMUS_PMSGT_SCRIPTLYRIC) {
        return DMUS_S_REQUEUE;
    }
    const WCHAR* lyric = reinterpret_cast<DMUS_LYRIC_PMSG*>(message)->wszString;
    if (lyric[0] == 0) {
        return DMUS_S_REQUEUE;
    }

    // Converted outside the lock, so the window never waits for the conversion, and only as far
    // as the view can show: 255 characters. ISO 8859-1: units up to 255 are the bytes of the
    // same value; the text ends at the first unit beyond that, which no 8-bit byte could show.
    char text[kLyricTextSize] = {};
    for (size_t i = 0; i < kLyricTextSize - 1 && lyric[i] != 0 && lyric[i] <= 0xFF; ++i) {
        text[i] = static_cast<char>(lyric[i]);
    }
    {
        LockHolder hold(lock);
        // The whole field, zeros included, so a shorter lyric leaves nothing of the one before.
        std::memcpy(lyricText, text, sizeof lyricText);
        // Posted, never sent: this thread may hold the performance's lock, which the window's
        // thread needs for its own calls into DirectMusic. A post that fails (the window is
        // gone, or its queue is full) leaves the next lyric to try again. Without a window
        // nothing is posted: PostMessageA(nullptr, ...) would post to this thread and succeed,
        // and the mark would stay set for ever.
        if (notifying && !notificationPending && targetWindow != nullptr) {
            notificationPending = PostMessageA(targetWindow, WM_LYRIC, 0, 0) != FALSE;
        }
    }
    return DMUS_S_REQUEUE;
}

STDMETHODIMP LyricTool::Flush(IDirectMusicPerformance*, DMUS_PMSG*, REFERENCE_TIME) {
    return E_NOTIMPL;
}
