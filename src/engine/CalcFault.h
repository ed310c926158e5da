#pragma once

#include <QString>

namespace mx {

// Why a calculation failed. Every fault becomes its message in faultMessage() alone.
enum class CalcFault {
    None,
    DivisionByZero,
    Overflow,
    Underflow,
    Invalid,
    Other,
    // Domain checks made before any arithmetic.
    NotNegative,    // Sqrt of a negative number
    NotPositive,    // logarithms of zero or less
    OutsideUnitArc, // ArcSin and ArcCos beyond [-1, 1]
};

QString faultMessage(CalcFault fault);

// Reads the floating-point fault flags raised since they were last cleared, in the order
// division by zero, overflow, invalid operation; underflow and inexact are silent.
CalcFault faultFromFlags(int flags);

} // namespace mx
