#include "BenchWindow.h"
#include "TestDoubles.h"
#include "app/FormulaEdit.h"
#include "app/FormulaFrame.h"
#include "app/FormulaHint.h"
#include "app/TfmMxMain.h"
#include "engine/CalcCore.h"
#include "engine/ClassicRecord.h"
#include "script/ScriptScope.h"
#include "store/SavedState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace mx;

namespace {

// On a busy machine a key's wall time includes waiting for a processor; its processor time
// is what the program itself spent.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Typing at the end of a 100,000-character formula while its value is computed for the
// hint: each key is typed, then the event loop runs until the hint has the new value (the
// pause before it, the worker's computation, the hint shown). `key_ms` is the longest a
// key press took, `longest_pause_ms` the longest the event loop went without coming round
// in all of it. With the argument 0 the hint is not told of the typing: the line alone.
void BM_TypeIntoALongFormula(benchmark::State& state)
{
    bench::BenchWindow shown(bench::BenchWindow::Show::Formula);
    TfmMxMain& window = shown.window;
    test::RecordingMessages& messages = shown.messages;
    FormulaEdit& line = *window.gbClsFormula->edClsFormula;
    QString formula = QStringLiteral("1");
    while (formula.size() < FormulaEdit::kMaxLength - 100)
        formula += QStringLiteral("+Sqrt( 2.5 )*3-(4/Power( 2 , 3 ))");
    line.setText(formula);
    line.setFocus();
    FormulaHint& hint = window.formulaHint();
    if (!QTest::qWaitFor([&] { return !hint.pending(); }, 60000))
        state.SkipWithError("no hint");
    if (state.range(0) == 0)
        QObject::disconnect(&line, &QLineEdit::textChanged, &hint, nullptr);

    qint64 longestKey = 0;
    double longestKeyCpu = 0;
    qint64 longest = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    double lastCpu = threadCpuMs();
    double longestCpu = 0;
    QTimer stamp;
    QObject::connect(&stamp, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
        longestCpu = std::max(longestCpu, threadCpuMs() - lastCpu);
        lastCpu = threadCpuMs();
    });
    stamp.start(0);
    for (auto _ : state) {
        last = clock.elapsed();
        lastCpu = threadCpuMs();
        QElapsedTimer key;
        key.start();
        const double cpu = threadCpuMs();
        QTest::keyClick(&line, line.text().endsWith(QLatin1Char('+')) ? Qt::Key_1 : Qt::Key_Plus);
        longestKeyCpu = std::max(longestKeyCpu, threadCpuMs() - cpu);
        longestKey = std::max(longestKey, key.elapsed());
        while (hint.pending())
            QApplication::processEvents(QEventLoop::AllEvents);
        QApplication::processEvents();
        longest = std::max(longest, clock.elapsed() - last);
    }
    if (!messages.messages.empty())
        state.SkipWithError("a message was shown");
    state.counters["key_ms"] = double(longestKey);
    state.counters["key_cpu_ms"] = longestKeyCpu;
    state.counters["longest_pause_ms"] = double(longest);
    state.counters["longest_pause_cpu_ms"] = longestCpu;
    state.counters["characters"] = double(line.text().size());
}
BENCHMARK(BM_TypeIntoALongFormula)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1)->Iterations(20);

} // namespace
