#include "TapeLineReader.h"

#include "CalcState.h"
#include "NumberText.h"
#include "OperationCodes.h"

namespace mx {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isResultSign(const QString& sign)
{
    return sign == QLatin1String("=");
}

bool isMemorySign(const QString& sign)
{
    return sign == QLatin1String("M=") || sign == QLatin1String("M+");
}

// The two-operand row that a label with its suffix names: the tape writer's choice of label
// and suffix read backwards ("*" with " %" is "%", "+" with " %" is "+%").
const OperationInfo* binaryRow(const QString& label, const QString& suffix)
{
    const bool percent = suffix == QLatin1String(" %");
    if (!percent && suffix != BlankSuffix)
        return nullptr;
    for (const OperationInfo& op : operationTable()) {
        if (op.operands != 2 || op.id == OpId::MemoryPlus || label != QLatin1String(op.label))
            continue;
        if ((op.suffix == OpSuffix::Percent) == percent)
            return &op;
    }
    return nullptr;
}

// The one-operand row of a code; an angle mark only after the trigonometric ones.
const OperationInfo* unaryRow(const QString& code, const QString& suffix)
{
    for (const OperationInfo& op : operationTable()) {
        if (op.operands != 1 || code != QLatin1String(op.code))
            continue;
        if (suffix == BlankSuffix || op.suffix == OpSuffix::Angle)
            return suffix == QLatin1String(" %") ? nullptr : &op;
        return nullptr;
    }
    return nullptr;
}

bool isSignToken(const QString& token)
{
    if (isResultSign(token) || isMemorySign(token))
        return true;
    for (const OperationInfo& op : operationTable()) {
        if (op.operands == 2 && token == QLatin1String(op.label))
            return true;
        if (op.operands == 1 && token == QLatin1String(op.code))
            return true;
    }
    return false;
}

bool isRule(const QString& value)
{
    if (value.size() < 2)
        return false;
    for (QChar c : value)
        if (c != QLatin1Char('-'))
            return false;
    return true;
}

// The end of the value that starts at `from`: up to the next blank, except a blank that
// groups digits where the system's group mark is a blank.
qsizetype valueEnd(const QString& line, qsizetype from, QChar thousands)
{
    const qsizetype n = line.size();
    qsizetype j = from;
    while (j < n) {
        if (!isBlank(line[j])) {
            ++j;
            continue;
        }
        const bool groupBlank = thousands == QLatin1Char(' ') && line[j] == thousands &&
                                j > from && isAsciiDigit(line[j - 1]) && j + 3 < n &&
                                isAsciiDigit(line[j + 1]) && isAsciiDigit(line[j + 2]) &&
                                isAsciiDigit(line[j + 3]) &&
                                (j + 4 == n || !isAsciiDigit(line[j + 4]));
        if (!groupBlank)
            break;
        ++j;
    }
    return j;
}

} // namespace

std::optional<CalcValue> readTapeNumber(const QString& text, const NumberSeparators& seps)
{
    // The strict reader of user text: the user may have retyped the number.
    const NumberRead read = NumberText(seps).read(text);
    if (read.status != NumberRead::Ok)
        return std::nullopt;
    return read.value;
}

std::optional<CalcValue> tapeNumberAt(const QString& line, qsizetype column,
                                      const NumberSeparators& seps)
{
    const TapeLine t = readTapeLine(line, seps);
    if (!t.number || column < t.valueAt || column > t.valueAt + t.value.size())
        return std::nullopt;
    return t.number;
}

TapeLine readTapeLine(const QString& line, const NumberSeparators& seps)
{
    TapeLine t;
    if (line == QLatin1String(" ")) {
        t.kind = TapeLineKind::FormulaBlank;
        return t;
    }
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && isBlank(line[i]))
        ++i;
    if (i == n) {
        t.kind = TapeLineKind::Blank;
        return t;
    }

    qsizetype j = i;
    while (j < n && !isBlank(line[j]))
        ++j;
    const QString first = line.mid(i, j - i);
    if (isSignToken(first)) {
        t.sign = first;
        i = j;
        while (i < n && isBlank(line[i]))
            ++i;
    } else if (i == 0) {
        // A value stands right of the sign column; text from the line's start is the
        // formula frame's or the user's.
        return t;
    }

    j = valueEnd(line, i, seps.thousands);
    t.value = line.mid(i, j - i);
    t.valueAt = i;
    const bool markedSuffix = j + 1 < n && line[j] == QLatin1Char(' ') &&
                              (line[j + 1] == QLatin1Char('%') || line[j + 1] == QLatin1Char('R') ||
                               line[j + 1] == QLatin1Char('D')) &&
                              (j + 2 == n || isBlank(line[j + 2]));
    t.suffix = markedSuffix ? line.mid(j, 2) : BlankSuffix;
    t.number = readTapeNumber(t.value, seps);

    if (t.sign.isEmpty()) {
        if (isRule(t.value))
            t.kind = TapeLineKind::Rule;
        else if (t.number)
            t.kind = TapeLineKind::FirstOperand;
        return t;
    }
    if (isMemorySign(t.sign)) {
        t.kind = TapeLineKind::Memory;
        return t;
    }
    if (isResultSign(t.sign)) {
        if (t.number || t.value == QLatin1String("Error"))
            t.kind = TapeLineKind::Result;
        return t;
    }
    if (!t.number)
        return t;
    if ((t.op = binaryRow(t.sign, t.suffix)))
        t.kind = TapeLineKind::Operand;
    else if ((t.op = unaryRow(t.sign, t.suffix)))
        t.kind = TapeLineKind::Function;
    return t;
}

} // namespace mx
