// The expressions of the language, for the statement parser (parser.cpp) to build on. The
// precedence is VBScript's (see parser.h); every binary operator is left-associative.
#pragma once

#include <vector>

#include "syntax_tree.h"
#include "token_cursor.h"

class ExpressionParser : public TokenCursor {
public:
    using TokenCursor::TokenCursor;

protected:
    // One expression, refused when it nests deeper than kMaxExpressionDepth.
    bool ParseExpression(ExpressionPtr& result);
    // After '(': expressions separated by commas, then ')'; "()" holds none.
    bool ParseArgumentList(std::vector<ExpressionPtr>& arguments);

private:
    ExpressionPtr NewExpression(Expression::Kind kind, const Token& at);
    bool Combine(ExpressionPtr& left, ExpressionPtr right, const Token& at, Expression::Kind kind,
                 BinaryOperator op);
    // The binary operators of one level of the table (expression_parser.cpp), and what they join.
    bool ParseLevel(size_t level, ExpressionPtr& result);
    bool ParseOperand(size_t level, ExpressionPtr& result);
    bool OperatorAt(size_t level, BinaryOperator& op) const;
    bool ParseNot(ExpressionPtr& result);
    bool ParseUnary(ExpressionPtr& result);
    bool ParsePowerOperand(ExpressionPtr& result);
    // A prefix operator's operand: `parse` one level deeper, then `kind` over it.
    bool ParsePrefixed(const Token& at, Expression::Kind kind,
                       bool (ExpressionParser::*parse)(ExpressionPtr&), ExpressionPtr& result);
    bool ParsePrimary(ExpressionPtr& result);
    bool ParseWord(ExpressionPtr& result);

    int nesting = 0;
};
