#pragma once

#include "CalcValue.h"

#include <string>

namespace mx {

// A finite value as a decimal digit string: value = 0.d1 d2 d3 ... x 10^exponent, so that
// `exponent` is the number of digits before the decimal point (negative or zero below 0.1).
// Formatting works on the value's 18-significant-digit form and rounds that form half away
// from zero, so a typed 2.675 (held as 2.67499999999999999991...) shows as 2.68.
struct DecimalDigits
{
    bool negative = false;
    std::string digits; // '0'..'9'; empty means zero
    int exponent = 0;

    static constexpr int kSignificant = 18;

    static DecimalDigits fromValue(CalcValue v);

    bool isZero() const { return digits.empty(); }

    // Keeps `count` leading digits (none when count <= 0), rounding half away from zero;
    // a carry out of the first digit raises the exponent. Trailing zeros are dropped.
    DecimalDigits roundedTo(int count) const;

    // Digit at position i (0 = first), '0' outside the stored digits.
    char at(int i) const { return i >= 0 && i < int(digits.size()) ? digits[i] : '0'; }
};

} // namespace mx
