#include "ReportVariables.h"

namespace mx {

QVariant ReportVariables::evaluate(const QString& expression)
{
    const QString e = expression.trimmed();
    if (e.size() >= 2 && e.front() == u'\'' && e.back() == u'\'') {
        const QString inner = e.mid(1, e.size() - 2);
        // Inside the quotes a quote is written twice.
        QString text;
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner.at(i) == u'\'') {
                if (i + 1 >= inner.size() || inner.at(i + 1) != u'\'')
                    return {};
                ++i;
            }
            text += inner.at(i);
        }
        return text;
    }
    bool ok = false;
    const qlonglong n = e.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant();
}

QVariant ReportVariables::value(const QString& name) const
{
    const auto it = m_expressions.find(name.toUpper());
    return it == m_expressions.end() ? QVariant() : evaluate(*it);
}

QString ReportVariables::substitute(const QString& text, int page, int totalPages) const
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'[', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u']', open + 1);
        if (close < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, open - i);
        const QString name = text.mid(open + 1, close - open - 1).trimmed().toUpper();
        if (name == u"DATE")
            out += m_now.date().toString(QStringLiteral("dd.MM.yyyy"));
        else if (name == u"TIME")
            out += m_now.time().toString(QStringLiteral("HH:mm:ss"));
        else if (name == u"PAGE#")
            out += QString::number(page);
        else if (name == u"TOTALPAGES#")
            out += QString::number(totalPages);
        else
            out += value(name).toString();
        i = close + 1;
    }
    return out;
}

} // namespace mx
