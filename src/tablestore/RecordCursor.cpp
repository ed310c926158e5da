#include "RecordCursor.h"

#include "StoreError.h"
#include "StoreTable.h"

#include <limits>

namespace mx {

namespace {

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

} // namespace

RecordCursor::RecordCursor(StoreTable& table) : m_table(table), m_rows(table) {}

void RecordCursor::fail(const QString& what) const
{
    throw StoreError(QStringLiteral("%1: %2").arg(m_table.name(), what));
}

void RecordCursor::requireOpen() const
{
    if (!m_table.isOpen())
        fail(QStringLiteral("the table is not open"));
}

int RecordCursor::fieldIndex(const QString& field) const
{
    const FieldList& fields = m_table.fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    fail(QStringLiteral("no field %1").arg(field));
}

void RecordCursor::reset()
{
    m_state = RecordState::Browse;
    m_rowid = -1;
    m_eof = true;
    m_buffer.clear();
    m_saved.clear();
}

void RecordCursor::clearBuffer()
{
    m_buffer.assign(m_table.fields().size(), QVariant());
}

bool RecordCursor::loadRecord(bool forward, qint64 rowid)
{
    RecordRows::Record record;
    if (!m_rows.nearest(rowid, forward, record))
        return false;
    m_rowid = record.rowid;
    m_buffer = std::move(record.values);
    m_saved = m_buffer;
    return true;
}

void RecordCursor::moveToEnd(bool toFirst)
{
    requireOpen();
    m_state = RecordState::Browse;
    m_eof = toFirst ? !loadRecord(true, std::numeric_limits<qint64>::min())
                    : !loadRecord(false, std::numeric_limits<qint64>::max());
    if (m_eof) {
        m_rowid = -1;
        clearBuffer();
    }
}

void RecordCursor::next()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    if (m_rowid < 0 || !loadRecord(true, m_rowid))
        m_eof = true;
}

void RecordCursor::prior()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    if (m_rowid >= 0)
        loadRecord(false, m_rowid);
    m_eof = m_rowid < 0;
}

qint64 RecordCursor::recordCount() const
{
    requireOpen();
    return m_rows.count();
}

void RecordCursor::edit()
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

void RecordCursor::append()
{
    requireOpen();
    if (m_state != RecordState::Browse)
        post();
    m_saved = m_buffer;
    clearBuffer();
    m_state = RecordState::Insert;
}

void RecordCursor::setValue(const QString& field, const QVariant& v)
{
    requireOpen();
    if (m_state == RecordState::Browse)
        fail(QStringLiteral("the table is not in edit or insert state"));
    const int i = fieldIndex(field);
    m_buffer[std::size_t(i)] = normalised(m_table.fields()[std::size_t(i)], v);
}

QVariant RecordCursor::value(const QString& field) const
{
    requireOpen();
    const int i = fieldIndex(field);
    return std::size_t(i) < m_buffer.size() ? m_buffer[std::size_t(i)] : QVariant();
}

void RecordCursor::post()
{
    requireOpen();
    if (m_state == RecordState::Browse)
        return;
    if (m_state == RecordState::Insert)
        m_rowid = m_rows.insert(m_buffer);
    else
        m_rows.update(m_rowid, m_buffer);
    m_saved = m_buffer;
    m_state = RecordState::Browse;
    m_eof = false;
}

void RecordCursor::cancel()
{
    if (m_state == RecordState::Browse)
        return;
    m_buffer = m_saved;
    m_state = RecordState::Browse;
}

void RecordCursor::deleteRecord()
{
    requireOpen();
    if (m_state == RecordState::Insert) {
        cancel();
        return;
    }
    if (m_rowid < 0)
        fail(QStringLiteral("no current record"));
    m_rows.remove(m_rowid);
    m_state = RecordState::Browse;
    const qint64 gone = m_rowid;
    if (!loadRecord(true, gone) && !loadRecord(false, gone)) {
        m_rowid = -1;
        m_eof = true;
        clearBuffer();
    }
}

void RecordCursor::emptyTable()
{
    requireOpen();
    m_rows.removeAll();
    m_state = RecordState::Browse;
    m_rowid = -1;
    m_eof = true;
    clearBuffer();
}

} // namespace mx
