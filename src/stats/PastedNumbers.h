#pragma once

#include "engine/NumberSeparators.h"

#include <QString>

#include <vector>

namespace mx {

// A column of numbers as copied from a spreadsheet or a text file: pieces separated by line
// breaks, tabs or semicolons (never by a blank, which may group a number's digits). Either every piece is a number, or `error` names the
// first that is not, with its line.
struct PastedNumbers
{
    std::vector<double> values;
    QString error;
};

PastedNumbers parsePastedNumbers(const QString& text, const NumberSeparators& seps);

} // namespace mx
