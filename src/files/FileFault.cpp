#include "FileFault.h"

#include "texts/QuotedText.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

namespace mx {

FileFault fileFaultOfErrno(int error)
{
    using F = FileFault;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return F::Missing;
    case EACCES:
    case EPERM:
        return F::NoAccess;
    case EROFS:
    case ETXTBSY:
        return F::ReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return F::DiskFull;
    case EISDIR:
    case ENXIO:
    case ELOOP:
    case ENODEV:
        return F::NotAFile;
    case EWOULDBLOCK:
        return F::Locked;
    default:
        return F::Io;
    }
}

namespace {

// Codes that say what went wrong; any other leaves the question to the file system.
bool tellsTheCause(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EISDIR:
    case ELOOP:
    case EIO:
        return true;
    default:
        return false;
    }
}

} // namespace

FileFault fileFaultOf(const QString& path, bool writing, int savedErrno)
{
    // What the path shows for certain first: an errno may be left over from a call that
    // failed on the way and did not matter.
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.exists() && !file.isFile())
        return FileFault::NotAFile;
    if (writing ? !folder.isDir() : !file.exists())
        return FileFault::Missing;
    if (tellsTheCause(savedErrno) && savedErrno != ENOENT && savedErrno != ENOTDIR)
        return fileFaultOfErrno(savedErrno);
    if (!writing)
        return file.isReadable() ? FileFault::Io : FileFault::NoAccess;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return FileFault::ReadOnly;
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return FileFault::NoAccess;
    // Less than a block or two left: a write that failed there met a full disk.
    if (storage.isValid() && storage.bytesAvailable() < 64 * 1024)
        return FileFault::DiskFull;
    return FileFault::Io;
}

QString fileFaultText(FileFault fault)
{
    using F = FileFault;
    switch (fault) {
    case F::Locked:
        return QStringLiteral("Файл занят другой программой.");
    case F::Missing:
        return QStringLiteral("Файл не найден.");
    case F::Damaged:
        return QStringLiteral("Файл поврежден или записан другой версией программы.");
    case F::NotAFile:
        return QStringLiteral("На месте файла находится папка, устройство или канал.");
    case F::ReadOnly:
        return QStringLiteral("Файл или папка защищены от записи.");
    case F::DiskFull:
        return QStringLiteral("На диске нет свободного места.");
    case F::NoAccess:
        return QStringLiteral("Нет прав доступа к файлу.");
    case F::Io:
        return QStringLiteral("Ошибка ввода-вывода при обращении к файлу.");
    case F::Other:
        break;
    }
    return QStringLiteral("Причина неизвестна.");
}

QString fileFailureMessage(const QString& what, const QString& path, FileFault fault)
{
    return what.arg(quotedText(QFileInfo(path).fileName())) + QStringLiteral("\r\r") +
           fileFaultText(fault);
}

} // namespace mx
