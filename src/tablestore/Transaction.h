#pragma once

#include <QByteArray>
#include <QString>

namespace mx {

class StoreConnection;
class StoreError;
class StoreTable;

// A transaction on one open table that cannot be left open: it begins in the constructor
// (taking the write lock at once) and rolls back in the destructor unless commit() succeeded,
// so any exception between the two, of whatever type, undoes every write made under it.
// Guards nest: a guard opened while another is active becomes a savepoint inside it, whose
// rollback undoes only its own writes. Failures throw StoreError naming the table. Use it on
// the thread that uses the table.
class Transaction
{
public:
    explicit Transaction(StoreTable& table);
    // The same on a connection of the table's own (one on another thread): `table` and
    // `file` name them in errors.
    Transaction(StoreConnection& connection, const QString& table, const QString& file);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the writes permanent (on disk when the outermost guard commits). A failed commit
    // rolls back and throws.
    void commit();
    // Undoes the writes now; the destructor then does nothing.
    void rollback();
    bool active() const { return m_active; }

private:
    StoreError error() const;

    StoreConnection& m_connection;
    QString m_table;
    QString m_file;
    QByteArray m_savepoint; // empty for the outermost guard
    bool m_active = false;
};

} // namespace mx
