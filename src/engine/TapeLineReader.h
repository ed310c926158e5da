#pragma once

#include "CalcValue.h"
#include "NumberSeparators.h"

#include <QString>

#include <optional>

namespace mx {

struct OperationInfo;

// What a tape line is, read back from how the tape writer lays it out.
enum class TapeLineKind {
    Blank,        // only blanks, or empty: layout
    FormulaBlank, // the single blank that the formula frame writes around its lines
    Rule,         // the row of "-" before a result
    FirstOperand, // no sign and a number: a chain's first operand (or a repeated "=")
    Operand,      // a two-operand label and a number: the operand of that operation
    Function,     // a one-operand code and a number: the argument of that function
    Result,       // "=" and a number or "Error"
    Memory,       // "M=" or "M+": written by the memory keys
    Text          // neither a number nor a known sign
};

struct TapeLine
{
    TapeLineKind kind = TapeLineKind::Text;
    QString sign;   // the sign column's text
    QString value;  // the value column's text
    qsizetype valueAt = -1; // where the value starts in the line
    QString suffix; // "  ", " %", " R" or " D"
    // Operand: the two-operand row its label and suffix name ("*" with " %" is "%");
    // Function: the one-operand row of its code.
    const OperationInfo* op = nullptr;
    std::optional<CalcValue> number; // the value column read as a number
};

// Reads one tape line: the sign, the value column and the suffix, with any text right of
// the suffix taken as the user's note and ignored. Columns are found by their blanks, not
// by their positions, so a number edited to another width still reads.
TapeLine readTapeLine(const QString& line, const NumberSeparators& seps);

// A number in the value column as the tape writes it (or as a user would type it); nullopt
// for anything else, "Error" included. The one place where the tape's numbers are read.
std::optional<CalcValue> readTapeNumber(const QString& text, const NumberSeparators& seps);

// The number of the value column when `column` (0-based, in characters) lies on it.
std::optional<CalcValue> tapeNumberAt(const QString& line, qsizetype column,
                                      const NumberSeparators& seps);

} // namespace mx
