#pragma once

#include "CalcValue.h"
#include "NumberSeparators.h"
#include "PictureFormat.h"

#include <QString>

namespace mx {

// The outcome of reading a text that a user typed or pasted.
struct NumberRead
{
    enum Status { Ok, Empty, NotANumber, OutOfRange };
    Status status = NotANumber;
    CalcValue value = 0;

    bool ok() const { return status == Ok; }
};

// The number read from a text the program wrote itself (a field's own text).
struct ParsedNumber
{
    CalcValue value = 0;
    bool overflow = false; // the text names a number beyond the calculator's range
};

// Where a read number must fit: the calculator's extended type, or a double (the
// statistics sample).
enum class NumberRange { Extended, Double };

// Every number text of the program, written and read with one set of separators that the
// shell takes once from the system locale (NumberSeparators::fromSystemLocale) and passes
// down. Nothing here consults the C library's locale.
class NumberText
{
public:
    explicit NumberText(const NumberSeparators& seps = {}) : m_seps(seps) {}

    const NumberSeparators& separators() const { return m_seps; }

    // --- Writing ---

    // A value in a picture format (the display and tape formats).
    QString picture(CalcValue value, const PictureFormat& format) const
    {
        return format.format(value, m_seps);
    }
    QString picture(CalcValue value, const QString& format) const
    {
        return PictureFormat(format).format(value, m_seps);
    }

    // Up to 15 significant digits, the integer part grouped by thousands, a negative value
    // in parentheses: "1 234,5", "(0,25)". Magnitudes from 1E15 on and below 1E-4 take the
    // exponent form "1,5E-7", "(1E100)". A value that is not finite gives "INF", "-INF"
    // or "NAN".
    QString general(CalcValue value) const;

    // The same digits as general() without group marks and with a leading "-": a text for
    // other programs (clipboard, files) that reads back in this locale.
    QString plain(CalcValue value) const;

    // The text that Ctrl+C copies from a field showing `shown`: group marks and a
    // trailing decimal separator left out, the rest as shown.
    QString copyText(const QString& shown) const;

    // --- Reading ---

    // Reads what a user typed or pasted, strictly. Blanks around the text are ignored; a
    // leading "-" (or U+2212) or enclosing parentheses make it negative. The decimal
    // separator is the system's, or "." too when the system's group mark is not ".". Group
    // marks (the system's, a blank, U+00A0 or U+202F, one kind in a number) stand only
    // between groups of exactly three digits after a first group of one to three digits.
    // An exponent is "E" or "e", an optional sign and digits. Anything else is NotANumber;
    // an empty text is Empty; a number beyond `range` is OutOfRange; one too small for it
    // reads as 0.
    NumberRead read(const QString& text, NumberRange range = NumberRange::Extended) const;

    // Reads a text the program wrote itself (a register's text): digits and the decimal
    // separator make the mantissa, "E" or "e" starts an exponent (a sign right after it is
    // its sign), a "-" anywhere else makes the number negative, and every other character
    // (group marks, blanks) is skipped. A text without digits reads as 0.
    ParsedNumber readField(const QString& text) const;

    // The program's message for a text that read as no number or out of range.
    static QString refusal(NumberRead::Status status, const QString& text);

private:
    QString generalText(CalcValue value, bool grouped) const;

    NumberSeparators m_seps;
};

} // namespace mx
