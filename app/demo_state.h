// The demo window's process-wide state and the ids of its child controls.
//
// Touched only on the user-interface thread. The main window owns the font, the engine and the
// script for its whole life; the key filter reads the focus state.
#pragma once

#include <windows.h>

#include <cstdint>

class AudioEngine;
class ScriptWrapper;

// Button i has id i; the ranges stay apart because the tables hold at most 50 buttons and 25
// variables and text boxes, and the command dispatch tells the controls apart by them.
constexpr int kEditIdBase = 50;
constexpr int kLabelIdBase = 75;
constexpr int kTextBoxIdBase = 200;
constexpr int kLyricViewId = 550;

extern HFONT controlFont;
extern AudioEngine* audioEngine;
extern ScriptWrapper* activeScript;
// The variable edit box that has the focus, 0 for none.
extern int32_t activeEditId;
// The control from which Tab moves on: a button's or an edit box's id.
extern int32_t focusCursor;
