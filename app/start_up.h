// Start-up: the window classes, the wait window, the description file, and the main window.
#pragma once

#include <windows.h>

// The wait window's class, and its caption. Two trailing blanks keep this class apart from
// "HARPIX": Windows compares class names without regard to case.
constexpr char kWaitClassName[] = "Harpix  ";

void RegisterMainWindowClass(HINSTANCE instance);

// True when the main window exists and is shown.
bool StartInstance(HINSTANCE instance, int showCommand);

// Derives descriptionFileName from the command line and enters the command line's folder.
void LocateDescriptionFile();

// Reads the description file into the settings and tables, showing each problem in a message
// box; a file that cannot be opened ends the process with exit code 1 and shows nothing.
void ReadDescriptionOrExit();
