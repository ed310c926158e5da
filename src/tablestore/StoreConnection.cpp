#include "StoreConnection.h"

#include "StoreError.h"

#include <QFile>

#include <sqlcipher/sqlite3.h>

#include <utility>

namespace mx {

namespace {

constexpr int kBusyStepMs = 5;

} // namespace

int StoreConnection::busyWait(void* connection, int count)
{
    const auto* self = static_cast<const StoreConnection*>(connection);
    if (self->m_stopWaiting.load() || count * kBusyStepMs >= kBusyWaitMs)
        return 0;
    sqlite3_sleep(kBusyStepMs);
    return 1;
}

bool StoreConnection::open(const QString& path, const QByteArray& key, int flags)
{
    close();
    m_openError.clear();
    m_openCode = SQLITE_CANTOPEN;
    const QByteArray file = QFile::encodeName(path);
    int rc = sqlite3_open_v2(file.constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK) {
        // The raw-key form skips SQLCipher's own passphrase derivation.
        QByteArray pragma = "PRAGMA key = \"x'" + key.toHex() + "'\";";
        rc = sqlite3_exec(m_db, pragma.constData(), nullptr, nullptr, nullptr);
        volatile char* p = pragma.data();
        for (qsizetype i = 0; i < pragma.size(); ++i)
            p[i] = 0;
    }
    if (rc == SQLITE_OK) {
        sqlite3_busy_handler(m_db, &StoreConnection::busyWait, this);
        rc = sqlite3_exec(m_db, "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;",
                          nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK)
        return true;
    m_openError = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                       : QString::fromUtf8(sqlite3_errstr(rc));
    m_openCode = rc;
    m_openErrno = m_db ? sqlite3_system_errno(m_db) : 0;
    close();
    return false;
}

void StoreConnection::close()
{
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    m_failRead = m_failWrite = Fault{};
    m_injected = 0;
    m_stopWaiting.store(false);
}

bool StoreConnection::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

QString StoreConnection::errorText() const
{
    if (m_injected)
        return QString::fromUtf8(sqlite3_errstr(m_injected));
    if (!m_db)
        return m_openError.isEmpty() ? QStringLiteral("not open") : m_openError;
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

int StoreConnection::errorCode() const
{
    if (m_injected)
        return m_injected & 0xff;
    return (m_db ? sqlite3_errcode(m_db) : m_openCode) & 0xff;
}

int StoreConnection::systemErrno() const
{
    if (m_injected)
        return 0;
    return m_db ? sqlite3_system_errno(m_db) : m_openErrno;
}

StoreError StoreConnection::error(const QString& table, const QString& file) const
{
    return StoreError(QStringLiteral("%1: %2").arg(table, errorText()),
                      storeCauseOfSqlite(errorCode(), systemErrno()), file);
}

bool StoreConnection::exec(const char* sql)
{
    m_injected = 0;
    return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool StoreConnection::flushCache()
{
    m_injected = 0;
    return m_db && sqlite3_db_cacheflush(m_db) == SQLITE_OK;
}

qint64 StoreConnection::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool StoreConnection::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

void StoreConnection::failNext(StoreAccess access, int sqliteCode, int after)
{
    (access == StoreAccess::Read ? m_failRead : m_failWrite) = Fault{sqliteCode, after};
}

void StoreConnection::takeFaultsFrom(StoreConnection& other)
{
    m_failRead = std::exchange(other.m_failRead, Fault{});
    m_failWrite = std::exchange(other.m_failWrite, Fault{});
}

sqlite3_stmt* StoreConnection::prepare(const QString& sql)
{
    m_injected = 0;
    if (!m_db)
        return nullptr;
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

bool StoreConnection::takeFault(bool reads, int& rc)
{
    Fault& pending = reads ? m_failRead : m_failWrite;
    if (!pending.code)
        return false;
    if (pending.after > 0) {
        --pending.after;
        return false;
    }
    rc = m_injected = pending.code;
    pending = Fault{};
    return true;
}

int StoreConnection::step(sqlite3_stmt* stmt)
{
    m_injected = 0;
    int rc = SQLITE_MISUSE;
    // Only the first step of a statement can be failed: a failure in the middle of a result
    // looks to the caller the same, and a statement is never left half-run by the seam.
    if (stmt && !sqlite3_stmt_busy(stmt) && takeFault(sqlite3_stmt_readonly(stmt) != 0, rc))
        return rc;
    return sqlite3_step(stmt);
}

} // namespace mx
