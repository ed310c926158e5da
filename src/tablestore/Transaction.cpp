#include "Transaction.h"

#include "StoreConnection.h"
#include "StoreError.h"
#include "StoreTable.h"

namespace mx {

Transaction::Transaction(StoreTable& table) : m_table(table), m_connection(table.connection())
{
    if (!m_connection.isOpen())
        throw StoreError(QStringLiteral("%1: the table is not open").arg(table.name()));
    if (m_connection.inTransaction()) {
        // Savepoint names only need to be unique among those open at once.
        m_savepoint = "mx_" + QByteArray::number(quintptr(this), 16);
        if (!m_connection.exec(("SAVEPOINT " + m_savepoint + ";").constData()))
            throw table.storeError();
    } else if (!m_connection.exec("BEGIN IMMEDIATE;")) {
        throw table.storeError();
    }
    m_active = true;
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

void Transaction::commit()
{
    if (!m_active)
        throw StoreError(QStringLiteral("%1: the transaction is not active").arg(m_table.name()));
    const QByteArray sql = m_savepoint.isEmpty() ? QByteArray("COMMIT;")
                                                 : "RELEASE " + m_savepoint + ";";
    if (!m_connection.exec(sql.constData())) {
        const StoreError error = m_table.storeError();
        rollback();
        throw error;
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
