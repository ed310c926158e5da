#include "Sequencer.h"

#include "engine/ClassicRecord.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "engine/CalcCore.h"
#include "engine/Registers.h"

namespace mx {

namespace {
const QString kErrorText = QStringLiteral("Error");
const QString kEquals = QStringLiteral("=");
} // namespace

void Sequencer::writeBlankLine()
{
    m_core.tape.WriteTapeLine(QString(), QString(), BlankSuffix);
}

void Sequencer::writeRuleLine()
{
    m_core.tape.WriteTapeLine(QString(), QString(ValueWidth, QLatin1Char('-')),
                              QStringLiteral("  "));
}

void Sequencer::BinaryOperation(NumericField& input, NumericField& right, NumericField& left,
                                const QString& code, const QString& label,
                                const QString& resultLabel, const QString& suffix)
{
    CalcState& st = m_core.state;
    m_core.ApplyDisplayFormat();
    m_core.ParkFocus();

    if (!st.OpPending || st.AfterEquals) {
        // A new chain: only the first operand goes on the tape.
        m_core.tape.WriteTapeLine(QStringLiteral(" "), m_core.tapeNumber(input), BlankSuffix);
    } else {
        const QString op = st.PendingOp.trimmed();
        const QString lab = st.PendingLabel.trimmed();
        if (st.OpJustPressed) {
            const QString text =
                QStringLiteral("Операция  '%1' требует 2-х операндов.\rНапример: 9 %1 3").arg(op);
            m_core.messages().ShowMsgDlg(text, mkWarning, mbOKOnly, hcMessages);
            return;
        }
        m_core.tape.WriteTapeLine(lab, m_core.tapeNumber(input), st.PendingSuffix);
        ShiftRegisters(input, right, left);
        if (!m_core.evaluator.Evaluate(op, input, right, left))
            m_core.tape.WriteTapeLine(resultLabel, kErrorText, BlankSuffix);
        else if (m_core.settings.Totals)
            m_core.tape.WriteTapeLine(resultLabel, m_core.tapeNumber(input), BlankSuffix);
    }

    st.PendingSuffix = suffix;
    st.NewNumber = true;
    st.OpPending = true;
    st.AfterEquals = false;
    st.OpJustPressed = true;
    m_core.SetPendingOp(code, label);
    st.EntryActive = false;
}

void Sequencer::UnaryOperation(NumericField& input, NumericField& right, NumericField& left,
                               const QString& code, const QString& label,
                               const QString& resultLabel, const QString& suffix)
{
    CalcState& st = m_core.state;
    m_core.ApplyDisplayFormat();
    st.AfterEquals = false;

    // The key's own suffix marks the argument, or with Inv the result (ArcSin ... = 30 D).
    const QString argumentSuffix = st.InvMode ? BlankSuffix : suffix;
    const QString resultSuffix = st.InvMode ? suffix : BlankSuffix;

    if (input.value() == 0)
        input.setText(QStringLiteral("0"));
    m_core.ParkFocus();

    ShiftRegisters(input, right, left);
    m_core.tape.WriteTapeLine(code, m_core.tapeNumber(right), argumentSuffix);
    ClearRegister(left);

    if (m_core.evaluator.Evaluate(code, input, right, left))
        m_core.tape.WriteTapeLine(resultLabel, m_core.tapeNumber(input), resultSuffix);
    else
        m_core.tape.WriteTapeLine(resultLabel, kErrorText, BlankSuffix);

    writeBlankLine();
    m_core.SetPendingOp(code, label);
    st.NewNumber = true;
    st.OpPending = false;
    st.OpJustPressed = true;
}

void Sequencer::computePendingPair()
{
    CalcCore& c = m_core;
    writeRuleLine();
    if (c.evaluator.Evaluate(c.state.PendingOp, c.edOp0, c.edOp1, c.edOp2))
        c.tape.WriteTapeLine(kEquals, c.tapeNumber(c.edOp0), BlankSuffix);
    else
        c.tape.WriteTapeLine(kEquals, kErrorText, BlankSuffix);
    writeBlankLine();
}

void Sequencer::btEqvClick()
{
    CalcCore& c = m_core;
    CalcState& st = c.state;
    c.ParkFocus();

    if (!st.OpPending) {
        if (c.edOp0.value() == 0)
            c.edOp0.setText(QStringLiteral("0"));
        c.tape.WriteTapeLine(kEquals, c.tapeNumber(c.edOp0), BlankSuffix);
    } else if (!st.AfterEquals) {
        // A complete pair, or an operator key followed at once by "=": the shown number
        // then serves as both operands.
        st.RepeatOperand = c.edOp0.value();
        if (st.OpJustPressed)
            CopyRegister(c.edOp0, c.edOp1);
        c.tape.WriteTapeLine(st.PendingLabel, c.tapeNumber(c.edOp0), st.PendingSuffix);
        ShiftRegisters(c.edOp0, c.edOp1, c.edOp2);
        computePendingPair();
    } else {
        // Repeated "=": the last result with the saved second operand.
        c.tape.WriteTapeLine(QString(), c.tapeNumber(c.edOp0), BlankSuffix);
        c.tape.WriteTapeLine(st.PendingLabel, c.tape.number(st.RepeatOperand),
                             st.PendingSuffix);
        ShiftRegisters(c.edOp0, c.edOp1, c.edOp2);
        c.edOp0.setValue(st.RepeatOperand);
        ShiftRegisters(c.edOp0, c.edOp1, c.edOp2);
        computePendingPair();
    }

    st.AfterEquals = true;
    st.NewNumber = true;
    st.OpJustPressed = false;
    st.EntryActive = false;
    c.RestoreKeyFocus();
}

void Sequencer::btCEClick()
{
    CalcState& st = m_core.state;
    m_core.ApplyDisplayFormat();
    const bool operatorPressed = st.OpPending && st.OpJustPressed && st.NewNumber &&
                                 !st.AfterEquals;
    if (operatorPressed) {
        // The left operand exists only in edOp0 here; move it on as the next digit would,
        // so that the number typed after CE is paired with it and not with a stale one.
        ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    }
    ClearRegister(m_core.edOp0);
    st.NewNumber = false;
    st.EntryActive = false;
    m_core.RestoreKeyFocus();
}

void Sequencer::btCClick()
{
    CalcState& st = m_core.state;
    m_core.ApplyDisplayFormat();
    ClearRegister(m_core.edOp0);
    ClearRegister(m_core.edOp1);
    ClearRegister(m_core.edOp2);
    st.NewNumber = false;
    st.OpPending = false;
    st.EntryActive = false;
    m_core.tape.WriteDelimiter(m_classic.delimiter());
    m_core.SetPendingOp(QString(), QString());
    m_core.RestoreKeyFocus();
}

void Sequencer::btPiClick()
{
    CalcState& st = m_core.state;
    ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    m_core.evaluator.Evaluate(QStringLiteral("pi"), m_core.edOp0, m_core.edOp1, m_core.edOp2);
    m_classic.storeLastOp(QStringLiteral("pi"));
    st.NewNumber = false;
    st.OpJustPressed = false;
    st.EntryActive = true;
    m_core.RestoreKeyFocus();
}

} // namespace mx
