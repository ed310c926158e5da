// Windows opened and closed again and again leave the program's memory where it was.
#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "engine/CalcCore.h"
#include "report/ReportPreview.h"
#include "stats/TfmMxStat.h"
#include "texts/MessagePort.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

using namespace mx;

namespace {

// Resident memory in bytes, after the allocator has handed back what it holds free: what is
// left is what the program still uses.
qint64 residentBytes()
{
    ::malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : -1;
}

// AddressSanitizer keeps freed memory in quarantine (a quarter of a gigabyte) before it
// reuses it, so resident memory under it says nothing about what the program keeps.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryMeansWhatIsKept = false;
#else
constexpr bool kResidentMemoryMeansWhatIsKept = true;
#endif

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

TEST(Soak, AHundredOpeningsOfEveryWindowKeepTheMemoryFlat)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.useRealDialogs();
    // The options dialog is modal: cancelled once it is up.
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !qobject_cast<TfmMxMsg*>(dialog))
            dialog->reject();
    });
    closer.start();

    auto cycle = [&] {
        app.window().button(KeyId::Sta)->click();
        settle();
        if (TfmMxStat* stat = app.commands().stats().statWindow())
            stat->close();
        app.commands().File_PrintExecute();
        settle();
        if (ReportPreview* preview = app.commands().preview())
            preview->close();
        app.commands().Tools_OptionsExecute();
        app.window().core().messages().ShowMsgDlg(QStringLiteral("Сообщение"), mkInformation,
                                                  mbOKOnly, 0);
        settle();
    };
    cycle();
    const qint64 first = residentBytes();
    ASSERT_GT(first, 0);
    for (int i = 1; i < 100; ++i)
        cycle();
    const qint64 last = residentBytes();
    std::fprintf(stderr, "soak: resident %lld KiB after the first cycle, %lld KiB after the last\n",
                 first / 1024, last / 1024);
    EXPECT_EQ(app.dialogsShown(), 100);
    if (!kResidentMemoryMeansWhatIsKept)
        GTEST_SKIP() << "the cycles ran; resident memory is not measured under AddressSanitizer";
    EXPECT_LE(last - first, 5 * 1024 * 1024)
        << "first " << first / 1024 << " KiB, last " << last / 1024 << " KiB";
}
