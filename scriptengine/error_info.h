// Filling the caller's DMUS_SCRIPT_ERRORINFO for a compile or runtime error.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include <string>

#include "script_error.h"

enum class ErrorStage { Compilation, Runtime };

// Written only when `info` is given and its dwSize is that of the structure, as DirectMusic
// asks of its callers; the texts are cut to the structure's fields. The line counts from 1 and
// the character position from 0.
void FillErrorInfo(DMUS_SCRIPT_ERRORINFO* info, HRESULT result, ErrorStage stage,
                   const ScriptError& error, const std::u16string& sourceFile);
