// The parser's reading of the token list: a cursor that stops at the final EndOfText, and the
// compile errors it reports at a token.
#pragma once

#include <string>
#include <vector>

#include "lexer.h"
#include "script_error.h"

// The words with a meaning of their own, which are never names.
bool IsKeyword(const std::u16string& word);
// VBScript's words that this engine does not run: refused with a message that says so.
bool IsUnsupported(const std::u16string& word);

class TokenCursor {
public:
    // `tokens` is not empty: Tokenize ends it with EndOfText.
    TokenCursor(const std::vector<Token>& tokens, const std::u16string& source, ScriptError& error)
        : tokens(tokens), source(source), error(error) {}

protected:
    const Token& Peek(size_t ahead = 0) const {
        size_t index = position + ahead;
        return index < tokens.size() ? tokens[index] : tokens.back();
    }
    const Token& Take() {
        const Token& token = Peek();
        if (position < tokens.size() - 1) {
            ++position;
        }
        return token;
    }
    bool AtWord(const char* word, size_t ahead = 0) const;
    bool AtSymbol(const char16_t* symbol, size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Symbol && Peek(ahead).text == symbol;
    }
    bool AtLineEnd() const {
        return Peek().kind == TokenKind::EndOfLine || Peek().kind == TokenKind::EndOfText;
    }

    bool Fail(const Token& at, const std::string& description) {
        return FailAt(error, source, at.line, at.column, description);
    }
    bool FailUnsupported(const Token& at);

private:
    const std::vector<Token>& tokens;
    const std::u16string& source;
    ScriptError& error;
    size_t position = 0;
};
