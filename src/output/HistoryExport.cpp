#include "HistoryExport.h"

#include "files/ReplaceFile.h"

#include <QStringEncoder>

namespace mx {

QString saveHistoryFile(const QStringList& lines, const QString& path)
{
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encode(line + QLatin1String("\r\n"));
    return replaceFile(path, bytes);
}

} // namespace mx
