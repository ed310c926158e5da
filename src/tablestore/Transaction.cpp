#include "Transaction.h"

#include "StoreConnection.h"
#include "StoreError.h"
#include "StoreTable.h"

namespace mx {

Transaction::Transaction(StoreTable& table)
    : Transaction(table.connection(), table.name(), table.datPath())
{
}

Transaction::Transaction(StoreConnection& connection, const QString& table, const QString& file)
    : m_connection(connection), m_table(table), m_file(file)
{
    if (!m_connection.isOpen())
        throw StoreError(QStringLiteral("%1: the table is not open").arg(m_table));
    if (m_connection.inTransaction()) {
        // Savepoint names only need to be unique among those open at once.
        m_savepoint = "mx_" + QByteArray::number(quintptr(this), 16);
        if (!m_connection.exec(("SAVEPOINT " + m_savepoint + ";").constData()))
            throw error();
    } else if (!m_connection.exec("BEGIN IMMEDIATE;")) {
        throw error();
    }
    m_active = true;
}

StoreError Transaction::error() const
{
    return m_connection.error(m_table, m_file);
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

void Transaction::commit()
{
    if (!m_active)
        throw StoreError(QStringLiteral("%1: the transaction is not active").arg(m_table));
    const QByteArray sql = m_savepoint.isEmpty() ? QByteArray("COMMIT;")
                                                 : "RELEASE " + m_savepoint + ";";
    if (!m_connection.exec(sql.constData())) {
        const StoreError failure = error();
        rollback();
        throw failure;
    }
    m_active = false;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    // A failed commit may already have ended the transaction; then there is nothing to undo.
    if (m_savepoint.isEmpty()) {
        if (m_connection.inTransaction())
            m_connection.exec("ROLLBACK;");
    } else {
        m_connection.exec(("ROLLBACK TO " + m_savepoint + "; RELEASE " + m_savepoint + ";")
                              .constData());
    }
}

} // namespace mx
