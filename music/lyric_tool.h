// LyricTool: the program's own DirectMusic tool, which catches every lyric of the playing music
// as 8-bit text and tells the main window with WM_LYRIC.
//
// DirectMusic calls ProcessPMsg on its own threads; the tool keeps the text, then sends WM_LYRIC
// (wParam 0, lParam 0) and waits until the window has served it. The window reads the text with
// CopyLyricText, under a small lock that is never held across the send. Before the engine stops
// the music it calls StopNotifying: from then on no send starts, and a send already started is
// served on the calling thread, so that the window's thread never waits inside DirectMusic for a
// tool that waits for the window.
#pragma once

#include <windows.h>
#include <dmusici.h>
#include <dmplugin.h>

#include <cstddef>

// Sent by the lyric tool to its window when a new lyric is in lyricText.
constexpr UINT WM_LYRIC = WM_USER + 1;

// Room for the current lyric: 255 characters and the terminator.
constexpr size_t kLyricTextSize = 256;

class LyricTool : public IDirectMusicTool {
public:
    // One reference, empty text, no window.
    LyricTool();

    // Names the window that receives WM_LYRIC; call before the tool goes into a graph.
    BOOL SetTargetWindow(HWND window);

    // Copies the current lyric into `dest` of `size` bytes, cut to fit and always terminated.
    void CopyLyricText(char* dest, size_t size);

    // Ends the notifications for good. Returns once no WM_LYRIC send is in flight; meanwhile it
    // serves the messages sent to this thread, which is how a send to a window of this thread
    // completes. Lyrics that arrive later still update the text.
    void StopNotifying();

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IDirectMusicTool
    STDMETHOD(Init)(IDirectMusicGraph* graph) override;
    STDMETHOD(GetMsgDeliveryType)(DWORD* deliveryType) override;
    STDMETHOD(GetMediaTypeArraySize)(DWORD* count) override;
    STDMETHOD(GetMediaTypes)(DWORD** mediaTypes, DWORD count) override;
    STDMETHOD(ProcessPMsg)(IDirectMusicPerformance* performance, DMUS_PMSG* message) override;
    STDMETHOD(Flush)
    (IDirectMusicPerformance* performance, DMUS_PMSG* message, REFERENCE_TIME time) override;

    LyricTool(const LyricTool&) = delete;
    LyricTool& operator=(const LyricTool&) = delete;

private:
    // Only Release deletes the tool, when the last reference goes.
    virtual ~LyricTool();

    char lyricText[kLyricTextSize];
    HWND targetWindow;
    LONG refCount;

    // Guards lyricText, notifying and sendsInFlight.
    CRITICAL_SECTION lock;
    bool notifying;
    LONG sendsInFlight;
    // Set (manual reset, never reset) by the last send in flight to return once notifying has
    // stopped, for StopNotifying to wake on; while lyrics are handed over nothing touches it, as
    // every event call is a round trip to the wineserver under Wine. Null if it could not be
    // made, and then StopNotifying polls instead.
    HANDLE lastSendReturned;
};
