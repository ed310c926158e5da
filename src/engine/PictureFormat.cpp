#include "PictureFormat.h"

#include "DecimalDigits.h"

#include <cmath>

namespace mx {

namespace {

QString groupDigits(const QString& digits, QChar separator)
{
    if (digits.size() <= 3)
        return digits;
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int lead = int(digits.size() % 3);
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

// The decimals of `d` from digit position `first` on, `count` of them, with trailing zeros
// dropped down to `keep`.
QString decimalsOf(const DecimalDigits& d, int first, int count, int keep)
{
    QString frac;
    frac.reserve(count);
    for (int i = 0; i < count; ++i)
        frac += QLatin1Char(d.at(first + i));
    int len = int(frac.size());
    while (len > keep && frac[len - 1] == QLatin1Char('0'))
        --len;
    frac.truncate(len);
    return frac;
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
            return formatGeneral(negative ? -magnitude : magnitude, seps);
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

    QString intPart;
    for (int i = 0; i < intCount; ++i)
        intPart += QLatin1Char(r.at(i));
    while (intPart.size() < s.integerZeros)
        intPart.prepend(QLatin1Char('0'));
    if (s.grouping)
        intPart = groupDigits(intPart, seps.thousands);

    // With a zero result every decimal reads '0'; r.exponent is 0 then.
    const QString frac = decimalsOf(r, intCount, s.maxDecimals, s.minDecimals);
    if (frac.isEmpty())
        return intPart;
    return intPart + seps.decimal + frac;
}

QString PictureFormat::formatExponent(const Section& s, const DecimalDigits& d,
                                      const NumberSeparators& seps, bool& zero)
{
    const int lead = s.integerDigits > 0 ? s.integerDigits : 1;
    const DecimalDigits r = d.roundedTo(lead + s.maxDecimals);
    zero = r.isZero();
    const int exp10 = zero ? 0 : r.exponent - lead;

    QString intPart;
    for (int i = 0; i < lead; ++i)
        intPart += QLatin1Char(r.at(i));
    const QString frac = decimalsOf(r, lead, s.maxDecimals, s.minDecimals);

    QString expText = QString::number(std::abs(exp10));
    while (expText.size() < s.exponentDigits)
        expText.prepend(QLatin1Char('0'));
    const QString expSign = exp10 < 0 ? QStringLiteral("-")
                                      : (s.exponentPlus ? QStringLiteral("+") : QString());
    QString out = intPart;
    if (!frac.isEmpty())
        out += seps.decimal + frac;
    return out + QLatin1Char('E') + expSign + expText;
}

QString formatGeneral(CalcValue value, const NumberSeparators& seps)
{
    if (!std::isfinite(value))
        return PictureFormat(QStringLiteral("0")).format(value, seps);
    const DecimalDigits r =
        DecimalDigits::fromValue(value).roundedTo(PictureFormat::kGeneralDigits);
    if (r.isZero())
        return QStringLiteral("0");
    QString out = r.negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(r.digits[0]);
    if (r.digits.size() > 1) {
        out += seps.decimal;
        out += QString::fromLatin1(r.digits.data() + 1, qsizetype(r.digits.size() - 1));
    }
    return out + QLatin1Char('E') + QString::number(r.exponent - 1);
}

QString formatFloat(CalcValue value, const QString& picture, const NumberSeparators& seps)
{
    return PictureFormat(picture).format(value, seps);
}

} // namespace mx
