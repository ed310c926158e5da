#include "BenchData.h"
#include "CalcFixture.h"
#include "stats/StatSample.h"
#include "stats/TfmMxStat.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

constexpr int kMillion = 1000000;

// A data folder whose sample holds a million numbers, opened by the data module, with a
// headless calculator for the window's input field.
struct MillionSample
{
    MillionSample()
    {
        const QString base = bench::makeDataFolder(dir);
        bench::fillStat(base, kMillion);
        data = std::make_unique<TdmMxData>(calc.messages, defaultDataFileList(), base);
        data->DataModuleCreate();
    }
    QTemporaryDir dir;
    test::CalcFixture calc;
    std::unique_ptr<TdmMxData> data;
};

MillionSample& million()
{
    static MillionSample sample;
    return sample;
}

// Opening the window until it has been shown and drawn its grid.
void BM_StatOpenMillion(benchmark::State& state)
{
    MillionSample& s = million();
    for (auto _ : state) {
        TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core, {});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("not exposed");
        window.dgStat->viewport()->repaint();
    }
}
BENCHMARK(BM_StatOpenMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// Scrolling to the end and back, as Ctrl+End and Ctrl+Home do.
void BM_StatScrollMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core, {});
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    for (auto _ : state) {
        window.dgStat->scrollToBottom();
        window.dgStat->viewport()->repaint();
        window.dgStat->scrollToTop();
        window.dgStat->viewport()->repaint();
    }
}
BENCHMARK(BM_StatScrollMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StatCalculateMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core, {});
    for (auto _ : state)
        window.btCalcClick();
}
BENCHMARK(BM_StatCalculateMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// One typed number appended and posted to disk.
void BM_StatAppendMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core, {});
    for (auto _ : state) {
        window.edNewNumber->setText(QStringLiteral("12.5"));
        window.btAppendClick();
    }
}
BENCHMARK(BM_StatAppendMillion)->Unit(benchmark::kMillisecond)->Iterations(20);

// A column of 10,000 numbers pasted in one transaction.
void BM_StatPaste10000(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core, {});
    QString column;
    for (int i = 0; i < 10000; ++i)
        column += QString::number(i * 0.25) + QLatin1Char('\n');
    for (auto _ : state)
        window.pasteNumbers(column);
}
BENCHMARK(BM_StatPaste10000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
