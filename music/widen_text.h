// The one conversion of the program's 8-bit ANSI names and paths into the UTF-16 that
// DirectMusic takes, and the size of the buffers it fills.
#pragma once

#include <windows.h>

#include <cstdint>

// Every name and path reaches DirectMusic through a buffer of this many UTF-16 units.
constexpr int32_t kWideNameCapacity = 260;

// Converts the zero-terminated `src` with the system ANSI code page into `dest`, which holds
// `count` units; a `count` of -1 stands for the length of `src` plus one. At most count - 1
// converted units are written, and the unit at index count - 1 becomes the terminator, so a
// text that does not fit is cut there. A null `dest` or `src`, or a count of 0 or below -1,
// writes nothing. Nothing is ever written past `count` units.
void WidenText(WCHAR* dest, const char* src, int32_t count);

// Widens `name` whole into `dest`. Refuses (false, nothing written) a null name and one of
// kWideNameCapacity characters or more: a name cut to fit would call another routine or open
// another file, so the callers answer E_INVALIDARG instead.
bool WidenName(WCHAR (&dest)[kWideNameCapacity], const char* name);
