#include "DescriptorLock.h"

#include "StoreError.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mx {

namespace {

[[noreturn]] void failWith(const QString& path, int error)
{
    throw StoreError(QStringLiteral("%1: %2").arg(path, qt_error_string(error)),
                     storeCauseOfErrno(error), path);
}

} // namespace

void DescriptorLock::acquire(const QString& path, bool exclusive, int retries, int waitMs)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer forever.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        failWith(path, errno);
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        ::close(fd);
        if (S_ISREG(st.st_mode))
            failWith(path, error);
        throw StoreError(QStringLiteral("%1: not a regular file").arg(path),
                         StoreError::Cause::NotAFile, path);
    }
    const int mode = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    for (int attempt = 0;; ++attempt) {
        if (::flock(fd, mode) == 0)
            break;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || attempt >= retries) {
            ::close(fd);
            if (error == EWOULDBLOCK)
                throw StoreError(QStringLiteral("%1: the table is locked by another user").arg(path),
                                 StoreError::Cause::Locked, path);
            failWith(path, error);
        }
        QThread::msleep(std::max(waitMs, 0));
    }
    m_fd = fd;
    m_path = path;
}

void DescriptorLock::release()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

QByteArray DescriptorLock::read(qsizetype limit) const
{
    QByteArray bytes;
    char chunk[4096];
    off_t at = 0;
    while (bytes.size() <= limit) {
        const ssize_t n = ::pread(m_fd, chunk, sizeof chunk, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWith(m_path, errno);
        }
        if (n == 0)
            break;
        bytes.append(chunk, n);
        at += n;
    }
    return bytes;
}

} // namespace mx
