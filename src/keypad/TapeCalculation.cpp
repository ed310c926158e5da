#include "TapeCalculation.h"

#include "texts/QuotedText.h"
#include "engine/CalcState.h"
#include "engine/OperationCodes.h"
#include "engine/TapeLineReader.h"
#include "engine/TapeSink.h"

#include <unordered_map>

namespace mx {

namespace {

using Kind = TapeLineKind;
using Reason = TapeRefusal::Reason;
using Found = std::variant<TapeCalculation, TapeRefusal>;

// Walks the tape around one line, reading each line at most once.
class CalculationFinder
{
public:
    CalculationFinder(const TapeSink& tape, const NumberSeparators& seps)
        : m_tape(tape), m_count(int(tape.lineCount())), m_seps(seps)
    {
    }

    Found find(int c);

private:
    const TapeLine& at(int i);
    // Lines beyond either end read as blank layout.
    Kind kind(int i) { return i < 0 || i >= m_count ? Kind::Blank : at(i).kind; }
    // The formula frame writes its result followed by a line of one blank.
    bool formulaResult(int i)
    {
        return kind(i) == Kind::Result && i + 1 < m_count &&
               m_tape.line(i + 1) == QLatin1String(" ");
    }
    // A text line under the formula frame's opening blank is a formula.
    Reason textReason(int i);

    Found chainThrough(int c);
    Found chainEndingAtRule(int rule);
    Found function(int f);
    Found singleValue(int c);

    const TapeSink& m_tape;
    int m_count;
    NumberSeparators m_seps;
    std::unordered_map<int, TapeLine> m_read;
};

const TapeLine& CalculationFinder::at(int i)
{
    auto it = m_read.find(i);
    if (it == m_read.end())
        it = m_read.emplace(i, readTapeLine(m_tape.line(i), m_seps)).first;
    return it->second;
}

TapeRefusal::Reason CalculationFinder::textReason(int i)
{
    while (i >= 0 && kind(i) == Kind::Text)
        --i;
    return i >= 0 && kind(i) == Kind::FormulaBlank ? Reason::FormulaLine : Reason::UnknownLine;
}

Found CalculationFinder::find(int c)
{
    switch (kind(c)) {
    case Kind::Blank:
        // The blank line that closes a calculation belongs to it.
        if (kind(c - 1) == Kind::Result && !formulaResult(c - 1)) {
            if (kind(c - 2) == Kind::Function)
                return function(c - 2);
            if (kind(c - 2) == Kind::Rule)
                return chainEndingAtRule(c - 2);
        }
        return TapeRefusal{Reason::NotInACalculation, c};
    case Kind::FormulaBlank:
        return TapeRefusal{Reason::FormulaLine, c};
    case Kind::Text:
        return TapeRefusal{textReason(c), c};
    case Kind::Memory:
        return TapeRefusal{Reason::MemoryLine, c};
    case Kind::Function:
        return function(c);
    case Kind::Rule:
        return chainEndingAtRule(c);
    case Kind::FirstOperand:
    case Kind::Operand:
        return chainThrough(c);
    case Kind::Result:
        if (formulaResult(c))
            return TapeRefusal{Reason::FormulaLine, c};
        switch (kind(c - 1)) {
        case Kind::Rule:
            return chainEndingAtRule(c - 1);
        case Kind::Function:
            return function(c - 1);
        case Kind::FirstOperand:
        case Kind::Operand:
            return chainThrough(c); // an intermediate result
        default:
            return singleValue(c);
        }
    }
    return TapeRefusal{Reason::UnknownLine, c};
}

Found CalculationFinder::chainThrough(int c)
{
    for (int i = c + 1; i < m_count; ++i) {
        switch (kind(i)) {
        case Kind::Operand:
        case Kind::Result:
            continue;
        case Kind::Rule:
            return chainEndingAtRule(i);
        case Kind::Memory:
            return TapeRefusal{Reason::MemoryLine, i};
        case Kind::Text:
            return TapeRefusal{textReason(i), i};
        case Kind::FormulaBlank:
            return TapeRefusal{Reason::FormulaLine, i};
        default:
            return TapeRefusal{Reason::Unfinished, c};
        }
    }
    return TapeRefusal{Reason::Unfinished, c};
}

Found CalculationFinder::chainEndingAtRule(int rule)
{
    if (kind(rule + 1) == Kind::Text)
        return TapeRefusal{Reason::UnknownLine, rule + 1};
    if (kind(rule + 1) != Kind::Result)
        return TapeRefusal{Reason::Unfinished, rule};

    int first = rule - 1;
    for (;; --first) {
        const Kind k = kind(first);
        if (first < 0 || k == Kind::Blank || k == Kind::Rule || k == Kind::Function)
            return TapeRefusal{Reason::Unfinished, first + 1};
        if (k == Kind::FirstOperand)
            break;
        if (k == Kind::Memory)
            return TapeRefusal{Reason::MemoryLine, first};
        if (k == Kind::Text)
            return TapeRefusal{textReason(first), first};
        if (k == Kind::FormulaBlank)
            return TapeRefusal{Reason::FormulaLine, first};
    }

    TapeCalculation calc;
    calc.shape = TapeCalculation::Shape::Chain;
    calc.first = first;
    calc.last = kind(rule + 2) == Kind::Blank && rule + 2 < m_count ? rule + 2 : rule + 1;
    calc.operands.reserve(std::size_t(rule - first));
    for (int i = first; i < rule; ++i) {
        const TapeLine& t = at(i);
        if (t.kind == Kind::FirstOperand && i == first)
            calc.operands.push_back({nullptr, *t.number});
        else if (t.kind == Kind::Operand)
            calc.operands.push_back({t.op, *t.number});
    }
    return calc;
}

Found CalculationFinder::function(int f)
{
    if (kind(f + 1) != Kind::Result || formulaResult(f + 1))
        return TapeRefusal{Reason::Unfinished, f};
    const TapeLine& argument = at(f);
    TapeCalculation calc;
    calc.shape = TapeCalculation::Shape::Function;
    calc.first = f;
    calc.last = kind(f + 2) == Kind::Blank && f + 2 < m_count ? f + 2 : f + 1;
    calc.operands.push_back({argument.op, *argument.number});
    if (argument.op->suffix == OpSuffix::Angle) {
        // The mark stands after the argument, or after the result of an arc function.
        const QString& mark = argument.suffix == BlankSuffix ? at(f + 1).suffix
                                                                   : argument.suffix;
        if (mark == QLatin1String(" R"))
            calc.radian = true;
        else if (mark == QLatin1String(" D"))
            calc.radian = false;
    }
    return calc;
}

Found CalculationFinder::singleValue(int c)
{
    const TapeLine& t = at(c);
    if (!t.number)
        return TapeRefusal{Reason::UnknownLine, c};
    TapeCalculation calc;
    calc.shape = TapeCalculation::Shape::SingleValue;
    calc.first = calc.last = c;
    calc.operands.push_back({nullptr, *t.number});
    return calc;
}

} // namespace

std::variant<TapeCalculation, TapeRefusal>
findTapeCalculation(const TapeSink& tape, int line, const NumberSeparators& seps)
{
    if (line < 0 || line >= tape.lineCount())
        return TapeRefusal{Reason::NotInACalculation, line};
    return CalculationFinder(tape, seps).find(line);
}

std::variant<TapeCalculation, TapeRefusal>
findTapeCalculation(const QStringList& lines, int line, const NumberSeparators& seps)
{
    return findTapeCalculation(MemoryTape(lines), line, seps);
}

QString refusalMessage(const TapeRefusal& refusal, const QString& lineText)
{
    QString why;
    switch (refusal.reason) {
    case Reason::NotInACalculation:
        why = QStringLiteral("строка %1 не входит ни в одно вычисление");
        break;
    case Reason::Unfinished:
        why = QStringLiteral("вычисление в строке %1 не закончено");
        break;
    case Reason::MemoryLine:
        why = QStringLiteral("строку %1 записали клавиши памяти");
        break;
    case Reason::FormulaLine:
        why = QStringLiteral("строку %1 записала формула");
        break;
    case Reason::UnknownLine:
        why = QStringLiteral("строка %1 не число и не известная операция");
        break;
    }
    const QString text = lineText.trimmed();
    QString message = QStringLiteral("Пересчёт невозможен: ") + why.arg(refusal.line + 1) +
                      QLatin1Char('.');
    if (!text.isEmpty())
        message += QStringLiteral("\r\r«") + quotedText(text, 60) + QStringLiteral("»");
    return message;
}

} // namespace mx
