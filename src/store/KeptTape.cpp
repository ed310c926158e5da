#include "KeptTape.h"

#include <QFile>
#include <QFileInfo>

namespace mx {

namespace {
const QString kText = QStringLiteral("Text");
} // namespace

const QString KeptTape::tableName = QStringLiteral("Tape");

FieldList KeptTape::fields()
{
    // A text field of size 0 is never cut.
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
    m_table.first();
    return m_table.asString(kText);
}

void KeptTape::save(const QString& text)
{
    openOrCreate();
    try {
        m_table.first();
        m_table.edit(); // starts the one record on an empty table
        m_table.setValue(kText, text);
        m_table.post();
    } catch (...) {
        m_table.cancel();
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
