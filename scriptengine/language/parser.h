// Parsing tokens into a Program: global Dim lines and Sub ... End Sub routines at the top level;
// inside routines Dim, assignments, calls, object methods and If blocks, single-line or not.
//
// Expressions follow VBScript's precedence, from the tightest: ^, unary minus, *, \, Mod, + and -,
// the comparisons, Not, And, Or. Names are left unbound (see name_binding.h).
#pragma once

#include <string>
#include <vector>

#include "lexer.h"
#include "script_error.h"
#include "syntax_tree.h"

// Expressions nest at most this deep (operators and parentheses), and If blocks at most
// kMaxBlockDepth deep, so that neither the parser nor the interpreter can run out of stack: with
// routines calling each other kMaxCallDepth deep, the interpreter then needs well under 1 MB.
constexpr int kMaxExpressionDepth = 100;
constexpr int kMaxBlockDepth = 16;

bool ParseScript(const std::vector<Token>& tokens, const std::u16string& source, Program& program,
                 ScriptError& error);
