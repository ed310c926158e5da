#include "TfmMxMain.h"
#include "dialogs/WidgetMessagePort.h"
#include "keypad/ClassicRecord.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirvalex"));

    mx::WidgetMessagePort messages;
    mx::MemoryClassicRecord classic;
    mx::TfmMxMain window(messages, classic, mx::NumberSeparators::fromSystemLocale());
    window.setWindowTitle(QStringLiteral("Mirvalex  1.0 "));
    window.show();
    return app.exec();
}
