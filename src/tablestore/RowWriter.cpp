#include "RowWriter.h"

#include "SqlStatement.h"
#include "SqlText.h"
#include "StoreError.h"
#include "StoreTable.h"
#include "Transaction.h"

namespace mx {

RowWriter::RowWriter(StoreTable& table, const QString& field)
    : m_connection(table.openConnection()), m_table(table.name()), m_file(table.datPath()),
      m_insert(QStringLiteral("INSERT INTO records (%1) VALUES (?);").arg(quotedIdentifier(field)))
{
    // A cache large enough for a few million new rows keeps them in memory until the commit:
    // the file stays readable by the table's own connection until then.
    if (!m_connection->exec("PRAGMA cache_size = -65536;"))
        throw m_connection->error(m_table, m_file);
}

RowWriter::~RowWriter()
{
    rollback();
}

void RowWriter::begin()
{
    m_transaction = std::make_unique<Transaction>(*m_connection, m_table, m_file);
}

void RowWriter::append(std::span<const double> values)
{
    if (!m_transaction || !m_transaction->active())
        throw StoreError(QStringLiteral("%1: the transaction is not active").arg(m_table));
    Statement stmt(*m_connection, m_insert);
    if (!stmt.ok())
        throw m_connection->error(m_table, m_file);
    for (const double v : values) {
        sqlite3_bind_double(stmt.get(), 1, v);
        if (stmt.step() != SQLITE_DONE)
            throw m_connection->error(m_table, m_file);
        stmt.reset();
    }
}

void RowWriter::commit()
{
    if (!m_transaction)
        throw StoreError(QStringLiteral("%1: the transaction is not active").arg(m_table));
    m_transaction->commit(); // rolls back itself when it fails
    m_transaction.reset();
}

void RowWriter::rollback()
{
    m_transaction.reset(); // an active guard rolls back
}

void RowWriter::stop()
{
    m_connection->stopWaiting();
}

} // namespace mx
