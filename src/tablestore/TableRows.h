#pragma once

#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace mx {

class StoreConnection;
class StoreTable;

// One numeric field of an open table, read by position and written in bulk: for tables too
// large to walk record by record (a sample of a million numbers). Rows are in table order;
// an empty field reads as 0. Every change is its own committed transaction, on disk when
// the call returns, unless the caller holds a Transaction on the table. Failures throw StoreError.
class TableRows
{
public:
    struct Row
    {
        qint64 rowid;
        double value;
    };

    TableRows(StoreTable& table, const QString& field);

    qint64 count() const;
    // Up to `limit` rows from the row `rowid` on (or the first one after it, if it is gone).
    std::vector<Row> rowsFrom(qint64 rowid, int limit) const;
    // Up to `limit` rows that follow the row `rowid`: the next page of a sequential read,
    // without counting the rows before it.
    std::vector<Row> rowsAfter(qint64 rowid, int limit) const;
    // The rowid of every row after the row `rowid`, in order, or of the first `limit` of
    // them; how many were visited.
    qint64 scanRowids(qint64 rowid, const std::function<void(qint64)>& visit, qint64 limit = -1) const;
    // The largest rowid; 0 for an empty table.
    qint64 maxRowid() const;
    // Every value in table order.
    void scan(const std::function<void(double)>& visit) const;

    // Appends the values at the end, all or none, in one transaction (a savepoint inside the
    // caller's Transaction, if one is active); the new rows' rowids.
    std::vector<qint64> append(std::span<const double> values);
    void update(qint64 rowid, double value);
    void remove(qint64 rowid);
    void removeAll();

private:
    std::vector<Row> select(const char* comparison, qint64 rowid, int limit) const;
    StoreConnection& connection() const;
    [[noreturn]] void fail() const;

    StoreTable& m_table;
    QString m_column;
};

} // namespace mx
