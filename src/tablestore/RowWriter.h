#pragma once

#include <QString>

#include <memory>
#include <span>

namespace mx {

class StoreConnection;
class StoreTable;
class Transaction;

// Appends numbers to one numeric field of an open table through a keyed connection of its
// own to the table's data file, all in one transaction: a long append made on a worker
// thread, so that neither its writes nor its commit hold the thread of the table's own
// connection. It is made on the table's thread and then used by one thread at a time;
// stop() alone may come from another. Dropped or failed before commit() has returned, it
// leaves the table as it was. Failures throw StoreError naming the table.
class RowWriter
{
public:
    // Opens the connection.
    RowWriter(StoreTable& table, const QString& field);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    // Takes the table's write lock, waiting a while for the table's own connection.
    void begin();
    void append(std::span<const double> values);
    // Makes the rows permanent, on disk when it returns.
    void commit();
    void rollback();
    // A wait for the lock of another connection ends at once, failing its statement; so do
    // later ones. Safe from any thread.
    void stop();

private:
    std::unique_ptr<StoreConnection> m_connection;
    QString m_table;
    QString m_file;
    QString m_insert;
    std::unique_ptr<Transaction> m_transaction;
};

} // namespace mx
