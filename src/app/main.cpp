#include "HelpViewer.h"
#include "InterfaceText.h"
#include "MainCommands.h"
#include "TfmMxMain.h"
#include "dialogs/WidgetMessagePort.h"
#include "store/TableSavedState.h"
#include "store/TdmMxData.h"

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
    mx::HelpViewer helpViewer(messages, mx::HelpViewer::defaultSearchDirs());
    help = &helpViewer;

    // The data module comes first: without its tables no window opens and nothing is written.
    mx::TdmMxData data(messages, mx::defaultDataFileList());
    if (!data.DataModuleCreate())
        return 1;
    mx::TableSavedState saved(data);

    int rc = 0;
    {
        mx::TfmMxMain window(messages, saved, saved, mx::NumberSeparators::fromSystemLocale());
        mx::MainCommands commands(window, messages, helpViewer);
        window.setHelpViewer(&helpViewer);
        window.setWindowTitle(mx::productTitle());
        window.show();
        QApplication::setApplicationName(QStringLiteral("Mirvalex"));
        rc = app.exec();
    }
    return rc;
}
