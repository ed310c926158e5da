#include "NumberText.h"

#include "DecimalDigits.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace mx {

namespace {

constexpr int kGeneralDigits = 15;
// Decimal exponents (of the first digit) shown without the exponent form.
constexpr int kLowestFixedExponent = -4;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isMinus(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2212);
}

// Rough decimal order of magnitude of mantissa x 10^exponent, enough to tell a number too
// large for the type from one too small.
long long decimalMagnitude(const std::string& mantissa, const std::string& exponent,
                           bool exponentNegative)
{
    const auto point = mantissa.find('.');
    const std::string intPart = mantissa.substr(0, point);
    const auto firstInt = intPart.find_first_not_of('0');
    long long magnitude = 0;
    if (firstInt != std::string::npos) {
        magnitude = (long long)(intPart.size() - firstInt);
    } else if (point != std::string::npos) {
        const auto firstFrac = mantissa.find_first_not_of('0', point + 1);
        magnitude = -(long long)(firstFrac - point - 1);
    }
    long long exp10 = 0;
    for (char ch : exponent) {
        exp10 = exp10 * 10 + (ch - '0');
        if (exp10 > 1000000000LL)
            break;
    }
    return magnitude + (exponentNegative ? -exp10 : exp10);
}

// The value of an ASCII mantissa ("123.45", at least one digit) and exponent digits. Too
// small reads as 0; too large sets `overflow` and gives infinity.
CalcValue toValue(const std::string& mantissa, const std::string& exponent,
                  bool exponentNegative, bool& overflow)
{
    std::string number = mantissa;
    if (!exponent.empty()) {
        // Leading zeros of the exponent carry no meaning and would only lengthen the text.
        const auto first = exponent.find_first_not_of('0');
        number += exponentNegative ? "e-" : "e";
        number += first == std::string::npos ? std::string("0") : exponent.substr(first);
    }
    CalcValue v = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v,
                                     std::chars_format::general);
    overflow = false;
    if (res.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(mantissa, exponent, exponentNegative) > 0) {
            overflow = true;
            v = std::numeric_limits<CalcValue>::infinity();
        } else {
            v = 0;
        }
    }
    return v;
}

// Strict reading of an unsigned number without blanks around it.
class StrictReader
{
public:
    StrictReader(const QString& text, const NumberSeparators& seps) : m_t(text), m_seps(seps) {}

    // Fills mantissa and exponent; false when the text is no number.
    bool run()
    {
        if (!integerPart())
            return false;
        if (at(m_i) && isDecimal(m_t[m_i])) {
            m_mantissa.push_back('.');
            ++m_i;
            m_digits += digits(m_mantissa);
        }
        if (m_digits == 0)
            return false;
        if (at(m_i) && (m_t[m_i] == QLatin1Char('E') || m_t[m_i] == QLatin1Char('e'))) {
            ++m_i;
            if (at(m_i) && (m_t[m_i] == QLatin1Char('+') || isMinus(m_t[m_i]))) {
                m_exponentNegative = m_t[m_i] != QLatin1Char('+');
                ++m_i;
            }
            if (digits(m_exponent) == 0)
                return false;
        }
        return m_i == m_t.size();
    }

    std::string m_mantissa;
    std::string m_exponent;
    bool m_exponentNegative = false;

private:
    bool at(qsizetype i) const { return i < m_t.size(); }

    bool isDecimal(QChar c) const
    {
        return c == m_seps.decimal ||
               (c == QLatin1Char('.') && m_seps.thousands != QLatin1Char('.'));
    }

    bool isGroupMark(QChar c) const
    {
        return !isDecimal(c) && (c == m_seps.thousands || c == QLatin1Char(' ') ||
                                 c == QChar(0x00A0) || c == QChar(0x202F));
    }

    int digits(std::string& out)
    {
        int n = 0;
        for (; at(m_i) && isAsciiDigit(m_t[m_i]); ++m_i, ++n)
            out.push_back(char(m_t[m_i].unicode()));
        return n;
    }

    // Digits, grouped by one kind of mark into groups of three after a first group of one
    // to three digits, or not grouped at all.
    bool integerPart()
    {
        const int first = digits(m_mantissa);
        m_digits = first;
        if (!at(m_i) || !isGroupMark(m_t[m_i]))
            return true;
        if (first < 1 || first > 3)
            return false;
        const QChar mark = m_t[m_i];
        while (at(m_i) && m_t[m_i] == mark) {
            ++m_i;
            if (digits(m_mantissa) != 3)
                return false;
            m_digits += 3;
        }
        // A different mark, or digits or a group mark right after the last group, fails.
        return !(at(m_i) && isGroupMark(m_t[m_i]));
    }

    const QString& m_t;
    const NumberSeparators& m_seps;
    qsizetype m_i = 0;
    int m_digits = 0;
};

} // namespace

QString NumberText::general(CalcValue value) const
{
    return generalText(value, true);
}

QString NumberText::plain(CalcValue value) const
{
    return generalText(value, false);
}

QString NumberText::generalText(CalcValue value, bool grouped) const
{
    if (!std::isfinite(value))
        return PictureFormat(QStringLiteral("0")).format(value, m_seps);
    const DecimalDigits d = DecimalDigits::fromValue(value, kGeneralDigits);
    QString body;
    if (d.isZero()) {
        body = QStringLiteral("0");
    } else if (d.exponent - 1 < kLowestFixedExponent || d.exponent > kGeneralDigits) {
        body += QLatin1Char(d.at(0));
        if (d.count > 1) {
            body += m_seps.decimal;
            body += QLatin1String(d.digits.data() + 1, d.count - 1);
        }
        body += QLatin1Char('E');
        body += QString::number(d.exponent - 1);
    } else {
        const int integers = d.exponent > 0 ? d.exponent : 0;
        for (int i = 0; i < integers; ++i) {
            if (grouped && i > 0 && (integers - i) % 3 == 0)
                body += m_seps.thousands;
            body += QLatin1Char(d.at(i));
        }
        if (integers == 0)
            body += QLatin1Char('0');
        if (d.count > integers) {
            body += m_seps.decimal;
            for (int i = d.exponent; i < 0; ++i)
                body += QLatin1Char('0');
            for (int i = integers; i < d.count; ++i)
                body += QLatin1Char(d.at(i));
        }
    }
    if (!d.negative || d.isZero())
        return body;
    return grouped ? QLatin1Char('(') + body + QLatin1Char(')') : QLatin1Char('-') + body;
}

QString NumberText::copyText(const QString& shown) const
{
    QString out;
    out.reserve(shown.size());
    for (QChar c : shown) {
        if (c != m_seps.thousands && c != QLatin1Char(' ') && c != QChar(0x00A0) &&
            c != QChar(0x202F))
            out += c;
    }
    if (out.endsWith(m_seps.decimal))
        out.chop(1);
    return out;
}

NumberRead NumberText::read(const QString& text, NumberRange range) const
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return {NumberRead::Empty, 0};
    bool negative = false;
    if (t.size() >= 2 && t.front() == QLatin1Char('(') && t.back() == QLatin1Char(')')) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    } else if (isMinus(t.front())) {
        negative = true;
        t.remove(0, 1);
    }
    StrictReader reader(t, m_seps);
    if (!reader.run())
        return {NumberRead::NotANumber, 0};
    bool overflow = false;
    const CalcValue v =
        toValue(reader.m_mantissa, reader.m_exponent, reader.m_exponentNegative, overflow);
    const CalcValue limit =
        range == NumberRange::Double ? CalcValue(DBL_MAX) : std::numeric_limits<CalcValue>::max();
    if (overflow || !(v <= limit))
        return {NumberRead::OutOfRange, 0};
    return {NumberRead::Ok, negative ? -v : v};
}

ParsedNumber NumberText::readField(const QString& text) const
{
    std::string mantissa;
    std::string exponent;
    bool negative = false;
    bool pointSeen = false;
    bool inExponent = false;
    bool exponentNegative = false;
    bool exponentSignAllowed = false;
    mantissa.reserve(32);

    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            (inExponent ? exponent : mantissa).push_back(char(u));
            exponentSignAllowed = false;
        } else if (c == m_seps.decimal && !inExponent) {
            if (!pointSeen) {
                mantissa.push_back('.');
                pointSeen = true;
            }
        } else if ((u == u'E' || u == u'e') && !inExponent) {
            inExponent = true;
            exponentSignAllowed = true;
        } else if (u == u'-' && exponentSignAllowed) {
            exponentNegative = true;
            exponentSignAllowed = false;
        } else if (u == u'+' && exponentSignAllowed) {
            exponentSignAllowed = false;
        } else if (u == u'-') {
            negative = true;
        }
    }

    ParsedNumber result;
    if (mantissa.find_first_not_of('.') == std::string::npos)
        return result;
    const CalcValue v = toValue(mantissa, exponent, exponentNegative, result.overflow);
    result.value = negative ? -v : v;
    return result;
}

QString NumberText::refusal(NumberRead::Status status, const QString& text)
{
    return (status == NumberRead::OutOfRange
                ? QStringLiteral("Число вне допустимого диапазона: %1")
                : QStringLiteral("Это не число: %1"))
        .arg(text.left(40));
}

} // namespace mx
