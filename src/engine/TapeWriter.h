#pragma once

#include "CalcValue.h"
#include "NumberSeparators.h"
#include "PictureFormat.h"

#include <QString>

namespace mx {

class TapeSink;

// Lays out tape lines in fixed columns: a 5-character right-aligned sign, one blank, a
// 25-character right-aligned value and the suffix as passed. Texts longer than their
// column are written whole. Widths count characters, so a no-break space is one.
class TapeWriter
{
public:
    TapeWriter(TapeSink& sink, const NumberSeparators& seps);

    static QString layoutLine(const QString& sign, const QString& value, const QString& suffix);

    void WriteTapeLine(const QString& sign, const QString& value, const QString& suffix);
    // The delimiter block of C: an empty line, the delimiter, an empty line, unlaid-out.
    void WriteDelimiter(const QString& delimiter);
    void clear();

    // A number in the tape format.
    QString number(CalcValue value) const { return m_format.format(value, m_seps); }
    void setHistoryFormat(const QString& picture);

    TapeSink& sink() { return m_sink; }

private:
    TapeSink& m_sink;
    NumberSeparators m_seps;
    PictureFormat m_format;
};

} // namespace mx
