// Names the step of start-up that failed, for whoever looks into a demo that ended without a
// word: a debugger shows the line, and so does Wine with WINEDEBUG=+debugstr. Nothing of it
// reaches the user, and nothing depends on it.
#pragma once

#include <windows.h>

// "Harpix: start-up: STEP failed (0xRESULT)", one line through OutputDebugStringA.
void TraceStartUpFailure(const char* step, HRESULT result);

// Passes `result` on unchanged, tracing `step` when it failed.
inline HRESULT TraceIfFailed(const char* step, HRESULT result) {
    if (FAILED(result)) {
        TraceStartUpFailure(step, result);
    }
    return result;
}
