#pragma once

#include "KeypadLayout.h"
#include "MemoryKeys.h"
#include "Recalculation.h"
#include "Sequencer.h"
#include "engine/NumberEntry.h"

#include <QChar>

namespace mx {

class CalcCore;
class ClassicRecord;
class KeypadView;

// The keypad's handlers: every button, the keyboard map and the setting controls of the
// keypad area, each routed to the routine that owns it.
class Keypad
{
public:
    Keypad(CalcCore& core, ClassicRecord& classic, KeypadView& view);

    // A click on a keypad button.
    void press(KeyId key);
    // A typed character previewed by the window; true when the keypad acted on it.
    bool FormKeyPress(QChar c);

    void btBackClick();
    void btPointClick();
    void btCHClick();

    // Setting controls.
    void tbClsDecPosChange(int position);
    void cbClsDigitGroupingClick(bool checked);
    void rbClsRadianClick();
    void rbClsDegreeClick();
    void cbClsHistoryClick(bool checked);
    void cbClsTotalsClick(bool checked);
    void cbClsInvClick(bool checked);

    // Keys enabled from the start. Ave, Sum and Dat act on the statistics window and are
    // enabled only while it is open. The statistics keys and PH (print the tape) are answered
    // by the windows, not by press().
    static bool isActive(KeyId key);

    CalcCore& core() { return m_core; }
    Sequencer& sequencer() { return m_sequencer; }
    MemoryKeys& memory() { return m_memory; }
    NumberEntry& entry() { return m_entry; }
    Recalculation& recalculation() { return m_recalculation; }

private:
    // A two-operand or one-operand key, by its row of the operation table.
    void operationKey(KeyId key);

    CalcCore& m_core;
    KeypadView& m_view;
    NumberEntry m_entry;
    Sequencer m_sequencer;
    MemoryKeys m_memory;
    Recalculation m_recalculation;
};

} // namespace mx
