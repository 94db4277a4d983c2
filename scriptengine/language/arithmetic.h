// The binary operators on the language's values, 32-bit integers, as VBScript works them out.
#pragma once

#include <cstdint>

#include "syntax_tree.h"

enum class ArithmeticResult { Ok, Overflow, DivisionByZero };

// `left op right` into `value`, which is left alone unless the result is Ok. \ and Mod
// truncate toward zero (the remainder takes the dividend's sign); the comparisons give -1 or 0;
// And and Or are bitwise; a negative power rounds to 0 except for the bases 1 and -1, and 0 to a
// negative power divides by zero. A result outside 32 bits is an Overflow.
ArithmeticResult Apply(BinaryOperator op, int32_t left, int32_t right, int32_t& value);
