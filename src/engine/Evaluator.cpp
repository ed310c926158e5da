#include "Evaluator.h"

#include "CalcState.h"
#include "NumericField.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <cfenv>
#include <cmath>
#include <numbers>

namespace mx {

namespace {

constexpr CalcValue kPi = 0xc.90fdaa22168c235p-2L; // 4000 C90FDAA2 2168C235
constexpr CalcValue kTwoPow63 = 0x1p63L;
constexpr long long kMaxIntegerExponent = 2147483647;

CalcValue degToRad()
{
    return CalcValue(DegToRad);
}

// e^x as 2^(x * log2 e), the power of two split into its integer and fractional parts.
CalcValue expByPowerOfTwo(CalcValue x)
{
    const CalcValue t = x * std::numbers::log2e_v<CalcValue>;
    if (std::isnan(t))
        return t;
    const CalcValue whole = std::trunc(t);
    const CalcValue frac = t - whole;
    // Beyond +-2^20 the result is out of the extended range anyway; scalbn then raises the
    // overflow (or the silent underflow) itself.
    constexpr CalcValue kLimit = 1 << 20;
    const int exponent = int(std::fmax(-kLimit, std::fmin(kLimit, whole)));
    return std::scalbn(std::exp2(frac), exponent);
}

CalcValue integerPower(CalcValue base, long long exponent)
{
    unsigned long long n = exponent < 0 ? 0ull - (unsigned long long)exponent
                                        : (unsigned long long)exponent;
    CalcValue result = 1;
    CalcValue square = base;
    while (n) {
        if (n & 1u)
            result *= square;
        n >>= 1u;
        if (n)
            square *= square;
    }
    if (exponent >= 0)
        return result;
    // The reciprocal is taken at the end. When the positive power left the range, the true
    // result lies on the other side of it: 2^-20000 is a silent 0, 0.5^-20000 an overflow.
    if (base != 0 && std::isinf(result)) {
        std::feclearexcept(FE_OVERFLOW);
        return std::signbit(result) ? -CalcValue(0) : CalcValue(0);
    }
    if (base != 0 && result == 0) {
        volatile CalcValue huge = std::numeric_limits<CalcValue>::max();
        return huge * 2;
    }
    return 1 / result;
}

CalcValue power(CalcValue left, CalcValue right)
{
    if (right == 0)
        return 1;
    if (left == 0 && right > 0)
        return 0;
    if (std::trunc(right) == right && std::fabs(right) <= kMaxIntegerExponent)
        return integerPower(left, (long long)right);
    return expByPowerOfTwo(right * std::log(left));
}

CalcValue factorial(CalcValue right)
{
    const CalcValue n = std::trunc(right);
    if (!(n > 0))
        return 1;
    // Accumulated in double (SSE arithmetic rounds each partial product to a double):
    // 170! is the largest that fits, 171! raises the overflow.
    double product = 1;
    for (double i = 2; i <= n; ++i) {
        product = product * i;
        if (std::isinf(product))
            break;
    }
    return product;
}

CalcValue toRadians(CalcValue x, bool radian)
{
    return radian ? x : x * degToRad();
}

CalcValue fromRadians(CalcValue x, bool radian)
{
    return radian ? x : x / degToRad();
}

CalcValue sineOrCosine(CalcValue x, bool sine)
{
    if (std::fabs(x) >= kTwoPow63)
        return 0;
    return sine ? std::sin(x) : std::cos(x);
}

// Domain checks come before any arithmetic.
CalcFault domainFault(OpId op, CalcValue right)
{
    switch (op) {
    case OpId::Div:
    case OpId::Reciprocal:
    case OpId::Mod:
        return right == 0 ? CalcFault::DivisionByZero : CalcFault::None;
    case OpId::Sqrt:
        return right < 0 ? CalcFault::NotNegative : CalcFault::None;
    case OpId::ArcSin:
    case OpId::ArcCos:
        return std::fabs(right) > 1 ? CalcFault::OutsideUnitArc : CalcFault::None;
    case OpId::Ln:
    case OpId::Log10:
    case OpId::Log2:
        return right <= 0 ? CalcFault::NotPositive : CalcFault::None;
    default:
        return CalcFault::None;
    }
}

CalcValue arithmetic(OpId op, CalcValue right, CalcValue left, bool radian)
{
    switch (op) {
    case OpId::Plus:
    case OpId::MemoryPlus:
        return left + right;
    case OpId::Minus:
        return left - right;
    case OpId::Mult:
        return left * right;
    case OpId::Div:
        return left / right;
    case OpId::Percent:
        return left * right / 100;
    case OpId::PercentAdd:
        return left * right / 100 + left;
    case OpId::Reciprocal:
        return 1 / right;
    case OpId::Square:
        return right * right;
    case OpId::Cube:
        return right * right * right;
    case OpId::Power:
        return power(left, right);
    case OpId::Sqrt:
        return std::sqrt(right);
    case OpId::Exp:
        return expByPowerOfTwo(right);
    case OpId::Sin:
        return sineOrCosine(toRadians(right, radian), true);
    case OpId::Cos:
        return sineOrCosine(toRadians(right, radian), false);
    case OpId::Tg:
        return std::tan(toRadians(right, radian));
    case OpId::Ctg:
        return 1 / std::tan(toRadians(right, radian));
    case OpId::ArcSin:
        return fromRadians(std::atan2(right, std::sqrt(1 - right * right)), radian);
    case OpId::ArcCos:
        return fromRadians(std::atan2(std::sqrt(1 - right * right), right), radian);
    case OpId::ArcTg:
        return fromRadians(std::atan2(right, CalcValue(1)), radian);
    case OpId::Pi:
        return kPi;
    case OpId::Ln:
        return std::log(right);
    case OpId::Log10:
        return std::log10(right);
    case OpId::Log2:
        return std::log2(right);
    case OpId::Factorial:
        return factorial(right);
    case OpId::Int:
        return std::trunc(right);
    case OpId::Frac:
        return right - std::trunc(right);
    case OpId::Mod: {
        const CalcValue quotient = std::trunc(left / right);
        if (!(std::fabs(quotient) < kTwoPow63)) {
            // The quotient does not fit the 64-bit integer it is truncated to.
            std::feraiseexcept(FE_INVALID);
            return std::numeric_limits<CalcValue>::quiet_NaN();
        }
        return left - CalcValue((long long)quotient) * right;
    }
    }
    return 0;
}

} // namespace

CalcValue Evaluator::piValue()
{
    return kPi;
}

EvalOutcome Evaluator::compute(OpId op, CalcValue right, CalcValue left, bool radian)
{
    EvalOutcome out;
    out.fault = domainFault(op, right);
    if (out.fault != CalcFault::None)
        return out;

    std::feclearexcept(FE_ALL_EXCEPT);
    // The store through a volatile keeps the computation ahead of the flag test.
    volatile CalcValue result = arithmetic(op, right, left, radian);
    const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    out.value = result;
    out.fault = faultFromFlags(flags);
    if (out.fault == CalcFault::None && !std::isfinite(out.value))
        out.fault = std::isnan(out.value) ? CalcFault::Invalid : CalcFault::Overflow;
    std::feclearexcept(FE_ALL_EXCEPT);
    return out;
}

bool Evaluator::Evaluate(const QString& code, NumericField& input, NumericField& right,
                         NumericField& left)
{
    const CalcValue inputValue = input.value();
    const CalcValue rightValue = right.value();
    const CalcValue leftValue = left.value();

    CalcValue result = inputValue;
    if (const OperationInfo* op = findOperation(code)) {
        const EvalOutcome out = compute(op->id, rightValue, leftValue, m_settings.Radian);
        if (out.fault != CalcFault::None) {
            m_messages.ShowMsgDlg(faultMessage(out.fault), mkError, mbOKOnly, hcMessages);
            return false;
        }
        result = out.value;
    }
    input.setValue(result);
    right.setValue(rightValue);
    left.setValue(leftValue);
    return true;
}

} // namespace mx
