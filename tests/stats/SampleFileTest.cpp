#include "TestDoubles.h"
#include "engine/NumberData.h"
#include "stats/BulkAppend.h"
#include "stats/NumberColumn.h"
#include "stats/SampleExport.h"
#include "stats/SampleImport.h"
#include "stats/StatSample.h"
#include "store/DataFolder.h"
#include "store/TdmMxData.h"
#include "tablestore/StoreConnection.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableRows.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <random>
#include <sqlcipher/sqlite3.h>

namespace mx {
namespace {

const NumberText kC(NumberSeparators{QLatin1Char('.'), QLatin1Char(',')});
const NumberText kRu(NumberSeparators{QLatin1Char(','), QChar(0x00A0)});

struct ColumnRead
{
    std::vector<double> values;
    QString error;
};

ColumnRead readFile(const QByteArray& text, const NumberText& numbers)
{
    ColumnRead out;
    NumberColumn column(text, NumberColumn::Source::File, numbers);
    while (column.read(2, out.values)) { // two lines at a time: slices meet inside files
    }
    out.error = column.error();
    return out;
}

TEST(NumberColumnTest, ReadsTextAndCsvFilesUnderEachLocale)
{
    using V = std::vector<double>;
    const struct {
        const char* name;
        QByteArray text;
        V c;      // under the C locale
        V ru;     // under ru_RU
        int cBad; // the first bad line, 0 for none
        int ruBad;
    } cases[] = {
        {"one per line", "1\n2.5\n-3e2\n", {1, 2.5, -300}, {1, 2.5, -300}, 0, 0},
        {"header skipped", "Number\n1\n2", {1, 2}, {1, 2}, 0, 0},
        {"semicolons, a decimal comma", "Число;Вес\n1,5;x\n2;y\n", {}, {1.5, 2}, 2, 0},
        {"commas, a quoted field", "Number,Weight\n1.5,3\n\"2.5\",4\n", {1.5, 2.5}, {1.5, 2.5}, 0, 0},
        {"byte order mark, CRLF, blank lines", "\xEF\xBB\xBF" "1\r\n\r\n2\r\n", {1, 2}, {1, 2}, 0, 0},
        {"a comma: CSV in C, decimal in ru", "1,5\n2,25\n", {1, 2}, {1.5, 2.25}, 0, 0},
        {"grouped as typed", "1\xC2\xA0" "234,5\n", {1234}, {1234.5}, 0, 0},
        {"a bad line", "1\n2\nabc\n4\n", {}, {}, 3, 3},
        {"a second header", "Number\nNumber\n", {}, {}, 2, 2},
        {"out of range", "1\n1e400\n", {}, {}, 2, 2},
        {"empty", "", {}, {}, 0, 0},
    };
    for (const auto& c : cases) {
        for (const auto& [numbers, want, bad] :
             {std::tuple(kC, c.c, c.cBad), std::tuple(kRu, c.ru, c.ruBad)}) {
            const ColumnRead got = readFile(c.text, numbers);
            const QString where = QStringLiteral("%1 (decimal %2)").arg(c.name, numbers.separators().decimal);
            if (bad) {
                EXPECT_TRUE(got.error.startsWith(QStringLiteral("Строка %1:").arg(bad)))
                    << qPrintable(where) << ": " << qPrintable(got.error);
            } else {
                EXPECT_TRUE(got.error.isEmpty()) << qPrintable(where) << ": " << qPrintable(got.error);
                EXPECT_EQ(got.values, want) << qPrintable(where);
            }
        }
    }
    EXPECT_TRUE(readFile("1\n1e400\n", kC).error.contains(QStringLiteral("вне допустимого диапазона")));
}

// Import and export over the real table of a fresh data folder.
class SampleFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(createDataFolder(dir.path()), QString());
        data = std::make_unique<TdmMxData>(messages, defaultDataFileList(), dir.path());
        ASSERT_TRUE(data->DataModuleCreate());
        sample = std::make_unique<StatSample>(data->taStat, NumberSeparators{});
    }

    // Runs an import to its end; its error, empty when it appended.
    QString import(const QByteArray& text, const NumberText& numbers)
    {
        BulkAppend task(*sample, NumberColumn(text, NumberColumn::Source::File, numbers),
                        QString(), QStringLiteral("no numbers"));
        while (task.step()) {
        }
        return task.error();
    }
    QString exportTo(const QString& path)
    {
        SampleExport task(*sample, path);
        while (task.step()) {
        }
        return task.error();
    }
    QByteArray fileText(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    std::unique_ptr<TdmMxData> data;
    std::unique_ptr<StatSample> sample;
};

TEST_F(SampleFileTest, ExportReadsBackEqualAndImportIsAllOrNothing)
{
    // Enough values to take several slices of reading, writing and export.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    std::vector<double> values(45000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i % 3 == 0 ? uniform(random) : i % 3 == 1 ? 1.0 / double(i) : double(i) * 1e290;
    sample->append(values);
    const QString path = dir.filePath(QStringLiteral("sample.csv"));
    ASSERT_EQ(exportTo(path), QString());
    const QByteArray text = fileText(path);
    EXPECT_TRUE(text.startsWith("Number\n" + numberDataText(values[0]) + '\n'));

    for (const NumberText& numbers : {kC, kRu}) {
        sample->removeAll();
        ASSERT_EQ(import(text, numbers), QString());
        const std::vector<double> back = sample->values();
        ASSERT_EQ(back.size(), values.size());
        EXPECT_EQ(std::memcmp(back.data(), values.data(), values.size() * sizeof(double)), 0);

        // A bad line near the end: nothing of the file is appended.
        const QString error = import(text + "12\nx12\n", numbers);
        EXPECT_TRUE(error.contains(QStringLiteral("Строка %1: «x12» — не число.").arg(values.size() + 3)))
            << qPrintable(error);
        EXPECT_EQ(sample->count(), qint64(values.size()));
        EXPECT_EQ(import("Number\n\n", numbers), QStringLiteral("no numbers"));
    }

    // An import dropped while its commit waits (a reader holds the file until every row is
    // written), or refused by the store in a later slice, leaves the table itself as it was.
    const auto storedCount = [this] { return TableRows(data->taStat, QStringLiteral("Number")).count(); };
    {
        const std::unique_ptr<StoreConnection> reader = data->taStat.openConnection();
        ASSERT_TRUE(reader->exec("BEGIN; SELECT count(*) FROM records;"));
        BulkAppend task(*sample, NumberColumn(text, NumberColumn::Source::File, kC), QString(), QString());
        while (task.step() && task.progress() < 1.0) {
        }
        EXPECT_EQ(task.progress(), 1.0);
        EXPECT_EQ(sample->count(), qint64(values.size()));
    }
    EXPECT_EQ(sample->count(), qint64(values.size()));
    EXPECT_EQ(storedCount(), qint64(values.size()));
    data->taStat.connection().failNext(StoreAccess::Write, SQLITE_FULL, 25000);
    EXPECT_FALSE(import(text, kC).isEmpty());
    EXPECT_EQ(sample->count(), qint64(values.size()));
    EXPECT_EQ(storedCount(), qint64(values.size()));
    ASSERT_EQ(import("5\n", kC), QString());
    EXPECT_EQ(storedCount(), qint64(values.size()) + 1);
}

// A file is read on a worker: its size is known once it is read, and a task dropped while it
// reads (or before the column is written) appends nothing.
TEST_F(SampleFileTest, AnImportReadsItsFileOnAWorkerAndADroppedOneAppendsNothing)
{
    QByteArray text;
    for (int i = 0; i < 200000; ++i)
        text += QByteArray::number(i) + '\n';
    const QString path = dir.filePath(QStringLiteral("large.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    {
        SampleImport dropped(*sample, path, kC);
        EXPECT_TRUE(dropped.step());
    }
    EXPECT_EQ(sample->count(), 0);

    SampleImport task(*sample, path, kC);
    EXPECT_EQ(task.size(), SampleTask::kUnknownSize);
    while (task.step()) {
    }
    EXPECT_EQ(task.error(), QString());
    EXPECT_EQ(task.size(), 200000);
    EXPECT_EQ(sample->count(), 200000);
    EXPECT_EQ(sample->valueAt(199999), 199999.0);
}

TEST_F(SampleFileTest, AFailedOrDroppedExportLeavesTheOldFile)
{
    const std::vector<double> values(50000, 2.5);
    sample->append(values);
    const QString path = dir.filePath(QStringLiteral("old.csv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\n");
    }
    {
        SampleExport task(*sample, path);
        ASSERT_TRUE(task.step());
        ASSERT_TRUE(task.step());
    }
    EXPECT_EQ(fileText(path), "old\n");
    const QString error = exportTo(dir.filePath(QStringLiteral("no/such/folder.csv")));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Выборка не сохранена в файл «folder.csv»."))) << qPrintable(error);
}

} // namespace
} // namespace mx
