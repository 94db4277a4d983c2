// The keyword lists, and the cursor's word tests.
#include "token_cursor.h"

#include "script_text.h"

namespace {

const char* const kKeywords[] = {"dim",  "sub", "end", "if",  "then", "else", "elseif",
                                 "call", "and", "or",  "not", "mod",  "true", "false"};

const char* const kUnsupportedWords[] = {
    "for",    "next",     "each",     "while", "wend",  "do",       "loop",  "until",
    "exit",   "function", "select",   "case",  "set",   "let",      "const", "redim",
    "erase",  "xor",      "eqv",      "imp",   "is",    "nothing",  "null",  "empty",
    "option", "private",  "public",   "byval", "byref", "with",     "on",    "resume",
    "goto",   "class",    "property", "new",   "stop",  "randomize"};

template <size_t count>
bool IsAnyOf(const std::u16string& word, const char* const (&words)[count]) {
    for (const char* listed : words) {
        if (IsWord(word, listed)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsKeyword(const std::u16string& word) {
    return IsAnyOf(word, kKeywords);
}

bool IsUnsupported(const std::u16string& word) {
    return IsAnyOf(word, kUnsupportedWords);
}

bool TokenCursor::AtWord(const char* word, size_t ahead) const {
    return Peek(ahead).kind == TokenKind::Word && IsWord(Peek(ahead).text, word);
}

bool TokenCursor::FailUnsupported(const Token& at) {
    return Fail(at, "'" + ToUtf8(at.text) + "' is not supported by this engine");
}
