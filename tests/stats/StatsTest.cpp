#include "TestDoubles.h"
#include "stats/PastedNumbers.h"
#include "stats/StatMeasureTable.h"
#include "stats/StatMeasures.h"
#include "stats/StatSample.h"
#include "store/DataFolder.h"
#include "store/TdmMxData.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace mx {
namespace {

TEST(StatMeasuresTest, ComputesTheTenMeasuresInTwoPasses)
{
    const struct {
        std::vector<double> sample;
        StatMeasures expected;
    } cases[] = {
        {{2, 4, 4, 4, 5, 5, 7, 9}, {8, 2, 9, 7, 5.5, 40, 5, 4, 2, 2.1380899352993950}}, // shown 2.1380899352994
        {{3}, {1, 3, 3, 0, 3, 3, 3, 0, 0, 0}},
        {{1, 2}, {2, 1, 2, 1, 1.5, 3, 1.5, 0.25, 0.5, 0.70710678118654752}},
        // Minimum and maximum start from the first value, not from +-1e100.
        {{2e100, 3e100}, {2, 2e100, 3e100, 1e100, 2.5e100, 5e100, 2.5e100, 0.25e200, 0.5e100, 0.70710678118654752e100}},
        {{-3e100, -2e100}, {2, -3e100, -2e100, 1e100, -2.5e100, -5e100, -2.5e100, 0.25e200, 0.5e100, 0.70710678118654752e100}},
    };
    for (const auto& c : cases) {
        const StatMeasures m = computeMeasures(c.sample);
        const StatMeasures& e = c.expected;
        EXPECT_EQ(m.n, e.n);
        const std::pair<CalcValue, CalcValue> pairs[] = {
            {m.min, e.min},     {m.max, e.max},           {m.range, e.range},
            {m.centre, e.centre}, {m.sum, e.sum},         {m.mean, e.mean},
            {m.variance, e.variance}, {m.deviation, e.deviation}, {m.estimateS, e.estimateS}};
        for (const auto& [got, want] : pairs)
            EXPECT_NEAR(double(got), double(want), std::fabs(double(want)) * 1e-15) << c.sample.size();
    }
}

// The window is built from the table and the keypad's Ave and Sum find their rows by id: every
// id has exactly one row, and no two rows share a control's name.
TEST(StatMeasureTableTest, EachMeasureHasOneRowWithNamesOfItsOwn)
{
    std::set<std::string> names;
    int counted = 0;
    for (const StatMeasure& m : statMeasureTable()) {
        EXPECT_EQ(&statMeasure(m.id), &m) << m.field;
        for (const char* name : {m.field, m.label, m.button})
            EXPECT_TRUE(names.insert(name).second) << name;
        counted += m.followsCount;
    }
    EXPECT_EQ(statMeasureTable().size(), std::size_t(StatMeasureId::Iqr) + 1);
    EXPECT_EQ(counted, 1); // N alone follows the number of records
}

TEST(PastedNumbersTest, TakesAWholeColumnOrNothing)
{
    const NumberSeparators seps;
    const PastedNumbers good =
        parsePastedNumbers(QStringLiteral("1\r\n2.5\t3;4\r  -5 \n\n(6)\n1 234\n"), seps);
    EXPECT_TRUE(good.error.isEmpty()) << qPrintable(good.error);
    EXPECT_EQ(good.values, (std::vector<double>{1, 2.5, 3, 4, -5, -6, 1234}));
    // Under a Russian locale each line is one number, whichever blank groups it.
    const NumberSeparators ru{QLatin1Char(','), QChar(0x00A0)};
    EXPECT_EQ(parsePastedNumbers(QString::fromUtf16(u"1 234,5\n1\u00a0234,5\n1\u202f234.5"), ru)
                  .values,
              (std::vector<double>{1234.5, 1234.5, 1234.5}));
    for (const char* notOne : {"4  -5", "2,5", "1 2"})
        EXPECT_FALSE(parsePastedNumbers(QLatin1String(notOne), seps).error.isEmpty()) << notOne;

    const PastedNumbers bad = parsePastedNumbers(QStringLiteral("1\n2\nthree\t4\n"), seps);
    EXPECT_TRUE(bad.values.empty());
    EXPECT_TRUE(bad.error.contains(QStringLiteral("Строка 3"))) << qPrintable(bad.error);
    EXPECT_TRUE(bad.error.contains(QStringLiteral("three")));
    // A control character in the quoted line is shown, and the message stands whole.
    const PastedNumbers nul = parsePastedNumbers(QString::fromUtf16(u"12\0 34\n5\n", 10), seps);
    EXPECT_TRUE(nul.error.startsWith(QString::fromUtf16(u"Строка 1: «12\u2400 34» — не число.")))
        << qPrintable(nul.error);
    EXPECT_TRUE(parsePastedNumbers(QStringLiteral("1E400"), seps).error.contains(QStringLiteral("диапазон")));
    EXPECT_FALSE(parsePastedNumbers(QStringLiteral(" \n "), seps).error.isEmpty());
}

// The sample over the real table of a fresh data folder.
class StatSampleTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(createDataFolder(dir.path()), QString());
        open();
    }
    void open()
    {
        sample.reset();
        data = std::make_unique<TdmMxData>(messages, defaultDataFileList(), dir.path());
        ASSERT_TRUE(data->DataModuleCreate());
        sample = std::make_unique<StatSample>(data->taStat, NumberSeparators{});
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    std::unique_ptr<TdmMxData> data;
    std::unique_ptr<StatSample> sample;
};

TEST_F(StatSampleTest, ReadsRowsByPositionAcrossPagesAndKeepsChanges)
{
    std::vector<double> values(1000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = double(i) + 0.5;
    QSignalSpy counts(sample.get(), &StatSample::countChanged);
    sample->append(values);
    EXPECT_EQ(counts.count(), 1);
    EXPECT_EQ(sample->rowCount(), 1000);

    std::mt19937 random(7);
    for (int k = 0; k < 300; ++k) {
        const qint64 row = random() % 1000;
        ASSERT_EQ(sample->valueAt(row), values[std::size_t(row)]) << row;
    }
    sample->removeAt(500);
    values.erase(values.begin() + 500);
    EXPECT_TRUE(sample->setData(sample->index(999 - 1, 0), QStringLiteral("(1,234.25)"), Qt::EditRole));
    values.back() = -1234.25;
    EXPECT_EQ(sample->data(sample->index(998, 0), Qt::DisplayRole).toString(), QStringLiteral("(1,234.25)"));

    QSignalSpy refused(sample.get(), &StatSample::refused);
    EXPECT_FALSE(sample->setData(sample->index(0, 0), QStringLiteral("two"), Qt::EditRole));
    EXPECT_FALSE(sample->setData(sample->index(0, 0), QStringLiteral("1E400"), Qt::EditRole));
    EXPECT_EQ(refused.count(), 2);

    open(); // the next run finds every change
    EXPECT_EQ(sample->count(), 999);
    EXPECT_EQ(sample->values(), values);
    sample->removeAll();
    open();
    EXPECT_EQ(sample->count(), 0);
}

// Pages reached by a jump, not by scrolling on from the page before, after every kind of
// change, against a plain vector.
TEST_F(StatSampleTest, EveryPositionReadsItsRowAfterAppendsPastesAndDeletes)
{
    std::vector<double> model;
    double next = 0;
    const auto column = [&](int n) {
        std::vector<double> values(static_cast<std::size_t>(n));
        for (double& v : values)
            v = next++;
        model.insert(model.end(), values.begin(), values.end());
        return values;
    };
    const auto remove = [&](std::size_t at) {
        sample->removeAt(qint64(at));
        model.erase(model.begin() + std::ptrdiff_t(at));
    };
    struct Step
    {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"Append", [&] { sample->append(column(1000)); }},
        {"DeleteAtTheStart", [&] { remove(0); }},
        {"DeleteInTheMiddle", [&] { remove(500); }},
        {"DeleteAtTheEnd", [&] { remove(model.size() - 1); }},
        {"Paste",
         [&] {
             // As a pasted column is written: through a writer of its own, shown on commit.
             const std::unique_ptr<RowWriter> writer = sample->writer();
             writer->begin();
             for (int slice = 0; slice < 3; ++slice)
                 writer->append(column(300));
             writer->commit();
             sample->showAppended(900);
         }},
        {"DeleteAll", [&] { sample->removeAll(); model.clear(); }},
        {"AppendToTheEmptiedSample", [&] { sample->append(column(600)); }},
    };
    for (const Step& step : steps) {
        step.act();
        ASSERT_EQ(sample->count(), qint64(model.size())) << step.name;
        for (std::size_t at = model.size(); at-- > 0;)
            ASSERT_EQ(sample->valueAt(qint64(at)), model[at]) << step.name << " " << at;
    }
}

// Opened for the window, a large sample shows at once the rows counted so far, each read
// right, and grows to the whole as the event loop comes round; a change made meanwhile counts
// the rest first. Each case opens the table as the case before left it.
TEST_F(StatSampleTest, OpenedInSlicesItShowsTheRowsCountedSoFarAndAChangeCountsTheRestFirst)
{
    int argc = 0;
    const QCoreApplication app(argc, nullptr); // for the counting's timer
    std::vector<double> model(200000);
    for (std::size_t i = 0; i < model.size(); ++i)
        model[i] = double(i) * 0.5;
    sample->append(model);
    sample.reset();
    struct Case
    {
        const char* name;
        std::function<void(StatSample&, std::vector<double>&)> change; // none: the event loop's
    };
    const Case cases[] = {
        {"CountedFromTheEventLoop", nullptr},
        {"Append", [](StatSample& s, std::vector<double>& m) { s.append(std::vector<double>{-1.0}); m.push_back(-1.0); }},
        {"Delete", [](StatSample& s, std::vector<double>& m) { s.removeAt(1); m.erase(m.begin() + 1); }},
        {"DeleteAll", [](StatSample& s, std::vector<double>& m) { s.removeAll(); m.clear(); }},
    };
    for (const Case& c : cases) {
        StatSample opened(data->taStat, NumberSeparators{}, StatSample::Opening::InSlices);
        const auto shownRight = [&] {
            const qint64 n = opened.count();
            return opened.rowCount() == n && n > 0 && n <= qint64(model.size()) &&
                   opened.valueAt(n - 1) == model[std::size_t(n - 1)];
        };
        EXPECT_TRUE(opened.opening()) << c.name;
        EXPECT_TRUE(shownRight()) << c.name;
        if (c.change) {
            c.change(opened, model);
        } else {
            for (int i = 0; i < 100000 && opened.opening(); ++i) {
                QCoreApplication::processEvents();
                ASSERT_TRUE(shownRight()) << c.name;
            }
        }
        EXPECT_FALSE(opened.opening()) << c.name;
        ASSERT_EQ(opened.count(), qint64(model.size())) << c.name;
        for (std::size_t at = 0; at < model.size(); at += model.size() / 2 + 1)
            EXPECT_EQ(opened.valueAt(qint64(at)), model[at]) << c.name << " " << at;
        if (!model.empty()) {
            EXPECT_EQ(opened.valueAt(qint64(model.size()) - 1), model.back()) << c.name;
        }
    }
}

// Every append is on disk when it returns: a run killed right after it loses nothing.
TEST_F(StatSampleTest, AnAppendSurvivesAKillRightAfterIt)
{
    sample.reset();
    data.reset();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TdmMxData d(messages, defaultDataFileList(), dir.path());
        if (!d.DataModuleCreate())
            _exit(2);
        StatSample s(d.taStat, NumberSeparators{});
        const double value = 42.5;
        s.append(std::span<const double>(&value, 1));
        kill(getpid(), SIGKILL);
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    open();
    EXPECT_EQ(sample->values(), std::vector<double>{42.5});
}

} // namespace
} // namespace mx
