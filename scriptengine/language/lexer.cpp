// Tokenize: one pass over the source, line and column kept for every token.
#include "lexer.h"

#include "script_text.h"

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

class Lexer {
public:
    Lexer(const std::u16string& source, std::vector<Token>& tokens, ScriptError& error)
        : source(source), tokens(tokens), error(error) {}

    bool Run() {
        tokens.clear();
        while (position < source.size()) {
            char16_t c = source[position];
            if (c == u' ' || c == u'\t') {
                ++position;
            } else if (IsLineBreak(c)) {
                LineBreak();
            } else if (c == u'\'') {
                SkipComment();
            } else if (IsLetter(c)) {
                Word();
            } else if (IsDigit(c)) {
                if (!Number()) {
                    return false;
                }
            } else if (c == u'"') {
                if (!String()) {
                    return false;
                }
            } else if (!Symbol()) {
                return false;
            }
        }
        Add(TokenKind::EndOfText, u"", Column());
        return true;
    }

private:
    int Column() const { return static_cast<int>(position - lineStart); }

    Token& Add(TokenKind kind, const std::u16string& text, int column) {
        Token token;
        token.kind = kind;
        token.text = text;
        token.line = line;
        token.column = column;
        tokens.push_back(token);
        return tokens.back();
    }

    bool Fail(int column, const std::string& description) {
        return FailAt(error, source, line, column, description);
    }

    void LineBreak() {
        Add(TokenKind::EndOfLine, u"", Column());
        if (source[position] == u'\r' && position + 1 < source.size() &&
            source[position + 1] == u'\n') {
            ++position;
        }
        ++position;
        ++line;
        lineStart = position;
    }

    void SkipComment() {
        while (position < source.size() && !IsLineBreak(source[position])) {
            ++position;
        }
    }

    bool AtStatementStart() const {
        return tokens.empty() || tokens.back().kind == TokenKind::EndOfLine;
    }

    void Word() {
        int column = Column();
        size_t start = position;
        while (
            position < source.size() &&
            (IsLetter(source[position]) || IsDigit(source[position]) || source[position] == u'_')) {
            ++position;
        }
        std::u16string word = source.substr(start, position - start);
        // Rem is the other comment of the language, but only where a statement begins.
        if (IsWord(word, "rem") && AtStatementStart()) {
            SkipComment();
            return;
        }
        Add(TokenKind::Word, word, column);
    }

    bool Number() {
        int column = Column();
        int64_t value = 0;
        while (position < source.size() && IsDigit(source[position])) {
            value = value * 10 + (source[position] - u'0');
            if (value > kLargestLiteral) {
                return Fail(column, "Overflow: numbers lie between -2147483648 and 2147483647");
            }
            ++position;
        }
        if (position < source.size() && source[position] == u'.') {
            return Fail(column, "Decimal numbers are not supported: only whole numbers");
        }
        if (position < source.size() && (IsLetter(source[position]) || source[position] == u'_')) {
            return Fail(Column(), "Expected end of statement");
        }
        Add(TokenKind::Number, u"", column).number = value;
        return true;
    }

    bool String() {
        int column = Column();
        std::u16string value;
        ++position;
        for (;;) {
            if (position >= source.size() || IsLineBreak(source[position])) {
                return Fail(column, "Unterminated string constant");
            }
            char16_t c = source[position++];
            if (c == u'"') {
                // Two quotes inside a string stand for one.
                if (position < source.size() && source[position] == u'"') {
                    ++position;
                } else {
                    break;
                }
            }
            value.push_back(c);
        }
        Add(TokenKind::String, value, column);
        return true;
    }

    bool Symbol() {
        int column = Column();
        char16_t c = source[position];
        char16_t next = position + 1 < source.size() ? source[position + 1] : u'\0';
        if ((c == u'<' && (next == u'>' || next == u'=')) || (c == u'>' && next == u'=')) {
            position += 2;
            Add(TokenKind::Symbol, std::u16string{c, next}, column);
            return true;
        }
        switch (c) {
            case u'+':
            case u'-':
            case u'*':
            case u'\\':
            case u'^':
            case u'=':
            case u'<':
            case u'>':
            case u'(':
            case u')':
            case u',':
            case u'.':
                ++position;
                Add(TokenKind::Symbol, std::u16string(1, c), column);
                return true;
            case u'/':
                return Fail(column, "'/' is not supported: use '\\' for whole-number division");
            case u'&':
                return Fail(column, "'&' is not supported: strings cannot be joined");
            case u':':
                return Fail(column,
                            "':' is not supported: put each statement on a line of its own");
            case u'_':
                return Fail(column, "Line continuation ('_') is not supported");
            default:
                return Fail(column, "Invalid character");
        }
    }

    const std::u16string& source;
    std::vector<Token>& tokens;
    ScriptError& error;
    size_t position = 0;
    size_t lineStart = 0;
    int line = 1;
};

}  // namespace

bool Tokenize(const std::u16string& source, std::vector<Token>& tokens, ScriptError& error) {
    return Lexer(source, tokens, error).Run();
}

std::u16string SourceLine(const std::u16string& source, int line) {
    size_t position = 0;
    for (int current = 1; current < line; ++current) {
        while (position < source.size() && !IsLineBreak(source[position])) {
            ++position;
        }
        if (position >= source.size()) {
            return u"";
        }
        if (source[position] == u'\r' && position + 1 < source.size() &&
            source[position + 1] == u'\n') {
            ++position;
        }
        ++position;
    }
    size_t end = position;
    while (end < source.size() && !IsLineBreak(source[end])) {
        ++end;
    }
    return source.substr(position, end - position);
}
