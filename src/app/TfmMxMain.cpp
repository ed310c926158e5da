#include "TfmMxMain.h"

#include "FormulaEdit.h"
#include "FormulaFrame.h"
#include "KeyFocus.h"
#include "NumericEdit.h"
#include "TapeMemo.h"
#include "engine/CalcCore.h"
#include "engine/TapeLineReader.h"
#include "formula/FormulaCalc.h"
#include "keypad/Keypad.h"
#include "store/SavedState.h"
#include "store/WindowPlace.h"
#include "tablestore/StoreError.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "texts/WindowLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

namespace mx {

namespace {

QColor captionColour(KeyColour colour)
{
    switch (colour) {
    case KeyColour::Red:
        return QColor(Qt::red);
    case KeyColour::Fuchsia:
        return QColor(0xff, 0x00, 0xff);
    case KeyColour::Blue:
        return QColor(Qt::blue);
    case KeyColour::Green:
        return QColor(0x00, 0x80, 0x00);
    }
    return QColor(Qt::black);
}

// The character a key press types, with Backspace and Enter given their control codes.
QChar typedCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QChar();
    return text.front();
}

constexpr int kTapeLeft = TfmMxMain::kBaseWidth;
constexpr int kTapeTop = 8;
constexpr int kTapeHeight = 296;
// The keypad's columns: from the left of Dat to the right of =.
constexpr int kKeypadLeft = 10;
constexpr int kKeypadWidth = TfmMxMain::kBaseWidth - 2 * kKeypadLeft;

} // namespace

TfmMxMain::TfmMxMain(MessagePort& messages, ClassicRecord& classic, SavedState& saved,
                     const NumberSeparators& seps, ScriptScope& scripts, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_saved(saved), m_mono(fixedPitchFont())
{
    setObjectName(QStringLiteral("fmMxMain"));
    setProperty("helpContext", int(hcMainWindow));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("pnClient"));
    setCentralWidget(area);
    QFont keyFont = font();
    keyFont.setPixelSize(13);
    area->setFont(keyFont);

    meClsHistory = new TapeMemo(m_mono, area);
    meClsHistory->setGeometry(kTapeLeft, kTapeTop, kTapeWidth, kTapeHeight);
    meClsHistory->setProperty("helpContext", int(hcTape));

    m_core = std::make_unique<CalcCore>(seps, *this, messages, *meClsHistory);
    m_keypad = std::make_unique<Keypad>(*m_core, classic, *this);
    // The engine is ready before the settings are loaded.
    m_formula = std::make_unique<FormulaCalc>(*m_core, scripts);

    buildRegisters(area);
    buildSettingControls(area);
    buildKeypad(area);
    buildFormulaFrame(area);
    m_focus = std::make_unique<KeyFocus>(lbForSetFocus);
    m_focus->addRegister(edOp0);
    m_focus->addRegister(edMem);
    m_focus->addTypingControl(meClsHistory);
    m_focus->addTypingControl(gbClsFormula->edClsFormula);
    connectHandlers();
    ApplyInterfaceText(this);
    // Laid out by the shown captions in the font the program really gets.
    fitDecPosTickLabels(tbClsDecPos, lbClsFloat, gbClsNumber->width() - 8);
    layoutAngleRow();
    // The decimal key shows the system's decimal separator.
    QPushButton* point = m_buttons.at(KeyId::Point);
    point->setText(QString(m_core->seps().decimal));
    point->setAccessibleName(point->text());

    FormCreate();
}

TfmMxMain::~TfmMxMain()
{
    FormDestroy();
    // The controls go while the window is still whole: a control losing the focus as it is
    // destroyed signals the window's handlers, which a half-destroyed window cannot run.
    delete takeCentralWidget();
}

void TfmMxMain::FormCreate()
{
    ApplyHistoryLayout();
    placeWindow();
    CalcSettings loaded = m_core->settings;
    m_saved.loadSettings(loaded);
    m_core->start(loaded);
    ApplySettings();
}

void TfmMxMain::placeWindow()
{
    // The main window has no owner to open beside or centre on.
    restoreWindow(*this, m_saved.loadPlacement());
}

void TfmMxMain::ApplySettings()
{
    const CalcSettings s = m_core->settings;
    tbClsDecPos->setValue(s.DecPos);
    cbClsDigitGrouping->setChecked(s.DigitGrouping);
    m_core->BuildFormats();
    cbClsFormula->setChecked(s.Formula);
    gbClsFormula->cbClsFrmlHistory->setChecked(s.FrmlHistory);
    gbClsFormula->cbClsFrmlResHistory->setChecked(s.FrmlResHistory);
    ApplyFormulaLayout();
    cbClsHistory->setChecked(s.History);
    ApplyHistoryLayout();
    rbClsRadian->setChecked(s.Radian);
    rbClsDegree->setChecked(!s.Radian);
    m_core->setRadian(s.Radian);
    cbClsTotals->setChecked(s.Totals);
}

void TfmMxMain::FormActivate()
{
    ApplySettings();
    // A control that a routine asked to have the focus after its message takes it;
    // otherwise the keys go back to the keypad.
    if (!m_focus->activated())
        m_core->RestoreKeyFocus();
}

void TfmMxMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfmMxMain::closeEvent(QCloseEvent* event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

void TfmMxMain::FormDestroy()
{
    if (m_saveDone)
        return;
    m_saveDone = true;
    try {
        m_saved.save(m_core->settings, x(), y());
    } catch (const StoreError& e) {
        m_messages.ShowMsgDlg(QStringLiteral("Настройки не сохранены.\r\r") + storeFailureText(e),
                              mkError, mbOKOnly, hcMessages);
    }
}

void TfmMxMain::buildRegisters(QWidget* area)
{
    lbForSetFocus = new QLabel(area);
    lbForSetFocus->setObjectName(QStringLiteral("lbForSetFocus"));
    lbForSetFocus->setFocusPolicy(Qt::StrongFocus);
    // Where the keys typed for the keypad arrive; a screen reader says so when it gets the focus.
    lbForSetFocus->setAccessibleName(QStringLiteral("Ввод с клавиатуры"));
    lbForSetFocus->setGeometry(12, 26, 4, 4);

    lbClsInput = new QLabel(QStringLiteral("Input and result"), area);
    lbClsInput->setObjectName(QStringLiteral("lbClsInput"));
    lbClsInput->setGeometry(10, 4, 300, 18);
    edOp0 = new NumericEdit(m_core->edOp0, area);
    edOp0->setGeometry(10, 22, 495, 30);
    edOp0->setFont(withPixelSize(m_mono, 18));
    lbClsInput->setBuddy(edOp0);
    // The parking control lies behind the input field: its top is the field's top.
    lbForSetFocus->move(lbForSetFocus->x(), edOp0->y());
    lbForSetFocus->lower();

    lbClsMemory = new QLabel(QStringLiteral("Memory"), area);
    lbClsMemory->setObjectName(QStringLiteral("lbClsMemory"));
    lbClsMemory->setGeometry(10, 56, 300, 18);
    edMem = new NumericEdit(m_core->edMem, area);
    edMem->setGeometry(10, 74, 495, 24);
    edMem->setFont(withPixelSize(m_mono, 14));
    lbClsMemory->setBuddy(edMem);
}

void TfmMxMain::buildSettingControls(QWidget* area)
{
    gbClsNumber = new QGroupBox(area);
    gbClsNumber->setObjectName(QStringLiteral("gbClsNumber"));
    gbClsNumber->setGeometry(10, 102, 310, 68);
    cbClsDigitGrouping = new QCheckBox(QStringLiteral("Grouping"), gbClsNumber);
    cbClsDigitGrouping->setObjectName(QStringLiteral("cbClsDigitGrouping"));
    cbClsDigitGrouping->setGeometry(8, 24, 110, 20);

    tbClsDecPos = new QSlider(Qt::Horizontal, gbClsNumber);
    tbClsDecPos->setObjectName(QStringLiteral("tbClsDecPos"));
    tbClsDecPos->setRange(0, 11);
    tbClsDecPos->setValue(2);
    tbClsDecPos->setPageStep(1);
    tbClsDecPos->setTickPosition(QSlider::TicksBelow);
    tbClsDecPos->setTickInterval(1);
    tbClsDecPos->setGeometry(124, 16, 160, 26);
    // Named by its hint, as it has no caption.
    tbClsDecPos->setAccessibleName(QStringLiteral("Десятичные позиции"));
    lbClsFloat = new QLabel(QStringLiteral("Float"), gbClsNumber);
    lbClsFloat->setObjectName(QStringLiteral("lbClsFloat"));
    addDecPosTickLabels(tbClsDecPos, lbClsFloat, 44, QStringLiteral("lbClsDec"));

    gbClsHistory = new QGroupBox(area);
    gbClsHistory->setObjectName(QStringLiteral("gbClsHistory"));
    gbClsHistory->setGeometry(326, 102, 179, 68);
    cbClsHistory = new QCheckBox(QStringLiteral("History"), gbClsHistory);
    cbClsHistory->setObjectName(QStringLiteral("cbClsHistory"));
    cbClsHistory->setGeometry(8, 20, 84, 20);
    cbClsTotals = new QCheckBox(QStringLiteral("Totals"), gbClsHistory);
    cbClsTotals->setObjectName(QStringLiteral("cbClsTotals"));
    cbClsTotals->setGeometry(8, 42, 84, 20);

    cbClsFormula = new QCheckBox(QStringLiteral("Formula"), gbClsHistory);
    cbClsFormula->setObjectName(QStringLiteral("cbClsFormula"));
    cbClsFormula->setGeometry(92, 20, 85, 20);

    cbClsInv = new QCheckBox(QStringLiteral("Inv"), area);
    cbClsInv->setObjectName(QStringLiteral("cbClsInv"));
    cbClsInv->setGeometry(10, kKeypadTopRow + 5, 48, 20);

    gbClsAngle = new QGroupBox(area);
    gbClsAngle->setObjectName(QStringLiteral("gbClsAngle"));
    gbClsAngle->setGeometry(60, kKeypadTopRow - 2, 170, 32);
    rbClsRadian = new QRadioButton(QStringLiteral("Radian"), gbClsAngle);
    rbClsRadian->setObjectName(QStringLiteral("rbClsRadian"));
    rbClsRadian->setGeometry(6, 6, 78, 20);
    rbClsRadian->setChecked(true);
    rbClsDegree = new QRadioButton(QStringLiteral("Degree"), gbClsAngle);
    rbClsDegree->setObjectName(QStringLiteral("rbClsDegree"));
    rbClsDegree->setGeometry(88, 6, 78, 20);

    pnLastOp = new QWidget(area);
    pnLastOp->setObjectName(QStringLiteral("pnLastOp"));
    pnLastOp->setGeometry(235, kKeypadTopRow, 50, kKeyHeight);
    lbLastOp = new QLabel(pnLastOp);
    lbLastOp->setObjectName(QStringLiteral("lbLastOp"));
    lbLastOp->setGeometry(0, 0, 50, kKeyHeight);
    lbLastOp->setAlignment(Qt::AlignCenter);
    lbLastOp->setFrameShape(QFrame::Panel);
    lbLastOp->setFrameShadow(QFrame::Sunken);
    QFont bold = lbLastOp->font();
    bold.setBold(true);
    lbLastOp->setFont(bold);
}

void TfmMxMain::layoutAngleRow()
{
    constexpr int kGap = 3;
    constexpr int kInset = 4; // of the angle buttons inside their box
    constexpr int kLastOpWidth = 50;
    const int blank = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    cbClsInv->resize(cbClsInv->sizeHint().width(), cbClsInv->height());
    rbClsRadian->setGeometry(kInset, rbClsRadian->y(), rbClsRadian->sizeHint().width(),
                             rbClsRadian->height());
    rbClsDegree->setGeometry(rbClsRadian->geometry().right() + 1 + blank, rbClsDegree->y(),
                             rbClsDegree->sizeHint().width(), rbClsDegree->height());
    gbClsAngle->setGeometry(cbClsInv->geometry().right() + 1 + kGap, gbClsAngle->y(),
                            rbClsDegree->geometry().right() + 1 + kInset, gbClsAngle->height());
    const int left = gbClsAngle->geometry().right() + 1 + kGap;
    const int end = m_buttons.at(KeyId::Back)->x() - kGap;
    pnLastOp->setGeometry(left, pnLastOp->y(), std::min(kLastOpWidth, end - left),
                          pnLastOp->height());
    lbLastOp->resize(pnLastOp->size());
}

void TfmMxMain::buildKeypad(QWidget* area)
{
    for (const KeypadButton& key : keypadButtons()) {
        auto* bt = new QPushButton(QString::fromLatin1(key.caption), area);
        bt->setObjectName(QString::fromLatin1(key.name));
        bt->setGeometry(key.x, key.y, key.width, key.height);
        bt->setFocusPolicy(Qt::NoFocus);
        bt->setAutoDefault(false);
        QPalette pal = bt->palette();
        pal.setColor(QPalette::Active, QPalette::ButtonText, captionColour(key.colour));
        pal.setColor(QPalette::Inactive, QPalette::ButtonText, captionColour(key.colour));
        bt->setPalette(pal);
        bt->setEnabled(Keypad::isActive(key.id));
        bt->setAccessibleName(bt->text());
        m_buttons[key.id] = bt;
        const KeyId id = key.id;
        connect(bt, &QPushButton::clicked, this, [this, id] { m_keypad->press(id); });
    }
    m_buttons.at(KeyId::CH)->setGeometry(kTapeLeft, kKeypadRows[3], 62, kKeyHeight);
    m_buttons.at(KeyId::PH)->setGeometry(kTapeLeft + 68, kKeypadRows[3], 62, kKeyHeight);
}

void TfmMxMain::connectHandlers()
{
    Keypad* k = m_keypad.get();
    connect(tbClsDecPos, &QSlider::valueChanged, this, [k](int v) { k->tbClsDecPosChange(v); });
    connect(cbClsDigitGrouping, &QCheckBox::toggled, this,
            [k](bool on) { k->cbClsDigitGroupingClick(on); });
    connect(rbClsRadian, &QRadioButton::toggled, this, [k](bool on) {
        if (on)
            k->rbClsRadianClick();
    });
    connect(rbClsDegree, &QRadioButton::toggled, this, [k](bool on) {
        if (on)
            k->rbClsDegreeClick();
    });
    connect(cbClsHistory, &QCheckBox::toggled, this, [k](bool on) { k->cbClsHistoryClick(on); });
    connect(cbClsTotals, &QCheckBox::toggled, this, [k](bool on) { k->cbClsTotalsClick(on); });
    connect(cbClsInv, &QCheckBox::toggled, this, [k](bool on) { k->cbClsInvClick(on); });
    connect(cbClsFormula, &QCheckBox::toggled, this, [this](bool on) {
        m_core->settings.Formula = on;
        ApplyFormulaLayout();
        m_core->RestoreKeyFocus();
    });
    connect(gbClsFormula->cbClsFrmlHistory, &QCheckBox::toggled, this,
            [this](bool on) { m_core->settings.FrmlHistory = on; });
    connect(gbClsFormula->cbClsFrmlResHistory, &QCheckBox::toggled, this,
            [this](bool on) { m_core->settings.FrmlResHistory = on; });
    FormulaEdit* line = gbClsFormula->edClsFormula;
    connect(line, &FormulaEdit::enterPressed, this, &TfmMxMain::btClsRunClick);
    connect(gbClsFormula->btClsRun, &QPushButton::clicked, this, &TfmMxMain::btClsRunClick);
    connect(gbClsFormula->btClsClear, &QPushButton::clicked, this, &TfmMxMain::btClsClearClick);

    meClsHistory->onDoubleClick = [this](const QString& text, int column) {
        return meClsHistoryDblClick(text, column);
    };
}

void TfmMxMain::beep()
{
    QApplication::beep();
}

void TfmMxMain::parkKeyFocus()
{
    m_focus->park();
}

bool TfmMxMain::keyPreview() const
{
    return m_focus->keyPreview();
}

void TfmMxMain::showLastOp(const QString& caption)
{
    lbLastOp->setText(caption);
}

void TfmMxMain::ApplyHistoryLayout()
{
    const bool shown = m_core->settings.History;
    if (!shown) {
        meClsHistory->hide();
        m_buttons.at(KeyId::CH)->hide();
        m_buttons.at(KeyId::PH)->hide();
        gbClsFormula->layoutForWidth(kKeypadWidth);
    }
    fitWindowSize();
    if (shown) {
        meClsHistory->show();
        m_buttons.at(KeyId::CH)->show();
        m_buttons.at(KeyId::PH)->show();
        gbClsFormula->layoutForWidth(kKeypadWidth + kTapeWidth + 10);
    }
    gbClsFormula->setVisible(m_core->settings.Formula);
}

void TfmMxMain::ApplyFormulaLayout()
{
    // Hidden before the window shrinks, shown after it grows.
    const bool shown = m_core->settings.Formula;
    if (!shown)
        gbClsFormula->hide();
    fitWindowSize();
    if (shown)
        gbClsFormula->show();
}

void TfmMxMain::fitWindowSize()
{
    const CalcSettings& s = m_core->settings;
    const int width = kBaseWidth + (s.History ? kTapeWidth + 10 : 0);
    const int height = kBaseHeight + (s.Formula ? FormulaFrame::kHeight + 5 : 0);
    centralWidget()->setFixedSize(width, height);
    setFixedSize(width, height + (menuWidget() ? menuWidget()->sizeHint().height() : 0));
}

void TfmMxMain::buildFormulaFrame(QWidget* area)
{
    gbClsFormula = new FormulaFrame(m_formula->edClsFrmlRes, m_mono, area);
    gbClsFormula->setProperty("helpContext", int(hcFormula));
    gbClsFormula->move(kKeypadLeft, kBaseHeight);
    gbClsFormula->layoutForWidth(kKeypadWidth);
    // The function list keeps the width it has beside the narrowest formula line.
    gbClsFormula->setFunctionListWidth(gbClsFormula->edClsFormula->width() - 2);
    // Hidden until the settings are applied.
    gbClsFormula->hide();
}

void TfmMxMain::btClsRunClick()
{
    FormulaEdit* line = gbClsFormula->edClsFormula;
    if (const std::optional<qsizetype> at = m_formula->btClsRunClick(line->text())) {
        line->setSelection(int(*at), 1);
        // The message has closed by now; on a desktop the window's activation is still to
        // come, and it must not take the focus back to the keypad.
        m_focus->focusAfterModal(line);
    }
}

void TfmMxMain::btClsClearClick()
{
    gbClsFormula->edClsFormula->clear();
    m_formula->btClsClearClick();
}

void TfmMxMain::clearFormula()
{
    gbClsFormula->edClsFormula->clear();
    m_formula->resetResult();
}

void TfmMxMain::setTrigCaptions(const QString& sin, const QString& cos, const QString& tg)
{
    const std::pair<KeyId, const QString*> captions[] = {
        {KeyId::Sin, &sin}, {KeyId::Cos, &cos}, {KeyId::Tg, &tg}};
    for (const auto& [id, text] : captions) {
        m_buttons.at(id)->setText(*text);
        m_buttons.at(id)->setAccessibleName(*text);
    }
}

bool TfmMxMain::meClsHistoryDblClick(const QString& line, int column)
{
    // A number of the value column becomes the input as if newly typed, as paste does.
    const std::optional<CalcValue> number = tapeNumberAt(line, column, m_core->seps());
    if (!number)
        return false;
    m_keypad->entry().EnterNumber(*number);
    return true;
}

void TfmMxMain::FormKeyPress(const QKeyEvent& event)
{
    if (!m_focus->keyPreview())
        return;
    const QChar c = typedCharacter(event);
    if (!c.isNull())
        m_keypad->FormKeyPress(c);
}

} // namespace mx
