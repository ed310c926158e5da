#pragma once

#include <QString>

namespace mx {

// An SQL identifier (a field name) in double quotes, inner quotes doubled: the one place
// where the store quotes names into statements.
inline QString quotedIdentifier(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace mx
