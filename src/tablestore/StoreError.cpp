#include "StoreError.h"

#include <QDir>

#include <sqlcipher/sqlite3.h>

#include <cerrno>

namespace mx {

StoreError::Cause storeCauseOfSqlite(int sqliteCode)
{
    using C = StoreError::Cause;
    switch (sqliteCode & 0xff) {
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
    using C = StoreError::Cause;
    switch (error) {
    case ENOENT:
        return C::Missing;
    case EACCES:
    case EPERM:
        return C::NoAccess;
    case EROFS:
        return C::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return C::DiskFull;
    case EISDIR:
    case ENXIO:
    case ELOOP:
        return C::NotAFile;
    case EWOULDBLOCK:
        return C::Locked;
    default:
        return C::Io;
    }
}

QString storeCauseText(StoreError::Cause cause)
{
    using C = StoreError::Cause;
    switch (cause) {
    case C::Locked:
        return QStringLiteral("Файл занят другой программой.");
    case C::Missing:
        return QStringLiteral("Файл не найден.");
    case C::Damaged:
        return QStringLiteral("Файл поврежден или записан другой версией программы.");
    case C::NotAFile:
        return QStringLiteral("На месте файла находится папка, устройство или канал.");
    case C::ReadOnly:
        return QStringLiteral("Файл или папка данных защищены от записи.");
    case C::DiskFull:
        return QStringLiteral("На диске нет свободного места.");
    case C::NoAccess:
        return QStringLiteral("Нет прав доступа к файлу.");
    case C::Io:
        return QStringLiteral("Ошибка ввода-вывода при обращении к файлу.");
    case C::Other:
        break;
    }
    return QStringLiteral("Ошибка хранилища данных.");
}

} // namespace mx

namespace mx {

QString storeFailureText(const StoreError& error)
{
    QString text = storeCauseText(error.cause());
    if (!error.file().isEmpty())
        text += QStringLiteral("\rФайл: ") + QDir::toNativeSeparators(QDir::cleanPath(error.file()));
    if (error.cause() == StoreError::Cause::Other)
        text += QStringLiteral("\r") + error.message();
    return text;
}

} // namespace mx
