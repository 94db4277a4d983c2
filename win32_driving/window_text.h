// A window read as a user sees it: its class and its text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What TextOf returns when the window's thread did not answer within kPatience.
constexpr char kNoAnswer[] = "<no answer>";

std::string ClassNameOf(HWND window);
// WM_GETTEXT, bounded: kNoAnswer when none came. Works for windows of this thread too.
std::string TextOf(HWND window);
// The visible top-level windows of a process, in z-order.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
