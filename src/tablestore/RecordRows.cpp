#include "RecordRows.h"

#include "SqlStatement.h"
#include "SqlText.h"
#include "StoreError.h"
#include "StoreTable.h"

namespace mx {

namespace {

void bindValue(sqlite3_stmt* stmt, int index, const FieldDef& f, const QVariant& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (f.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case FieldType::Boolean:
        sqlite3_bind_int64(stmt, index, v.toBool() ? 1 : 0);
        break;
    case FieldType::Double:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    case FieldType::String: {
        const QByteArray utf8 = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

QVariant columnValue(sqlite3_stmt* stmt, int column, const FieldDef& f)
{
    if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
        return QVariant();
    switch (f.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case FieldType::Boolean:
        return QVariant(sqlite3_column_int64(stmt, column) != 0);
    case FieldType::Double:
        return QVariant(sqlite3_column_double(stmt, column));
    case FieldType::String:
        return QVariant(QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
            sqlite3_column_bytes(stmt, column)));
    }
    return QVariant();
}

} // namespace

RecordRows::RecordRows(StoreTable& table) : m_table(table) {}

StoreConnection& RecordRows::connection() const
{
    if (!m_table.isOpen())
        throw StoreError(QStringLiteral("%1: the table is not open").arg(m_table.name()));
    return m_table.connection();
}

void RecordRows::fail() const
{
    throw m_table.storeError();
}

QString RecordRows::fieldList() const
{
    QStringList names;
    for (const FieldDef& f : m_table.fields())
        names << quotedIdentifier(f.name);
    return names.join(QStringLiteral(", "));
}

bool RecordRows::nearest(qint64 rowid, bool forward, Record& out) const
{
    Statement stmt(connection(), QStringLiteral("SELECT rowid, %1 FROM records WHERE rowid %2 ? "
                                                "ORDER BY rowid %3 LIMIT 1;")
                                     .arg(fieldList(), forward ? QStringLiteral(">") : QStringLiteral("<"),
                                          forward ? QStringLiteral("ASC") : QStringLiteral("DESC")));
    if (!stmt.ok())
        fail();
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        fail();
    const FieldList& fields = m_table.fields();
    out.rowid = sqlite3_column_int64(stmt.get(), 0);
    out.values.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        out.values[i] = columnValue(stmt.get(), int(i) + 1, fields[i]);
    return true;
}

qint64 RecordRows::insert(const std::vector<QVariant>& values)
{
    const FieldList& fields = m_table.fields();
    QStringList marks;
    for (std::size_t i = 0; i < fields.size(); ++i)
        marks << QStringLiteral("?");
    StoreConnection& c = connection();
    Statement stmt(c, QStringLiteral("INSERT INTO records (%1) VALUES (%2);")
                          .arg(fieldList(), marks.join(QStringLiteral(", "))));
    if (!stmt.ok())
        fail();
    for (std::size_t i = 0; i < fields.size(); ++i)
        bindValue(stmt.get(), int(i) + 1, fields[i], values[i]);
    // In autocommit with synchronous FULL the record is on disk when the step returns.
    if (stmt.step() != SQLITE_DONE)
        fail();
    return c.lastInsertRowid();
}

void RecordRows::update(qint64 rowid, const std::vector<QVariant>& values)
{
    const FieldList& fields = m_table.fields();
    // The row is only rewritten where a value differs from the stored one: an update that
    // changes nothing still takes the write lock (and fails where the table cannot be
    // written) but writes no page, so SQLite neither journals nor syncs the file. Each start
    // posts the settings record unchanged.
    QStringList assignments;
    QStringList same;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString name = quotedIdentifier(fields[i].name);
        const QString mark = QStringLiteral("?%1").arg(i + 1);
        assignments << name + QStringLiteral(" = ") + mark;
        same << name + QStringLiteral(" IS ") + mark;
    }
    const int rowidMark = int(fields.size()) + 1;
    Statement stmt(connection(),
                   QStringLiteral("UPDATE records SET %1 WHERE rowid = ?%2 AND NOT (%3);")
                       .arg(assignments.join(QStringLiteral(", ")))
                       .arg(rowidMark)
                       .arg(same.join(QStringLiteral(" AND "))));
    if (!stmt.ok())
        fail();
    for (std::size_t i = 0; i < fields.size(); ++i)
        bindValue(stmt.get(), int(i) + 1, fields[i], values[i]);
    sqlite3_bind_int64(stmt.get(), rowidMark, rowid);
    if (stmt.step() != SQLITE_DONE)
        fail();
}

void RecordRows::remove(qint64 rowid)
{
    Statement stmt(connection(), QStringLiteral("DELETE FROM records WHERE rowid = ?;"));
    if (!stmt.ok())
        fail();
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    if (stmt.step() != SQLITE_DONE)
        fail();
}

void RecordRows::removeAll()
{
    Statement stmt(connection(), QStringLiteral("DELETE FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_DONE)
        fail();
}

qint64 RecordRows::count() const
{
    Statement stmt(connection(), QStringLiteral("SELECT count(*) FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_ROW)
        fail();
    return sqlite3_column_int64(stmt.get(), 0);
}

} // namespace mx
