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

ReplacingFile::~ReplacingFile()
{
    cancel();
}

bool ReplacingFile::fail(int error)
{
    m_fault = fileFaultOfErrno(error);
    cancel();
    return false;
}

bool ReplacingFile::open()
{
    QString target = QFileInfo(m_path).absoluteFilePath();
    // Replace what a link points at, not the link.
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        m_fault = FileFault::NotAFile;
        return false;
    }
    struct stat old{};
    m_target = QFile::encodeName(target);
    const bool replacing = ::stat(m_target.constData(), &old) == 0;
    if (replacing && ::access(m_target.constData(), W_OK) != 0)
        return fail(errno);

    m_temp = QFile::encodeName(QDir(info.absolutePath())
                                   .filePath(QLatin1Char('.') + info.fileName() +
                                             QStringLiteral(".XXXXXX")));
    m_fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_temp.clear();
        return fail(errno);
    }
    if (::fchmod(m_fd, replacing ? (old.st_mode & 07777) : newFileMode()) != 0)
        return fail(errno);
    return true;
}

bool ReplacingFile::write(const QByteArray& bytes)
{
    if (m_fd < 0)
        return false;
    return writeAll(m_fd, bytes) || fail(errno);
}

bool ReplacingFile::commit()
{
    if (m_fd < 0)
        return false;
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temp.constData(), m_target.constData()) != 0)
        return fail(errno);
    m_temp.clear();
    // The new name is durable once the folder is synced; a folder that cannot be synced
    // still holds the complete new file.
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_target)).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void ReplacingFile::cancel()
{
    const int error = errno;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        ::unlink(m_temp.constData());
        m_temp.clear();
    }
    errno = error;
}

QString replaceFile(const QString& path, const QByteArray& bytes)
{
    ReplacingFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return QString();
    return fileFaultText(file.fault());
}

} // namespace mx
