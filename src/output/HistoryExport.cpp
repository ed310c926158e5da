#include "HistoryExport.h"

#include <QSaveFile>
#include <QStringEncoder>

namespace mx {

QString saveHistoryFile(const QStringList& lines, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QStringEncoder encode(QStringConverter::System);
    for (const QString& line : lines) {
        const QByteArray bytes = encode(line + QLatin1String("\r\n"));
        if (file.write(bytes) != bytes.size()) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace mx
