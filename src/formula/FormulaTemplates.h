#pragma once

#include <QString>
#include <QStringList>

namespace mx {

// The call templates the function buttons insert, as name=value entries in the order of the
// formula function table, built from it once. Each value begins
// and ends with a blank; one-argument templates hold two blanks in their parentheses,
// two-argument ones blank, comma, blank.
const QStringList& FormulaTemplates();

// The value of the entry of that name, compared without regard to letter case; empty when
// there is none.
QString formulaTemplate(const QString& name);

} // namespace mx
