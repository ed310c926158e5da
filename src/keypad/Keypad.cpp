#include "Keypad.h"

#include "KeyboardMap.h"
#include "KeypadView.h"
#include "engine/CalcCore.h"
#include "engine/OperationCodes.h"

namespace mx {

namespace {
const QString kEquals = QStringLiteral("=");
} // namespace

Keypad::Keypad(CalcCore& core, ClassicRecord& classic, KeypadView& view)
    : m_core(core), m_view(view), m_entry(core), m_sequencer(core, classic),
      m_memory(core, m_sequencer), m_recalculation(core)
{
}

bool Keypad::isActive(KeyId key)
{
    switch (key) {
    case KeyId::Ave:
    case KeyId::Sum:
    case KeyId::Dat:
        return false;
    default:
        return true;
    }
}

void Keypad::press(KeyId key)
{
    switch (key) {
    case KeyId::D1:
    case KeyId::D2:
    case KeyId::D3:
    case KeyId::D4:
    case KeyId::D5:
    case KeyId::D6:
    case KeyId::D7:
    case KeyId::D8:
    case KeyId::D9:
        m_entry.EnterDigit(QString::fromLatin1(keypadButton(key).caption));
        m_core.RestoreKeyFocus();
        break;
    case KeyId::D0:
        m_entry.EnterZero();
        break;
    case KeyId::Point:
        btPointClick();
        break;
    case KeyId::Sign:
        m_entry.ToggleSign();
        break;
    case KeyId::Back:
        btBackClick();
        break;
    case KeyId::Pi:
        m_sequencer.btPiClick();
        break;
    case KeyId::Eqv:
        m_sequencer.btEqvClick();
        break;
    case KeyId::CE:
        m_sequencer.btCEClick();
        break;
    case KeyId::C:
        m_sequencer.btCClick();
        break;
    case KeyId::MC:
        m_memory.btCMClick();
        break;
    case KeyId::MR:
        m_memory.btMRClick();
        break;
    case KeyId::MS:
        m_memory.btMSClick();
        break;
    case KeyId::MPlus:
        m_memory.btMPlusClick();
        break;
    case KeyId::CH:
        btCHClick();
        break;
    case KeyId::Sta:
    case KeyId::Ave:
    case KeyId::Sum:
    case KeyId::Dat:
    case KeyId::PH:
        break;
    default:
        operationKey(key);
        break;
    }
}

void Keypad::operationKey(KeyId key)
{
    const OperationInfo* op = operationForKey(keypadButton(key).name, m_core.state.InvMode);
    if (!op || op->operands == 0)
        return;
    const QString suffix = suffixText(op->suffix, m_core.state.AngleMark);
    if (op->operands == 2) {
        m_sequencer.BinaryOperation(m_core.edOp0, m_core.edOp1, m_core.edOp2, op->codeText(),
                                    op->labelText(), op->resultLabelText(), suffix);
    } else {
        m_sequencer.UnaryOperation(m_core.edOp0, m_core.edOp1, m_core.edOp2, op->codeText(),
                                   op->labelText(), op->resultLabelText(), suffix);
    }
    m_core.RestoreKeyFocus();
}

bool Keypad::FormKeyPress(QChar c)
{
    const std::optional<KeyboardAction> action = mapTypedCharacter(c);
    if (!action)
        return false;
    switch (action->kind) {
    case KeyboardAction::Backspace:
        btBackClick();
        break;
    case KeyboardAction::Equals:
        m_sequencer.btEqvClick();
        break;
    case KeyboardAction::Digit:
        // The typed "0" behaves like the digits 1 to 9, not like the on-screen 0.
        m_entry.EnterDigit(QString(action->character));
        break;
    case KeyboardAction::Operator: {
        const QString op(action->character);
        m_sequencer.BinaryOperation(m_core.edOp0, m_core.edOp1, m_core.edOp2, op, op, kEquals,
                                    BlankSuffix);
        break;
    }
    case KeyboardAction::Point:
        btPointClick();
        break;
    case KeyboardAction::Clear:
        m_sequencer.btCClick();
        break;
    case KeyboardAction::ClearEntry:
        m_sequencer.btCEClick();
        break;
    }
    return true;
}

void Keypad::btBackClick()
{
    m_entry.Backspace();
}

void Keypad::btPointClick()
{
    m_entry.EnterPoint();
}

void Keypad::btCHClick()
{
    m_core.tape.clear();
    m_core.RestoreKeyFocus();
}

void Keypad::tbClsDecPosChange(int position)
{
    m_core.setDecPos(position);
    m_core.RestoreKeyFocus();
}

void Keypad::cbClsDigitGroupingClick(bool checked)
{
    m_core.setDigitGrouping(checked);
    m_core.RestoreKeyFocus();
}

void Keypad::rbClsRadianClick()
{
    m_core.setRadian(true);
}

void Keypad::rbClsDegreeClick()
{
    m_core.setRadian(false);
}

void Keypad::cbClsHistoryClick(bool checked)
{
    m_core.settings.History = checked;
    m_view.ApplyHistoryLayout();
    m_core.RestoreKeyFocus();
}

void Keypad::cbClsTotalsClick(bool checked)
{
    m_core.settings.Totals = checked;
    m_core.RestoreKeyFocus();
}

void Keypad::cbClsInvClick(bool checked)
{
    m_core.state.InvMode = checked;
    if (checked)
        m_view.setTrigCaptions(QStringLiteral("ASin"), QStringLiteral("ACos"),
                               QStringLiteral("ATg"));
    else
        m_view.setTrigCaptions(QStringLiteral("Sin"), QStringLiteral("Cos"), QStringLiteral("Tg"));
    m_core.RestoreKeyFocus();
}

} // namespace mx
