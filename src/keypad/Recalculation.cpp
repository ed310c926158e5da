#include "Recalculation.h"

#include "Sequencer.h"
#include "TapeCalculation.h"
#include "engine/CalcCore.h"
#include "engine/CalcHost.h"
#include "engine/ClassicRecord.h"
#include "engine/NumberEntry.h"
#include "engine/OperationCodes.h"
#include "engine/TapeSink.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

namespace mx {

namespace {

// The replay's own window: no focus to move, no indicator to show.
class SilentHost : public CalcHost
{
public:
    void beep() override {}
    void parkKeyFocus() override {}
    void showLastOp(const QString&) override {}
};

bool isArcFunction(const OperationInfo& op)
{
    return op.id == OpId::ArcSin || op.id == OpId::ArcCos || op.id == OpId::ArcTg;
}

// A calculator of its own with the keypad's settings: the keys' sequencing, evaluator and
// messages, its lines on a tape in memory.
struct Replay
{
    Replay(const CalcCore& keypad, MessagePort& messages)
        : core(keypad.seps(), host, messages, tape), sequencer(core, classic), entry(core)
    {
        core.start(keypad.settings);
    }

    void binaryKey(const OperationInfo& op)
    {
        sequencer.BinaryOperation(core.edOp0, core.edOp1, core.edOp2, op.codeText(),
                                  op.labelText(), op.resultLabelText(),
                                  suffixText(op.suffix, core.state.AngleMark));
    }

    void unaryKey(const OperationInfo& op)
    {
        sequencer.UnaryOperation(core.edOp0, core.edOp1, core.edOp2, op.codeText(),
                                 op.labelText(), op.resultLabelText(),
                                 suffixText(op.suffix, core.state.AngleMark));
    }

    void run(const TapeCalculation& calc)
    {
        using Shape = TapeCalculation::Shape;
        const auto& operands = calc.operands;
        if (calc.shape == Shape::Function) {
            const OperationInfo& op = *operands.front().op;
            if (calc.radian)
                core.setRadian(*calc.radian);
            core.state.InvMode = isArcFunction(op);
            entry.EnterNumber(operands.front().value);
            unaryKey(op);
            return;
        }
        entry.EnterNumber(operands.front().value);
        for (std::size_t i = 1; i < operands.size(); ++i) {
            binaryKey(*operands[i].op);
            entry.EnterNumber(operands[i].value);
        }
        sequencer.btEqvClick();
    }

    SilentHost host;
    MemoryTape tape;
    MemoryClassicRecord classic;
    CalcCore core;
    Sequencer sequencer;
    NumberEntry entry;
};

} // namespace

QString Recalculation::headerLine(int first, int last)
{
    if (first == last)
        return QStringLiteral("---- Пересчёт строки %1 ----").arg(first + 1);
    return QStringLiteral("---- Пересчёт строк %1-%2 ----").arg(first + 1).arg(last + 1);
}

bool Recalculation::Recalculate(int line)
{
    TapeSink& sink = m_core.tape.sink();
    const auto found = findTapeCalculation(sink, line, m_core.seps());
    if (const auto* refusal = std::get_if<TapeRefusal>(&found)) {
        m_core.messages().ShowMsgDlg(refusalMessage(*refusal, sink.line(refusal->line)),
                                     mkWarning, mbOKOnly, hcTape);
        return false;
    }
    const TapeCalculation& calc = std::get<TapeCalculation>(found);

    Replay replay(m_core, m_core.messages());
    replay.run(calc);

    sink.appendLines(QStringList{headerLine(calc.first, calc.last)} + replay.tape.tapeLines());

    // The result as "=" leaves it: the registers and the replay's entry state whole, its
    // pending operation included, so that a further "=" repeats its last operation. The
    // keypad's own settings, angle mark and focus stay.
    const CalcCore& done = replay.core;
    m_core.edOp0.setText(done.edOp0.text());
    m_core.edOp1.setText(done.edOp1.text());
    m_core.edOp2.setText(done.edOp2.text());
    m_core.state.entry() = done.state.entry();
    // Setting the pending operation also shows its caption.
    m_core.SetPendingOp(done.state.PendingOp, done.state.PendingLabel);
    m_core.RestoreKeyFocus();
    return true;
}

} // namespace mx
