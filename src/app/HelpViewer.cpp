#include "HelpViewer.h"

#include "HelpWindow.h"

#include "texts/Product.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

namespace mx {

HelpViewer::HelpViewer(MessagePort& messages, QStringList searchDirs)
    : m_messages(messages), m_dirs(std::move(searchDirs))
{
}

HelpViewer::~HelpViewer()
{
    delete m_window.data();
}

QStringList HelpViewer::defaultSearchDirs()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    return {QDir(exeDir).filePath(QStringLiteral("help")),
            QDir(exeDir).filePath(QStringLiteral("../share/mirvalex/help"))};
}

QString HelpViewer::pageFor(int helpContext) const
{
    const QString name = helpContext == 0 ? QStringLiteral("index.html")
                                          : QStringLiteral("%1.html").arg(helpContext);
    for (const QString& dir : m_dirs) {
        const QFileInfo page(QDir(dir).filePath(name));
        if (page.isFile())
            return page.absoluteFilePath();
    }
    return QString();
}

void HelpViewer::showContext(int helpContext)
{
    const QString page = pageFor(helpContext);
    if (page.isEmpty()) {
        m_messages.ShowMsgDlg(QStringLiteral("Справка недоступна: не найдена страница %1.")
                                  .arg(helpContext == 0 ? QStringLiteral("содержания")
                                                        : QString::number(helpContext)),
                              mkWarning, mbOKOnly, hcNone);
        return;
    }
    if (!m_window) {
        m_window = new HelpWindow(pageFor(0).isEmpty() ? page : pageFor(0));
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->showPage(page);
}

void openProductSite()
{
    QDesktopServices::openUrl(QUrl(productSite()));
}

void openSupportMail()
{
    QUrl mail(QStringLiteral("mailto:") + supportAddress());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Mirvalex problem"));
    mail.setQuery(query);
    QDesktopServices::openUrl(mail);
}

} // namespace mx
