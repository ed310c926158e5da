#include "KeptTape.h"

#include "tablestore/StoreError.h"

#include <QFile>
#include <QFileInfo>

namespace mx {

namespace {

// The text is kept compressed: a tape's blanks and repeated signs shrink it about tenfold, so
// that a long tape is written in a fraction of the time its plain text would take.
const QString kText = QStringLiteral("Packed");

QString packed(const QString& text)
{
    if (text.isEmpty())
        return QString();
    return QString::fromLatin1(qCompress(text.toUtf8(), 1).toBase64());
}

} // namespace

const QString KeptTape::tableName = QStringLiteral("Tape");

FieldList KeptTape::fields()
{
    // A text field of size 0 is never cut; it holds the text compressed, in base 64.
    return {{kText, FieldType::String, 0}};
}

KeptTape::KeptTape(TableSession& session, const QString& directory)
    : m_session(session), m_directory(directory), m_table(session, directory, tableName)
{
    m_table.setExclusive(true);
    m_table.setRequiredFields(fields());
}

bool KeptTape::exists() const
{
    return QFileInfo::exists(m_table.datPath()) || QFileInfo::exists(m_table.idxPath());
}

void KeptTape::openOrCreate()
{
    if (m_table.isOpen())
        return;
    if (!exists())
        StoreTable::create(m_session, m_directory, tableName, fields());
    m_table.open();
}

QString KeptTape::load()
{
    m_table.open();
    m_table.cursor().first();
    const QByteArray stored = m_table.cursor().asString(kText).toLatin1();
    if (stored.isEmpty())
        return QString();
    const QByteArray text = qUncompress(QByteArray::fromBase64(stored));
    if (text.isEmpty())
        throw StoreError(tableName + QStringLiteral(": the kept text is damaged"),
                         StoreError::Cause::Damaged, m_table.datPath());
    return QString::fromUtf8(text);
}

void KeptTape::save(const QString& text)
{
    openOrCreate();
    RecordCursor& record = m_table.cursor();
    try {
        record.first();
        record.edit(); // starts the one record on an empty table
        record.setValue(kText, packed(text));
        record.post();
    } catch (...) {
        record.cancel();
        throw;
    }
}

bool KeptTape::remove()
{
    m_table.close();
    bool removed = true;
    for (const QString& path : {m_table.datPath(), m_table.idxPath()})
        if (QFileInfo::exists(path) && !QFile::remove(path))
            removed = false;
    return removed;
}

} // namespace mx
