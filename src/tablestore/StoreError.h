#pragma once

#include <QString>

#include <stdexcept>

namespace mx {

// A table store operation that could not be carried out: missing or damaged files, a
// lock held by another process, a wrong password, a failed write. It carries what the store
// knows of the cause and the file concerned, so that the user is not sent after a second copy
// of the program when the disk is full or a file is damaged.
class StoreError : public std::runtime_error
{
public:
    enum class Cause {
        Other,    // nothing more is known
        Locked,   // a lock held by another process or connection
        Missing,  // a file of the table does not exist
        Damaged,  // a file is truncated, garbled or of another format or version
        NotAFile, // a directory, device, pipe or link to one in place of a file
        ReadOnly, // the file or its file system refuses writes
        DiskFull,
        NoAccess, // the permissions refuse the file
        Io,       // the file system reported an input/output error
    };

    explicit StoreError(const QString& message, Cause cause = Cause::Other,
                        const QString& file = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_cause(cause),
          m_file(file)
    {
    }
    const QString& message() const { return m_message; }
    Cause cause() const { return m_cause; }
    // The file concerned, as the table knows it; empty where none is known.
    const QString& file() const { return m_file; }

private:
    QString m_message;
    Cause m_cause;
    QString m_file;
};

// The cause of a failed SQLite call, from its result code.
StoreError::Cause storeCauseOfSqlite(int sqliteCode);
// The cause of a failed system call, from its errno.
StoreError::Cause storeCauseOfErrno(int error);
// The cause in Russian, one sentence, for the program's messages.
QString storeCauseText(StoreError::Cause cause);
// The reason of a failure during a run, for a message that first says what failed: the cause
// in Russian, the file, and where the cause is not known the store's own text.
QString storeFailureText(const StoreError& error);

} // namespace mx
