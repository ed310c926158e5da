#pragma once

#include <QString>

namespace mx {

// The formula line's text as the engine gets it: without leading and trailing blanks and
// control characters; `leading` tells how many went from its front.
QString trimmedFormula(const QString& text, qsizetype& leading);

// A trimmed formula may end with ")", a digit, or the "i" of pi; anything else is
// incomplete before the engine sees it.
bool endsAcceptably(const QString& formula);

// The one-line program that assigns a trimmed formula to the result variable. "mod" would
// be the dialect's operator; the Mod template calls the host function M0d.
QString formulaProgram(const QString& formula);
// Where the formula begins in its program, after the assignment put before it.
qsizetype formulaProgramStart();

} // namespace mx
