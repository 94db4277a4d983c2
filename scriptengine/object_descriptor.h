// The script's DMUS_OBJECTDESC: what the file says about it (its GUID, name and version) and
// what the loader tells it (file name, category, date), as IDirectMusicObject reports it.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include "script_file.h"

// The fields of a script file, with the class; dwValidData says which are known.
void DescribeFile(const ScriptFile& file, DMUS_OBJECTDESC& descriptor);

// Copies the fields of `from` that a script keeps (object, name, category, file name, full
// path, version, date) into `to`; returns the flags of `from` it could not keep.
DWORD MergeDescriptor(const DMUS_OBJECTDESC& from, DMUS_OBJECTDESC& to);
