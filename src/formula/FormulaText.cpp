#include "FormulaText.h"

#include "FormulaFunctions.h"

namespace mx {

namespace {

bool isTrimmed(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

QString trimmedFormula(const QString& text, qsizetype& leading)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin)))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1)))
        --end;
    leading = begin;
    return text.mid(begin, end - begin);
}

bool endsAcceptably(const QString& f)
{
    if (f.isEmpty())
        return false;
    const QChar last = f.back();
    return last == u')' || (last >= u'0' && last <= u'9') || last == u'I' || last == u'i';
}

QString formulaProgram(const QString& formula)
{
    QString program = kFormulaResultVar + QLatin1Char('=') + formula;
    program.replace(QLatin1String("mod"), QLatin1String("m0d"), Qt::CaseInsensitive);
    return program;
}

qsizetype formulaProgramStart()
{
    return kFormulaResultVar.size() + 1;
}

} // namespace mx
