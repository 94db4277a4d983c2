// How the program's message loop serves each message.
#pragma once

#include <windows.h>

// The key filter first, then the main menu's accelerators, then the window the message is for.
void ServeMessage(MSG& message, HACCEL accelerators);
