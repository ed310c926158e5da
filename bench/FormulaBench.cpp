#include "formula/FormulaFunctions.h"
#include "script/Script.h"
#include "script/ScriptScope.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mx;

// One formula compiled and run from its text, as the Calculate button does.
void runFormula(benchmark::State& state, const QString& formula)
{
    ScriptScope global;
    Script script;
    RegisterFormulaFunctions(global, script);
    const QString program = kFormulaResultVar + QLatin1Char('=') + formula;
    for (auto _ : state) {
        script.clear();
        script.setProgram(program);
        if (!script.compile())
            state.SkipWithError("does not compile");
        script.execute();
        benchmark::DoNotOptimize(script.variable(kFormulaResultVar));
    }
    state.SetBytesProcessed(state.iterations() * formula.size());
}

void BM_ShortFormula(benchmark::State& state)
{
    runFormula(state, QStringLiteral("Sin( 1 ) + Cos( 2 ) * 3.14159 / Power( 2 , 8 ) - 12345.678"));
}
BENCHMARK(BM_ShortFormula)->Unit(benchmark::kMicrosecond);

// A formula of state.range(0) characters: sums of products and calls.
void BM_LongFormula(benchmark::State& state)
{
    QString formula = QStringLiteral("1");
    while (formula.size() < state.range(0))
        formula += QStringLiteral("+Sqrt( 2.5 )*3-(4/Power( 2 , 3 ))");
    runFormula(state, formula);
}
BENCHMARK(BM_LongFormula)->Arg(1 << 16)->Arg(1 << 18)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace
