#include "TfmMxMain.h"
#include "dialogs/WidgetMessagePort.h"
#include "store/TableSavedState.h"
#include "store/TdmMxData.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirvalex"));

    mx::WidgetMessagePort messages;
    // The data module comes first: without its tables no window opens and nothing is written.
    mx::TdmMxData data(messages, mx::defaultDataFileList());
    if (!data.DataModuleCreate())
        return 1;
    mx::TableSavedState saved(data);

    int rc = 0;
    {
        mx::TfmMxMain window(messages, saved, saved, mx::NumberSeparators::fromSystemLocale());
        window.setWindowTitle(QStringLiteral("Mirvalex  1.0 "));
        window.show();
        rc = app.exec();
    }
    return rc;
}
