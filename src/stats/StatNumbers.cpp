#include "StatNumbers.h"

#include "engine/NumberEntry.h"
#include "engine/NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace mx {

QString formatStatNumber(CalcValue value, const NumberSeparators& seps)
{
    if (!std::isfinite(value))
        return QString();
    const bool negative = value < 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", std::fabs(value));
    QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        // "1e+100" as "1E100", "2.5e-07" as "2.5E-7".
        const int exponent = text.mid(e + 1).toInt();
        text = text.left(e) + QLatin1Char('E') + QString::number(exponent);
    }
    const qsizetype point = text.indexOf(u'.');
    QString integer = text.left(point < 0 ? (e < 0 ? text.size() : e) : point);
    const QString rest = text.mid(integer.size());
    for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
        integer.insert(i, seps.thousands);
    QString shown = integer + rest;
    shown.replace(u'.', seps.decimal);
    return negative ? QLatin1Char('(') + shown + QLatin1Char(')') : shown;
}

StatParse parseStatNumber(const QString& text, const NumberSeparators& seps)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return {StatParse::Ok, 0};
    bool negative = false;
    if (t.size() >= 2 && t.front() == u'(' && t.back() == u')') {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
        if (t.startsWith(u'-') || t.startsWith(QChar(0x2212)))
            return {};
    }
    const QString number = NumberEntry::pastedNumberText(t, seps.decimal, seps.thousands);
    if (number.isEmpty())
        return {};
    const ParsedNumber parsed = NumberText(seps).readField(number);
    const CalcValue v = negative ? -parsed.value : parsed.value;
    if (parsed.overflow || !(std::fabs(v) <= CalcValue(DBL_MAX)))
        return {StatParse::OutOfRange, 0};
    return {StatParse::Ok, double(v)};
}

QString refusedNumberMessage(StatParse::Status status, const QString& text)
{
    return (status == StatParse::OutOfRange ? QStringLiteral("Число вне допустимого диапазона: %1")
                                            : QStringLiteral("Это не число: %1"))
        .arg(text.left(40));
}

} // namespace mx
