// The demo the main window carries: built on WM_CREATE, driven by WM_COMMAND and WM_LYRIC, torn
// down on WM_DESTROY.
#pragma once

#include <windows.h>

// Font, engine, script, start-up routine, a window for each of the demo's controls, and the
// initial focus.
// When the music or the script cannot start it says so and destroys the window.
void CreateDemo();

// Silences the lyric tool, then frees the records, the font, the script and the engine, in that
// order.
void DestroyDemo();

// A button's click runs its routine; an edit box's focus changes set its variable and run its
// notify routine. Every command but a button's then goes to the default procedure, an edit
// box's included.
LRESULT OnDemoCommand(HWND window, WPARAM wParam, LPARAM lParam);

// On WM_LYRIC: shows the lyric tool's latest text in the lyric view and marks the message
// served, so that the tool posts again for the next lyric.
void ShowNotifiedLyric();
// After a command: shows the latest text too, but a WM_LYRIC still queued stays pending, so
// that the tool never has more than one queued.
void RefreshLyricView();
