#pragma once

#include "CalcValue.h"
#include "NumberSeparators.h"

#include <QString>

#include <vector>

namespace mx {

// Picture number formats: "0" a digit always shown, "#" a digit shown when significant,
// "," in the integer part groups by thousands, "." the decimal point, "E+0000" / "E-0000"
// exponent form, text in quotes or any other character shown as it stands, and up to three
// sections "positive;negative;zero" (the negative section shows no minus sign of its own).
// "," and "." print as the injected separators. Values round half away from zero.
class PictureFormat
{
public:
    PictureFormat() = default;
    explicit PictureFormat(const QString& picture);

    const QString& picture() const { return m_picture; }

    QString format(CalcValue value, const NumberSeparators& seps) const;

    // Integer digits beyond which a fixed picture gives way to the general exponent form.
    static constexpr int kMaxFixedIntegerDigits = 18;
    static constexpr int kGeneralDigits = 15;

private:
    struct Section
    {
        QString prefix;
        QString suffix;
        int integerZeros = 0;   // "0" placeholders before the point
        int integerDigits = 0;  // all placeholders before the point
        int minDecimals = 0;    // decimals up to the last "0" after the point
        int maxDecimals = 0;    // all placeholders after the point
        bool grouping = false;
        bool hasPoint = false;
        bool exponent = false;
        bool exponentPlus = false; // "E+": the exponent sign is always shown
        int exponentDigits = 0;
        bool hasPlaceholders = false;
    };

    static Section parseSection(const QString& text);
    QString formatSection(const Section& s, CalcValue magnitude, bool showMinus,
                          const NumberSeparators& seps) const;
    static QString formatFixed(const Section& s, const struct DecimalDigits& d,
                               const NumberSeparators& seps, bool& zero);
    static QString formatExponent(const Section& s, const struct DecimalDigits& d,
                                  const NumberSeparators& seps, bool& zero);

    QString m_picture;
    std::vector<Section> m_sections;
};

// General exponent form with up to 15 significant digits ("2.43290200817664E18").
QString formatGeneral(CalcValue value, const NumberSeparators& seps);
QString generalForm(const struct DecimalDigits& digits, bool negative,
                    const NumberSeparators& seps);

} // namespace mx
