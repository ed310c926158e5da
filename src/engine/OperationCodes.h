#pragma once

#include <QString>

#include <span>

namespace mx {

enum class OpId {
    Plus,
    Minus,
    Mult,
    Div,
    Percent,
    PercentAdd,
    Power,
    Mod,
    MemoryPlus,
    Reciprocal,
    Square,
    Cube,
    Sqrt,
    Exp,
    Sin,
    ArcSin,
    Cos,
    ArcCos,
    Tg,
    ArcTg,
    Ctg,
    Ln,
    Log10,
    Log2,
    Factorial,
    Int,
    Frac,
    Pi
};

// What a key's operand suffix is on the tape.
enum class OpSuffix { Blank, Percent, Angle, None };

struct OperationInfo
{
    OpId id;
    const char* code;        // the OperationCode, case-sensitive
    int operands;            // 0, 1 or 2
    const char* key;         // button name; empty for "Ctg", which has no key
    const char* label;       // tape label; empty where the code writes none
    const char* resultLabel; // "=" or "M="; empty for "pi"
    OpSuffix suffix;

    QString codeText() const { return QString::fromLatin1(code); }
    QString labelText() const { return QString::fromLatin1(label); }
    QString resultLabelText() const { return QString::fromLatin1(resultLabel); }
};

// The closed set of operation codes.
std::span<const OperationInfo> operationTable();

// The entry for a code after removing its leading and trailing blanks; nullptr for a code
// outside the set.
const OperationInfo* findOperation(const QString& code);
const OperationInfo& operationInfo(OpId id);
// The operation a key sends: for Sin, Cos and Tg the arc variant when `inverse` is set.
const OperationInfo* operationForKey(const char* keyName, bool inverse);

// The text written after an operand for a suffix kind; angleMark is " R" or " D".
QString suffixText(OpSuffix suffix, const QString& angleMark);

} // namespace mx
