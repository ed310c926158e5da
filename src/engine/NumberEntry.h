#pragma once

#include "CalcValue.h"

#include <QString>

namespace mx {

class CalcCore;
class NumericField;

// Typing a number into the input register: digits, the decimal point, the sign and
// Backspace, under the entry limits of the current number of decimals.
class NumberEntry
{
public:
    explicit NumberEntry(CalcCore& core) : m_core(core) {}

    // Appends typed characters to a register's text; false when refused (a beep) or when
    // the text would name a number beyond the calculator's range (a message).
    bool AppendEntry(NumericField& reg, const QString& characters);

    // A digit 1 to 9, or "0" typed on the keyboard.
    void EnterDigit(const QString& digit);
    // The on-screen key 0: typed decimal zeros stay visible.
    void EnterZero();
    void EnterPoint();
    void ToggleSign();
    void Backspace();

    // Ctrl+V: a number from the clipboard becomes the input as if newly typed, rounded to
    // the display's decimals. False when refused, with nothing changed: a beep for an
    // empty clipboard, the program's message naming any other text that is no number.
    bool PasteNumber(const QString& text);
    // A number that becomes the input as if newly typed, rounded to the display's decimals:
    // what paste does once the text is read.
    void EnterNumber(CalcValue value);
    // Ctrl+C: the input as shown, without thousands separators.
    QString CopiedNumber() const;

private:
    // Shows the entry again through the display format. While the display is an exponent
    // form (floating mode, or 10^18 and more) the typed text stays as it is, so that
    // further digits extend the number; the next operation shows it formatted. An entry of
    // 10^18 and more likewise keeps its digits instead of the general exponent form.
    void showEntry();
    // An entry of 10^18 and more, shown with its typed digits grouped by the setting.
    QString regroupedEntry(const QString& text) const;

    CalcCore& m_core;
};

} // namespace mx
