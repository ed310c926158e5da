#include "app/HistoryReport.h"
#include "report/Report.h"
#include "report/ReportPreview.h"
#include "report/ReportProperty.h"
#include "texts/FileDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace mx;

namespace {

// The history report filled with a tape of `lines` lines, as the print command fills it.
std::shared_ptr<Report> tapeReport(int lines)
{
    auto report = makeHistoryReport();
    QStringList tape;
    for (int i = 0; i < lines; ++i)
        tape << QStringLiteral("    +%1  ").arg(QStringLiteral("%1.00").arg(i), 26);
    auto& v = report->variables();
    v.set(QStringLiteral("AppName"), QStringLiteral("'Mirvalex  1.0 '"));
    v.set(QStringLiteral("PageHeader"), QStringLiteral("'История вычислений'"));
    v.set(QStringLiteral("PageHeaderFirstFontSize"), QStringLiteral("10"));
    v.set(QStringLiteral("PageHeaderNextFontSize"), QStringLiteral("8"));
    SetReportObjectProperty(*report, QStringLiteral("meHistory"), QStringLiteral("Memo"), tape,
                            [](const QString&) {});
    return report;
}

// What the print command does before the preview shows: prepare, and draw the first page
// at the preview's size.
void BM_ReportPrepareAndFirstPage(benchmark::State& state)
{
    auto report = tapeReport(int(state.range(0)));
    for (auto _ : state) {
        report->prepare();
        benchmark::DoNotOptimize(report->pageImage(0, 96));
    }
    state.counters["pages"] = report->pageCount();
}
BENCHMARK(BM_ReportPrepareAndFirstPage)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReportWholePdf(benchmark::State& state)
{
    auto report = tapeReport(int(state.range(0)));
    report->prepare();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tape.pdf"));
    for (auto _ : state)
        report->exportPdf(path);
    state.counters["pages"] = report->pageCount();
}
BENCHMARK(BM_ReportWholePdf)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The largest pause of the event loop while a PDF of the tape is written: a timer asks for a
// turn every 5 ms and the longest wait between two turns is the counter "pause_ms". Arg 1
// writes through the preview (a worker thread with a progress dialog), arg 0 calls the
// export on the UI thread as the preview did before.
void BM_PdfLargestEventLoopPause(benchmark::State& state)
{
    auto report = tapeReport(int(state.range(0)));
    report->prepare();
    QTemporaryDir dir;
    FileDialogs files(dir.path());
    ReportPreview preview(report, files);
    const QString path = dir.filePath(QStringLiteral("tape.pdf"));
    qint64 largest = 0;
    for (auto _ : state) {
        QElapsedTimer since;
        since.start();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            largest = std::max(largest, since.restart());
        });
        tick.start(5);
        QTimer::singleShot(0, [&] {
            if (state.range(1) != 0)
                preview.writePdf(path);
            else
                report->exportPdf(path);
            QApplication::exit();
        });
        QApplication::exec();
        largest = std::max(largest, since.elapsed());
    }
    state.counters["pages"] = report->pageCount();
    state.counters["pause_ms"] = double(largest);
}
BENCHMARK(BM_PdfLargestEventLoopPause)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
