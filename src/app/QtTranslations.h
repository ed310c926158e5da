#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace mx {

// Qt's own texts (the standard context menu of a text field, the file, print and page
// dialogs, their buttons) in the user's language, from the system's Qt translations where
// they are installed; the program's own texts are Russian whatever the locale. Returns
// the installed translator, owned by `app`, or nullptr where there is none for `locale`.
QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace mx
