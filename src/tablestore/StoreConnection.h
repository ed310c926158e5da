#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>

struct sqlite3;
struct sqlite3_stmt;

namespace mx {

class StoreError;

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
    // false with errorText() set on failure (the connection is then closed again). A lock
    // held by another connection is waited for up to kBusyWaitMs.
    bool open(const QString& path, const QByteArray& key, int flags);
    static constexpr int kBusyWaitMs = 2000;
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // The file or its file system refuses writes; SQLite then opens for reading alone.
    bool isReadOnly() const;

    // The reason of the last failure: an injected fault's text, else SQLite's message.
    QString errorText() const;
    // The result code of the last failure (primary code, e.g. SQLITE_FULL).
    int errorCode() const;
    // The errno of the system call behind the last failure, as SQLite kept it; 0 if none.
    int systemErrno() const;
    // The last failure as the store's error, naming the table and its data file.
    StoreError error(const QString& table, const QString& file) const;

    // Runs statements without results; false on failure.
    bool exec(const char* sql);
    // Writes dirty pages of the cache to the file.
    bool flushCache();
    qint64 lastInsertRowid() const;
    bool inTransaction() const;

    // Ends any wait for another connection's lock at once, now and later: the statement
    // waiting fails with SQLITE_BUSY. The one call that may come from another thread than
    // the connection's own.
    void stopWaiting() { m_stopWaiting.store(true); }

    // Test seam: a statement of that kind fails with `sqliteCode` before it runs, once,
    // after `after` statements of that kind have run (0: the next one).
    void failNext(StoreAccess access, int sqliteCode, int after = 0);
    // Takes over the faults injected into `other` and not yet run into, so that a fault
    // injected into a table hits its next write whichever connection makes it.
    void takeFaultsFrom(StoreConnection& other);

    // A statement prepared on this connection, or null on failure; Statement owns it.
    sqlite3_stmt* prepare(const QString& sql);
    // One step of a statement prepared here, unless an injected fault takes its place.
    int step(sqlite3_stmt* stmt);

private:
    bool takeFault(bool reads, int& rc);
    static int busyWait(void* connection, int count);

    sqlite3* m_db = nullptr;
    struct Fault
    {
        int code = 0; // SQLite result code, 0 for none
        int after = 0;
    };
    Fault m_failRead;
    Fault m_failWrite;
    int m_injected = 0;  // the fault that failed the last statement
    std::atomic<bool> m_stopWaiting{false};
    QString m_openError;
    int m_openCode = 0;
    int m_openErrno = 0;
};

} // namespace mx
