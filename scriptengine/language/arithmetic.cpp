// Apply: worked out in 64 bits, then checked against the 32-bit range.
#include "arithmetic.h"

namespace {

bool InRange(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

// Whole-number power as VBScript rounds it: a negative exponent gives a fraction that rounds
// to 0, except for the bases 1 and -1; 0 to a negative power divides by zero.
ArithmeticResult Power(int64_t base, int64_t exponent, int64_t& result) {
    if (exponent < 0) {
        if (base == 0) {
            return ArithmeticResult::DivisionByZero;
        }
        result = base == 1 ? 1 : base == -1 ? (exponent % 2 == 0 ? 1 : -1) : 0;
        return ArithmeticResult::Ok;
    }
    if (base == 0 || base == 1) {
        result = exponent == 0 ? 1 : base;
        return ArithmeticResult::Ok;
    }
    if (base == -1) {
        result = exponent % 2 == 0 ? 1 : -1;
        return ArithmeticResult::Ok;
    }
    // |base| >= 2: past 32 factors it has left the range anyway.
    result = 1;
    for (int64_t i = 0; i < exponent; ++i) {
        result *= base;
        if (!InRange(result)) {
            return ArithmeticResult::Overflow;
        }
    }
    return ArithmeticResult::Ok;
}

}  // namespace

ArithmeticResult Apply(BinaryOperator op, int32_t left, int32_t right, int32_t& value) {
    int64_t a = left;
    int64_t b = right;
    int64_t result = 0;
    switch (op) {
        case BinaryOperator::Add:
            result = a + b;
            break;
        case BinaryOperator::Subtract:
            result = a - b;
            break;
        case BinaryOperator::Multiply:
            result = a * b;
            break;
        case BinaryOperator::IntegerDivide:
        case BinaryOperator::Modulo:
            if (b == 0) {
                return ArithmeticResult::DivisionByZero;
            }
            // Both truncate toward zero; the remainder takes the sign of the dividend.
            result = op == BinaryOperator::IntegerDivide ? a / b : a % b;
            break;
        case BinaryOperator::Power:
            if (ArithmeticResult powered = Power(a, b, result); powered != ArithmeticResult::Ok) {
                return powered;
            }
            break;
        case BinaryOperator::Equal:
            result = a == b ? -1 : 0;
            break;
        case BinaryOperator::NotEqual:
            result = a != b ? -1 : 0;
            break;
        case BinaryOperator::Less:
            result = a < b ? -1 : 0;
            break;
        case BinaryOperator::LessOrEqual:
            result = a <= b ? -1 : 0;
            break;
        case BinaryOperator::Greater:
            result = a > b ? -1 : 0;
            break;
        case BinaryOperator::GreaterOrEqual:
            result = a >= b ? -1 : 0;
            break;
        case BinaryOperator::And:
            result = left & right;
            break;
        case BinaryOperator::Or:
            result = left | right;
            break;
    }
    if (!InRange(result)) {
        return ArithmeticResult::Overflow;
    }
    value = static_cast<int32_t>(result);
    return ArithmeticResult::Ok;
}
