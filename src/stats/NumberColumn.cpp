#include "NumberColumn.h"

#include "engine/NumberData.h"
#include "texts/QuotedText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mx {

namespace {

constexpr int kShownChars = 40;

QString badLine(qint64 line, QStringView text, bool outOfRange)
{
    return QStringLiteral("Строка %1: «%2» — %3.")
        .arg(line)
        .arg(quotedText(text, kShownChars),
             outOfRange ? QStringLiteral("число вне допустимого диапазона")
                        : QStringLiteral("не число"));
}

} // namespace

NumberColumn::NumberColumn(QByteArray text, Source source, const NumberText& numbers)
    : m_text(std::move(text)), m_source(source), m_numbers(numbers),
      m_dataFirst(source == Source::File || numbers.separators().thousands != u'.')
{
    if (m_text.startsWith("\xEF\xBB\xBF"))
        m_pos = 3; // a byte order mark
    m_lineCount = m_text.isEmpty() ? 0 : m_text.count('\n') + (m_text.endsWith('\n') ? 0 : 1);
}

double NumberColumn::progress() const
{
    return m_text.isEmpty() ? 1.0 : double(m_pos) / double(m_text.size());
}

bool NumberColumn::read(int lines, std::vector<double>& out)
{
    const char* data = m_text.constData();
    const qsizetype size = m_text.size();
    for (int i = 0; i < lines; ++i) {
        if (m_pos >= size)
            return false;
        // A line ends at "\n", "\r\n" or a lone "\r".
        qsizetype end = m_pos;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        const qsizetype next = end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n'
                                   ? end + 2
                                   : end + 1;
        ++m_line;
        // Lines in the data form, the usual content of a file, skip the conversion to text.
        const char* b = data + m_pos;
        const char* e = data + end;
        while (b != e && (*b == ' ' || *b == '\t'))
            ++b;
        while (e != b && (e[-1] == ' ' || e[-1] == '\t'))
            --e;
        double value;
        m_pos = next;
        if (b == e)
            continue;
        if (m_dataFirst && (m_formatKnown || m_source == Source::Pasted) &&
            readNumberData(b, e, value) == DataRead::Ok) {
            out.push_back(value);
            continue;
        }
        if (!readLine(QString::fromUtf8(b, e - b), out))
            return false;
    }
    return m_pos < size;
}

bool NumberColumn::readLine(QStringView line, std::vector<double>& out)
{
    if (m_source == Source::File)
        return readFileLine(line, out);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != u'\t' && line[i] != u';')
            continue;
        if (i > start && !readPiece(line.mid(start, i - start), line.mid(start, i - start), out))
            return false;
        start = i + 1;
    }
    return true;
}

bool NumberColumn::readFileLine(QStringView line, std::vector<double>& out)
{
    if (!m_formatKnown) {
        // The first line that is not empty decides whether the file is CSV, and is a header
        // when its first field is no number.
        m_formatKnown = true;
        std::vector<double> whole;
        if (line.contains(u';'))
            m_delimiter = u';';
        else if (line.contains(u',') && !readPiece(line, line, whole))
            m_delimiter = u',';
        m_error.clear();
        const QStringView field = m_delimiter.isNull() ? line : firstField(line);
        std::vector<double> first;
        if (!readPiece(field, line, first)) {
            m_error.clear();
            return true;
        }
        out.insert(out.end(), first.begin(), first.end());
        return true;
    }
    return readPiece(m_delimiter.isNull() ? line : firstField(line), line, out);
}

QStringView NumberColumn::firstField(QStringView line) const
{
    if (line.startsWith(u'"')) {
        // A quoted field ends at its closing quote; numbers hold no quotes to escape.
        const qsizetype close = line.indexOf(u'"', 1);
        return close < 0 ? line : line.mid(1, close - 1);
    }
    const qsizetype end = line.indexOf(m_delimiter);
    return end < 0 ? line : line.left(end);
}

bool NumberColumn::readPiece(QStringView piece, QStringView shown, std::vector<double>& out)
{
    const QStringView t = piece.trimmed();
    double value = 0;
    DataRead data = t.isEmpty() || !m_dataFirst ? DataRead::NotData : readNumberData(t, value);
    if (data == DataRead::NotData && !t.isEmpty()) {
        const NumberRead read = m_numbers.read(t.toString(), NumberRange::Double);
        data = read.ok() ? DataRead::Ok
             : read.status == NumberRead::OutOfRange ? DataRead::OutOfRange
                                                     : DataRead::NotData;
        value = double(read.value);
    }
    if (data == DataRead::Ok) {
        out.push_back(value);
        return true;
    }
    m_error = badLine(m_line, shown.trimmed(), data == DataRead::OutOfRange);
    return false;
}

} // namespace mx
