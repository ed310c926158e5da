#include "StoreError.h"

#include <QDir>

#include <sqlcipher/sqlite3.h>

namespace mx {

StoreError::Cause storeCauseOfSqlite(int sqliteCode, int systemErrno)
{
    using C = StoreError::Cause;
    const int primary = sqliteCode & 0xff;
    // A file that could not be opened or read says best itself why.
    if ((primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR) && systemErrno != 0)
        return fileFaultOfErrno(systemErrno);
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return C::Locked;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
        return C::Damaged;
    case SQLITE_READONLY:
        return C::ReadOnly;
    case SQLITE_FULL:
        return C::DiskFull;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return C::NoAccess;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return C::Io;
    default:
        return C::Other;
    }
}

StoreError::Cause storeCauseOfErrno(int error)
{
    return fileFaultOfErrno(error);
}

QString storeCauseText(StoreError::Cause cause)
{
    if (cause == StoreError::Cause::Other)
        return QStringLiteral("Ошибка хранилища данных.");
    return fileFaultText(cause);
}

} // namespace mx

namespace mx {

QString storeFailureText(const StoreError& error)
{
    QString text = storeCauseText(error.cause());
    if (!error.file().isEmpty())
        text += QStringLiteral("\rФайл: ") + QDir::toNativeSeparators(QDir::cleanPath(error.file()));
    return text;
}

} // namespace mx
