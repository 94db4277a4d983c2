// The demo window's process-wide state.
//
// Touched only on the user-interface thread. The main window owns the font, the engine and the
// script for its whole life; the key filter reads the focus state.
#pragma once

#include <windows.h>

#include <cstdint>

#include "demo_layout.h"

class AudioEngine;
class ScriptWrapper;

extern HFONT controlFont;
extern AudioEngine* audioEngine;
extern ScriptWrapper* activeScript;
// The variable edit box that has the focus, 0 for none.
extern int32_t activeEditId;
// The control from which Tab moves on: a button's or an edit box's id.
extern int32_t focusCursor;
