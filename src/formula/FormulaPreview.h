#pragma once

#include <QString>

#include <optional>

namespace mx {

// The value a formula would have if it were run now, computed without a word: no message,
// no tape line, no result field. Every call runs on a fresh global scope of its own with
// the host functions, so that it shares nothing with the formula line's engine and may
// run on any thread. Nothing for a blank, incomplete or wrong formula.
std::optional<double> previewFormula(const QString& formulaText);

} // namespace mx
