// The description file as the reader sees it: at most 10000 characters and a closing zero byte.
//
// Files are read the way the Windows C runtime reads them in text mode, on every platform: a CR
// immediately followed by LF arrives as one LF, a lone CR stays, and a Ctrl-Z byte ends the file.
// The 10000-character limit counts characters after that translation; later ones are never read.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t kDescriptionTextLimit = 10000;

// Only the readers of the description file use this, and only during start-up.
extern char descriptionText[kDescriptionTextLimit + 1];

// Loads bytes that are already in memory, translating them like a file.
void LoadDescriptionText(const char* bytes, size_t size);

// Loads a file; false when it cannot be opened or read, and the text is then left empty.
bool LoadDescriptionFile(const char* fileName);
