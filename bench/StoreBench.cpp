#include "TestDoubles.h"
#include "store/TableEditing.h"
#include "store/TdmMxData.h"
#include "tablestore/TableSession.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

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

// The data module's start: file check, one key derivation, three opens.
void startUp(benchmark::State& state, int statRecords)
{
    QTemporaryDir dir;
    const QString base = makeDataFolder(dir);
    if (statRecords > 0)
        fillStat(base, statRecords);
    test::RecordingMessages messages;
    for (auto _ : state) {
        TdmMxData data(messages, defaultDataFileList(), base);
        if (!data.DataModuleCreate())
            state.SkipWithError("data module failed");
    }
}

void BM_OpenThreeTablesEmptyStat(benchmark::State& state)
{
    startUp(state, 0);
}
BENCHMARK(BM_OpenThreeTablesEmptyStat)->Unit(benchmark::kMillisecond);

void BM_OpenThreeTablesMillionStat(benchmark::State& state)
{
    startUp(state, 1000000);
}
BENCHMARK(BM_OpenThreeTablesMillionStat)->Unit(benchmark::kMillisecond);

void BM_KeyDerivation(benchmark::State& state)
{
    for (auto _ : state) {
        TableSession session(QStringLiteral("Bench"));
        session.addPassword(TdmMxData::tablePassword());
    }
}
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond);

void BM_PostClassicRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString base = makeDataFolder(dir);
    test::RecordingMessages messages;
    TdmMxData data(messages, defaultDataFileList(), base);
    data.DataModuleCreate();
    int n = 0;
    for (auto _ : state) {
        EnsureTableEdit(data.taClassic);
        data.taClassic.setValue(QStringLiteral("DecPos"), ++n % 11);
        PostTableIfEditing(data.taClassic);
    }
}
BENCHMARK(BM_PostClassicRecord)->Unit(benchmark::kMillisecond);

} // namespace
