#include "BenchData.h"

#include "store/TdmMxData.h"
#include "tablestore/TableSession.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

namespace mx::bench {

// A fresh data folder made by the program's own tool.
QString makeDataFolder(QTemporaryDir& dir)
{
    QProcess init;
    init.start(QStringLiteral(MX_INITDATA_PATH), {dir.path()});
    init.waitForFinished(30000);
    return dir.path();
}

// Fills Stat with `count` numbers in one transaction, straight through SQLCipher.
void fillStat(const QString& base, int count)
{
    TableSession session(QStringLiteral("Fill"));
    session.addPassword(TdmMxData::tablePassword());
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base + "/Data/Stat.Dat").constData(), &db,
                    SQLITE_OPEN_READWRITE, nullptr);
    const QByteArray pragma = "PRAGMA key = \"x'" + session.tableKey().toHex() + "'\";";
    sqlite3_exec(db, pragma.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN;", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO records VALUES (?, ?);", -1, &stmt, nullptr);
    for (int i = 0; i < count; ++i) {
        sqlite3_bind_int(stmt, 1, i);
        sqlite3_bind_double(stmt, 2, i * 0.5);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace mx::bench
