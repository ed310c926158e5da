#include "TableRows.h"

#include "RecordRows.h"
#include "SqlStatement.h"
#include "SqlText.h"
#include "StoreError.h"
#include "StoreTable.h"
#include "Transaction.h"

#include <algorithm>

namespace mx {

TableRows::TableRows(StoreTable& table, const QString& field)
    : m_table(table), m_column(quotedIdentifier(field))
{
}

StoreConnection& TableRows::connection() const
{
    if (!m_table.isOpen())
        throw StoreError(QStringLiteral("%1: the table is not open").arg(m_table.name()));
    return m_table.connection();
}

void TableRows::fail() const
{
    throw m_table.storeError();
}

qint64 TableRows::count() const
{
    return m_table.cursor().recordCount();
}

std::vector<TableRows::Row> TableRows::select(const char* comparison, qint64 rowid, int limit) const
{
    Statement stmt(connection(), QStringLiteral("SELECT rowid, %1 FROM records WHERE rowid %2 ? "
                                                "ORDER BY rowid LIMIT ?;")
                                     .arg(m_column, QLatin1String(comparison)));
    if (!stmt.ok())
        fail();
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    sqlite3_bind_int64(stmt.get(), 2, limit);
    std::vector<Row> rows;
    rows.reserve(std::size_t(std::max(limit, 0)));
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(stmt.get(), 0), sqlite3_column_double(stmt.get(), 1)});
    if (rc != SQLITE_DONE)
        fail();
    return rows;
}

std::vector<TableRows::Row> TableRows::rowsFrom(qint64 rowid, int limit) const
{
    return select(">=", rowid, limit);
}

std::vector<TableRows::Row> TableRows::rowsAfter(qint64 rowid, int limit) const
{
    return select(">", rowid, limit);
}

qint64 TableRows::scanRowids(qint64 rowid, const std::function<void(qint64)>& visit, qint64 limit) const
{
    // A negative limit is none.
    Statement stmt(connection(),
                   QStringLiteral("SELECT rowid FROM records WHERE rowid > ? ORDER BY rowid LIMIT ?;"));
    if (!stmt.ok())
        fail();
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    sqlite3_bind_int64(stmt.get(), 2, limit);
    qint64 visited = 0;
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        visit(sqlite3_column_int64(stmt.get(), 0));
        ++visited;
    }
    if (rc != SQLITE_DONE)
        fail();
    return visited;
}

qint64 TableRows::maxRowid() const
{
    Statement stmt(connection(), QStringLiteral("SELECT max(rowid) FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_ROW)
        fail();
    return sqlite3_column_int64(stmt.get(), 0); // NULL, for no rows, reads as 0
}

void TableRows::scan(const std::function<void(double)>& visit) const
{
    Statement stmt(connection(), QStringLiteral("SELECT %1 FROM records ORDER BY rowid;").arg(m_column));
    if (!stmt.ok())
        fail();
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW)
        visit(sqlite3_column_double(stmt.get(), 0));
    if (rc != SQLITE_DONE)
        fail();
}

std::vector<qint64> TableRows::append(std::span<const double> values)
{
    StoreConnection& c = connection();
    if (values.empty())
        return {};
    Statement stmt(c, QStringLiteral("INSERT INTO records (%1) VALUES (?);").arg(m_column));
    if (!stmt.ok())
        fail();
    // All or none: any exception before the commit, the store's or another (no memory for
    // the rowids), rolls the rows back.
    Transaction txn(m_table);
    std::vector<qint64> rowids;
    rowids.reserve(values.size());
    for (const double v : values) {
        sqlite3_bind_double(stmt.get(), 1, v);
        if (stmt.step() != SQLITE_DONE)
            fail();
        rowids.push_back(c.lastInsertRowid());
        stmt.reset();
    }
    txn.commit();
    return rowids;
}

void TableRows::update(qint64 rowid, double value)
{
    Statement stmt(connection(), QStringLiteral("UPDATE records SET %1 = ? WHERE rowid = ?;").arg(m_column));
    if (!stmt.ok())
        fail();
    sqlite3_bind_double(stmt.get(), 1, value);
    sqlite3_bind_int64(stmt.get(), 2, rowid);
    if (stmt.step() != SQLITE_DONE)
        fail();
}

void TableRows::remove(qint64 rowid)
{
    RecordRows(m_table).remove(rowid);
}

void TableRows::removeAll()
{
    m_table.cursor().emptyTable();
}

} // namespace mx
