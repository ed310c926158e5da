#include "TapeWriter.h"

#include "CalcState.h"
#include "TapeSink.h"

namespace mx {

TapeWriter::TapeWriter(TapeSink& sink, const NumberSeparators& seps)
    : m_sink(sink), m_seps(seps), m_format(CalcState().HistoryFmt)
{
}

QString TapeWriter::layoutLine(const QString& sign, const QString& value,
                               const QString& suffix)
{
    QString line;
    line.reserve(SignWidth + 1 + ValueWidth + suffix.size() + 8);
    line += QString(qMax(0, SignWidth - int(sign.size())), QLatin1Char(' '));
    line += sign;
    line += QLatin1Char(' ');
    line += QString(qMax(0, ValueWidth - int(value.size())), QLatin1Char(' '));
    line += value;
    line += suffix;
    return line;
}

void TapeWriter::WriteTapeLine(const QString& sign, const QString& value, const QString& suffix)
{
    m_sink.appendLine(layoutLine(sign, value, suffix));
}

void TapeWriter::WriteDelimiter(const QString& delimiter)
{
    m_sink.appendLine(QString());
    m_sink.appendLine(delimiter);
    m_sink.appendLine(QString());
}

void TapeWriter::clear()
{
    m_sink.clearTape();
}

void TapeWriter::setHistoryFormat(const QString& picture)
{
    if (picture != m_format.picture())
        m_format = PictureFormat(picture);
}

} // namespace mx
