#include "TfmMxAbout.h"

#include "texts/ApplyInterfaceText.h"
#include "texts/Product.h"
#include "texts/WindowLook.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace mx {

TfmMxAbout::TfmMxAbout(std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), m_showHelp(std::move(showHelp))
{
    setObjectName(QStringLiteral("fmMxAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("About Mirvalex"));
    setFixedSize(400, 250);
    setProperty("helpContext", int(hcAbout));

    auto* icon = new QLabel(this);
    icon->setGeometry(16, 16, 48, 48);
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48)
                        : QApplication::windowIcon().pixmap(48, 48));

    auto label = [this](const char* name, int y, int h) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(80, y, 300, h);
        l->setWordWrap(true);
        return l;
    };
    lbAppName = label("lbAppName", 16, 24);
    QFont bold = lbAppName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    lbAppName->setFont(bold);
    lbAppName->setText(QStringLiteral("Mirvalex"));
    lbAppDescript = label("lbAppDescript", 46, 66);
    lbAppDescript->setText(QStringLiteral("Classic calculator"));
    lbAppBuild = label("lbAppBuild", 114, 18);
    lbAppSite = label("lbAppSite", 136, 18);
    lbAppSite->setText(QStringLiteral("Web site"));
    lbURL = label("lbURL", 156, 20);

    btOK = new QPushButton(QStringLiteral("&OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setGeometry(190, 206, 95, 30);
    btOK->setDefault(true);
    btHelp = new QPushButton(QStringLiteral("More"), this);
    btHelp->setObjectName(QStringLiteral("btHelp"));
    btHelp->setGeometry(292, 206, 95, 30);
    btHelp->setAutoDefault(false);

    ApplyInterfaceText(this);
    lbAppName->setText(productTitle());
    lbURL->setTextFormat(Qt::RichText);
    lbURL->setOpenExternalLinks(true);
    lbURL->setTextInteractionFlags(Qt::TextBrowserInteraction);
    lbURL->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(productSite().toHtmlEscaped()));

    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btHelp, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp(hcAbout);
    });
    centreOnScreen(this);
}

void TfmMxAbout::reject()
{
    // OK is also the Escape button.
    accept();
}

} // namespace mx
