// LyricTool: the program's own DirectMusic tool, which catches every lyric of the playing music
// as 8-bit text and tells the main window with WM_LYRIC.
//
// DirectMusic calls ProcessPMsg on its own threads, and a performance may hold its own lock while
// it does; the same lock guards the calls the window makes (a routine that plays or stops
// music). So the tool never waits for the window: it keeps the text under a small lock and posts
// WM_LYRIC (wParam 0, lParam 0), at most one queued at a time: the next is posted only once the
// window has served it with CopyLyricText. A burst of lyrics faster than the window serves them
// shows only the latest.
#pragma once

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <cstddef>

#include "reference_counted.h"

// Sent by the lyric tool to its window when a new lyric is in lyricText.
constexpr UINT WM_LYRIC = WM_USER + 1;

// Room for the current lyric: 255 characters and the terminator.
constexpr size_t kLyricTextSize = 256;

class LyricTool : public ReferenceCounted<IDirectMusicTool> {
public:
    // One reference, empty text, no window.
    LyricTool();

    // Names the window that receives WM_LYRIC; call before the tool goes into a graph. Without
    // one (null) lyrics only update the text.
    BOOL SetTargetWindow(HWND window);

    // For a WM_LYRIC: copies the current lyric into `dest` of `size` bytes, cut to fit and always
    // terminated, and marks the notification served, so that the next lyric posts again.
    void CopyLyricText(char* dest, size_t size);
    // For any other read (after a command): the same copy, leaving a queued WM_LYRIC pending.
    void PeekLyricText(char* dest, size_t size);

    // Ends the notifications for good, at once. Lyrics that arrive later still update the text.
    void StopNotifying();

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;

    // IDirectMusicTool
    STDMETHOD(Init)(IDirectMusicGraph* graph) override;
    STDMETHOD(GetMsgDeliveryType)(DWORD* deliveryType) override;
    STDMETHOD(GetMediaTypeArraySize)(DWORD* count) override;
    STDMETHOD(GetMediaTypes)(DWORD** mediaTypes, DWORD count) override;
    STDMETHOD(ProcessPMsg)(IDirectMusicPerformance* performance, DMUS_PMSG* message) override;
    STDMETHOD(Flush)
    (IDirectMusicPerformance* performance, DMUS_PMSG* message, REFERENCE_TIME time) override;

private:
    // Only Release deletes the tool, when the last reference goes.
    ~LyricTool() override;
    void Copy(char* dest, size_t size, bool servesNotification);

    char lyricText[kLyricTextSize];
    HWND targetWindow;

    // Guards lyricText, notifying and notificationPending; never held while waiting for anyone.
    CRITICAL_SECTION lock;
    bool notifying;
    // A WM_LYRIC is queued and the window has not served it yet: the next lyric only replaces
    // the text, so a flood of lyrics cannot fill the window's message queue.
    bool notificationPending;
};
