// Splitting script source into tokens: words, integer numbers, string literals, operators and
// line ends. Comments (from ' or a leading Rem to the end of the line) are dropped here.
//
// Characters the language has no use for are refused here, with a message that says what is
// not supported (':' between statements, '&', '_' line continuation, decimal numbers).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script_error.h"

enum class TokenKind {
    Word,
    Number,
    String,
    Symbol,     // one of + - * \ ^ = <> < <= > >= ( ) , .
    EndOfLine,  // a CR, LF or CR LF
    EndOfText,  // always the last token
};

struct Token {
    TokenKind kind = TokenKind::EndOfText;
    std::u16string text;  // the word, the string's value or the symbol
    int64_t number = 0;   // a Number's value: at most 2147483648, the magnitude of the smallest
    int line = 1;
    int column = 0;
};

// The largest magnitude a number literal may have: 2147483648 is only valid after a minus.
constexpr int64_t kLargestLiteral = 2147483648LL;

bool Tokenize(const std::u16string& source, std::vector<Token>& tokens, ScriptError& error);

// Line `line` (1-based) of `source`, without its line break; empty past the end.
std::u16string SourceLine(const std::u16string& source, int line);
