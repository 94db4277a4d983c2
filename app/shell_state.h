// The shell's process-wide state: touched only on the user-interface thread.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE appInstance;
// The main window, stored by its window procedure at the start of every call, so that it is set
// already while the window is being created.
extern HWND mainWindow;
// The main window's class name, from string 109.
extern char windowClassName[100];
// Not cut at 260 characters: a cut name would open a different file.
extern std::string descriptionFileName;
