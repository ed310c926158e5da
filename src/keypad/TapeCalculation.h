#pragma once

#include "engine/CalcValue.h"
#include "engine/NumberSeparators.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace mx {

struct OperationInfo;
class TapeSink;

// One calculation of the tape as the keys would type it again: what one run of keys wrote
// from its first operand line to its result line after the rule, or a one-operand step
// with its result, or a single value with "=".
struct TapeCalculation
{
    enum class Shape { Chain, Function, SingleValue };

    struct Operand
    {
        const OperationInfo* op; // the operation this number is the right operand of;
                                 // null for the first number
        CalcValue value;
    };

    Shape shape = Shape::SingleValue;
    int first = 0; // 0-based tape lines, both included
    int last = 0;
    // Chain: the first number, then each operation with its operand, in tape order.
    // Function and single value: the one number (with the function).
    std::vector<Operand> operands;
    // Function: the angle unit its mark names; none where the line carries no mark.
    std::optional<bool> radian;
};

// Why the line under the caret cannot be worked again, and which line says so.
struct TapeRefusal
{
    enum class Reason { NotInACalculation, Unfinished, MemoryLine, FormulaLine, UnknownLine };
    Reason reason;
    int line; // 0-based
};

// The calculation that holds `line` of `lines`, read as the tape writer wrote it: the sign
// column and suffix name the operation, the value column is read as a number, "=" lines,
// rules and blank lines are results and layout. Lines of the memory keys or the formula
// frame, and lines that are neither a number nor a known sign, refuse it.
// The tape's lines are read one at a time, only around `line`.
std::variant<TapeCalculation, TapeRefusal>
findTapeCalculation(const TapeSink& tape, int line, const NumberSeparators& seps);
std::variant<TapeCalculation, TapeRefusal>
findTapeCalculation(const QStringList& lines, int line, const NumberSeparators& seps);

// The user's message for a refusal, naming the line by its number and its text.
QString refusalMessage(const TapeRefusal& refusal, const QString& lineText);

} // namespace mx
