// Harpix reads its description file as 8-bit ANSI text, code page 1252 on the systems it is made
// for; harpix-check and the script files it reads hold text as Unicode.
#pragma once

#include <string>

// `text` in code page 1252, one byte a character. UTF-8 is converted as WideCharToMultiByte
// converts it without best-fit mapping: a character that 1252 lacks becomes '?'. Bytes that are
// not UTF-8 are taken to be 1252 already, as a command line on Windows gives them, and stay.
std::string ToCodePage1252(const std::string& text);

// The characters of 1252 text.
std::u16string FromCodePage1252(const std::string& text);

// Whether two names are one to Windows, which compares file names without regard to case: here
// the letters of 1252, which are all that a description file can name.
bool SameFileName(const std::u16string& a, const std::u16string& b);
