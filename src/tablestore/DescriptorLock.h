#pragma once

#include <QByteArray>
#include <QString>

namespace mx {

// The lock of a table: an advisory lock on its descriptor file, shared or exclusive, held
// while the table is open. The file is opened without blocking and must be a regular file,
// so that a pipe, a device or a folder in its place is refused at once instead of hanging
// the start. Failures throw StoreError naming the file.
class DescriptorLock
{
public:
    DescriptorLock() = default;
    ~DescriptorLock() { release(); }
    DescriptorLock(const DescriptorLock&) = delete;
    DescriptorLock& operator=(const DescriptorLock&) = delete;

    // Retries a lock held elsewhere `retries` times, `waitMs` apart, then fails (cause Locked).
    void acquire(const QString& path, bool exclusive, int retries, int waitMs);
    void release();
    bool held() const { return m_fd >= 0; }

    // The locked file's contents, at most `limit` + 1 bytes (more tells the caller it is
    // too large).
    QByteArray read(qsizetype limit) const;

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace mx
