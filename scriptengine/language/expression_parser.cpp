// ExpressionParser: recursive descent over a table of the binary operators' levels.
#include "expression_parser.h"

#include <cstdint>
#include <iterator>
#include <utility>

#include "parser.h"
#include "script_text.h"

namespace {

// An operator is a word (Or, And, Mod) or a symbol, matched as names are: in any case.
struct OperatorSpelling {
    const char* text;  // null for the unused places of a level
    BinaryOperator op;
};

// The binary operators, loosest first. The prefix operators bind between two levels: Not just
// inside And, unary minus just inside * (so that -2 ^ 2 is -4).
const OperatorSpelling kLevels[][6] = {
    {{"or", BinaryOperator::Or}},
    {{"and", BinaryOperator::And}},
    {{"=", BinaryOperator::Equal},
     {"<>", BinaryOperator::NotEqual},
     {"<", BinaryOperator::Less},
     {"<=", BinaryOperator::LessOrEqual},
     {">", BinaryOperator::Greater},
     {">=", BinaryOperator::GreaterOrEqual}},
    {{"+", BinaryOperator::Add}, {"-", BinaryOperator::Subtract}},
    {{"mod", BinaryOperator::Modulo}},
    {{"\\", BinaryOperator::IntegerDivide}},
    {{"*", BinaryOperator::Multiply}},
    {{"^", BinaryOperator::Power}},
};
constexpr size_t kAndLevel = 1;
constexpr size_t kMultiplyLevel = 6;
constexpr size_t kPowerLevel = 7;
static_assert(std::size(kLevels) == kPowerLevel + 1, "^ binds tightest");

}  // namespace

ExpressionPtr ExpressionParser::NewExpression(Expression::Kind kind, const Token& at) {
    auto expression = std::make_unique<Expression>();
    expression->kind = kind;
    expression->line = at.line;
    expression->column = at.column;
    return expression;
}

// Joins `left` and `right` (none for a unary operator) under an operator, refusing trees too
// deep to evaluate: a long chain such as 1 + 1 + ... grows the tree without nesting.
bool ExpressionParser::Combine(ExpressionPtr& left, ExpressionPtr right, const Token& at,
                               Expression::Kind kind, BinaryOperator op) {
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

bool ExpressionParser::ParseExpression(ExpressionPtr& result) {
    if (++nesting > kMaxExpressionDepth) {
        return Fail(Peek(), "Expression too complex");
    }
    bool parsed = ParseLevel(0, result);
    --nesting;
    return parsed;
}

bool ExpressionParser::ParseLevel(size_t level, ExpressionPtr& result) {
    if (!ParseOperand(level, result)) {
        return false;
    }
    BinaryOperator op;
    while (OperatorAt(level, op)) {
        const Token& at = Take();
        ExpressionPtr right;
        // The exponent may carry its own minus: 2 ^ -1.
        bool parsed = level == kPowerLevel ? ParsePowerOperand(right) : ParseOperand(level, right);
        if (!parsed || !Combine(result, std::move(right), at, Expression::Kind::Binary, op)) {
            return false;
        }
    }
    return true;
}

bool ExpressionParser::ParseOperand(size_t level, ExpressionPtr& result) {
    switch (level) {
        case kAndLevel:
            return ParseNot(result);
        case kMultiplyLevel:
            return ParseUnary(result);
        case kPowerLevel:
            return ParsePrimary(result);
        default:
            return ParseLevel(level + 1, result);
    }
}

bool ExpressionParser::OperatorAt(size_t level, BinaryOperator& op) const {
    const Token& token = Peek();
    if (token.kind != TokenKind::Word && token.kind != TokenKind::Symbol) {
        return false;
    }
    for (const OperatorSpelling& spelling : kLevels[level]) {
        if (spelling.text != nullptr && IsWord(token.text, spelling.text)) {
            op = spelling.op;
            return true;
        }
    }
    return false;
}

bool ExpressionParser::ParseNot(ExpressionPtr& result) {
    if (!AtWord("not")) {
        return ParseLevel(kAndLevel + 1, result);
    }
    return ParsePrefixed(Take(), Expression::Kind::Not, &ExpressionParser::ParseNot, result);
}

bool ExpressionParser::ParseUnary(ExpressionPtr& result) {
    if (!AtSymbol(u"-")) {
        return ParseLevel(kPowerLevel, result);
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
    return ParsePrefixed(at, Expression::Kind::Negate, &ExpressionParser::ParseUnary, result);
}

bool ExpressionParser::ParsePowerOperand(ExpressionPtr& result) {
    if (!AtSymbol(u"-")) {
        return ParsePrimary(result);
    }
    return ParsePrefixed(Take(), Expression::Kind::Negate, &ExpressionParser::ParsePowerOperand,
                         result);
}

bool ExpressionParser::ParsePrefixed(const Token& at, Expression::Kind kind,
                                     bool (ExpressionParser::*parse)(ExpressionPtr&),
                                     ExpressionPtr& result) {
    if (++nesting > kMaxExpressionDepth) {
        return Fail(at, "Expression too complex");
    }
    bool parsed = (this->*parse)(result);
    --nesting;
    return parsed && Combine(result, nullptr, at, kind, BinaryOperator::Add);
}

bool ExpressionParser::ParsePrimary(ExpressionPtr& result) {
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

bool ExpressionParser::ParseWord(ExpressionPtr& result) {
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

bool ExpressionParser::ParseArgumentList(std::vector<ExpressionPtr>& arguments) {
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
