// The demo window's process-wide state.
#include "demo_state.h"

HFONT controlFont;
AudioEngine* audioEngine;
ScriptWrapper* activeScript;
int32_t activeEditId;
int32_t focusCursor;
