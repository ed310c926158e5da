// Creates the data folder of the calculator: DIR/Data with the tables Classic (one record of
// start settings), Share (one record of zeros) and Stat (empty). Existing files are never
// overwritten.
#include "engine/CalcSettings.h"
#include "store/TableSavedState.h"
#include "store/TableSchemas.h"
#include "store/TdmMxData.h"
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace mx;

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "mirvalex-initdata: %s\n", qPrintable(text));
    return 1;
}

void writeStartRecords(TableSession& session, const QString& dir)
{
    const CalcSettings start;
    StoreTable classic(session, dir, TableSchemas::classicName);
    classic.open();
    classic.append();
    for (const char* f : {"Operand0", "Operand1", "Operand2", "Memory"})
        classic.setValue(QString::fromLatin1(f), 0.0);
    classic.setValue(QStringLiteral("LastOp"), QString());
    writeSettingsFields(classic, start);
    classic.post();

    StoreTable share(session, dir, TableSchemas::shareName);
    share.open();
    share.append();
    for (const FieldDef& f : TableSchemas::share())
        share.setValue(f.name, 0);
    share.post();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return fail(QStringLiteral("usage: mirvalex-initdata DIR"));
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Data"));
    const std::pair<const QString*, FieldList> tables[] = {
        {&TableSchemas::classicName, TableSchemas::classic()},
        {&TableSchemas::shareName, TableSchemas::share()},
        {&TableSchemas::statName, TableSchemas::stat()}};
    for (const auto& [name, fields] : tables)
        for (const char* ext : {".Dat", ".Idx"})
            if (QFileInfo::exists(QDir(dir).filePath(*name + QLatin1String(ext))))
                return fail(QStringLiteral("%1 exists already; nothing was changed")
                                .arg(QDir(dir).filePath(*name + QLatin1String(ext))));
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("cannot create %1").arg(dir));

    TableSession session(QStringLiteral("InitSession"));
    session.addPassword(TdmMxData::tablePassword());
    try {
        for (const auto& [name, fields] : tables)
            StoreTable::create(session, dir, *name, fields);
        writeStartRecords(session, dir);
    } catch (const StoreError& e) {
        return fail(e.message());
    }
    std::printf("created %s\n", qPrintable(dir));
    return 0;
}
