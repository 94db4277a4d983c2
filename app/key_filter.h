// The message loop's own meaning for Enter and Tab, for the whole window whatever has the focus.
#pragma once

#include <windows.h>

// Enter commits every variable, Tab moves the focus ring; either key is then swallowed: the
// message becomes 0x01CA, which no window handles, so no character is made from it.
void FilterKeys(MSG& message);
