// ParseScript: recursive descent over the token list, one function per rule.
#include "parser.h"

#include <cstdint>
#include <utility>

#include "script_text.h"

namespace {

// The words with a meaning of their own: never names.
const char* const kKeywords[] = {"dim",  "sub", "end", "if",  "then", "else", "elseif",
                                 "call", "and", "or",  "not", "mod",  "true", "false"};

// VBScript words that this engine does not run: refused with a message that says so.
const char* const kUnsupportedWords[] = {
    "for",    "next",     "each",     "while", "wend",  "do",       "loop",  "until",
    "exit",   "function", "select",   "case",  "set",   "let",      "const", "redim",
    "erase",  "xor",      "eqv",      "imp",   "is",    "nothing",  "null",  "empty",
    "option", "private",  "public",   "byval", "byref", "with",     "on",    "resume",
    "goto",   "class",    "property", "new",   "stop",  "randomize"};

bool IsKeyword(const std::u16string& word) {
    for (const char* keyword : kKeywords) {
        if (IsWord(word, keyword)) {
            return true;
        }
    }
    return false;
}

bool IsUnsupported(const std::u16string& word) {
    for (const char* unsupported : kUnsupportedWords) {
        if (IsWord(word, unsupported)) {
            return true;
        }
    }
    return false;
}

class Parser {
public:
    Parser(const std::vector<Token>& tokens, const std::u16string& source, ScriptError& error)
        : tokens(tokens), source(source), error(error) {}

    bool Run(Program& program) {
        for (;;) {
            SkipBlankLines();
            if (Peek().kind == TokenKind::EndOfText) {
                return true;
            }
            if (AtWord("dim")) {
                if (!ParseGlobalDim(program)) {
                    return false;
                }
            } else if (AtWord("sub")) {
                if (!ParseRoutine(program)) {
                    return false;
                }
            } else if (Peek().kind == TokenKind::Word && IsUnsupported(Peek().text)) {
                return FailUnsupported(Peek());
            } else {
                return Fail(Peek(), "Only Dim and Sub may stand outside a routine");
            }
        }
    }

private:
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
    bool AtWord(const char* word, size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Word && IsWord(Peek(ahead).text, word);
    }
    bool AtSymbol(const char16_t* symbol, size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Symbol && Peek(ahead).text == symbol;
    }
    bool AtLineEnd() const {
        return Peek().kind == TokenKind::EndOfLine || Peek().kind == TokenKind::EndOfText;
    }
    // A single-line If's statement also ends at its Else.
    bool AtStatementEnd(bool singleLine) const {
        return AtLineEnd() || (singleLine && AtWord("else"));
    }
    void SkipBlankLines() {
        while (Peek().kind == TokenKind::EndOfLine) {
            Take();
        }
    }

    bool Fail(const Token& at, const std::string& description) {
        return FailAt(at.line, at.column, description);
    }
    bool FailAt(int line, int column, const std::string& description) {
        error.line = line;
        error.column = column;
        error.description = description;
        error.lineText = SourceLine(source, line);
        return false;
    }
    bool FailUnsupported(const Token& at) {
        return Fail(at, "'" + ToUtf8(at.text) + "' is not supported by this engine");
    }
    // Something stands where the statement should have ended.
    bool FailEndOfStatement() {
        if (Peek().kind == TokenKind::Word && IsUnsupported(Peek().text)) {
            return FailUnsupported(Peek());
        }
        return Fail(Peek(), "Expected end of statement");
    }
    // The line must end here; the line break is consumed.
    bool EndLine() {
        if (!AtLineEnd()) {
            return FailEndOfStatement();
        }
        if (Peek().kind == TokenKind::EndOfLine) {
            Take();
        }
        return true;
    }
    // A name the script may define: a word that is no keyword.
    bool ExpectName(std::u16string& name, int* column = nullptr) {
        const Token& token = Peek();
        if (token.kind != TokenKind::Word || IsKeyword(token.text)) {
            return Fail(token, "Expected identifier");
        }
        if (IsUnsupported(token.text)) {
            return FailUnsupported(token);
        }
        name = token.text;
        if (column != nullptr) {
            *column = token.column;
        }
        Take();
        return true;
    }

    bool ParseNameList(std::vector<std::u16string>& names, std::vector<int>& lines,
                       std::vector<int>& columns) {
        for (;;) {
            int line = Peek().line;
            std::u16string name;
            int column = 0;
            if (!ExpectName(name, &column)) {
                return false;
            }
            if (AtSymbol(u"(")) {
                return Fail(Peek(), "Arrays are not supported");
            }
            names.push_back(name);
            lines.push_back(line);
            columns.push_back(column);
            if (!AtSymbol(u",")) {
                return true;
            }
            Take();
        }
    }

    bool ParseGlobalDim(Program& program) {
        Take();
        return ParseNameList(program.globals, program.globalLines, program.globalColumns) &&
               EndLine();
    }

    bool ParseRoutine(Program& program) {
        const Token& sub = Take();
        Routine routine;
        routine.line = sub.line;
        routine.column = Peek().column;
        if (!ExpectName(routine.name)) {
            return false;
        }
        if (AtSymbol(u"(")) {
            Take();
            if (!AtSymbol(u")")) {
                return Fail(Peek(), "Routines take no parameters");
            }
            Take();
        }
        if (!EndLine() || !ParseBlock(routine.body, 0)) {
            return false;
        }
        if (Peek().kind == TokenKind::EndOfText) {
            return FailAt(sub.line, sub.column,
                          "Sub '" + ToUtf8(routine.name) + "' has no 'End Sub'");
        }
        if (!AtWord("end") || !AtWord("sub", 1)) {
            return Fail(Peek(), "Expected 'End Sub'");
        }
        Take();
        Take();
        program.routines.push_back(std::move(routine));
        return EndLine();
    }

    // Statements up to (not including) End, Else, ElseIf or the end of the text.
    bool ParseBlock(Block& block, int depth) {
        for (;;) {
            SkipBlankLines();
            if (Peek().kind == TokenKind::EndOfText || AtWord("end") || AtWord("else") ||
                AtWord("elseif")) {
                return true;
            }
            if (AtWord("sub")) {
                return Fail(Peek(), "Expected 'End Sub' before the next 'Sub'");
            }
            if (!ParseStatement(block, false, depth) || !EndLine()) {
                return false;
            }
        }
    }

    bool ParseStatement(Block& block, bool singleLine, int depth) {
        const Token& first = Peek();
        if (first.kind != TokenKind::Word) {
            return Fail(first, "Expected statement");
        }
        if (AtWord("if") && !singleLine) {
            return ParseIf(block, depth);
        }
        if (AtWord("dim") && !singleLine) {
            auto statement = NewStatement(Statement::Kind::Dim, Take());
            std::vector<int> lines;
            if (!ParseNameList(statement->declared, lines, statement->declaredColumns)) {
                return false;
            }
            block.push_back(std::move(statement));
            return true;
        }
        if (AtWord("call")) {
            return ParseCall(block, singleLine);
        }
        if (IsKeyword(first.text)) {
            return Fail(first, "Expected statement");
        }
        if (IsUnsupported(first.text)) {
            return FailUnsupported(first);
        }
        Take();
        std::unique_ptr<Statement> statement;
        if (AtSymbol(u"=")) {
            Take();
            statement = NewStatement(Statement::Kind::Assign, first);
            if (!ParseExpression(statement->value)) {
                return false;
            }
        } else if (AtSymbol(u".")) {
            Take();
            statement = NewStatement(Statement::Kind::Method, first);
            if (Peek().kind != TokenKind::Word) {
                return Fail(Peek(), "Expected identifier");
            }
            statement->member = Take().text;
            if (!ParseStatementArguments(statement->arguments, singleLine)) {
                return false;
            }
        } else {
            statement = NewStatement(Statement::Kind::Call, first);
            if (!ParseStatementArguments(statement->arguments, singleLine)) {
                return false;
            }
        }
        statement->name.name = first.text;
        if (!AtStatementEnd(singleLine)) {
            return FailEndOfStatement();
        }
        block.push_back(std::move(statement));
        return true;
    }

    std::unique_ptr<Statement> NewStatement(Statement::Kind kind, const Token& at) {
        auto statement = std::make_unique<Statement>();
        statement->kind = kind;
        statement->line = at.line;
        statement->column = at.column;
        return statement;
    }

    // Call Name, or Call Name(arguments).
    bool ParseCall(Block& block, bool singleLine) {
        auto statement = NewStatement(Statement::Kind::Call, Take());
        if (!ExpectName(statement->name.name)) {
            return false;
        }
        if (AtSymbol(u"(")) {
            Take();
            if (!ParseArgumentList(statement->arguments)) {
                return false;
            }
        }
        if (!AtStatementEnd(singleLine)) {
            return FailEndOfStatement();
        }
        block.push_back(std::move(statement));
        return true;
    }

    // After '(': expressions separated by commas, then ')'; "()" holds none.
    bool ParseArgumentList(std::vector<ExpressionPtr>& arguments) {
        if (AtSymbol(u")")) {
            Take();
            return true;
        }
        for (;;) {
            ExpressionPtr argument;
            if (!ParseExpression(argument)) {
                return false;
            }
            arguments.push_back(std::move(argument));
            if (AtSymbol(u")")) {
                Take();
                return true;
            }
            if (!AtSymbol(u",")) {
                return Fail(Peek(), "Expected ')'");
            }
            Take();
        }
    }

    // The arguments of a statement, without parentheses: Trace "x", SetMasterTempo 120. A
    // lone "()" stands for no arguments, as in "Name()".
    bool ParseStatementArguments(std::vector<ExpressionPtr>& arguments, bool singleLine) {
        if (AtStatementEnd(singleLine)) {
            return true;
        }
        if (AtSymbol(u"(") && AtSymbol(u")", 1)) {
            Take();
            Take();
            return true;
        }
        for (;;) {
            ExpressionPtr argument;
            if (!ParseExpression(argument)) {
                return false;
            }
            arguments.push_back(std::move(argument));
            if (!AtSymbol(u",")) {
                return true;
            }
            Take();
        }
    }

    bool ParseIf(Block& block, int depth) {
        const Token& ifToken = Take();
        if (depth >= kMaxBlockDepth) {
            return Fail(ifToken, "If blocks are nested too deeply");
        }
        auto statement = NewStatement(Statement::Kind::If, ifToken);
        Branch branch;
        if (!ParseCondition(branch.condition)) {
            return false;
        }
        if (!AtLineEnd()) {
            // Single-line form: If condition Then statement [Else statement]
            if (!ParseStatement(branch.body, true, depth + 1)) {
                return false;
            }
            statement->branches.push_back(std::move(branch));
            if (AtWord("else")) {
                Take();
                statement->hasElse = true;
                if (!ParseStatement(statement->elseBody, true, depth + 1)) {
                    return false;
                }
            }
            block.push_back(std::move(statement));
            return true;
        }
        if (!EndLine() || !ParseBlock(branch.body, depth + 1)) {
            return false;
        }
        statement->branches.push_back(std::move(branch));
        while (AtWord("elseif")) {
            Take();
            Branch elseIf;
            if (!ParseCondition(elseIf.condition) || !EndLine() ||
                !ParseBlock(elseIf.body, depth + 1)) {
                return false;
            }
            statement->branches.push_back(std::move(elseIf));
        }
        if (AtWord("else")) {
            Take();
            statement->hasElse = true;
            if (!EndLine() || !ParseBlock(statement->elseBody, depth + 1)) {
                return false;
            }
        }
        if (Peek().kind == TokenKind::EndOfText) {
            return Fail(ifToken, "'If' has no 'End If'");
        }
        if (!AtWord("end") || !AtWord("if", 1)) {
            return Fail(Peek(), "Expected 'End If'");
        }
        Take();
        Take();
        block.push_back(std::move(statement));
        return true;
    }

    // condition Then
    bool ParseCondition(ExpressionPtr& condition) {
        if (!ParseExpression(condition)) {
            return false;
        }
        if (!AtWord("then")) {
            return Fail(Peek(), "Expected 'Then'");
        }
        Take();
        return true;
    }

    // ---- Expressions, loosest first ----

    ExpressionPtr NewExpression(Expression::Kind kind, const Token& at) {
        auto expression = std::make_unique<Expression>();
        expression->kind = kind;
        expression->line = at.line;
        expression->column = at.column;
        return expression;
    }

    // Joins `left` and `right` (none for a unary operator) under an operator, refusing trees too
    // deep to evaluate: a long chain such as 1 + 1 + ... grows the tree without nesting.
    bool Combine(ExpressionPtr& left, ExpressionPtr right, const Token& at, Expression::Kind kind,
                 BinaryOperator op) {
        auto node = NewExpression(kind, at);
        node->op = op;
        node->depth = left->depth + 1;
        if (right) {
            node->depth = right->depth >= left->depth ? right->depth + 1 : node->depth;
            node->operands.push_back(std::move(left));
            node->operands.push_back(std::move(right));
        } else {
            node->operands.push_back(std::move(left));
        }
        left = std::move(node);
        if (left->depth > kMaxExpressionDepth) {
            return Fail(at, "Expression too complex");
        }
        return true;
    }

    bool ParseExpression(ExpressionPtr& result) {
        if (++nesting > kMaxExpressionDepth) {
            return Fail(Peek(), "Expression too complex");
        }
        bool parsed = ParseOr(result);
        --nesting;
        return parsed;
    }

    bool ParseOr(ExpressionPtr& result) {
        if (!ParseAnd(result)) {
            return false;
        }
        while (AtWord("or")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseAnd(right) || !Combine(result, std::move(right), at, Expression::Kind::Binary,
                                             BinaryOperator::Or)) {
                return false;
            }
        }
        return true;
    }

    bool ParseAnd(ExpressionPtr& result) {
        if (!ParseNot(result)) {
            return false;
        }
        while (AtWord("and")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseNot(right) || !Combine(result, std::move(right), at, Expression::Kind::Binary,
                                             BinaryOperator::And)) {
                return false;
            }
        }
        return true;
    }

    bool ParseNot(ExpressionPtr& result) {
        if (!AtWord("not")) {
            return ParseComparison(result);
        }
        const Token& at = Take();
        if (++nesting > kMaxExpressionDepth) {
            return Fail(at, "Expression too complex");
        }
        bool parsed = ParseNot(result);
        --nesting;
        return parsed && Combine(result, nullptr, at, Expression::Kind::Not, BinaryOperator::Add);
    }

    bool ComparisonAt(BinaryOperator& op) const {
        static const std::pair<const char16_t*, BinaryOperator> kComparisons[] = {
            {u"=", BinaryOperator::Equal},   {u"<>", BinaryOperator::NotEqual},
            {u"<", BinaryOperator::Less},    {u"<=", BinaryOperator::LessOrEqual},
            {u">", BinaryOperator::Greater}, {u">=", BinaryOperator::GreaterOrEqual}};
        for (const auto& comparison : kComparisons) {
            if (AtSymbol(comparison.first)) {
                op = comparison.second;
                return true;
            }
        }
        return false;
    }

    bool ParseComparison(ExpressionPtr& result) {
        if (!ParseAdditive(result)) {
            return false;
        }
        BinaryOperator op;
        while (ComparisonAt(op)) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseAdditive(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary, op)) {
                return false;
            }
        }
        return true;
    }

    bool ParseAdditive(ExpressionPtr& result) {
        if (!ParseModulo(result)) {
            return false;
        }
        while (AtSymbol(u"+") || AtSymbol(u"-")) {
            BinaryOperator op = AtSymbol(u"+") ? BinaryOperator::Add : BinaryOperator::Subtract;
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseModulo(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary, op)) {
                return false;
            }
        }
        return true;
    }

    bool ParseModulo(ExpressionPtr& result) {
        if (!ParseIntegerDivision(result)) {
            return false;
        }
        while (AtWord("mod")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseIntegerDivision(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary,
                         BinaryOperator::Modulo)) {
                return false;
            }
        }
        return true;
    }

    bool ParseIntegerDivision(ExpressionPtr& result) {
        if (!ParseMultiplication(result)) {
            return false;
        }
        while (AtSymbol(u"\\")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseMultiplication(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary,
                         BinaryOperator::IntegerDivide)) {
                return false;
            }
        }
        return true;
    }

    bool ParseMultiplication(ExpressionPtr& result) {
        if (!ParseUnary(result)) {
            return false;
        }
        while (AtSymbol(u"*")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParseUnary(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary,
                         BinaryOperator::Multiply)) {
                return false;
            }
        }
        return true;
    }

    // Minus binds more loosely than ^: -2 ^ 2 is -4.
    bool ParseUnary(ExpressionPtr& result) {
        if (!AtSymbol(u"-")) {
            return ParsePower(result);
        }
        const Token& at = Take();
        // -2147483648 is a number of its own: 2147483648 alone is too large.
        if (Peek().kind == TokenKind::Number && Peek().number == kLargestLiteral &&
            !AtSymbol(u"^", 1)) {
            result = NewExpression(Expression::Kind::Number, at);
            result->number = INT32_MIN;
            Take();
            return true;
        }
        if (++nesting > kMaxExpressionDepth) {
            return Fail(at, "Expression too complex");
        }
        bool parsed = ParseUnary(result);
        --nesting;
        return parsed &&
               Combine(result, nullptr, at, Expression::Kind::Negate, BinaryOperator::Add);
    }

    bool ParsePower(ExpressionPtr& result) {
        if (!ParsePrimary(result)) {
            return false;
        }
        while (AtSymbol(u"^")) {
            const Token& at = Take();
            ExpressionPtr right;
            if (!ParsePowerOperand(right) ||
                !Combine(result, std::move(right), at, Expression::Kind::Binary,
                         BinaryOperator::Power)) {
                return false;
            }
        }
        return true;
    }

    // The exponent may carry its own minus: 2 ^ -1.
    bool ParsePowerOperand(ExpressionPtr& result) {
        if (!AtSymbol(u"-")) {
            return ParsePrimary(result);
        }
        const Token& at = Take();
        if (++nesting > kMaxExpressionDepth) {
            return Fail(at, "Expression too complex");
        }
        bool parsed = ParsePowerOperand(result);
        --nesting;
        return parsed &&
               Combine(result, nullptr, at, Expression::Kind::Negate, BinaryOperator::Add);
    }

    bool ParsePrimary(ExpressionPtr& result) {
        const Token& token = Peek();
        switch (token.kind) {
            case TokenKind::Number:
                if (token.number > INT32_MAX) {
                    return Fail(token, "Overflow: numbers lie between -2147483648 and 2147483647");
                }
                result = NewExpression(Expression::Kind::Number, Take());
                result->number = static_cast<int32_t>(token.number);
                return true;
            case TokenKind::String:
                result = NewExpression(Expression::Kind::String, Take());
                result->text = token.text;
                return true;
            case TokenKind::Symbol:
                if (AtSymbol(u"(")) {
                    Take();
                    if (!ParseExpression(result)) {
                        return false;
                    }
                    if (!AtSymbol(u")")) {
                        return Fail(Peek(), "Expected ')'");
                    }
                    Take();
                    return true;
                }
                return Fail(token, "Expected expression");
            case TokenKind::Word:
                return ParseWord(result);
            default:
                return Fail(token, "Expected expression");
        }
    }

    bool ParseWord(ExpressionPtr& result) {
        const Token& token = Peek();
        if (IsWord(token.text, "true") || IsWord(token.text, "false")) {
            result = NewExpression(Expression::Kind::Number, Take());
            result->number = IsWord(token.text, "true") ? -1 : 0;
            return true;
        }
        if (IsKeyword(token.text)) {
            return Fail(token, "Expected expression");
        }
        if (IsUnsupported(token.text)) {
            return FailUnsupported(token);
        }
        Take();
        if (!AtSymbol(u"(")) {
            result = NewExpression(Expression::Kind::Name, token);
            result->name.name = token.text;
            return true;
        }
        Take();
        result = NewExpression(Expression::Kind::Call, token);
        result->name.name = token.text;
        if (!ParseArgumentList(result->operands)) {
            return false;
        }
        for (const ExpressionPtr& argument : result->operands) {
            result->depth = argument->depth >= result->depth ? argument->depth + 1 : result->depth;
        }
        return true;
    }

    const std::vector<Token>& tokens;
    const std::u16string& source;
    ScriptError& error;
    size_t position = 0;
    int nesting = 0;
};

}  // namespace

bool ParseScript(const std::vector<Token>& tokens, const std::u16string& source, Program& program,
                 ScriptError& error) {
    program = Program();
    if (tokens.empty()) {
        return true;
    }
    return Parser(tokens, source, error).Run(program);
}
