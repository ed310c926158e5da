#pragma once

#include "CalcFault.h"
#include "CalcSettings.h"
#include "CalcValue.h"
#include "OperationCodes.h"

#include <QString>

namespace mx {

class MessagePort;
class NumericField;

struct EvalOutcome
{
    CalcValue value = 0;
    CalcFault fault = CalcFault::None;
};

// Computes every keypad operation in extended precision on the calculator registers, with
// its domain checks and the floating-point faults turned into the user's messages.
class Evaluator
{
public:
    // Angles follow settings.Radian: radians when true, degrees otherwise.
    Evaluator(MessagePort& messages, const CalcSettings& settings)
        : m_messages(messages), m_settings(settings)
    {
    }

    // Reads the three registers, computes, and on success writes the result into `input`
    // and the operands back into `right` and `left`, in that order. On failure shows the
    // message and writes nothing. A code outside the set succeeds and changes nothing.
    bool Evaluate(const QString& code, NumericField& input, NumericField& right,
                  NumericField& left);

    // The arithmetic alone, without registers or messages.
    static EvalOutcome compute(OpId op, CalcValue right, CalcValue left, bool radian);

    static CalcValue piValue();

private:
    MessagePort& m_messages;
    const CalcSettings& m_settings;
};

} // namespace mx
