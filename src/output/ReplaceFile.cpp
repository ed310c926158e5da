#include "ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mx {

namespace {

QString systemError(int code)
{
    return qt_error_string(code);
}

// Writes all of `bytes`, resuming after interruptions and short writes.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString replaceFile(const QString& path, const QByteArray& bytes)
{
    QString target = QFileInfo(path).absoluteFilePath();
    // Replace what a link points at, not the link.
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    const QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return systemError(info.isDir() ? EISDIR : EINVAL);

    struct stat old{};
    const QByteArray targetName = QFile::encodeName(target);
    const bool replacing = ::stat(targetName.constData(), &old) == 0;
    if (replacing && ::access(targetName.constData(), W_OK) != 0)
        return systemError(errno);

    QByteArray temp = QFile::encodeName(
        QDir(info.absolutePath()).filePath(QLatin1Char('.') + info.fileName() +
                                           QStringLiteral(".XXXXXX")));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);
    int error = 0;
    if (::fchmod(fd, replacing ? (old.st_mode & 07777) : newFileMode()) != 0 ||
        !writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.constData(), targetName.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.constData());
        return systemError(error);
    }
    // The new name is durable once the folder is synced; a folder that cannot be synced
    // still holds the complete new file.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return QString();
}

} // namespace mx
