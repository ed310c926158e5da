#include "HelpWindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace mx {

HelpWindow::HelpWindow(const QString& contents, QWidget* parent)
    : QWidget(parent, Qt::Window), m_contents(contents)
{
    setObjectName(QStringLiteral("fmMxHelp"));
    setWindowTitle(QStringLiteral("Справка Mirvalex"));
    resize(640, 520);

    brHelp = new QTextBrowser(this);
    brHelp->setObjectName(QStringLiteral("brHelp"));
    brHelp->setAccessibleName(QStringLiteral("Страница справки"));
    brHelp->setOpenLinks(false);
    btBack = new QPushButton(QStringLiteral("&Назад"), this);
    btBack->setObjectName(QStringLiteral("btBack"));
    btBack->setEnabled(false);
    btContents = new QPushButton(QStringLiteral("&Содержание"), this);
    btContents->setObjectName(QStringLiteral("btContents"));
    btClose = new QPushButton(QStringLiteral("&Закрыть"), this);
    btClose->setObjectName(QStringLiteral("btClose"));
    for (QPushButton* bt : {btBack, btContents, btClose})
        bt->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btBack);
    buttons->addWidget(btContents);
    buttons->addStretch();
    buttons->addWidget(btClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(brHelp);
    layout->addLayout(buttons);

    connect(brHelp, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(brHelp, &QTextBrowser::backwardAvailable, btBack, &QPushButton::setEnabled);
    connect(btBack, &QPushButton::clicked, brHelp, &QTextBrowser::backward);
    connect(btContents, &QPushButton::clicked, this, [this] { showPage(m_contents); });
    connect(btClose, &QPushButton::clicked, this, &QWidget::close);
    connect(brHelp, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = brHelp->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Справка Mirvalex") : title);
    });
}

void HelpWindow::showPage(const QString& page)
{
    brHelp->setSource(QUrl::fromLocalFile(page));
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    brHelp->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::followLink(const QUrl& url)
{
    // The pages' own links stay here; anything else is the desktop's to open.
    if (url.isRelative() || url.isLocalFile())
        brHelp->setSource(brHelp->source().resolved(url));
    else
        QDesktopServices::openUrl(url);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Left && event->modifiers() == Qt::AltModifier) {
        brHelp->backward();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mx
