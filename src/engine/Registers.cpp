#include "Registers.h"

#include "NumericField.h"

namespace mx {

void ShiftRegisters(NumericField& input, NumericField& right, NumericField& left)
{
    left.setValue(right.value());
    right.setValue(input.value());
    input.setText(QStringLiteral("0"));
}

void CopyRegister(const NumericField& from, NumericField& to)
{
    to.setValue(from.value());
}

void ClearRegister(NumericField& reg)
{
    reg.setText(QStringLiteral("0"));
}

} // namespace mx
