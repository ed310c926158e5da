#pragma once

#include "CalcValue.h"

#include <array>

namespace mx {

// A finite value as a decimal digit string: value = 0.d1 d2 d3 ... x 10^exponent, so that
// `exponent` is the number of digits before the decimal point (negative or zero below 0.1).
// Formatting works on the value's 18-significant-digit form and rounds that form half away
// from zero, so a typed 2.675 (held as 2.67499999999999999991...) shows as 2.68.
struct DecimalDigits
{
    static constexpr int kSignificant = 18;

    bool negative = false;
    std::array<char, kSignificant + 2> digits{}; // '0'..'9', `count` of them; none is zero
    int count = 0;
    int exponent = 0;

    static DecimalDigits fromValue(CalcValue v) { return fromValue(v, kSignificant); }
    // The value correctly rounded (to nearest) to `significant` digits, 1 to 18.
    static DecimalDigits fromValue(CalcValue v, int significant);

    bool isZero() const { return count == 0; }

    // Keeps `keep` leading digits (none when keep <= 0), rounding half away from zero;
    // a carry out of the first digit raises the exponent. Trailing zeros are dropped.
    DecimalDigits roundedTo(int keep) const;

    // Digit at position i (0 = first), '0' outside the stored digits.
    char at(int i) const { return i >= 0 && i < count ? digits[std::size_t(i)] : '0'; }
};

} // namespace mx
