#include "BenchData.h"
#include "CalcFixture.h"
#include "engine/NumberData.h"
#include "stats/NumberColumn.h"
#include "stats/PastedNumbers.h"
#include "stats/SampleCalculation.h"
#include "stats/StatSample.h"
#include "stats/TfmMxStat.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

using namespace mx;

namespace {

constexpr int kMillion = 1000000;

// Shows the window and waits until its sample has been counted to the end.
void showOpened(TfmMxStat& window)
{
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    while (window.sample().opening())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

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

// The longest time the event loop went without coming round while a window's task ran: a
// zero timer stamps every turn of the loop. On a busy machine the wall time of a pause
// includes time the thread waited for a processor, so its processor time is kept as well.
class PauseMeter
{
public:
    PauseMeter()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { stamp(); });
        m_timer.start(0);
    }
    // From the call that starts the task until it has ended, and the window has drawn what
    // the task changed.
    void waitFor(TfmMxStat& window)
    {
        waitWhile([&window] { return window.busy(); });
    }
    void waitWhile(const std::function<bool()>& busy)
    {
        while (busy())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        stamp(); // the task's last turn
        m_inTask = false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    void start()
    {
        m_last = m_clock.elapsed();
        m_lastCpu = threadCpuMs();
        m_inTask = true;
    }
    qint64 longest() const { return m_longest; }
    double longestCpu() const { return m_longestCpu; }
    void report(benchmark::State& state) const
    {
        state.counters["longest_pause_ms"] = double(m_longest);
        state.counters["longest_pause_cpu_ms"] = m_longestCpu;
        // Up to the task's end, without the window's drawing of the result (a grid that
        // scrolls to its new end reads that page then).
        state.counters["longest_pause_task_ms"] = double(m_longestTask);
    }

private:
    void stamp()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        if (m_inTask)
            m_longestTask = std::max(m_longestTask, now - m_last);
        m_last = now;
        const double cpu = threadCpuMs();
        m_longestCpu = std::max(m_longestCpu, cpu - m_lastCpu);
        m_lastCpu = cpu;
    }
    static double threadCpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestTask = 0;
    bool m_inTask = false;
    double m_lastCpu = 0;
    double m_longestCpu = 0;
};

// Opening the window until it has been shown and drawn its grid; the longest pause of the
// event loop is counted from the start of the opening until the sample is fully open.
void BM_StatOpenMillion(benchmark::State& state)
{
    MillionSample& s = million();
    PauseMeter pauses;
    for (auto _ : state) {
        pauses.start();
        TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                         s.calc.core.messages(), {});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("not exposed");
        window.dgStat->viewport()->repaint();
        state.PauseTiming();
        pauses.waitWhile([&window] { return window.sample().opening(); });
        if (window.sample().count() != kMillion)
            state.SkipWithError("not counted");
        state.ResumeTiming();
    }
    pauses.report(state);
}
BENCHMARK(BM_StatOpenMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// Scrolling to the end and back, as Ctrl+End and Ctrl+Home do.
void BM_StatScrollMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    showOpened(window);
    for (auto _ : state) {
        window.dgStat->scrollToBottom();
        window.dgStat->viewport()->repaint();
        window.dgStat->scrollToTop();
        window.dgStat->viewport()->repaint();
    }
}
BENCHMARK(BM_StatScrollMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// The sample of a million numbers taken up by the model: what it reads before the grid
// can show its first page.
void BM_StatSampleOpenMillion(benchmark::State& state)
{
    MillionSample& s = million();
    for (auto _ : state) {
        StatSample sample(s.data->taStat, s.calc.core.seps());
        benchmark::DoNotOptimize(sample.count());
    }
}
BENCHMARK(BM_StatSampleOpenMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// The first read of the page at a position of a sample of a million numbers, with no page
// cached, as a jump of the grid (Ctrl+End, a dragged scroll bar) makes it: the same cost at
// every position.
void BM_StatPageAtMillion(benchmark::State& state)
{
    MillionSample& s = million();
    const qint64 position = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto sample = std::make_unique<StatSample>(s.data->taStat, s.calc.core.seps());
        state.ResumeTiming();
        benchmark::DoNotOptimize(sample->valueAt(position));
        state.PauseTiming();
        sample.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StatPageAtMillion)->Arg(0)->Arg(500000)->Arg(999000)->Unit(benchmark::kMicrosecond)->Iterations(20);

// Calculate with the order measures and the picture, as the window runs it: in slices.
void BM_StatCalculateMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    showOpened(window);
    PauseMeter pauses;
    for (auto _ : state) {
        pauses.start();
        window.btCalcClick();
        pauses.waitFor(window);
    }
    pauses.report(state);
}
BENCHMARK(BM_StatCalculateMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same work at once, as Calculate did before it ran in slices: the whole time is one
// pause of the event loop.
void BM_StatCalculateMillionAtOnce(benchmark::State& state)
{
    MillionSample& s = million();
    StatSample sample(s.data->taStat, s.calc.core.seps());
    for (auto _ : state) {
        SampleCalculation task(sample);
        while (task.step()) {
        }
        benchmark::DoNotOptimize(task.summary().order.median);
    }
}
BENCHMARK(BM_StatCalculateMillionAtOnce)->Unit(benchmark::kMillisecond)->Iterations(5);

// An empty sample for imports and pastes of a million numbers, emptied after each.
struct EmptySample
{
    EmptySample()
    {
        const QString base = bench::makeDataFolder(dir);
        data = std::make_unique<TdmMxData>(calc.messages, defaultDataFileList(), base);
        data->DataModuleCreate();
    }
    QTemporaryDir dir;
    test::CalcFixture calc;
    std::unique_ptr<TdmMxData> data;
};

QByteArray millionLines(bool asFile)
{
    QByteArray text = asFile ? "Number\n" : "";
    text.reserve(16 * kMillion);
    for (int i = 0; i < kMillion; ++i) {
        text += numberDataText(i * 0.25 - 1000);
        text += '\n';
    }
    return text;
}

void appendMillion(benchmark::State& state, bool fromFile)
{
    EmptySample s;
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    showOpened(window);
    const QByteArray text = millionLines(fromFile);
    const QString path = s.dir.filePath(QStringLiteral("million.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        state.SkipWithError("no file");
    file.close();
    const QString pasted = QString::fromLatin1(text);
    PauseMeter pauses;
    for (auto _ : state) {
        pauses.start();
        if (fromFile)
            window.importFile(path);
        else
            window.pasteNumbers(pasted);
        pauses.waitFor(window);
        state.PauseTiming();
        if (window.sample().count() != kMillion)
            state.SkipWithError("not appended");
        window.sample().removeAll();
        state.ResumeTiming();
    }
    pauses.report(state);
}

// Import of a file of a million numbers, in slices with its progress dialog.
void BM_StatImportMillion(benchmark::State& state)
{
    appendMillion(state, true);
}
BENCHMARK(BM_StatImportMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// A pasted column of a million numbers, likewise.
void BM_StatPasteMillion(benchmark::State& state)
{
    appendMillion(state, false);
}
BENCHMARK(BM_StatPasteMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same paste at once, as before it ran in slices (read the whole column, append it in
// one call): the whole time is one pause of the event loop.
void BM_StatPasteMillionAtOnce(benchmark::State& state)
{
    EmptySample s;
    StatSample sample(s.data->taStat, s.calc.core.seps());
    const QString pasted = QString::fromLatin1(millionLines(false));
    for (auto _ : state) {
        const PastedNumbers numbers = parsePastedNumbers(pasted, s.calc.core.seps());
        sample.append(numbers.values);
        state.PauseTiming();
        sample.removeAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StatPasteMillionAtOnce)->Unit(benchmark::kMillisecond)->Iterations(3);

// Export of the sample of a million numbers to a CSV file.
void BM_StatExportMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    showOpened(window);
    const QString path = s.dir.filePath(QStringLiteral("export.csv"));
    PauseMeter pauses;
    for (auto _ : state) {
        pauses.start();
        window.exportFile(path);
        pauses.waitFor(window);
    }
    pauses.report(state);
    if (QFile(path).size() < kMillion)
        state.SkipWithError("not written");
}
BENCHMARK(BM_StatExportMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// One typed number appended and posted to disk.
void BM_StatAppendMillion(benchmark::State& state)
{
    MillionSample& s = million();
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    window.sample().finishOpening();
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
    TfmMxStat window(s.data->taStat, s.data->share(), s.calc.core.edOp0, s.calc.core.numbers(),
                     s.calc.core.messages(), {});
    window.sample().finishOpening();
    QString column;
    for (int i = 0; i < 10000; ++i)
        column += QString::number(i * 0.25) + QLatin1Char('\n');
    for (auto _ : state)
        window.pasteNumbers(column);
}
BENCHMARK(BM_StatPaste10000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
