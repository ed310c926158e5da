#pragma once

#include "engine/CalcValue.h"
#include "engine/NumberSeparators.h"

#include <QString>

#include <optional>

namespace mx {

// How the statistics window shows and reads numbers: thousands separators and negatives in
// parentheses, like the pattern ",0;(,0)", but with every decimal of the value up to 15
// significant digits, so that showing a number never rounds it. Magnitudes from 1E15 on,
// and below 1E-5, show in exponent form ("1E100").
QString formatStatNumber(CalcValue value, const NumberSeparators& seps);

struct StatParse
{
    enum Status { Ok, NotANumber, OutOfRange };
    Status status = NotANumber;
    double value = 0;
};

// Reads what formatStatNumber shows and what a user types or pastes: "." or the system
// decimal separator, thousands separators, a leading minus or parentheses, an exponent.
// An empty text reads as 0. A number beyond the double range is OutOfRange.
StatParse parseStatNumber(const QString& text, const NumberSeparators& seps);

// The message for a text that did not read as a number: out of range, or no number at all.
QString refusedNumberMessage(StatParse::Status status, const QString& text);

} // namespace mx
