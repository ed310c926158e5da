#include "TfmMxOptions.h"

#include "texts/ApplyInterfaceText.h"
#include "texts/HelpContext.h"
#include "texts/InterfaceText.h"
#include "texts/WindowLook.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace mx {

namespace {

const QString kWindowName = QStringLiteral("fmMxOptions");

constexpr int kWidth = 440;
constexpr int kRowHeight = 22;

} // namespace

QCheckBox* TfmMxOptions::rowCheckBox(QWidget* parent, const char* panel, const char* box, int y,
                                     QWidget*& panelOut)
{
    // The borderless panel spans the row, so the mouse anywhere on it counts as over the box.
    panelOut = new QWidget(parent);
    panelOut->setObjectName(QString::fromLatin1(panel));
    panelOut->setGeometry(4, y, parent->width() - 8, kRowHeight);
    auto* cb = new QCheckBox(panelOut);
    cb->setObjectName(QString::fromLatin1(box));
    cb->setGeometry(4, 1, panelOut->width() - 8, kRowHeight - 2);
    return cb;
}

TfmMxOptions::TfmMxOptions(const CalcSettings& settings, ApplyHandler apply,
                           std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_apply(std::move(apply)),
      m_showHelp(std::move(showHelp))
{
    setObjectName(kWindowName);
    setProperty("helpContext", int(hcOptions));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(kWidth, 470);

    gbClsNumber = new QGroupBox(QStringLiteral("Number"), this);
    gbClsNumber->setObjectName(QStringLiteral("gbClsNumber"));
    gbClsNumber->setGeometry(8, 6, 210, 110);
    tbClsDecPos = new QSlider(Qt::Horizontal, gbClsNumber);
    tbClsDecPos->setObjectName(QStringLiteral("tbClsDecPos"));
    tbClsDecPos->setRange(0, 11);
    tbClsDecPos->setPageStep(1);
    tbClsDecPos->setTickPosition(QSlider::TicksBelow);
    tbClsDecPos->setGeometry(10, 22, 160, 26);
    tbClsDecPos->setAccessibleName(QStringLiteral("Десятичные позиции"));
    lbFloat = new QLabel(QStringLiteral("Float"), gbClsNumber);
    lbFloat->setObjectName(QStringLiteral("lbFloat"));
    addDecPosTickLabels(tbClsDecPos, lbFloat, 48);
    cbClsDigitGrouping =
        rowCheckBox(gbClsNumber, "pnUnderDigGr", "cbClsDigitGrouping", 72, pnUnderDigGr);
    cbClsDigitGrouping->setText(QStringLiteral("Grouping"));

    gbClsAngle = new QGroupBox(QStringLiteral("Angle"), this);
    gbClsAngle->setObjectName(QStringLiteral("gbClsAngle"));
    gbClsAngle->setGeometry(226, 6, 206, 110);
    rbClsRadian = new QRadioButton(QStringLiteral("Radian"), gbClsAngle);
    rbClsRadian->setObjectName(QStringLiteral("rbClsRadian"));
    rbClsRadian->setGeometry(10, 28, 180, 22);
    rbClsDegree = new QRadioButton(QStringLiteral("Degree"), gbClsAngle);
    rbClsDegree->setObjectName(QStringLiteral("rbClsDegree"));
    rbClsDegree->setGeometry(10, 58, 180, 22);

    gbClsDelimStr = new QGroupBox(QStringLiteral("Delimiter"), this);
    gbClsDelimStr->setObjectName(QStringLiteral("gbClsDelimStr"));
    gbClsDelimStr->setGeometry(8, 122, kWidth - 16, 56);
    edClsDelimStr = new QLineEdit(gbClsDelimStr);
    edClsDelimStr->setObjectName(QStringLiteral("edClsDelimStr"));
    edClsDelimStr->setGeometry(10, 22, kWidth - 36, 24);

    gbClsHistory = new QGroupBox(QStringLiteral("History"), this);
    gbClsHistory->setObjectName(QStringLiteral("gbClsHistory"));
    gbClsHistory->setGeometry(8, 184, 210, 100);
    cbClsHistory = rowCheckBox(gbClsHistory, "pnUnderHistory", "cbClsHistory", 22, pnUnderHistory);
    cbClsHistory->setText(QStringLiteral("Show history"));
    cbClsTotals = rowCheckBox(gbClsHistory, "pnUndeerTotals", "cbClsTotals", 46, pnUndeerTotals);
    cbClsTotals->setText(QStringLiteral("Totals"));
    cbClsKeepHistory = rowCheckBox(gbClsHistory, "pnUnderKeepHistory", "cbClsKeepHistory", 70,
                                   pnUnderKeepHistory);
    cbClsKeepHistory->setText(QStringLiteral("Keep history"));

    gbClsFormula = new QGroupBox(QStringLiteral("Formula"), this);
    gbClsFormula->setObjectName(QStringLiteral("gbClsFormula"));
    gbClsFormula->setGeometry(226, 184, 206, 100);
    cbClsFormula = rowCheckBox(gbClsFormula, "pnUnderFormula", "cbClsFormula", 22, pnUnderFormula);
    cbClsFormula->setText(QStringLiteral("Show formula"));
    cbClsFrmlHistory = rowCheckBox(gbClsFormula, "pnUnderFrmlHistory", "cbClsFrmlHistory", 46,
                                   pnUnderFrmlHistory);
    cbClsFrmlHistory->setText(QStringLiteral("Formula to history"));
    cbClsFrmlResHistory = rowCheckBox(gbClsFormula, "pnUnderFrmlResHistory",
                                      "cbClsFrmlResHistory", 70, pnUnderFrmlResHistory);
    cbClsFrmlResHistory->setText(QStringLiteral("Result to history"));

    gbClsHelp = new QGroupBox(QStringLiteral("Help"), this);
    gbClsHelp->setObjectName(QStringLiteral("gbClsHelp"));
    gbClsHelp->setGeometry(8, 290, kWidth - 16, 130);
    lbClsHelp = new QLabel(gbClsHelp);
    lbClsHelp->setObjectName(QStringLiteral("lbClsHelp"));
    lbClsHelp->setGeometry(10, 22, kWidth - 36, 100);
    lbClsHelp->setWordWrap(true);
    lbClsHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const int buttonsTop = 432;
    btOK = new QPushButton(QStringLiteral("&OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btApply = new QPushButton(QStringLiteral("Apply"), this);
    btApply->setObjectName(QStringLiteral("btApply"));
    btHelp = new QPushButton(QStringLiteral("Help"), this);
    btHelp->setObjectName(QStringLiteral("btHelp"));
    int left = 8;
    for (QPushButton* bt : {btOK, btCancel, btApply, btHelp}) {
        bt->setGeometry(left, buttonsTop, 100, 30);
        bt->setAutoDefault(false);
        left += 108;
    }

    ApplyInterfaceText(this);
    fitDecPosTickLabels(tbClsDecPos, lbFloat, gbClsNumber->width() - 8);

    // What marks the dialog modified: every control, the delimiter, tape and totals boxes
    // included, so that Apply is never disabled while something is left to apply.
    auto mark = [this] { OptionsModified(true); };
    connect(tbClsDecPos, &QSlider::valueChanged, this, mark);
    connect(edClsDelimStr, &QLineEdit::textEdited, this, mark);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             cbClsDigitGrouping, rbClsRadian, rbClsDegree, cbClsFormula, cbClsFrmlHistory,
             cbClsFrmlResHistory, cbClsHistory, cbClsTotals, cbClsKeepHistory})
        connect(b, &QAbstractButton::clicked, this, mark);
    connect(btApply, &QPushButton::clicked, this, &TfmMxOptions::btApplyClick);
    connect(btOK, &QPushButton::clicked, this, &TfmMxOptions::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(btHelp, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp(hcOptions);
    });

    // The help panel: each control's text, shown while the mouse is over the control's area
    // (the whole row of a check box, the group of the radio buttons) or while the control has
    // the focus. The track bar has no mouse area.
    const std::pair<QWidget*, QWidget*> helpAreas[] = {
        {gbClsDelimStr, edClsDelimStr},
        {gbClsAngle, rbClsRadian},
        {gbClsAngle, rbClsDegree},
        {nullptr, tbClsDecPos},
        {pnUnderDigGr, cbClsDigitGrouping},
        {pnUnderFormula, cbClsFormula},
        {pnUnderFrmlHistory, cbClsFrmlHistory},
        {pnUnderFrmlResHistory, cbClsFrmlResHistory},
        {pnUnderHistory, cbClsHistory},
        {pnUndeerTotals, cbClsTotals},
        {pnUnderKeepHistory, cbClsKeepHistory},
    };
    for (const auto& [area, control] : helpAreas) {
        const QString text = interfaceText(
            kWindowName, (area ? area : control)->objectName(), InterfaceTextEntry::Help);
        m_focusHelp[control] = text;
        control->installEventFilter(this);
        if (area) {
            m_mouseHelp[area] = text;
            area->installEventFilter(this);
        }
    }

    OptionsModified(false);
    loadControls();
    lbClsHelp->setText(idleHelp());
    centreOnScreen(this);
}

QString TfmMxOptions::idleHelp()
{
    return interfaceText(kWindowName, QStringLiteral("lbClsHelp"), InterfaceTextEntry::Caption);
}

void TfmMxOptions::loadControls()
{
    const QSignalBlocker block(tbClsDecPos);
    tbClsDecPos->setValue(m_settings.DecPos);
    edClsDelimStr->setText(m_settings.DelStr);
    cbClsDigitGrouping->setChecked(m_settings.DigitGrouping);
    cbClsFormula->setChecked(m_settings.Formula);
    cbClsFrmlHistory->setChecked(m_settings.FrmlHistory);
    cbClsFrmlResHistory->setChecked(m_settings.FrmlResHistory);
    cbClsHistory->setChecked(m_settings.History);
    rbClsRadian->setChecked(m_settings.Radian);
    rbClsDegree->setChecked(!m_settings.Radian);
    cbClsTotals->setChecked(m_settings.Totals);
    cbClsKeepHistory->setChecked(m_settings.KeepHistory);
}

void TfmMxOptions::OptionsModified(bool modified)
{
    m_modified = modified;
    btCancel->setEnabled(modified);
    btApply->setEnabled(modified);
}

void TfmMxOptions::btApplyClick()
{
    m_settings.DecPos = tbClsDecPos->value();
    m_settings.DelStr = edClsDelimStr->text();
    m_settings.DigitGrouping = cbClsDigitGrouping->isChecked();
    m_settings.Formula = cbClsFormula->isChecked();
    m_settings.FrmlHistory = cbClsFrmlHistory->isChecked();
    m_settings.FrmlResHistory = cbClsFrmlResHistory->isChecked();
    m_settings.History = cbClsHistory->isChecked();
    m_settings.Radian = rbClsRadian->isChecked();
    m_settings.Totals = cbClsTotals->isChecked();
    m_settings.KeepHistory = cbClsKeepHistory->isChecked();
    OptionsModified(false);
    if (m_apply)
        m_apply(m_settings);
}

void TfmMxOptions::btOKClick()
{
    btApplyClick();
    done(QDialog::Accepted);
}

void TfmMxOptions::keyPressEvent(QKeyEvent* event)
{
    // Escape presses OK while nothing is modified and Cancel once something is. Closing from
    // the title bar goes through reject() and copies nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_modified)
            btCancel->click();
        else
            btOKClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmMxOptions::showHelpText(const QString& text)
{
    lbClsHelp->setText(text);
}

bool TfmMxOptions::eventFilter(QObject* watched, QEvent* event)
{
    // Qt sends no Leave to an area when the mouse moves on into one of its children, and no
    // Enter when it comes back, so the area's text stays up over the whole row or group.
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
    case QEvent::Leave:
    case QEvent::FocusOut: {
        const bool mouse = event->type() == QEvent::Enter || event->type() == QEvent::Leave;
        const auto& texts = mouse ? m_mouseHelp : m_focusHelp;
        const auto it = texts.find(watched);
        if (it == texts.end())
            break;
        const bool entering = event->type() == QEvent::Enter || event->type() == QEvent::FocusIn;
        showHelpText(entering ? it->second : idleHelp());
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mx
