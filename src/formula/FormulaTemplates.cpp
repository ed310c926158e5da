#include "FormulaTemplates.h"

#include "FormulaFunctionTable.h"

namespace mx {

const QStringList& FormulaTemplates()
{
    static const QStringList templates = [] {
        QStringList list;
        for (const FormulaFunction& f : formulaFunctionTable())
            list << QLatin1String(f.name) + QLatin1Char('=') + QLatin1String(f.templateText);
        return list;
    }();
    return templates;
}

QString formulaTemplate(const QString& name)
{
    for (const QString& entry : FormulaTemplates()) {
        const qsizetype eq = entry.indexOf(u'=');
        if (QStringView(entry).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return entry.mid(eq + 1);
    }
    return {};
}

} // namespace mx
