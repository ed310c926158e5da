#include "PastedNumbers.h"

#include "StatNumbers.h"

#include <QRegularExpression>

namespace mx {

PastedNumbers parsePastedNumbers(const QString& text, const NumberSeparators& seps)
{
    static const QRegularExpression separators(QStringLiteral("[\\t; ]+"));
    PastedNumbers out;
    const QStringList lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .split(QRegularExpression(QStringLiteral("[\\r\\n]")));
    for (qsizetype line = 0; line < lines.size(); ++line) {
        for (const QString& piece : lines.at(line).split(separators, Qt::SkipEmptyParts)) {
            const StatParse p = parseStatNumber(piece, seps);
            if (p.status == StatParse::Ok) {
                out.values.push_back(p.value);
                continue;
            }
            out.values.clear();
            out.error = QStringLiteral("Строка %1: «%2» — %3.\r\rНичего не добавлено.")
                            .arg(line + 1)
                            .arg(piece.left(40),
                                 p.status == StatParse::OutOfRange
                                     ? QStringLiteral("число вне допустимого диапазона")
                                     : QStringLiteral("не число"));
            return out;
        }
    }
    if (out.values.empty())
        out.error = QStringLiteral("В буфере обмена нет чисел.");
    return out;
}

} // namespace mx
