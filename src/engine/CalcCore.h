#pragma once

#include "CalcSettings.h"
#include "CalcState.h"
#include "Evaluator.h"
#include "NumberSeparators.h"
#include "NumberText.h"
#include "NumericField.h"
#include "TapeWriter.h"

#include <vector>

namespace mx {

class CalcHost;
class MessagePort;
class TapeSink;

// The calculator's state: settings, flags, the four registers, the evaluator and the tape
// writer, with the routines that every keypad action shares.
class CalcCore
{
public:
    CalcCore(const NumberSeparators& seps, CalcHost& host, MessagePort& messages,
             TapeSink& tape);

    const NumberSeparators& seps() const { return m_numbers.separators(); }
    // Every number text shown or read, with the separators the calculator was given.
    const NumberText& numbers() const { return m_numbers; }
    CalcHost& host() { return m_host; }
    MessagePort& messages() { return m_messages; }

    // Read freely; DecPos, DigitGrouping and Radian are changed through the setters below.
    CalcSettings settings;
    CalcState state;

    NumericField edOp0;
    NumericField edOp1;
    NumericField edOp2;
    NumericField edMem;

    Evaluator evaluator;
    TapeWriter tape;

    // Fields formatted with DisplayFmt besides the registers (the formula result).
    void addDisplayField(NumericField& field) { m_extraFields.push_back(&field); }

    void SetPendingOp(const QString& code, const QString& label);
    void RestoreKeyFocus();
    void ParkFocus();

    // DisplayFmt and HistoryFmt from DecPos and DigitGrouping; sets FormatsReady.
    void BuildFormats();
    // Once the formats are built, gives DisplayFmt to every display field.
    void ApplyDisplayFormat();

    // The settings that others depend on change only through these, which keep the rest
    // consistent: the formats are rebuilt and given to the fields when DecPos or grouping
    // change, and the angle mark follows Radian.
    void setDecPos(int decPos);
    void setDigitGrouping(bool grouping);
    void setRadian(bool radian);
    // A whole set of settings at once, as loaded at start or applied by the options dialog.
    void setSettings(const CalcSettings& settings);

    // The start of a calculator's life with the loaded settings: formats built and shown
    // whatever their values, flags for a fresh start, the two shown registers cleared, the
    // indicator emptied, and typed keys accepted from then on.
    void start(const CalcSettings& loaded);

    // Value formatted for the tape.
    QString tapeNumber(const NumericField& reg) const { return tape.number(reg.value()); }

private:
    NumberText m_numbers;
    CalcHost& m_host;
    MessagePort& m_messages;
    std::vector<NumericField*> m_extraFields;
};

} // namespace mx
