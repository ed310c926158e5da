#pragma once

#include "files/FileFault.h"

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
    // The causes of every file's failure: the store's and the program's are one set.
    using Cause = FileFault;

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

// The cause of a failed SQLite call, from its result code and, for a failed open or an
// input/output error, the system's errno that SQLite kept.
StoreError::Cause storeCauseOfSqlite(int sqliteCode, int systemErrno = 0);
// The cause of a failed system call, from its errno.
StoreError::Cause storeCauseOfErrno(int error);
// The cause in Russian, one sentence, for the program's messages.
QString storeCauseText(StoreError::Cause cause);
// The reason of a failure during a run, for a message that first says what failed: the cause
// in Russian and the file; never the store's own text, which is English.
QString storeFailureText(const StoreError& error);

} // namespace mx
