#include "BenchData.h"
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

using bench::fillStat;
using bench::makeDataFolder;

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
        data.taClassic.cursor().setValue(QStringLiteral("DecPos"), ++n % 11);
        PostTableIfEditing(data.taClassic);
    }
}
BENCHMARK(BM_PostClassicRecord)->Unit(benchmark::kMillisecond);

} // namespace
