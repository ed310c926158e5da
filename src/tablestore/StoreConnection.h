#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace mx {

// Which statements a fault injected by failNext() hits.
enum class StoreAccess { Read, Write };

// One keyed connection to a table's encrypted data file. Every statement runs through it, so
// that a test can make the next read or write fail with a given SQLite result code
// (SQLITE_FULL, SQLITE_IOERR, SQLITE_CORRUPT ...) and drive the callers' failure paths
// exactly as a full disk or a damaged file would.
class StoreConnection
{
public:
    StoreConnection() = default;
    ~StoreConnection() { close(); }
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    // Opens `path` with the raw 256-bit key and the durability settings every table uses;
    // false with errorText() set on failure (the connection is then closed again).
    bool open(const QString& path, const QByteArray& key, int flags);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // The file or its file system refuses writes; SQLite then opens for reading alone.
    bool isReadOnly() const;

    // The reason of the last failure: an injected fault's text, else SQLite's message.
    QString errorText() const;
    // The result code of the last failure (primary code, e.g. SQLITE_FULL).
    int errorCode() const;

    // Runs statements without results; false on failure.
    bool exec(const char* sql);
    // Writes dirty pages of the cache to the file.
    bool flushCache();
    qint64 lastInsertRowid() const;
    bool inTransaction() const;

    // Test seam: a statement of that kind fails with `sqliteCode` before it runs, once,
    // after `after` statements of that kind have run (0: the next one).
    void failNext(StoreAccess access, int sqliteCode, int after = 0);

private:
    friend class Statement;
    sqlite3_stmt* prepare(const QString& sql);
    // One step of a statement, unless an injected fault takes its place.
    int step(sqlite3_stmt* stmt);
    bool takeFault(bool reads, int& rc);

    sqlite3* m_db = nullptr;
    struct Fault
    {
        int code = 0; // SQLite result code, 0 for none
        int after = 0;
    };
    Fault m_failRead;
    Fault m_failWrite;
    int m_injected = 0;  // the fault that failed the last statement
    QString m_openError;
    int m_openCode = 0;
};

} // namespace mx
