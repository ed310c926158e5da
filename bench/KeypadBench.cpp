#include "BenchWindow.h"
#include "CalcFixture.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "keypad/Keypad.h"
#include "script/ScriptScope.h"
#include "store/SavedState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

constexpr int kLongTape = 100000;

// "+" then "=" on a chain, in the core: each pair writes six tape lines.
void BM_CoreKeys(benchmark::State& state)
{
    test::CalcFixture calc;
    for (int i = 0; i < state.range(0); ++i)
        calc.tapeSink.appendLine(QStringLiteral("    +                     1.00  "));
    calc.keys("1");
    for (auto _ : state) {
        calc.key(KeyId::Plus);
        calc.key(KeyId::D2);
        calc.key(KeyId::Eqv);
    }
}
BENCHMARK(BM_CoreKeys)->Arg(0)->Arg(kLongTape);

void BM_WindowKeys(benchmark::State& state)
{
    bench::BenchWindow shown(bench::BenchWindow::Show::Tape);
    TfmMxMain& window = shown.window;
    for (int i = 0; i < state.range(0); ++i)
        window.meClsHistory->appendLine(QStringLiteral("    +                     1.00  "));
    QApplication::processEvents();
    window.keypad().press(KeyId::D1);
    for (auto _ : state) {
        window.keypad().press(KeyId::Plus);
        window.keypad().press(KeyId::D2);
        window.keypad().press(KeyId::Eqv);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowKeys)->Arg(0)->Arg(kLongTape)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
