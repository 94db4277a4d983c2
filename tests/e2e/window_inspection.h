// Reading another process's windows the way a user sees them, with every wait bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long any single wait for the program may take before the check fails.
constexpr DWORD kPatience = 15000;

// Polls `condition` until it holds or `milliseconds` pass.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatience);

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::string ClassNameOf(HWND window);
// The caption of a top-level window.
std::string CaptionOf(HWND window);
// A control's text through WM_GETTEXT, sent from a helper thread so that a program that stops
// serving messages makes this fail instead of hang. "<no answer>" when it did not answer.
std::string ControlText(HWND control);
RECT OuterRect(HWND window);

// The first visible top-level window of the process with that class, or null after the wait.
HWND WaitForWindowOfClass(DWORD processId, const char* className, DWORD milliseconds = kPatience);
HWND FindWindowOfClass(DWORD processId, const char* className);

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool stopIcon = false;
};

// Waits for a message box of the process and reads it; `box` is null when none came.
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD milliseconds = kPatience);

// Presses a dialog's button as a click would: the dialog receives its command.
void PressButton(HWND dialog, int buttonId);

// Types keys with real keyboard input; the window must be in the foreground. Each entry is a
// virtual-key code; a negative entry releases the key -entry. Real input is what makes Alt and
// Shift held, but on a busy machine under Wine a keystroke can be lost: callers check its
// effect and type again.
void TypeKeys(HWND foreground, const std::vector<int>& keys);

// The window of the program's user-interface thread that has the keyboard focus, or null.
HWND FocusOf(DWORD threadId);

// A key pressed and released, or a character typed, as the keyboard delivers them: posted to the
// window that has the focus in the program's thread, so they pass its message loop (and its key
// filter) like real keys. Deterministic where no modifier key is needed.
void PressKey(DWORD threadId, WPARAM key);
void TypeText(DWORD threadId, const char* text);
