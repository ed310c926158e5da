#include "StoreTable.h"

#include "SqlStatement.h"
#include "StoreError.h"
#include "TableSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QSaveFile>
#include <QThread>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mx {

namespace {

const QString kFormat = QStringLiteral("Mirvalex table");
constexpr int kFormatVersion = 1;

QString quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

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

// Opens the database file with the raw key and the durability settings every table uses.
int openKeyed(const QString& path, const QByteArray& key, int flags, sqlite3** db)
{
    const QByteArray file = QFile::encodeName(path);
    int rc = sqlite3_open_v2(file.constData(), db, flags, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    // The raw-key form skips SQLCipher's own passphrase derivation.
    QByteArray pragma = "PRAGMA key = \"x'" + key.toHex() + "'\";";
    rc = sqlite3_exec(*db, pragma.constData(), nullptr, nullptr, nullptr);
    volatile char* p = pragma.data();
    for (qsizetype i = 0; i < pragma.size(); ++i)
        p[i] = 0;
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_busy_timeout(*db, 2000);
    return sqlite3_exec(*db,
                        "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;",
                        nullptr, nullptr, nullptr);
}

QJsonObject descriptorJson(const QString& name, const FieldList& fields, const QByteArray& check)
{
    QJsonArray jsonFields;
    for (const FieldDef& f : fields)
        jsonFields.append(QJsonObject{{QStringLiteral("name"), f.name},
                                      {QStringLiteral("type"), fieldTypeName(f.type)},
                                      {QStringLiteral("size"), f.size}});
    return QJsonObject{{QStringLiteral("format"), kFormat},
                       {QStringLiteral("version"), kFormatVersion},
                       {QStringLiteral("table"), name},
                       {QStringLiteral("fields"), jsonFields},
                       {QStringLiteral("keyCheck"), QString::fromLatin1(check)}};
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

void StoreTable::fail(const QString& what) const
{
    throw StoreError(QStringLiteral("%1: %2").arg(m_name, what));
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
        columns << quoted(f.name) + QLatin1Char(' ') + sqlType(f.type);
    sqlite3* db = nullptr;
    int rc = openKeyed(table.datPath(), key,
                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, &db);
    if (rc == SQLITE_OK) {
        const QByteArray sql =
            QStringLiteral("CREATE TABLE records (%1);").arg(columns.join(QStringLiteral(", ")))
                .toUtf8();
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    const QString error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(table.datPath());
        table.fail(error);
    }

    QSaveFile idx(table.idxPath());
    if (!idx.open(QIODevice::WriteOnly)) {
        QFile::remove(table.datPath());
        table.fail(idx.errorString());
    }
    idx.write(QJsonDocument(descriptorJson(name, fields, keyCheck(key, name))).toJson());
    if (!idx.commit()) {
        QFile::remove(table.datPath());
        table.fail(idx.errorString());
    }
}

void StoreTable::lockDescriptor()
{
    const QByteArray path = QFile::encodeName(idxPath());
    m_lockFd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (m_lockFd < 0)
        fail(QStringLiteral("cannot open %1: %2").arg(idxPath(), QString::fromLocal8Bit(std::strerror(errno))));
    const int mode = (m_exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    for (int attempt = 0;; ++attempt) {
        if (::flock(m_lockFd, mode) == 0)
            return;
        if (errno != EWOULDBLOCK || attempt >= m_session.lockRetryCount) {
            ::close(m_lockFd);
            m_lockFd = -1;
            fail(QStringLiteral("the table is locked by another user"));
        }
        QThread::msleep(m_session.lockWaitMs);
    }
}

void StoreTable::readDescriptor()
{
    QFile idx(idxPath());
    if (!idx.open(QIODevice::ReadOnly))
        fail(idx.errorString());
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(idx.read(1 << 20), &parseError);
    const QJsonObject obj = doc.object();
    if (parseError.error != QJsonParseError::NoError || obj.value(QStringLiteral("format")) != kFormat)
        fail(QStringLiteral("the descriptor is damaged or foreign"));
    if (obj.value(QStringLiteral("version")).toInt() != kFormatVersion)
        fail(QStringLiteral("unknown descriptor version"));

    m_fields.clear();
    for (const QJsonValue& v : obj.value(QStringLiteral("fields")).toArray()) {
        const QJsonObject f = v.toObject();
        FieldDef def{f.value(QStringLiteral("name")).toString(), FieldType::Integer,
                     f.value(QStringLiteral("size")).toInt()};
        if (def.name.isEmpty() || !fieldTypeFromName(f.value(QStringLiteral("type")).toString(), def.type))
            fail(QStringLiteral("the descriptor is damaged"));
        m_fields.push_back(def);
    }
    if (m_fields.empty())
        fail(QStringLiteral("the descriptor lists no fields"));

    const QByteArray key = m_session.tableKey();
    if (key.isEmpty())
        fail(QStringLiteral("no password"));
    if (obj.value(QStringLiteral("keyCheck")).toString().toLatin1() != keyCheck(key, m_name))
        fail(QStringLiteral("wrong password"));
}

void StoreTable::checkRequiredFields() const
{
    for (const FieldDef& required : m_required) {
        const auto found = std::find_if(m_fields.begin(), m_fields.end(),
                                        [&](const FieldDef& f) { return f.name == required.name; });
        if (found == m_fields.end())
            fail(QStringLiteral("the table has no field %1").arg(required.name));
        if (found->type != required.type)
            fail(QStringLiteral("the field %1 is not of type %2")
                     .arg(required.name, fieldTypeName(required.type)));
    }
}

void StoreTable::openDatabase()
{
    if (QFileInfo(datPath()).size() == 0)
        fail(QStringLiteral("the data file is empty"));
    const int access = m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int rc = openKeyed(datPath(), m_session.tableKey(), access | SQLITE_OPEN_NOMUTEX, &m_db);
    if (rc != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    // SQLite falls back to reading alone where the file or its file system is write-protected;
    // a table meant for writing would then fail at its first post instead of here.
    if (!m_readOnly && sqlite3_db_readonly(m_db, "main") == 1)
        fail(QStringLiteral("the data file is read-only"));

    // The records' columns must be the descriptor's fields, in order.
    Statement info(m_db, QStringLiteral("PRAGMA table_info(records);"));
    if (!info.ok())
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    std::size_t column = 0;
    int step;
    while ((step = info.step()) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
        if (column >= m_fields.size() || name != m_fields[column].name)
            fail(QStringLiteral("the data file does not match its descriptor"));
        ++column;
    }
    if (step != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    if (column != m_fields.size())
        fail(QStringLiteral("the data file does not match its descriptor"));
}

void StoreTable::open()
{
    if (isOpen())
        return;
    if (!QFileInfo::exists(datPath()) || !QFileInfo::exists(idxPath()))
        fail(QStringLiteral("the table's files are missing"));
    try {
        lockDescriptor();
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
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    if (m_lockFd >= 0) {
        ::flock(m_lockFd, LOCK_UN);
        ::close(m_lockFd);
        m_lockFd = -1;
    }
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
        columns << quoted(f.name);
    const bool descending = std::strchr(condition, '<') != nullptr;
    Statement stmt(m_db, QStringLiteral("SELECT rowid, %1 FROM records WHERE rowid %2 ? "
                                        "ORDER BY rowid %3 LIMIT 1;")
                             .arg(columns.join(QStringLiteral(", ")), QLatin1String(condition),
                                  descending ? QStringLiteral("DESC") : QStringLiteral("ASC")));
    if (!stmt.ok())
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
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
    Statement stmt(m_db, QStringLiteral("SELECT count(*) FROM records;"));
    if (!stmt.ok() || stmt.step() != SQLITE_ROW)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
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
        names << quoted(f.name);
        marks << (m_state == RecordState::Insert ? QStringLiteral("?")
                                                 : quoted(f.name) + QStringLiteral(" = ?"));
    }
    const QString sql =
        m_state == RecordState::Insert
            ? QStringLiteral("INSERT INTO records (%1) VALUES (%2);")
                  .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
            : QStringLiteral("UPDATE records SET %1 WHERE rowid = ?;")
                  .arg(marks.join(QStringLiteral(", ")));
    Statement stmt(m_db, sql);
    if (!stmt.ok())
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        bindValue(stmt.get(), int(i) + 1, m_fields[i], m_buffer[i]);
    if (m_state == RecordState::Edit)
        sqlite3_bind_int64(stmt.get(), int(m_fields.size()) + 1, m_rowid);
    // In autocommit with synchronous FULL the record is on disk when the step returns.
    if (stmt.step() != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    if (m_state == RecordState::Insert)
        m_rowid = sqlite3_last_insert_rowid(m_db);
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
    Statement stmt(m_db, QStringLiteral("DELETE FROM records WHERE rowid = ?;"));
    if (!stmt.ok())
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    sqlite3_bind_int64(stmt.get(), 1, m_rowid);
    if (stmt.step() != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
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
    if (sqlite3_exec(m_db, "DELETE FROM records;", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
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
    sqlite3_db_cacheflush(m_db);
}

} // namespace mx
