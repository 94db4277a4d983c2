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

// Every operator but ^, in 64 bits, where none of them can overflow. \ and Mod both truncate
// toward zero (the remainder takes the sign of the dividend); `b` is not 0 for them.
int64_t Compute(BinaryOperator op, int64_t a, int64_t b) {
    switch (op) {
        case BinaryOperator::Add:
            return a + b;
        case BinaryOperator::Subtract:
            return a - b;
        case BinaryOperator::Multiply:
            return a * b;
        case BinaryOperator::IntegerDivide:
            return a / b;
        case BinaryOperator::Modulo:
            return a % b;
        case BinaryOperator::Equal:
            return a == b ? -1 : 0;
        case BinaryOperator::NotEqual:
            return a != b ? -1 : 0;
        case BinaryOperator::Less:
            return a < b ? -1 : 0;
        case BinaryOperator::LessOrEqual:
            return a <= b ? -1 : 0;
        case BinaryOperator::Greater:
            return a > b ? -1 : 0;
        case BinaryOperator::GreaterOrEqual:
            return a >= b ? -1 : 0;
        case BinaryOperator::And:
            return a & b;
        case BinaryOperator::Or:
            return a | b;
        case BinaryOperator::Power:
            break;
    }
    return 0;
}

}  // namespace

ArithmeticResult Apply(BinaryOperator op, int32_t left, int32_t right, int32_t& value) {
    int64_t result = 0;
    if (op == BinaryOperator::Power) {
        ArithmeticResult powered = Power(left, right, result);
        if (powered != ArithmeticResult::Ok) {
            return powered;
        }
    } else if ((op == BinaryOperator::IntegerDivide || op == BinaryOperator::Modulo) &&
               right == 0) {
        return ArithmeticResult::DivisionByZero;
    } else {
        result = Compute(op, left, right);
    }
    if (!InRange(result)) {
        return ArithmeticResult::Overflow;
    }
    value = static_cast<int32_t>(result);
    return ArithmeticResult::Ok;
}
