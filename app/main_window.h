// The main window: its style and its procedure.
#pragma once

#include <windows.h>

// Caption, system menu and minimize box; no sizing border and no maximize box.
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
