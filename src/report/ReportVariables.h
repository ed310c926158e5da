#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QVariant>

namespace mx {

// A report's variables: each an expression, a quoted text ('It''s') or an integer, and the
// built-ins [DATE], [TIME], [PAGE#] and [TOTALPAGES#].
class ReportVariables
{
public:
    void set(const QString& name, const QString& expression) { m_expressions[name.toUpper()] = expression; }
    // The expression's value; an invalid value for an unknown name or a malformed expression.
    QVariant value(const QString& name) const;
    QString expression(const QString& name) const { return m_expressions.value(name.toUpper()); }

    // The text with every [Name] replaced by its value; unknown names become empty, a "["
    // without its "]" stays as it is.
    QString substitute(const QString& text, int page, int totalPages) const;

    void setNow(const QDateTime& now) { m_now = now; }

    static QVariant evaluate(const QString& expression);

private:
    QMap<QString, QString> m_expressions;
    QDateTime m_now = QDateTime::currentDateTime();
};

} // namespace mx
