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

#include <cerrno>

#include <sqlcipher/sqlite3.h>

#include <algorithm>

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

} // namespace

StoreTable::StoreTable(TableSession& session, const QString& directory, const QString& name)
    : m_session(session), m_directory(directory), m_name(name), m_cursor(*this)
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
                      storeCauseOfSqlite(m_connection.errorCode(), m_connection.systemErrno()),
                      datPath());
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
        const int code = errno;
        QFile::remove(table.datPath());
        table.fail(idx.errorString(), fileFaultOf(table.idxPath(), true, code), table.idxPath());
    }
    idx.write(TableDescriptor{name, fields, keyCheck(key, name)}.toBytes());
    if (!idx.commit()) {
        const int code = errno;
        QFile::remove(table.datPath());
        table.fail(idx.errorString(), fileFaultOf(table.idxPath(), true, code), table.idxPath());
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
    // SQLite's journal is made beside the file at the first change; a folder it cannot be
    // made in is refused here too, as the first write would fail.
    if (!m_readOnly && !QFileInfo(m_directory).isWritable())
        fail(QStringLiteral("the data folder is write-protected"), StoreError::Cause::ReadOnly,
             m_directory);

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
        m_cursor.reset();
        m_cursor.first();
    } catch (const StoreError&) {
        close();
        throw;
    }
}

void StoreTable::close()
{
    m_connection.close();
    m_lock.release();
    m_cursor.reset();
}

void StoreTable::requireOpen() const
{
    if (!isOpen())
        fail(QStringLiteral("the table is not open"));
}

void StoreTable::flush()
{
    requireOpen();
    if (m_cursor.state() != RecordState::Browse)
        m_cursor.post();
    if (!m_connection.flushCache())
        throw storeError();
}

} // namespace mx
