#pragma once

#include "engine/NumericField.h"
#include "script/Script.h"

#include <QString>

#include <optional>

namespace mx {

class CalcCore;
class ScriptScope;

// The formula line's evaluation. It shares the calculator's settings, formats, messages
// and tape, but reads and writes none of its registers, flags or pending operation; angles
// are always radians.
class FormulaCalc
{
public:
    // Registers the result field with `core`'s display fields and prepares the engine.
    FormulaCalc(CalcCore& core, ScriptScope& global);

    // Evaluates the formula line's text: shows the result in edClsFrmlRes and writes the
    // tape steps the settings ask for, or shows the message of the failure. For a failure
    // at a position, gives the offset in `formulaText` of the character to select once the
    // message is closed.
    std::optional<qsizetype> btClsRunClick(const QString& formulaText);

    // The frame's Clear button: the result shows the text "0.0".
    void btClsClearClick();
    // The result back to 0, as the main window's Clear command leaves it.
    void resetResult();

    NumericField edClsFrmlRes;

private:
    // Shows a position error at character `offset` of the trimmed formula.
    qsizetype positionError(const QString& message, qsizetype offset, qsizetype leading);
    void showError(const QString& message);
    void writeTape(const QString& formula);

    CalcCore& m_core;
    ScriptScope& m_global;
    Script fsScript;
};

} // namespace mx
