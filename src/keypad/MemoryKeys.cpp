#include "MemoryKeys.h"

#include "Sequencer.h"
#include "engine/CalcCore.h"
#include "engine/Registers.h"

namespace mx {

namespace {
const QString kMemoryResult = QStringLiteral("M=");
const QString kMemoryPlus = QStringLiteral("M+");
} // namespace

void MemoryKeys::writeMemoryLine()
{
    m_core.tape.WriteTapeLine(kMemoryResult, m_core.tapeNumber(m_core.edMem), BlankSuffix);
}

void MemoryKeys::btCMClick()
{
    ClearRegister(m_core.edMem);
    writeMemoryLine();
    m_core.RestoreKeyFocus();
}

void MemoryKeys::btMRClick()
{
    CalcState& st = m_core.state;
    ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    CopyRegister(m_core.edMem, m_core.edOp0);
    st.NewNumber = false;
    st.OpJustPressed = false;
    st.EntryActive = true;
    m_core.RestoreKeyFocus();
}

void MemoryKeys::btMSClick()
{
    m_core.ParkFocus();
    CopyRegister(m_core.edOp0, m_core.edMem);
    m_core.state.NewNumber = true;
    writeMemoryLine();
    m_core.RestoreKeyFocus();
}

void MemoryKeys::btMPlusClick()
{
    CalcState& st = m_core.state;
    // These flags make the two-operand step below complete its "pending" M+ at once.
    st.OpPending = true;
    st.OpJustPressed = false;
    st.AfterEquals = false;
    st.PendingSuffix = BlankSuffix;
    m_core.SetPendingOp(kMemoryPlus, kMemoryPlus);
    if (m_core.edOp0.text().trimmed().isEmpty())
        m_core.edOp0.setText(QStringLiteral("0"));
    m_core.ParkFocus();

    m_core.tape.WriteTapeLine(QStringLiteral(" "), m_core.tapeNumber(m_core.edOp0), BlankSuffix);
    m_sequencer.BinaryOperation(m_core.edMem, m_core.edOp0, m_core.edOp1, kMemoryPlus,
                                kMemoryPlus, kMemoryResult, BlankSuffix);
    CopyRegister(m_core.edOp1, m_core.edOp0);
    writeMemoryLine();
    ClearRegister(m_core.edOp1);
    ClearRegister(m_core.edOp2);
    st.OpPending = false;
    m_core.RestoreKeyFocus();
}

} // namespace mx
