// Script text: the language's case rule for names and keywords, and conversions between UTF-16
// (how script files hold text) and UTF-8 (how messages and the command-line tool show it).
#pragma once

#include <string>

// Names and keywords compare without regard to case; only ASCII letters have a case here, which
// is all that names may be made of.
char16_t FoldCase(char16_t c);
bool SameName(const std::u16string& a, const std::u16string& b);
// Whether `text` is the ASCII word `word`, in any case.
bool IsWord(const std::u16string& text, const char* word);
// The folded form of a name, for use as a key.
std::u16string NameKey(const std::u16string& name);

std::u16string FromAscii(const char* text);
// Every UTF-16 unit sequence has a UTF-8 form; a lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::u16string& text);
// False for bytes that are not well-formed UTF-8; `out` is then unspecified.
bool Utf8ToUtf16(const std::string& bytes, std::u16string& out);
