#include "TfmMxMain.h"

#include "FormulaEdit.h"
#include "FormulaFrame.h"
#include "FormulaHint.h"
#include "KeyFocus.h"
#include "NumericEdit.h"
#include "TapeMemo.h"
#include "engine/CalcCore.h"
#include "engine/TapeLineReader.h"
#include "formula/FormulaCalc.h"
#include "keypad/KeyboardMap.h"
#include "keypad/Keypad.h"
#include "store/SavedState.h"
#include "store/WindowPlace.h"
#include "tablestore/StoreError.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/CaptionColours.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "texts/Readout.h"
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
    : QMainWindow(parent), m_messages(messages), m_saved(saved), m_mono(fixedPitchFont()),
      m_captions(new CaptionColours(this))
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

    m_core = std::make_unique<CalcCore>(seps, *this, m_messages, *meClsHistory);
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
    prepareKeyboardUse();
    // Laid out by the shown captions in the font the program really gets.
    fitDecPosTickLabels(tbClsDecPos, lbClsFloat, gbClsNumber->width() - 8);
    layoutAngleRow();
    // The decimal key shows the system's decimal separator.
    QPushButton* point = m_buttons.at(KeyId::Point);
    point->setText(QString(m_core->seps().decimal));
    point->setAccessibleDescription(keyDescription(keypadButton(KeyId::Point), point->text()));

    FormCreate();
}

TfmMxMain::~TfmMxMain()
{
    FormDestroy();
    m_hint.reset(); // its worker ends before the line it watches goes
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
    if (m_hint)
        m_hint->refresh();
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
    lbForSetFocus = new Readout(area);
    lbForSetFocus->setObjectName(QStringLiteral("lbForSetFocus"));
    lbForSetFocus->setGeometry(12, 26, 4, 4);

    lbClsInput = new QLabel(QStringLiteral("Input and result"), area);
    lbClsInput->setObjectName(QStringLiteral("lbClsInput"));
    lbClsInput->setGeometry(10, 4, 300, 18);
    edOp0 = new NumericEdit(m_core->edOp0, area);
    edOp0->setGeometry(10, 22, 495, 30);
    edOp0->setFont(withPixelSize(m_mono, 18));
    edOp0->setFocusPolicy(Qt::NoFocus);
    // The input field a screen reader meets is the parking control, which has its name; the
    // field itself is the display it reads from.
    edOp0->setAccessibleName(QStringLiteral("Табло ввода и результата"));
    lbClsInput->setBuddy(edOp0);
    lbForSetFocus->setText(m_core->edOp0.text());
    connect(&m_core->edOp0, &NumericField::textChanged, lbForSetFocus, &Readout::setText);
    // The parking control lies behind the input field: its top is the field's top.
    lbForSetFocus->move(lbForSetFocus->x(), edOp0->y());
    lbForSetFocus->lower();

    lbClsMemory = new QLabel(QStringLiteral("Memory"), area);
    lbClsMemory->setObjectName(QStringLiteral("lbClsMemory"));
    lbClsMemory->setGeometry(10, 56, 300, 18);
    edMem = new NumericEdit(m_core->edMem, area);
    edMem->setGeometry(10, 74, 495, 24);
    edMem->setFont(withPixelSize(m_mono, 14));
    edMem->setFocusPolicy(Qt::NoFocus);
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
        bt->setAutoDefault(false);
        m_captions->assign(bt, key.colour);
        bt->setEnabled(Keypad::isActive(key.id));
        m_buttons[key.id] = bt;
        const KeyId id = key.id;
        connect(bt, &QPushButton::clicked, this, [this, id] { pressKey(id); });
    }
    m_buttons.at(KeyId::CH)->setGeometry(kTapeLeft, kKeypadRows[3], 62, kKeyHeight);
    m_buttons.at(KeyId::PH)->setGeometry(kTapeLeft + 68, kKeypadRows[3], 62, kKeyHeight);
}

void TfmMxMain::prepareKeyboardUse()
{
    // Named after the caption the interface text gave the input field's label.
    lbForSetFocus->setAccessibleName(QString(lbClsInput->text()).remove(QLatin1Char('&')));
    for (const KeypadButton& key : keypadButtons()) {
        QPushButton* bt = m_buttons.at(key.id);
        bt->setAccessibleName(keySpokenName(key, false));
        bt->setAccessibleDescription(keyDescription(key, bt->text()));
    }
    // Reading order: the input, the settings above the keypad, the row of Inv, the angle and
    // the clearing keys, the keypad row by row, the tape with its keys, the formula frame.
    std::vector<QWidget*> order{lbForSetFocus,      cbClsDigitGrouping, tbClsDecPos,
                                cbClsHistory,       cbClsTotals,        cbClsFormula,
                                cbClsInv,           rbClsRadian,        rbClsDegree};
    for (KeyId id : {KeyId::Back, KeyId::CE, KeyId::C})
        order.push_back(m_buttons.at(id));
    for (const KeypadButton& key : keypadButtons())
        if (key.y >= kKeypadRows[0])
            order.push_back(m_buttons.at(key.id));
    order.insert(order.end(), {meClsHistory, m_buttons.at(KeyId::CH), m_buttons.at(KeyId::PH)});
    for (QWidget* w : order)
        if (w != lbForSetFocus && w != rbClsRadian && w != rbClsDegree && w != meClsHistory)
            m_focus->addKeyboardControl(w);
    order.push_back(gbClsFormula->edClsFormula);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TfmMxMain::runKey(KeySpeech speech, const std::function<void()>& action)
{
    const int messages = m_messages.count;
    const bool parked = lbForSetFocus->hasFocus();
    const QString input = m_core->edOp0.text();
    action();
    // A message has been read out with its dialog; a focus that came back to the input field
    // has been read out with its value.
    if (m_messages.count != messages || (!parked && lbForSetFocus->hasFocus()) || !isVisible())
        return;
    switch (speech) {
    case KeySpeech::Nothing:
        break;
    case KeySpeech::InputIfChanged:
        if (m_core->edOp0.text() != input)
            speakInput();
        break;
    case KeySpeech::Input:
        speakInput();
        break;
    case KeySpeech::Memory:
        m_announcer.say(this, QString(lbClsMemory->text()).remove(QLatin1Char('&')) +
                                  QStringLiteral(": ") + m_core->edMem.text());
        break;
    }
}

void TfmMxMain::pressKey(KeyId id)
{
    const KeypadButton& key = keypadButton(id);
    // A digit, point or Backspace pressed by Space keeps the focus on its key, and nothing
    // has echoed what it typed: the input is said.
    KeySpeech speech = key.speech;
    const bool entersDigits = key.x >= kKeypadColumns[6] && key.x <= kKeypadColumns[8];
    if (m_buttons.at(id)->hasFocus() && speech == KeySpeech::Nothing &&
        (entersDigits || id == KeyId::Back))
        speech = KeySpeech::Input;
    runKey(speech, [this, id] { m_keypad->press(id); });
}

void TfmMxMain::speakInput()
{
    m_announcer.sayValue(lbForSetFocus);
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
    connect(line, &FormulaEdit::recallPressed, this, [this, line](bool older) {
        if (const std::optional<QString> text = older ? m_recall.older(line->text()) : m_recall.newer())
            line->setText(*text);
    });
    m_hint = std::make_unique<FormulaHint>(*line, *gbClsFormula->lbClsFrmlHint, [this](double v) {
        return m_formula->edClsFrmlRes.formatValue(v);
    });
    // After the keypad's handlers, which rebuild the formats.
    connect(tbClsDecPos, &QSlider::valueChanged, m_hint.get(), &FormulaHint::refresh);
    connect(cbClsDigitGrouping, &QCheckBox::toggled, m_hint.get(), &FormulaHint::refresh);
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
    m_recall.remember(line->text());
    const int messages = m_messages.count;
    const std::optional<qsizetype> at = m_formula->btClsRunClick(line->text());
    if (m_messages.count == messages && !line->text().trimmed().isEmpty() && isVisible())
        m_announcer.say(this, gbClsFormula->edClsFrmlRes->accessibleName() + QStringLiteral(": ") +
                                  gbClsFormula->edClsFrmlRes->text());
    if (at) {
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
        QPushButton* bt = m_buttons.at(id);
        bt->setText(*text);
        bt->setAccessibleName(keySpokenName(keypadButton(id), m_core->state.InvMode));
        bt->setAccessibleDescription(keyDescription(keypadButton(id), *text));
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
    if (c.isNull())
        return;
    // Spoken as the key of the keypad that it presses; the typed character is echoed already.
    KeySpeech speech = KeySpeech::Nothing;
    if (const std::optional<KeyboardAction> action = mapTypedCharacter(c)) {
        switch (action->kind) {
        case KeyboardAction::Equals:
        case KeyboardAction::Clear:
        case KeyboardAction::ClearEntry:
            speech = KeySpeech::Input;
            break;
        case KeyboardAction::Operator:
            speech = KeySpeech::InputIfChanged;
            break;
        default:
            break;
        }
    }
    runKey(speech, [this, c] { m_keypad->FormKeyPress(c); });
}

} // namespace mx
