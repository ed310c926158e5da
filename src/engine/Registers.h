#pragma once

namespace mx {

class NumericField;

// Register moves. ShiftRegisters lets the oldest value fall out of `left`:
// left := right, right := input, input := "0".
void ShiftRegisters(NumericField& input, NumericField& right, NumericField& left);
void CopyRegister(const NumericField& from, NumericField& to);
void ClearRegister(NumericField& reg);

} // namespace mx
