// The text of a script source file: UTF-8 (with or without its byte-order mark) or, when it
// starts with the UTF-16LE mark, UTF-16LE as Windows' editors save "Unicode" text.
#pragma once

#include <string>

// False when the bytes are neither; `text` is then unspecified.
bool DecodeSourceText(const std::string& bytes, std::u16string& text);
