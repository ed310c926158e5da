#include "BenchData.h"
#include "BenchWindow.h"
#include "CalcFixture.h"
#include "TestDoubles.h"
#include "app/HistoryOpening.h"
#include "app/TapeKeeper.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "keypad/Keypad.h"
#include "output/HistoryExport.h"
#include "script/ScriptScope.h"
#include "store/KeptTape.h"
#include "store/SavedState.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

constexpr int kTapeLines = 100000;
constexpr int kCalculationLines = 10000;

// A tape of 100,000 lines written by the keys: short sums, then one addition of 10,000 lines
// (operands and running totals) at its end. The index of its last line is `last`.
struct LongTape
{
    LongTape()
    {
        test::CalcFixture calc;
        while (calc.tape().size() < kTapeLines - kCalculationLines)
            calc.keys("12 + 30 =");
        const int start = int(calc.tape().size());
        calc.keys("1");
        while (calc.tape().size() - start < kCalculationLines - 4)
            calc.keys("+ 1");
        calc.keys("+ 1 =");
        lines = calc.tape();
        last = int(lines.size()) - 1;
    }

    QStringList lines;
    int last = 0;
};

const LongTape& longTape()
{
    static const LongTape tape;
    return tape;
}

// The core alone: reading the calculation back, the replay, and its lines on a tape in memory.
void BM_RecalculateAtTheEndOfALongTapeCore(benchmark::State& state)
{
    const LongTape& tape = longTape();
    test::CalcFixture calc;
    for (const QString& line : tape.lines)
        calc.tapeSink.appendLine(line);
    const MemoryTape written = calc.tapeSink;
    for (auto _ : state) {
        if (!calc.keypad.recalculation().Recalculate(tape.last))
            state.SkipWithError("refused");
        state.PauseTiming();
        calc.tapeSink = written;
        state.ResumeTiming();
    }
    state.counters["lines"] = double(tape.lines.size());
}
BENCHMARK(BM_RecalculateAtTheEndOfALongTapeCore)->Unit(benchmark::kMillisecond);

// The command in the window: the tape read from the memo, and 10,001 lines appended to it.
void BM_RecalculateAtTheEndOfALongTapeWindow(benchmark::State& state)
{
    const LongTape& tape = longTape();
    bench::BenchWindow shown(bench::BenchWindow::Show::Tape);
    TfmMxMain& window = shown.window;
    const QString text = tape.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    for (auto _ : state) {
        state.PauseTiming();
        window.meClsHistory->setTapeText(text);
        QApplication::processEvents();
        state.ResumeTiming();
        if (!window.keypad().recalculation().Recalculate(tape.last))
            state.SkipWithError("refused");
        window.meClsHistory->scrollToEnd();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecalculateAtTheEndOfALongTapeWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the UI thread spends on one write of a 100,000-line tape: its text taken from the
// memo and written to the encrypted store in one transaction.
void BM_SaveLongTape(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString base = bench::makeDataFolder(dir);
    test::RecordingMessages messages;
    TdmMxData data(messages, defaultDataFileList(), base);
    if (!data.DataModuleCreate()) {
        state.SkipWithError("data module failed");
        return;
    }
    KeptTape kept(data.ssMain, data.dataDirectory());
    TapeMemo memo(QFont(), nullptr);
    memo.setTapeText(longTape().lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    TapeKeeper keeper(kept, memo, messages);
    keeper.setKeeping(true);
    for (auto _ : state) {
        state.PauseTiming();
        memo.appendLine(QStringLiteral("    +                      1.00  "));
        state.ResumeTiming();
        keeper.saveNow();
    }
    if (!messages.messages.empty())
        state.SkipWithError("a write failed");
    state.counters["MB"] = double(memo.tapeText().toUtf8().size()) / 1e6;
}
BENCHMARK(BM_SaveLongTape)->Unit(benchmark::kMillisecond);

// Opening a saved 100,000-line tape in the window: the file read and decoded on a worker,
// its lines appended in slices. A zero timer stamps every turn of the event loop; the
// longest gap between two is the window's longest pause.
void BM_OpenLongHistory(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.txt"));
    if (!saveHistoryFile(longTape().lines, path).isEmpty()) {
        state.SkipWithError("save failed");
        return;
    }
    bench::BenchWindow shown(bench::BenchWindow::Show::Tape);
    TfmMxMain& window = shown.window;
    test::RecordingMessages& messages = shown.messages;
    HistoryOpening opening(*window.meClsHistory, messages, &window, {});
    qint64 longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.meClsHistory->clearTape();
        QApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer stamp;
        QObject::connect(&stamp, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        stamp.start(0);
        opening.open(path);
        while (opening.busy())
            QApplication::processEvents(QEventLoop::AllEvents);
        QApplication::processEvents(); // the tape drawn with its new end
        longest = std::max(longest, clock.elapsed() - last);
    }
    if (!messages.messages.empty() || window.meClsHistory->lineCount() != longTape().lines.size() + 1)
        state.SkipWithError("not opened");
    state.counters["longest_pause_ms"] = double(longest);
}
BENCHMARK(BM_OpenLongHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
