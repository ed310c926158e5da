#pragma once

#include <QString>

namespace mx {

class CalcCore;
class ClassicRecord;
class NumericField;

// Operator sequencing, strictly left to right: the two-operand step, the one-operand step,
// equals, CE, C and pi, with the tape lines each writes.
class Sequencer
{
public:
    Sequencer(CalcCore& core, ClassicRecord& classic) : m_core(core), m_classic(classic) {}

    void BinaryOperation(NumericField& input, NumericField& right, NumericField& left,
                         const QString& code, const QString& label, const QString& resultLabel,
                         const QString& suffix);
    void UnaryOperation(NumericField& input, NumericField& right, NumericField& left,
                        const QString& code, const QString& label, const QString& resultLabel,
                        const QString& suffix);

    void btEqvClick();
    void btCEClick();
    void btCClick();
    void btPiClick();

private:
    void writeBlankLine();
    void writeRuleLine();
    // Evaluates the pending operation on edOp0/edOp1/edOp2 and writes the result or
    // "Error" line, then a blank line: the tail shared by the cases of "=".
    void computePendingPair();

    CalcCore& m_core;
    ClassicRecord& m_classic;
};

} // namespace mx
