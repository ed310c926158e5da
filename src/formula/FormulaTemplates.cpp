#include "FormulaTemplates.h"

namespace mx {

const QStringList& FormulaTemplates()
{
    static const QStringList templates = {
        QStringLiteral("ArcSin= ArcSin(  ) "), QStringLiteral("ArcCos= ArcCos(  ) "),
        QStringLiteral("ArcTg= ArcTg(  ) "),   QStringLiteral("Sin= Sin(  ) "),
        QStringLiteral("Cos= Cos(  ) "),       QStringLiteral("Tg= Tg(  ) "),
        QStringLiteral("Exp= Exp(  ) "),       QStringLiteral("Power= Power( , ) "),
        QStringLiteral("pi= pi "),             QStringLiteral("Ln= Ln(  ) "),
        QStringLiteral("Log= Log(  ) "),       QStringLiteral("Lg= Lg(  ) "),
        QStringLiteral("Sqrt= Sqrt(  ) "),     QStringLiteral("Mod= Mod( , ) "),
        QStringLiteral("Rad= Rad(  ) "),       QStringLiteral("Deg= Deg(  ) "),
        QStringLiteral("Int= Int(  ) "),       QStringLiteral("Frac= Frac(  ) "),
    };
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
