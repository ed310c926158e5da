#pragma once

#include <QString>
#include <QStringList>

namespace mx {

class CalcCore;
struct TapeCalculation;

// Recalculate: works one calculation of the tape again as it stands now, edits included,
// through the keys' own sequencing and evaluator on registers of its own, then appends it
// to the tape after a header line naming the lines it recalculates, and puts its result
// into the input register as "=" does. The keypad's registers and flags are untouched
// until then; the lines above stay as they are.
class Recalculation
{
public:
    explicit Recalculation(CalcCore& core) : m_core(core) {}

    // The calculation that holds the 0-based tape line `line`. A refused one shows its
    // message and changes nothing; false then.
    bool Recalculate(int line);

    // "---- Пересчёт строк 12-19 ----" for the 0-based lines first..last.
    static QString headerLine(int first, int last);

private:
    CalcCore& m_core;
};

} // namespace mx
