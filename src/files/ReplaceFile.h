#pragma once

#include "FileFault.h"

#include <QByteArray>
#include <QString>

namespace mx {

// A file that replaces the file `path`, or creates it, only when it is whole: the bytes go to
// a new temporary file beside the target, every write, the sync to disk and the close are
// checked, and only then is the temporary renamed over the target. On any failure, and when
// it is dropped without commit(), the temporary is removed and the target keeps its old
// contents. A replaced file keeps its permissions; a link is followed, so that its target is
// replaced.
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString& path) : m_path(path) {}
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool open();
    bool write(const QByteArray& bytes);
    bool commit();
    void cancel();

    const QString& path() const { return m_path; }
    // Why the failed step failed.
    FileFault fault() const { return m_fault; }

private:
    bool fail(int error);

    QString m_path;
    QByteArray m_target; // the file replaced, links followed
    QByteArray m_temp;
    int m_fd = -1;
    FileFault m_fault = FileFault::Other;
};

// Replaces the contents of the file `path` with `bytes`, or creates it, as ReplacingFile does.
// Returns the cause of the failed step in Russian, or an empty text on success.
QString replaceFile(const QString& path, const QByteArray& bytes);

} // namespace mx
