#include "PictureFormat.h"

#include "DecimalDigits.h"

#include <charconv>
#include <cmath>

namespace mx {

namespace {

// Appends `count` integer digits of `d` (zeros beyond the stored digits), padded to
// `minDigits` with leading zeros and grouped by thousands when `separator` is not null.
void appendInteger(QString& out, const DecimalDigits& d, int count, int minDigits,
                   QChar separator)
{
    const int total = count > minDigits ? count : minDigits;
    const int pad = total - count;
    for (int i = 0; i < total; ++i) {
        if (!separator.isNull() && i > 0 && (total - i) % 3 == 0)
            out += separator;
        out += QLatin1Char(i < pad ? '0' : d.at(i - pad));
    }
}

// Appends the separator and the decimals of `d` from digit position `first` on, `count`
// of them, with trailing zeros dropped down to `keep`.
void appendDecimals(QString& out, const DecimalDigits& d, int first, int count, int keep,
                    QChar decimal)
{
    int len = count;
    while (len > keep && d.at(first + len - 1) == '0')
        --len;
    if (len == 0)
        return;
    out += decimal;
    for (int i = 0; i < len; ++i)
        out += QLatin1Char(d.at(first + i));
}

} // namespace

PictureFormat::PictureFormat(const QString& picture) : m_picture(picture)
{
    // Sections are split at ";" outside quotes.
    QString current;
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char(';') && m_sections.size() < 2) {
            m_sections.push_back(parseSection(current));
            current.clear();
        } else {
            current += c;
        }
    }
    m_sections.push_back(parseSection(current));
}

PictureFormat::Section PictureFormat::parseSection(const QString& text)
{
    Section s;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        QString& literal = s.hasPlaceholders ? s.suffix : s.prefix;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = text.indexOf(c, i + 1);
            const int stop = end < 0 ? int(text.size()) : end;
            literal += text.mid(i + 1, stop - i - 1);
            i = stop;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !s.exponent) {
            s.hasPlaceholders = true;
            if (s.hasPoint) {
                ++s.maxDecimals;
                if (c == QLatin1Char('0'))
                    s.minDecimals = s.maxDecimals;
            } else {
                ++s.integerDigits;
                if (c == QLatin1Char('0'))
                    ++s.integerZeros;
            }
        } else if (c == QLatin1Char(',') && !s.hasPoint && !s.exponent) {
            s.grouping = true;
        } else if (c == QLatin1Char('.') && !s.hasPoint && !s.exponent) {
            s.hasPoint = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && s.hasPlaceholders &&
                   !s.exponent && i + 1 < text.size() &&
                   (text[i + 1] == QLatin1Char('+') || text[i + 1] == QLatin1Char('-'))) {
            s.exponent = true;
            s.exponentPlus = text[i + 1] == QLatin1Char('+');
            ++i;
            while (i + 1 < text.size() && text[i + 1] == QLatin1Char('0')) {
                ++s.exponentDigits;
                ++i;
            }
        } else {
            literal += c;
        }
    }
    return s;
}

QString PictureFormat::format(CalcValue value, const NumberSeparators& seps) const
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    const Section* section = &m_sections.front();
    bool showMinus = true;
    if (value < 0 && m_sections.size() >= 2) {
        section = &m_sections[1];
        showMinus = false;
    } else if (value == 0 && m_sections.size() >= 3) {
        section = &m_sections[2];
    }
    return formatSection(*section, std::fabs(value), showMinus && value < 0, seps);
}

QString PictureFormat::formatSection(const Section& s, CalcValue magnitude, bool negative,
                                     const NumberSeparators& seps) const
{
    if (!s.hasPlaceholders)
        return s.prefix + s.suffix;

    const DecimalDigits d = DecimalDigits::fromValue(magnitude);
    bool zero = false;
    QString body;
    if (s.exponent) {
        body = formatExponent(s, d, seps, zero);
    } else {
        body = formatFixed(s, d, seps, zero);
        if (body.isNull())
            return generalForm(d, negative, seps);
    }
    // A value that rounds to zero at the shown digits carries no minus sign.
    const QString sign = negative && !zero ? QStringLiteral("-") : QString();
    return sign + s.prefix + body + s.suffix;
}

// Returns a null string when the integer part is too long for a fixed picture.
QString PictureFormat::formatFixed(const Section& s, const DecimalDigits& d,
                                   const NumberSeparators& seps, bool& zero)
{
    const DecimalDigits r = d.roundedTo(d.exponent + s.maxDecimals);
    zero = r.isZero();
    const int intCount = zero ? 0 : r.exponent;
    if (intCount > kMaxFixedIntegerDigits)
        return QString();

    QString out;
    out.reserve(48);
    appendInteger(out, r, intCount > 0 ? intCount : 0, s.integerZeros,
                  s.grouping ? seps.thousands : QChar());
    // Below 1 the decimals start at the (negative) exponent; a zero result reads all '0'.
    appendDecimals(out, r, intCount, s.maxDecimals, s.minDecimals, seps.decimal);
    return out;
}

QString PictureFormat::formatExponent(const Section& s, const DecimalDigits& d,
                                      const NumberSeparators& seps, bool& zero)
{
    const int lead = s.integerDigits > 0 ? s.integerDigits : 1;
    const DecimalDigits r = d.roundedTo(lead + s.maxDecimals);
    zero = r.isZero();
    const int exp10 = zero ? 0 : r.exponent - lead;

    QString out;
    out.reserve(32);
    appendInteger(out, r, lead, 0, QChar());
    appendDecimals(out, r, lead, s.maxDecimals, s.minDecimals, seps.decimal);
    out += QLatin1Char('E');
    if (exp10 < 0)
        out += QLatin1Char('-');
    else if (s.exponentPlus)
        out += QLatin1Char('+');
    char digits[16];
    const auto res = std::to_chars(digits, digits + sizeof digits, exp10 < 0 ? -exp10 : exp10);
    for (int i = int(res.ptr - digits); i < s.exponentDigits; ++i)
        out += QLatin1Char('0');
    out += QLatin1String(digits, res.ptr - digits);
    return out;
}

QString formatGeneral(CalcValue value, const NumberSeparators& seps)
{
    if (!std::isfinite(value))
        return PictureFormat(QStringLiteral("0")).format(value, seps);
    return generalForm(DecimalDigits::fromValue(value), std::signbit(value), seps);
}

QString generalForm(const DecimalDigits& digits, bool negative, const NumberSeparators& seps)
{
    const DecimalDigits r = digits.roundedTo(PictureFormat::kGeneralDigits);
    if (r.isZero())
        return QStringLiteral("0");
    QString out = negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(r.digits[0]);
    if (r.count > 1) {
        out += seps.decimal;
        out += QLatin1String(r.digits.data() + 1, r.count - 1);
    }
    return out + QLatin1Char('E') + QString::number(r.exponent - 1);
}

} // namespace mx
