// Keys for a program's thread, as its message loop sees typed keys.
#pragma once

#include <windows.h>

#include <vector>

// Keys posted to the focused window of the program's thread: they pass its message loop and
// key filter as typed keys do, without needing the foreground.
HWND FocusOf(DWORD threadId);
void PressKey(DWORD threadId, WPARAM key);
void TypeText(DWORD threadId, const char* text);
// Real keyboard input to `window`'s top-level window, once it is in the foreground: where a
// modifier must be held. A negative entry releases the key -entry. Input goes to the thread in
// the foreground as each key arrives, so all go in one SendInput; false if the foreground went
// meanwhile to a window that is neither that one nor owned by it.
bool TypeRealKeys(HWND window, const std::vector<int>& keys);
