#include "AppShell.h"
#include "HelpViewer.h"
#include "dialogs/WidgetMessagePort.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString());

    // The help opener reaches the message port only after both exist.
    mx::HelpViewer* help = nullptr;
    mx::WidgetMessagePort messages([&help](int context) {
        if (help)
            help->showContext(context);
    });
    mx::AppShell shell(messages, QStringLiteral("."), mx::NumberSeparators::fromSystemLocale(),
                       mx::HelpViewer::defaultSearchDirs());
    help = &shell.help();
    if (!shell.start())
        return 1;
    shell.show();
    return app.exec();
}
