#include "StoreTable.h"

#include "SqlStatement.h"
#include "SqlText.h"
#include "StoreError.h"
#include "TableDescriptor.h"
#include "TableSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QSaveFile>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace mx {

namespace {

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::Double:
        return QStringLiteral("REAL");
    case FieldType::String:
        return QStringLiteral("TEXT");
    }
    return QStringLiteral("BLOB");
}

QByteArray keyCheck(const QByteArray& key, const QString& table)
{
    return QMessageAuthenticationCode::hash(
               (QStringLiteral("key check ") + table.toLower()).toUtf8(), key,
               QCryptographicHash::Sha256)
        .left(16)
        .toHex();
}

// The text cut to `size` characters (code points, not UTF-16 units).
QString cutToSize(const QString& text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    const QList<uint> ucs4 = text.toUcs4();
    if (ucs4.size() <= size)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), size);
}

QVariant normalised(const FieldDef& f, const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QVariant();
    switch (f.type) {
    case FieldType::SmallInt:
        return QVariant(qint64(qint16(v.toLongLong())));
    case FieldType::Integer:
        return QVariant(qint64(qint32(v.toLongLong())));
    case FieldType::Double:
        return QVariant(v.toDouble());
    case FieldType::Boolean:
        return QVariant(v.toBool());
    case FieldType::String:
        return QVariant(cutToSize(v.toString(), f.size));
    }
    return v;
}

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

StoreTable::StoreTable(TableSession& session, const QString& directory, const QString& name)
    : m_session(session), m_directory(directory), m_name(name)
{
}

StoreTable::~StoreTable()
{
    close();
}

QString StoreTable::datPath() const
{
    return QDir(m_directory).filePath(m_name + QStringLiteral(".Dat"));
}

QString StoreTable::idxPath() const
{
    return QDir(m_directory).filePath(m_name + QStringLiteral(".Idx"));
}

std::unique_ptr<StoreConnection> StoreTable::openConnection()
{
    requireOpen();
    if (m_readOnly)
        fail(QStringLiteral("the table is open for reading alone"), StoreError::Cause::ReadOnly,
             datPath());
    auto connection = std::make_unique<StoreConnection>();
    if (!connection->open(datPath(), m_session.tableKey(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX))
        throw connection->error(m_name, datPath());
    connection->takeFaultsFrom(m_connection);
    return connection;
}

StoreError StoreTable::storeError() const
{
    return StoreError(QStringLiteral("%1: %2").arg(m_name, m_connection.errorText()),
                      storeCauseOfSqlite(m_connection.errorCode()), datPath());
}

void StoreTable::fail(const QString& what, StoreError::Cause cause, const QString& file) const
{
    throw StoreError(QStringLiteral("%1: %2").arg(m_name, what), cause, file);
}

void StoreTable::create(TableSession& session, const QString& directory, const QString& name,
                        const FieldList& fields)
{
    StoreTable table(session, directory, name);
    if (QFileInfo::exists(table.datPath()) || QFileInfo::exists(table.idxPath()))
        table.fail(QStringLiteral("the table's files exist already"));
    const QByteArray key = session.tableKey();
    if (key.isEmpty())
        table.fail(QStringLiteral("no password"));

    QStringList columns;
    for (const FieldDef& f : fields)
        columns << quotedIdentifier(f.name) + QLatin1Char(' ') + sqlType(f.type);
    StoreConnection db;
    bool ok = db.open(table.datPath(), key,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    if (ok) {
        const QByteArray sql =
            QStringLiteral("CREATE TABLE records (%1);").arg(columns.join(QStringLiteral(", ")))
                .toUtf8();
        ok = db.exec(sql.constData());
    }
    const QString error = db.errorText();
    db.close();
    if (!ok) {
        QFile::remove(table.datPath());
        table.fail(error);
    }

    QSaveFile idx(table.idxPath());
    if (!idx.open(QIODevice::WriteOnly)) {
        QFile::remove(table.datPath());
        table.fail(idx.errorString());
    }
    idx.write(TableDescriptor{name, fields, keyCheck(key, name)}.toBytes());
    if (!idx.commit()) {
        QFile::remove(table.datPath());
        table.fail(idx.errorString());
    }
}

void StoreTable::readDescriptor()
{
    TableDescriptor d = TableDescriptor::parse(m_lock.read(TableDescriptor::kMaxBytes), idxPath());
    const QByteArray key = m_session.tableKey();
    if (key.isEmpty())
        fail(QStringLiteral("no password"));
    // A descriptor made with another key belongs to other data: the pair is not this table's.
    if (d.keyCheck != keyCheck(key, m_name))
        fail(QStringLiteral("wrong password"), StoreError::Cause::Damaged, idxPath());
    m_fields = std::move(d.fields);
}

void StoreTable::checkRequiredFields() const
{
    for (const FieldDef& required : m_required) {
        const auto found = std::find_if(m_fields.begin(), m_fields.end(),
                                        [&](const FieldDef& f) { return f.name == required.name; });
        if (found == m_fields.end())
            fail(QStringLiteral("the table has no field %1").arg(required.name),
                 StoreError::Cause::Damaged, idxPath());
        if (found->type != required.type)
            fail(QStringLiteral("the field %1 is not of type %2")
                     .arg(required.name, fieldTypeName(required.type)),
                 StoreError::Cause::Damaged, idxPath());
    }
}

void StoreTable::openDatabase()
{
    // A pipe, device or folder in place of the data file would block or fail obscurely
    // inside SQLite; it is refused here (stat does not block).
    const QFileInfo dat(datPath());
    if (!dat.exists())
        fail(QStringLiteral("the data file is missing"), StoreError::Cause::Missing, datPath());
    if (!dat.isFile())
        fail(QStringLiteral("the data file is not a regular file"), StoreError::Cause::NotAFile,
             datPath());
    if (dat.size() == 0)
        fail(QStringLiteral("the data file is empty"), StoreError::Cause::Damaged, datPath());
    const int access = m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (!m_connection.open(datPath(), m_session.tableKey(), access | SQLITE_OPEN_NOMUTEX))
        throw storeError();
    // SQLite falls back to reading alone where the file or its file system is write-protected;
    // a table meant for writing would then fail at its first post instead of here.
    if (!m_readOnly && m_connection.isReadOnly())
        fail(QStringLiteral("the data file is read-only"), StoreError::Cause::ReadOnly, datPath());

    // The records' columns must be the descriptor's fields, in order.
    Statement info(m_connection, QStringLiteral("PRAGMA table_info(records);"));
    if (!info.ok())
        throw storeError();
    std::size_t column = 0;
    int step;
    while ((step = info.step()) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
        if (column >= m_fields.size() || name != m_fields[column].name)
            fail(QStringLiteral("the data file does not match its descriptor"),
                 StoreError::Cause::Damaged, datPath());
        ++column;
    }
    if (step != SQLITE_DONE)
        throw storeError();
    if (column != m_fields.size())
        fail(QStringLiteral("the data file does not match its descriptor"),
             StoreError::Cause::Damaged, datPath());
}

void StoreTable::open()
{
    if (isOpen())
        return;
    for (const QString& file : {datPath(), idxPath()})
        if (!QFileInfo(file).exists() && !QFileInfo(file).isSymLink())
            fail(QStringLiteral("the table's files are missing"), StoreError::Cause::Missing, file);
    try {
        m_lock.acquire(idxPath(), m_exclusive, m_session.lockRetryCount, m_session.lockWaitMs);
        readDescriptor();
        checkRequiredFields();
        openDatabase();
        m_state = RecordState::Browse;
        first();
    } catch (const StoreError&) {
        close();
        throw;
    }
}

void StoreTable::close()
{
    m_connection.close();
    m_lock.release();
    m_state = RecordState::Browse;
    m_rowid = -1;
    m_eof = true;
    m_buffer.clear();
    m_saved.clear();
}

void StoreTable::requireOpen() const
{
    if (!isOpen())
        fail(QStringLiteral("the table is not open"));
}

int StoreTable::fieldIndex(const QString& field) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    fail(QStringLiteral("no field %1").arg(field));
}

void StoreTable::clearBuffer()
{
    m_buffer.assign(m_fields.size(), QVariant());
}

bool StoreTable::loadRecord(const char* condition, qint64 rowid)
{
    QStringList columns;
    for (const FieldDef& f : m_fields)
        columns << quotedIdentifier(f.name);
    const bool descending = std::strchr(condition, '<') != nullptr;
    Statement stmt(m_connection, QStringLiteral("SELECT rowid, %1 FROM records WHERE rowid %2 ? "
                                        "ORDER BY rowid %3 LIMIT 1;")
                             .arg(columns.join(QStringLiteral(", ")), QLatin1String(condition),
                                  descending ? QStringLiteral("DESC") : QStringLiteral("ASC")));
    if (!stmt.ok())
        throw storeError();
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        throw storeError();
    m_rowid = sqlite3_column_int64(stmt.get(), 0);
    m_buffer.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_buffer[i] = columnValue(stmt.get(), int(i) + 1, m_fields[i]);
    m_saved = m_buffer;
    return true;
}

void StoreTable::moveToEnd(bool toFirst)
{
    requireOpen();
    m_state = RecordState::Browse;
    m_eof = toFirst ? !loadRecord(">", std::numeric_limits<qint64>::min())
                    : !loadRecord("<", std::numeric_limits<qint64>::max());
    if (m_eof) {
        m_rowid = -1;
        clearBuffer();
    }
}

void StoreTable::next()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    if (m_rowid < 0 || !loadRecord(">", m_rowid))
        m_eof = true;
}

void StoreTable::prior()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    if (m_rowid >= 0)
        loadRecord("<", m_rowid);
    m_eof = m_rowid < 0;
}

qint64 StoreTable::recordCount() const
{
    requireOpen();
    Statement stmt(m_connection, QStringLiteral("SELECT count(*) FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_ROW)
        throw storeError();
    return sqlite3_column_int64(stmt.get(), 0);
}

void StoreTable::edit()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        return;
    if (m_rowid < 0) {
        append();
        return;
    }
    m_saved = m_buffer;
    m_state = RecordState::Edit;
}

void StoreTable::append()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    m_saved = m_buffer;
    clearBuffer();
    m_state = RecordState::Insert;
}

void StoreTable::setValue(const QString& field, const QVariant& v)
{
    requireOpen();
    if (m_state == RecordState::Browse)
        fail(QStringLiteral("the table is not in edit or insert state"));
    const int i = fieldIndex(field);
    m_buffer[std::size_t(i)] = normalised(m_fields[std::size_t(i)], v);
}

QVariant StoreTable::value(const QString& field) const
{
    requireOpen();
    const int i = fieldIndex(field);
    return std::size_t(i) < m_buffer.size() ? m_buffer[std::size_t(i)] : QVariant();
}

void StoreTable::post()
{
    requireOpen();
    if (m_state == RecordState::Browse)
        return;
    QStringList names;
    QStringList marks;
    for (const FieldDef& f : m_fields) {
        names << quotedIdentifier(f.name);
        marks << (m_state == RecordState::Insert ? QStringLiteral("?")
                                                 : quotedIdentifier(f.name) + QStringLiteral(" = ?"));
    }
    const QString sql =
        m_state == RecordState::Insert
            ? QStringLiteral("INSERT INTO records (%1) VALUES (%2);")
                  .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
            : QStringLiteral("UPDATE records SET %1 WHERE rowid = ?;")
                  .arg(marks.join(QStringLiteral(", ")));
    Statement stmt(m_connection, sql);
    if (!stmt.ok())
        throw storeError();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        bindValue(stmt.get(), int(i) + 1, m_fields[i], m_buffer[i]);
    if (m_state == RecordState::Edit)
        sqlite3_bind_int64(stmt.get(), int(m_fields.size()) + 1, m_rowid);
    // In autocommit with synchronous FULL the record is on disk when the step returns.
    if (stmt.step() != SQLITE_DONE)
        throw storeError();
    if (m_state == RecordState::Insert)
        m_rowid = m_connection.lastInsertRowid();
    m_saved = m_buffer;
    m_state = RecordState::Browse;
    m_eof = false;
}

void StoreTable::cancel()
{
    if (m_state == RecordState::Browse)
        return;
    m_buffer = m_saved;
    m_state = RecordState::Browse;
}

void StoreTable::deleteRecord()
{
    requireOpen();
    if (m_state == RecordState::Insert) {
        cancel();
        return;
    }
    if (m_rowid < 0)
        fail(QStringLiteral("no current record"));
    Statement stmt(m_connection, QStringLiteral("DELETE FROM records WHERE rowid = ?;"));
    if (!stmt.ok())
        throw storeError();
    sqlite3_bind_int64(stmt.get(), 1, m_rowid);
    if (stmt.step() != SQLITE_DONE)
        throw storeError();
    m_state = RecordState::Browse;
    const qint64 gone = m_rowid;
    if (!loadRecord(">", gone) && !loadRecord("<", gone)) {
        m_rowid = -1;
        m_eof = true;
        clearBuffer();
    }
}

void StoreTable::emptyTable()
{
    requireOpen();
    Statement stmt(m_connection, QStringLiteral("DELETE FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_DONE)
        throw storeError();
    m_state = RecordState::Browse;
    m_rowid = -1;
    m_eof = true;
    clearBuffer();
}

void StoreTable::flush()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    if (!m_connection.flushCache())
        throw storeError();
}

} // namespace mx
