// ParseScript: recursive descent over the token list, one function per rule.
#include "parser.h"

#include <utility>

#include "expression_parser.h"
#include "script_text.h"

namespace {

// The statements and the top level; expressions are the base class's.
class Parser : public ExpressionParser {
public:
    using ExpressionParser::ExpressionParser;

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
    // A single-line If's statement also ends at its Else.
    bool AtStatementEnd(bool singleLine) const {
        return AtLineEnd() || (singleLine && AtWord("else"));
    }
    void SkipBlankLines() {
        while (Peek().kind == TokenKind::EndOfLine) {
            Take();
        }
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
            return Fail(sub, "Sub '" + ToUtf8(routine.name) + "' has no 'End Sub'");
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
