#include "AppShell.h"
#include "HelpViewer.h"
#include "QtTranslations.h"
#include "TerminationSignals.h"
#include "TfmMxMain.h"
#include "dialogs/WidgetMessagePort.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString());
    mx::installQtTranslations(app);

    // The help opener reaches the message port only after both exist.
    mx::HelpViewer* help = nullptr;
    mx::WidgetMessagePort messages([&help](int context) {
        if (help)
            help->showContext(context);
    });
    mx::AppShell shell(messages, QStringLiteral("."), mx::NumberSeparators::fromSystemLocale(),
                       mx::HelpViewer::defaultSearchDirs());
    help = &shell.help();

    // A termination request ends the program as File > Exit does: the windows close and the
    // state is saved. Modal dialogs close first so that the main window can. A request
    // during the start is answered as soon as an event loop runs.
    mx::TerminationSignals termination;
    bool terminated = false;
    QObject::connect(&termination, &mx::TerminationSignals::terminationRequested, &app,
                     [&shell, &terminated] {
                         terminated = true;
                         for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
                             QApplication::activeModalWidget()->close();
                         if (shell.window())
                             shell.window()->close();
                         QApplication::quit();
                     });

    if (!shell.start())
        return 1;
    if (terminated)
        return 0;
    shell.show();
    return app.exec();
}
