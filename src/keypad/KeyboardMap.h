#pragma once

#include <QChar>

#include <optional>

namespace mx {

// What a typed character does on the keypad. Function, percent, memory, sign and pi keys
// have no keyboard route.
struct KeyboardAction
{
    enum Kind { Backspace, Equals, Digit, Operator, Point, Clear, ClearEntry };
    Kind kind;
    QChar character; // the digit or the operator for Digit and Operator
};

std::optional<KeyboardAction> mapTypedCharacter(QChar c);

} // namespace mx
