#include "TfmMxMsg.h"

#include "texts/ApplyInterfaceText.h"
#include "texts/LineBreaks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace mx {

namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 206;

QStyle::StandardPixmap iconForKind(int kind)
{
    switch (kind) {
    case mkWarning:
        return QStyle::SP_MessageBoxWarning;
    case mkError:
        return QStyle::SP_MessageBoxCritical;
    case mkInformation:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

} // namespace

TfmMxMsg::TfmMxMsg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmMxMsg"));
    // A fixed border and a title, but no close box and no system menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setStyleHint(QFont::SansSerif);
    designFont.setPixelSize(12);
    setFont(designFont);
    setWindowTitle(QStringLiteral("Message"));

    stDlgType = new QLabel(this);
    stDlgType->setObjectName(QStringLiteral("stDlgType"));
    stDlgType->setGeometry(4, 11, 32, 32);

    gbMessage = new QGroupBox(this);
    gbMessage->setObjectName(QStringLiteral("gbMessage"));
    gbMessage->setGeometry(46, 8, 372, 161);

    lbMessage = new QLabel(gbMessage);
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->setGeometry(6, 18, 359, 138);
    lbMessage->setWordWrap(true);
    lbMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbMessage->setTextFormat(Qt::PlainText);
    QFont bold = lbMessage->font();
    bold.setBold(true);
    lbMessage->setFont(bold);

    int designLeft = 0;
    for (QPushButton** bt : {&bt1, &bt2, &bt3}) {
        *bt = new QPushButton(this);
        (*bt)->setGeometry(MsgDlgLayout::kDesignLefts[designLeft++], MsgDlgLayout::kButtonTop,
                           MsgDlgLayout::kButtonWidth, MsgDlgLayout::kButtonHeight);
    }
    bt1->setObjectName(QStringLiteral("bt1"));
    bt2->setObjectName(QStringLiteral("bt2"));
    bt3->setObjectName(QStringLiteral("bt3"));

    btHelp = new QPushButton(QStringLiteral("&Help"), this);
    btHelp->setObjectName(QStringLiteral("btHelp"));
    btHelp->setGeometry(MsgDlgLayout::kHelpLeft, MsgDlgLayout::kButtonTop,
                        MsgDlgLayout::kButtonWidth, MsgDlgLayout::kButtonHeight);
    btHelp->setAutoDefault(false);
    connect(btHelp, &QPushButton::clicked, this, &TfmMxMsg::btHelpClick);
    ApplyInterfaceText(this);
}

void TfmMxMsg::setup(const QString& message, int kind, MsgButtons buttons, int helpContext)
{
    for (QPushButton* bt : {bt1, bt2, bt3})
        bt->hide();

    m_layout = MsgDlgLayout::compute(buttons, helpContext);
    if (helpContext != 0)
        m_helpContext = helpContext;
    setProperty("helpContext", m_helpContext);
    btHelp->setVisible(m_layout.helpVisible);

    lbMessage->setText(withLineBreaks(message));

    if (kind >= mkWarning && kind <= mkConfirmation) {
        stDlgType->setPixmap(style()->standardIcon(iconForKind(kind)).pixmap(32, 32));
        setWindowTitle(msgKindCaption(kind));
    }

    QPushButton* shown[3] = {bt1, bt2, bt3};
    for (std::size_t i = 0; i < m_layout.buttons.size(); ++i) {
        const MsgDlgLayout::Button& b = m_layout.buttons[i];
        QPushButton* bt = shown[i];
        bt->setText(b.label);
        bt->move(b.left, MsgDlgLayout::kButtonTop);
        bt->disconnect();
        const int result = b.result;
        connect(bt, &QPushButton::clicked, this, [this, result] { done(result); });
        bt->setAutoDefault(i == 0);
        bt->setDefault(i == 0);
        bt->show();
    }
    if (!m_layout.buttons.empty())
        bt1->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.center() - rect().center());
    }
}

void TfmMxMsg::reject()
{
    const int result = m_layout.escapeResult();
    if (result != mrNone)
        done(result);
}

void TfmMxMsg::closeEvent(QCloseEvent* event)
{
    // Only a cancel button may close the dialog other than by a click on it.
    const int result = m_layout.escapeResult();
    if (result != mrNone) {
        setResult(result);
        event->accept();
        QDialog::done(result);
    } else {
        event->ignore();
    }
}

void TfmMxMsg::btHelpClick()
{
    if (m_onHelp)
        m_onHelp(m_helpContext);
}

} // namespace mx
