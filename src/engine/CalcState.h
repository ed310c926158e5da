#pragma once

#include "CalcValue.h"

#include <QString>

namespace mx {

inline const QString BlankSuffix = QStringLiteral("  ");
constexpr int SignWidth = 5;
constexpr int ValueWidth = 25;
// pi/180 as a double (bit pattern 3F91DF46A2529D39), widened where it is used.
constexpr double DegToRad = 0.017453292519943295;

// The keypad's entry flags and its pending operation: what one calculation leaves for the
// next key. A recalculation hands over its replay's whole.
struct EntryState
{
    bool NewNumber = false;
    bool OpPending = false;
    bool OpJustPressed = true;
    bool EntryActive = false;
    bool AfterEquals = false;
    // Kept in the calculator's own type so that a repeated "=" after a result beyond the
    // double range repeats the operand the user saw.
    CalcValue RepeatOperand = 0;
    QString PendingOp;
    QString PendingLabel;
    QString PendingSuffix = BlankSuffix;
};

// Derived settings and the entry state of the keypad; nothing here is saved.
struct CalcState : EntryState
{
    QString AngleMark = QStringLiteral(" R");
    bool InvMode = false;

    QString DisplayFmt = QStringLiteral("###,###,##0.00");
    QString HistoryFmt = QStringLiteral("###,###,##0.##");
    bool FormatsReady = false;

    bool KeyFocusReady = false;

    EntryState& entry() { return *this; }
    const EntryState& entry() const { return *this; }
};

} // namespace mx
