// The message loop's own meaning for Enter and Tab, for the whole window whatever has the focus.
#pragma once

#include <windows.h>

// Enter commits every variable, Tab moves the focus ring; either key is then swallowed: the
// message becomes 0x01CA, which no window handles, so no character is made from it.
void FilterKeys(MSG& message);

// Writes every edit box into its script variable, each followed by its notify routine.
void CommitAllVariables();

// Moves the focus forward: buttons in table order, then the edit boxes, then button 0 again.
void AdvanceFocus();

// Selects the whole first line of an edit box.
void SelectFirstLine(HWND editBox);

constexpr UINT kSwallowedKeyMessage = 0x01CA;
