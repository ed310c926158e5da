#include "NumberColumn.h"

#include "StatNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mx {

namespace {

constexpr int kShownChars = 40;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal exponent of the first significant digit of a data number already checked,
// to tell a value too small for a double (read as 0) from one too large.
long long leadingExponent(const char* b, const char* e)
{
    const char* point = std::find(b, e, '.');
    const char* exp = std::find_if(b, e, [](char c) { return c == 'e' || c == 'E'; });
    if (point > exp)
        point = exp;
    long long written = 0;
    if (exp != e) {
        std::from_chars_result r = std::from_chars(exp + 1 + (exp[1] == '+'), e, written);
        if (r.ec != std::errc())
            written = exp[1] == '-' ? -(1LL << 40) : (1LL << 40);
    }
    const char* first = std::find_if(b, exp, [](char c) { return c >= '1' && c <= '9'; });
    if (first == exp)
        return 0;
    const long long place = first < point ? point - first - 1 : point - first;
    return place + written;
}

DataRead readDataBytes(const char* b, const char* e, double& value)
{
    // [-] digits [. digits] [(e|E) [+|-] digits], with at least one digit in the mantissa.
    const char* p = b;
    if (p != e && *p == '-')
        ++p;
    int digits = 0;
    while (p != e && isDigit(*p))
        ++p, ++digits;
    if (p != e && *p == '.')
        for (++p; p != e && isDigit(*p); ++p)
            ++digits;
    if (digits == 0)
        return DataRead::NotData;
    if (p != e && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != e && (*p == '+' || *p == '-'))
            ++p;
        if (p == e || !isDigit(*p))
            return DataRead::NotData;
        while (p != e && isDigit(*p))
            ++p;
    }
    if (p != e)
        return DataRead::NotData;
    const std::from_chars_result r = std::from_chars(b, e, value);
    if (r.ec == std::errc::result_out_of_range) {
        if (leadingExponent(b, e) > 0)
            return DataRead::OutOfRange;
        value = *b == '-' ? -0.0 : 0.0; // below the smallest double: 0, as typed numbers
        return DataRead::Ok;
    }
    return r.ec == std::errc() && r.ptr == e && std::isfinite(value) ? DataRead::Ok
                                                                      : DataRead::NotData;
}

QString badLine(qint64 line, QStringView text, bool outOfRange)
{
    return QStringLiteral("Строка %1: «%2» — %3.")
        .arg(line)
        .arg(text.left(kShownChars).toString(),
             outOfRange ? QStringLiteral("число вне допустимого диапазона")
                        : QStringLiteral("не число"));
}

} // namespace

DataRead readDataNumber(QStringView text, double& value)
{
    char buffer[64];
    const QStringView t = text.trimmed();
    if (t.size() > qsizetype(sizeof buffer))
        return DataRead::NotData; // no number of the data form is this long
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c > 0x7F)
            return DataRead::NotData;
        buffer[i] = char(c);
    }
    return readDataBytes(buffer, buffer + t.size(), value);
}

QByteArray dataNumberText(double value)
{
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(r.ptr - buffer));
}

NumberColumn::NumberColumn(QByteArray text, Source source, const NumberSeparators& seps)
    : m_text(std::move(text)), m_source(source), m_seps(seps),
      m_dataFirst(source == Source::File || seps.thousands != u'.')
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
            readDataBytes(b, e, value) == DataRead::Ok) {
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
        if (i < line.size() && line[i] != u'\t' && line[i] != u';' && line[i] != u' ')
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
    DataRead data = t.isEmpty() || !m_dataFirst ? DataRead::NotData : readDataNumber(t, value);
    if (data == DataRead::NotData && !t.isEmpty()) {
        const StatParse p = parseStatNumber(t.toString(), m_seps);
        data = p.status == StatParse::Ok ? DataRead::Ok
             : p.status == StatParse::OutOfRange ? DataRead::OutOfRange
                                                 : DataRead::NotData;
        value = p.value;
    }
    if (data == DataRead::Ok) {
        out.push_back(value);
        return true;
    }
    m_error = badLine(m_line, shown.trimmed(), data == DataRead::OutOfRange);
    return false;
}

} // namespace mx
