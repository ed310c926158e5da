// One cold start of the calculator, split into its stages, each timed in milliseconds:
// the application object, the data module (key derivation and table opens), the first
// fixed-pitch font, the main window with its commands, and showing it until it is exposed.
//   mx_startup_split DIR   (DIR holds a data folder; bench/startup.sh runs it repeatedly)
#include "app/AppShell.h"
#include "store/TdmMxData.h"
#include "texts/MessagePort.h"
#include "texts/WindowLook.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <cstdio>

namespace {

class SilentMessages : public mx::MessagePort
{
public:
    int ShowMsgDlg(const QString& message, int, mx::MsgButtons, int) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return mx::mrOk;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const qint64 appDone = clock.nsecsElapsed();

    SilentMessages messages;
    mx::AppShell shell(messages, QString::fromLocal8Bit(argv[1]), mx::NumberSeparators{}, {});
    if (!shell.data().DataModuleCreate())
        return 1;
    const qint64 dataDone = clock.nsecsElapsed();
    const QFont font = mx::fixedPitchFont(18);
    (void)font;
    const qint64 fontDone = clock.nsecsElapsed();
    // The data module is open already; start() finds it so and builds the window.
    if (!shell.start())
        return 1;
    const qint64 windowDone = clock.nsecsElapsed();
    shell.show();
    QWidget* window = QApplication::topLevelWidgets().value(0);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            window = w;
    (void)QTest::qWaitForWindowExposed(window, 5000);
    const qint64 shownDone = clock.nsecsElapsed();

    auto ms = [](qint64 ns) { return double(ns) / 1e6; };
    std::printf("app %.1f data %.1f font %.1f window %.1f show %.1f total %.1f\n", ms(appDone),
                ms(dataDone - appDone), ms(fontDone - dataDone), ms(windowDone - fontDone),
                ms(shownDone - windowDone), ms(shownDone));
    return 0;
}
