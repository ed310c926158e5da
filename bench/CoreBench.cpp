#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "engine/CalcSettings.h"
#include "engine/Evaluator.h"
#include "engine/NumberText.h"
#include "engine/NumericField.h"
#include "engine/PictureFormat.h"

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

class SilentMessages : public MessagePort
{
public:
    int ShowMsgDlg(const QString&, int, MsgButtons, int) override { return mrOk; }
};

void BM_FormatDisplay(benchmark::State& state)
{
    const PictureFormat fmt(QStringLiteral("###,###,###,###,###,##0.##########"));
    const NumberSeparators seps;
    CalcValue v = 1234567.891234L;
    for (auto _ : state)
        benchmark::DoNotOptimize(fmt.format(v, seps));
}
BENCHMARK(BM_FormatDisplay);

void BM_FormatFloating(benchmark::State& state)
{
    const PictureFormat fmt(QStringLiteral("0.##########E+0000"));
    const NumberSeparators seps;
    for (auto _ : state)
        benchmark::DoNotOptimize(fmt.format(0.000123456789L, seps));
}
BENCHMARK(BM_FormatFloating);

void BM_ParseBack(benchmark::State& state)
{
    const QString text = QStringLiteral("1,234,567.8912340000");
    for (auto _ : state)
        benchmark::DoNotOptimize(NumberText().readField(text));
}
BENCHMARK(BM_ParseBack);

// One Evaluate on registers: read three fields, compute, write three fields.
void evaluateBench(benchmark::State& state, const QString& code, const char* right)
{
    SilentMessages messages;
    CalcSettings settings;
    Evaluator evaluator(messages, settings);
    const QString fmt = QStringLiteral("###,###,###,###,###,##0.##");
    NumericField input(QStringLiteral("in"), fmt, {});
    NumericField r(QStringLiteral("r"), fmt, {});
    NumericField l(QStringLiteral("l"), fmt, {});
    for (auto _ : state) {
        r.setText(QString::fromLatin1(right));
        l.setText(QStringLiteral("1,234.56"));
        benchmark::DoNotOptimize(evaluator.Evaluate(code, input, r, l));
    }
}

void BM_EvaluatePlus(benchmark::State& state)
{
    evaluateBench(state, QStringLiteral("+"), "789.01");
}
BENCHMARK(BM_EvaluatePlus);

void BM_EvaluateFactorial(benchmark::State& state)
{
    evaluateBench(state, QStringLiteral("n!"), "170");
}
BENCHMARK(BM_EvaluateFactorial);

void BM_ComputeOnlyArcSin(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Evaluator::compute(OpId::ArcSin, 0.5L, 0, false));
}
BENCHMARK(BM_ComputeOnlyArcSin);

} // namespace
