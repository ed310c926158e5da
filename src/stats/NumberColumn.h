#pragma once

#include "engine/NumberText.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace mx {

// A column of numbers read from UTF-8 text a slice of lines at a time, so that a million
// lines never hold up the window. Two sources, two sets of rules:
// - Pasted: a column copied from a spreadsheet or a text file; every piece of every line
//   (pieces are separated by tabs or semicolons, never by a blank) is a number.
// - File: a text or CSV file; one number per line, or the first field of each line where
//   the file is CSV (its first line has a ";", or a "," without being a number itself:
//   then "," or ";" delimits fields; a field may be in double quotes). The first line is
//   skipped when its first field is not a number (a header). A field is read as data
//   first (NumberData: as export writes it), then as a user types it (NumberText::read);
//   pasted pieces likewise, unless "." is the user's group mark.
// Empty lines are skipped. The first line that breaks the rules stops the reading.
class NumberColumn
{
public:
    enum class Source { Pasted, File };

    NumberColumn(QByteArray text, Source source, const NumberText& numbers);

    // Reads up to `lines` more lines, adding their numbers to `out`; false once the text
    // is exhausted or a line was bad (then error() says which).
    bool read(int lines, std::vector<double>& out);

    // "Строка 3: «abc» — не число." for the first bad line; empty while none.
    const QString& error() const { return m_error; }
    // The share of the text read so far, from 0 to 1.
    double progress() const;
    // The number of lines in the text, counted at once.
    qint64 lineCount() const { return m_lineCount; }

private:
    // Reads one line's numbers into `out`; false with m_error set when it is bad.
    bool readLine(QStringView line, std::vector<double>& out);
    bool readFileLine(QStringView line, std::vector<double>& out);
    // One number; a bad one sets m_error, showing `shown` (the piece, or a file's line).
    bool readPiece(QStringView piece, QStringView shown, std::vector<double>& out);
    // The first field of a CSV line, without its quotes.
    QStringView firstField(QStringView line) const;

    QByteArray m_text;
    Source m_source;
    NumberText m_numbers;
    // Whether the data form is tried first: always in files; in pasted text unless "." is
    // the group mark, where "2.5" is no number a user may have meant.
    bool m_dataFirst;
    qsizetype m_pos = 0;
    qint64 m_line = 0; // lines read so far
    qint64 m_lineCount = 0;
    QChar m_delimiter; // of a CSV file; null for one number per line
    bool m_formatKnown = false;
    QString m_error;
};

} // namespace mx
