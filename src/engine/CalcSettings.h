#pragma once

#include <QString>

namespace mx {

// The nine settings kept between runs, with the values they hold before any are loaded.
struct CalcSettings
{
    static constexpr int kFloatingDecPos = 11;
    static constexpr int kMaxDelStrLength = 26;

    int DecPos = 2; // 0..10 decimals, 11 the floating (exponent) form
    QString DelStr = QStringLiteral("==== New Calculation =====");
    bool DigitGrouping = true;
    bool Formula = false;
    bool FrmlHistory = false;
    bool FrmlResHistory = false;
    bool History = false;
    bool Radian = true;
    bool Totals = true;
    // Keep the tape between runs. Not one of the nine fields of the classic record: the
    // kept tape itself stands for it in the store.
    bool KeepHistory = false;

    bool operator==(const CalcSettings&) const = default;
};

} // namespace mx
