#include "DataFolder.h"

#include "TableSavedState.h"
#include "TableSchemas.h"
#include "TdmMxData.h"
#include "engine/CalcSettings.h"
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableSession.h"

#include <QDir>
#include <QFileInfo>

namespace mx {

namespace {

void writeStartRecords(TableSession& session, const QString& dir)
{
    const CalcSettings start;
    StoreTable classic(session, dir, TableSchemas::classicName);
    classic.open();
    RecordCursor& settings = classic.cursor();
    settings.append();
    for (const char* f : {"Operand0", "Operand1", "Operand2", "Memory"})
        settings.setValue(QString::fromLatin1(f), 0.0);
    settings.setValue(QStringLiteral("LastOp"), QString());
    writeSettingsFields(classic, start);
    settings.post();

    StoreTable share(session, dir, TableSchemas::shareName);
    share.open();
    RecordCursor& positions = share.cursor();
    positions.append();
    for (const FieldDef& f : TableSchemas::share())
        positions.setValue(f.name, 0);
    positions.setValue(QStringLiteral("StatWinPicture"), true); // the sample's picture is shown
    positions.post();
}

FieldList newShareFields()
{
    FieldList fields = TableSchemas::share();
    const FieldList added = TableSchemas::shareAdded();
    fields.insert(fields.end(), added.begin(), added.end());
    return fields;
}

} // namespace

QString createDataFolder(const QString& baseDir)
{
    const QString dir = QDir(baseDir).filePath(QStringLiteral("Data"));
    const std::pair<const QString*, FieldList> tables[] = {
        {&TableSchemas::classicName, TableSchemas::classic()},
        {&TableSchemas::shareName, newShareFields()},
        {&TableSchemas::statName, TableSchemas::stat()}};
    for (const auto& [name, fields] : tables)
        for (const char* ext : {".Dat", ".Idx"})
            if (QFileInfo::exists(QDir(dir).filePath(*name + QLatin1String(ext))))
                return QStringLiteral("%1 exists already; nothing was changed")
                    .arg(QDir(dir).filePath(*name + QLatin1String(ext)));
    if (!QDir().mkpath(dir))
        return QStringLiteral("cannot create %1").arg(dir);

    TableSession session(QStringLiteral("InitSession"));
    session.addPassword(TdmMxData::tablePassword());
    try {
        for (const auto& [name, fields] : tables)
            StoreTable::create(session, dir, *name, fields);
        writeStartRecords(session, dir);
    } catch (const StoreError& e) {
        return e.message();
    }
    return QString();
}

} // namespace mx
