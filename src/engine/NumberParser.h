#pragma once

#include "CalcValue.h"

#include <QString>

namespace mx {

struct ParsedNumber
{
    CalcValue value = 0;
    bool overflow = false; // the text names a number beyond the calculator's range
};

// Reads the number that a field's text shows: digits and the decimal separator make the
// mantissa, "E" or "e" starts an exponent (a "+" or "-" right after it is its sign), a "-"
// anywhere else makes the number negative, and every other character (thousands separators,
// blanks, stray text) is skipped. A text without digits reads as 0.
ParsedNumber parseNumber(const QString& text, QChar decimalSeparator);

} // namespace mx
