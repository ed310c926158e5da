#pragma once

#include <QByteArray>
#include <QStringView>

namespace mx {

// Numbers in files, beside NumberText's texts for people: a file is data that other
// programs read in any locale, so its numbers have one form everywhere: an optional "-",
// digits with an optional "." and an optional exponent ("e" or "E", a sign, digits), no
// group marks.
enum class DataRead { Ok, NotData, OutOfRange };

// The shortest text of that form that reads back to the same double.
QByteArray numberDataText(double value);

// Reads a text of that form (the QStringView form ignores blanks around it); a number too small for a double
// reads as 0, one too large is OutOfRange, anything else NotData.
DataRead readNumberData(const char* begin, const char* end, double& value);
DataRead readNumberData(QStringView text, double& value);

} // namespace mx
